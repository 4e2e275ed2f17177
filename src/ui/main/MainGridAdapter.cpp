#include "ui/main/MainGridAdapter.h"

#include "service/ShellState.h"
#include "ui/main/GridRowBuilder.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/ShellWidgets.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTimer>

namespace {

// Rows count from the header row, model rows from the first data row.
void putRow(ListingGridView* view, int row, const ListingGridRow& values)
{
    const int modelRow = row - view->firstDataRow();
    view->listingModel()->setRow(modelRow, values);
    view->fitRow(modelRow);
}

} // namespace

MainGridAdapter::MainGridAdapter(const ShellWidgets& widgets) : m_widgets(widgets) {}

ListingGridView* MainGridAdapter::grid(ListingGrid which) const
{
    return m_widgets.grids[which];
}

// ---------------------------------------------------------------- listing view

void MainGridAdapter::setLabel(ShellLabel label, const QString& text)
{
    m_widgets.labels[label]->setText(text);
}

void MainGridAdapter::setCaption(const QString& caption)
{
    m_widgets.window->setWindowTitle(caption);
}

int MainGridAdapter::rowCount(ListingGrid which) const
{
    return grid(which)->gridRowCount();
}

void MainGridAdapter::setRowCount(ListingGrid which, int rows)
{
    ListingGridView* view = grid(which);
    view->listingModel()->resizeRows(rows - view->firstDataRow());
}

void MainGridAdapter::clearToEmptyRow(ListingGrid which)
{
    grid(which)->listingModel()->clearToOneEmptyRow();
}

void MainGridAdapter::appendHeaders(ListingGrid, const QStringList&)
{
    // The price grids carry their fixed headers from creation; later sets never take effect.
}

void MainGridAdapter::putLandRow(ListingGrid which, int row, const LandRow& values)
{
    putRow(grid(which), row, GridRowBuilder::fromLand(values));
}

void MainGridAdapter::putAirRow(int row, const AirRow& values)
{
    putRow(grid(ListingGrid::airInfoGrd), row, GridRowBuilder::fromAir(values));
}

void MainGridAdapter::putSeaRow(int row, const SeaRow& values)
{
    putRow(grid(ListingGrid::seaInfoGrd), row, GridRowBuilder::fromSea(values));
}

void MainGridAdapter::putRailRow(int row, const RailRow& values)
{
    putRow(grid(ListingGrid::TrianInfoGrd), row, GridRowBuilder::fromRail(values));
}

void MainGridAdapter::showPage(ShellPage page)
{
    m_widgets.showPage(page);
}

void MainGridAdapter::showPanel(ShellPanel panel)
{
    m_widgets.panels[panel]->show();
}

void MainGridAdapter::setAdvertisementList(const QString& jsonText)
{
    m_adListText = jsonText;
}

void MainGridAdapter::startAdvertisementTimer()
{
    m_widgets.adTimer->start();
}

// ---------------------------------------------------------------- broadcasts

bool MainGridAdapter::isInfoPageShown(ShellPage page) const
{
    return m_widgets.pageSets[PageSet::Info]->currentWidget() == m_widgets.pages[page];
}

bool MainGridAdapter::isSearchPanelVisible() const
{
    return !m_widgets.panels[ShellPanel::SearchResults]->isHidden();
}

void MainGridAdapter::insertLandRow(ListingGrid which, const LandRow& row)
{
    if (row.title.trimmed().isEmpty())
        return;
    LandRow trimmed = row;
    trimmed.title = row.title.trimmed();
    grid(which)->insertGridRow(0, GridRowBuilder::fromLand(trimmed));
    ++shellState().listingCounter;
    updateLandCounter(which);
}

void MainGridAdapter::updateLandCounter(ListingGrid which)
{
    if (which != ListingGrid::InfoGrd)
        return;
    const ShellState& state = shellState();
    setLabel(ShellLabel::LandCount,
             QStringLiteral("%1：%2").arg(state.currentCity).arg(state.listingCounter));
}

void MainGridAdapter::insertAirRow(const AirRow& row)
{
    grid(ListingGrid::airInfoGrd)->insertGridRow(1, GridRowBuilder::fromAir(row));
}

void MainGridAdapter::insertSeaRow(const SeaRow& row)
{
    grid(ListingGrid::seaInfoGrd)->insertGridRow(1, GridRowBuilder::fromSea(row));
}

void MainGridAdapter::insertRailRow(const RailRow& row)
{
    grid(ListingGrid::TrianInfoGrd)->insertGridRow(1, GridRowBuilder::fromRail(row));
}

void MainGridAdapter::setNationalCountText(const QString& text)
{
    setLabel(ShellLabel::NationalCount, text);
}

// ---------------------------------------------------------------- advertisement

void MainGridAdapter::adTick()
{
    if (m_adListText.trimmed().isEmpty())
        return;
    QLabel* ad = m_widgets.adLink;
    ad->hide();
    const AdRotation::Step step = m_adRotation.next(m_adListText);
    if (!step.show)
        return;
    ad->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0033cc\">%2</a>")
                    .arg(step.link.toHtmlEscaped(), step.caption.toHtmlEscaped()));
    ad->adjustSize();
    QWidget* window = m_widgets.window;
    QWidget* bar = m_widgets.bottomBar;
    const int points = qMax(1, window->font().pointSize());
    const int x = window->width() - step.caption.size() * points - 200;
    const QPoint inBar = bar->mapFrom(window, QPoint(x, 0));
    ad->move(qMax(0, inBar.x()), (bar->height() - ad->height()) / 2);
    ad->show();
}
