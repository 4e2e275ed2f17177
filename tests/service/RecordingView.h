#pragma once

#include "service/ListingView.h"

#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <variant>

// A ListingView that keeps what the loaders did to it, grid by grid, like the real grids
// would hold it. Labels, pages and panels are kept by their control names.
class RecordingView : public ListingView
{
public:
    using Row = std::variant<std::monostate, LandRow, AirRow, SeaRow, RailRow>;

    struct Grid
    {
        QVector<Row> rows;
        QStringList headers;
        int clears = 0;
    };

    QMap<QString, QString> labels;
    QStringList labelHistory; // "label=text" in the order they were set
    QStringList events;       // labels set and grids cleared, in order
    QString caption;
    QVector<QPair<QString, QString>> pages;
    QStringList panels;
    QString advertisementList;
    bool advertisementTimer = false;
    QMap<ListingGrid, Grid> grids;

    void setLabel(ShellLabel label, const QString& text) override;
    void setCaption(const QString& text) override { caption = text; }
    int rowCount(ListingGrid grid) const override;
    void setRowCount(ListingGrid grid, int rows) override;
    void clearToEmptyRow(ListingGrid grid) override;
    void appendHeaders(ListingGrid grid, const QStringList& headers) override;
    void putLandRow(ListingGrid grid, int row, const LandRow& values) override;
    void putAirRow(int row, const AirRow& values) override;
    void putSeaRow(int row, const SeaRow& values) override;
    void putRailRow(int row, const RailRow& values) override;
    void showPage(ShellPage page) override;
    void showPanel(ShellPanel panel) override;
    void setAdvertisementList(const QString& jsonText) override { advertisementList = jsonText; }
    void startAdvertisementTimer() override { advertisementTimer = true; }

    // Rows that hold a record of the given kind.
    template <typename T> QVector<T> rowsOf(ListingGrid grid) const
    {
        QVector<T> found;
        for (const Row& row : grids.value(grid).rows) {
            if (const T* values = std::get_if<T>(&row)) {
                found.append(*values);
            }
        }
        return found;
    }
    bool rowIsEmpty(ListingGrid grid, int row) const;
    // Whether the page of the page set was shown (control names compared without case).
    bool shows(const QString& pageSet, const QString& page) const;
    // Puts that went beyond the grid's row count (a fault of the loader).
    int outOfRangePuts = 0;

private:
    void put(ListingGrid grid, int row, Row values);
    static bool hasHeader(ListingGrid grid);
};
