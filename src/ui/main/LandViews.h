#pragma once

#include "ui/main/LoadStarter.h"

#include <optional>

// The land views the shell's commands show: which cities, local flag and listing type each
// kind loads for the current city.
class LandViews
{
public:
    // Kinds the shell sets: 1 to 9 (4 and 7 are the "全部出发信息" and "全部到达信息" items).
    static bool isShellKind(int kind);
    // The load for a kind; none when the current city is blank or the kind is not one of them.
    static std::optional<LandLoadRequest> request(int kind, const QString& currentCity);
};
