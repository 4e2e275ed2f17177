#pragma once

#include <QString>
#include <functional>

// Composes land listing texts: the pick window's "生成" from its picks, and the word window's
// title with the places in front. The joiner between departure and destination comes from a
// function, one of the six joiner words at random unless a test hands another one.
class LandListingComposer
{
public:
    using Joiner = std::function<QString()>;

    // What the pick window's lists hold. Texts are the lists' current texts (empty when
    // nothing is selected); a goods word, truck length, truck type or price word is empty
    // when none is selected.
    struct Picks
    {
        bool includeProvince = true;
        // Any of the departure/destination province and city lists has a selection.
        bool placeSelected = false;
        QString province, city, county;
        QString toProvince, toCity, toCounty;
        // The cargo group stands left of the truck group.
        bool cargoFirst = true;
        QString goods, quantity, unit;
        QString length, truckType, trucks;
        QString price, priceWord;
    };

    explicit LandListingComposer(Joiner joiner = randomJoiner());

    // The text "生成" appends.
    QString compose(const Picks& picks) const;
    // The word window's title before screening: departure + its county + joiner + destination
    // + its county + the listing text; the joiner only when a place is not empty.
    QString placedTitle(const QString& departure, const QString& departureCounty,
                        const QString& destination, const QString& destinationCounty,
                        const QString& text) const;

    // One of PublishWords::joiners(), equally likely.
    static Joiner randomJoiner();

private:
    Joiner m_joiner;
};
