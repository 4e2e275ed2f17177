#pragma once

#include <QString>
#include <QStringList>

// The chosen-cities list of the search and subscribed-cities windows: at most five cities,
// no duplicates, in the order added; in the search window never the departure city.
class CityPickRules
{
public:
    static constexpr int MaxCities = 5;

    enum class Verdict
    {
        Added,
        NoCity,          // nothing selected
        Full,            // five cities chosen already (checked before the duplicate test)
        SameAsDeparture, // search window: the city is where the search departs from
        AlreadyChosen    // ignored without a message
    };

    // Subscribed-cities window: adds `city` to `chosen` when the rules allow it.
    static Verdict addChoice(QStringList& chosen, const QString& city);
    // Search window: the same, and the departure city is refused.
    static Verdict addDestination(QStringList& chosen, const QString& city,
                                  const QString& departure);

    // The warning a verdict shows (caption "提示信息"); empty when it shows none.
    static QString message(Verdict verdict);

    // The search's departure: the province when it is a municipality, else the city.
    static QString departureCity(const QString& province, const QString& city);
    // Saved cities as the subscribed-cities window starts with them: duplicates and empty
    // names dropped, at most five.
    static QStringList initialChoice(const QStringList& saved);
};
