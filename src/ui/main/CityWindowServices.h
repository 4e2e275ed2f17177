#pragma once

#include "service/ShellTargets.h"

#include <functional>

class LoadStarter;
class QString;

// What the search and subscribed-cities windows need from outside; the composition root
// supplies it.
struct CityWindowServices
{
    LoadStarter* loads = nullptr; // the main window's loads
    // Shows a page of the main window.
    std::function<void(ShellPage page)> showMainPage;
    // Saves config.xml with the plain city list as ordercity; false when it could not be
    // written. Empty: the main settings writer on the file beside the executable.
    std::function<bool(const QString& plainCityList)> saveOrderCities;
};
