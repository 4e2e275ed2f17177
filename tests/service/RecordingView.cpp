#include "RecordingView.h"

#include <algorithm>

void RecordingView::setLabel(ShellLabel label, const QString& text)
{
    const QString name = ShellTargets::controlName(label);
    labels[name] = text;
    labelHistory.append(name + QLatin1Char('=') + text);
    events.append(labelHistory.last());
}

bool RecordingView::hasHeader(ListingGrid grid)
{
    return grid != ListingGrid::InfoGrd && grid != ListingGrid::searchGrd;
}

int RecordingView::rowCount(ListingGrid grid) const
{
    const int rows = grids.value(grid).rows.size();
    // A grid always shows at least one row (below its header where it has one).
    return qMax(rows, hasHeader(grid) ? 2 : 1);
}

void RecordingView::setRowCount(ListingGrid grid, int rows)
{
    grids[grid].rows.resize(rows);
}

void RecordingView::clearToEmptyRow(ListingGrid grid)
{
    Grid& g = grids[grid];
    g.rows = QVector<Row>(hasHeader(grid) ? 2 : 1);
    ++g.clears;
    events.append(QStringLiteral("clear:%1").arg(int(grid)));
}

void RecordingView::appendHeaders(ListingGrid grid, const QStringList& headers)
{
    grids[grid].headers.append(headers);
}

void RecordingView::put(ListingGrid grid, int row, Row values)
{
    Grid& g = grids[grid];
    if (row < 0 || row >= g.rows.size()) {
        ++outOfRangePuts;
        return;
    }
    g.rows[row] = std::move(values);
}

void RecordingView::putLandRow(ListingGrid grid, int row, const LandRow& values)
{
    put(grid, row, values);
}

void RecordingView::putAirRow(int row, const AirRow& values)
{
    put(ListingGrid::airInfoGrd, row, values);
}

void RecordingView::putSeaRow(int row, const SeaRow& values)
{
    put(ListingGrid::seaInfoGrd, row, values);
}

void RecordingView::putRailRow(int row, const RailRow& values)
{
    put(ListingGrid::TrianInfoGrd, row, values);
}

void RecordingView::showPage(ShellPage page)
{
    pages.append({ShellTargets::controlName(ShellTargets::pageSetOf(page)),
                  ShellTargets::controlName(page)});
}

void RecordingView::showPanel(ShellPanel panel)
{
    panels.append(ShellTargets::controlName(panel));
}

bool RecordingView::rowIsEmpty(ListingGrid grid, int row) const
{
    const auto& rows = grids.value(grid).rows;
    return row < rows.size() && std::holds_alternative<std::monostate>(rows.at(row));
}

bool RecordingView::shows(const QString& pageSet, const QString& page) const
{
    return std::any_of(pages.cbegin(), pages.cend(), [&](const QPair<QString, QString>& shown) {
        return shown.first.compare(pageSet, Qt::CaseInsensitive) == 0 &&
               shown.second.compare(page, Qt::CaseInsensitive) == 0;
    });
}
