#pragma once

#include "LoadStarter.h"

#include <optional>

// The land views the shell's commands show: which cities, local flag and listing type each
// kind loads for the current city.
class LandViews
{
public:
    // Kinds the shell sets (4 and 7 have no command).
    static bool isShellKind(int kind);
    // The load for a kind; none when the current city is blank or the kind is not one of them.
    static std::optional<LandLoadRequest> request(int kind, const QString& currentCity);
};
