#include "publish/LandListingComposer.h"

#include "publish/PublishWords.h"

#include <QRandomGenerator>

namespace {
const QString kWanted = QStringLiteral("求");
}

LandListingComposer::LandListingComposer(Joiner joiner) : m_joiner(std::move(joiner)) {}

LandListingComposer::Joiner LandListingComposer::randomJoiner()
{
    return [] {
        const QStringList& words = PublishWords::joiners();
        return words.at(QRandomGenerator::global()->bounded(words.size()));
    };
}

QString LandListingComposer::compose(const Picks& picks) const
{
    const QString joiner = picks.placeSelected ? m_joiner() : QString();
    QString text;
    if (picks.includeProvince) {
        text += picks.province + picks.city + picks.county + joiner + picks.toProvince +
                picks.toCity + picks.toCounty;
    } else {
        text += picks.city + picks.county + joiner + picks.toCity + picks.toCounty;
    }
    if (picks.cargoFirst) {
        text += picks.goods + picks.quantity + picks.unit;
        if (!picks.length.isEmpty())
            text += kWanted + picks.length;
        text += picks.truckType + picks.trucks + picks.price + picks.priceWord;
    } else {
        text += picks.length + picks.truckType + picks.trucks;
        if (!picks.goods.isEmpty())
            text += kWanted + picks.goods;
        text += picks.quantity + picks.unit + picks.price + picks.priceWord;
    }
    return text;
}

QString LandListingComposer::placedTitle(const QString& departure, const QString& departureCounty,
                                         const QString& destination,
                                         const QString& destinationCounty,
                                         const QString& text) const
{
    const QString joiner = departure.isEmpty() && destination.isEmpty() ? QString() : m_joiner();
    return departure + departureCounty + joiner + destination + destinationCounty + text;
}
