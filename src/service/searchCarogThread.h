#pragma once

#include "service/ListingLoader.h"

#include <QStringList>

// Loads cargo search results into searchGrd with cargoSearch only. Searches run one after
// another: a started search waits for its turn in the shell state.
class searchCarogThread : public ListingLoader
{
    Q_OBJECT
public:
    explicit searchCarogThread(ListingView* view, QObject* parent = nullptr);
    // A search destroyed before it ended still hands its turn on.
    ~searchCarogThread() override;

    // `toCities` in the order chosen; the service receives them last chosen first, each
    // followed by a comma.
    void setParams(const QString& fromCity, const QStringList& toCities, const QString& category,
                   const QString& cityType);

    // The destination list as sent.
    static QString toCityList(const QStringList& toCities);
    bool hasTurn() const { return m_turnTaken; }

protected:
    void run() override;
    void finishingStep() override;

private:
    void begin();
    void handTurnOn();
    void listArrived(const ServiceResult& result);

    QString m_fromCity;
    QStringList m_toCities;
    QString m_categoryText;
    QString m_cityType = QStringLiteral("1");
    int m_elementCount = 0;
    int m_sizedRows = 0; // the grid's rows right after this search cleared it
    bool m_turnTaken = false;
};
