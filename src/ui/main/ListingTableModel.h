#pragma once

#include "ui/main/ListingGridRow.h"
#include "ui/main/ListingLayout.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QVector>

#include <functional>

class QTimer;

// The rows of one listing grid. Rows hold plain records, not one object per cell, so that
// live inserts at the top stay cheap. A grid keeps at most MaxRows data rows (a header row is
// not one of them): live rows arrive without end, so the oldest fall off the bottom.
//
// Given a clock, a land grid also tells each listing's age in words beside its short time
// (AgeRole) and greys the rows of listings older than a day; the words follow the clock once a
// minute without the rows being loaded again.
class ListingTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role
    {
        RichTextRole = Qt::UserRole + 1,
        ImageIndexRole,
        TitleRole,     // land title cell: the title alone, as the row holds it
        ShortTimeRole, // land title cell: the short time shown after it
        AgeRole,       // land title cell: the listing's age in words; empty without a clock
        StaleRole      // every cell of a land row: the listing is older than a day
    };
    using Clock = std::function<QDateTime()>;

    static constexpr int MaxRows = 2000;
    static constexpr int AgeRefreshMs = 60000;

    explicit ListingTableModel(ListingFamily family, QObject* parent = nullptr);

    const ListingLayout& layout() const { return *m_layout; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    ListingGridRow row(int index) const;
    // Grows or shrinks the grid to exactly count rows, at most MaxRows; new rows are empty.
    void resizeRows(int count);
    // Writes a row in place; a row outside the grid is ignored.
    void setRow(int index, const ListingGridRow& row);
    // Inserts a row before position (clamped to the grid), pushing the rows below down. A full
    // grid first drops its last row. Returns where the row went.
    int insertRow(int position, const ListingGridRow& row);
    // The state a load leaves when it found nothing: exactly one row with every cell empty.
    void clearToOneEmptyRow();

    // The clock the ages are read against (none: no ages, nothing greyed). Read now and then
    // at every refresh.
    void setAgeClock(Clock clock);
    void setAgeRefreshInterval(int milliseconds);
    // Reads the clock again and reports the rows whose age words or greying changed.
    void refreshAges();

    // Land title cell as markup: the escaped title, a space and the grey short time, followed
    // by the age when there is one.
    static QString titleMarkup(const QString& title, const QString& shortTime,
                               const QString& age = QString());

private:
    ListingGridRow normalised(ListingGridRow row) const;
    QVariant displayText(const ListingGridRow& row, int field) const;
    int imageAt(const ListingGridRow& row, int field) const;
    QString ageText(const ListingGridRow& row, const QDateTime& now) const;
    bool isStale(const ListingGridRow& row, const QDateTime& now) const;

    const ListingLayout* m_layout;
    QVector<ListingGridRow> m_rows;
    Clock m_clock;
    QDateTime m_now; // the clock's time at the last refresh
    QTimer* m_ageTimer;
};
