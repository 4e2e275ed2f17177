#include "service/LandListingLoader.h"

#include "core/JsonNode.h"
#include "service/ListingLoadRules.h"
#include "service/ShellState.h"

LandListingLoader::LandListingLoader(ListingView* view, QObject* parent)
    : ListingLoader(view, parent)
{}

void LandListingLoader::setPaging(bool appendRows, int page)
{
    m_append = appendRows;
    m_pageNumber = page;
}

void LandListingLoader::run()
{
    ShellState& shell = shellState();
    if (!shell.isConnected()) {
        finish();
        return;
    }
    shell.loading = true;
    m_rowCount = 0;
    startingStep();
    m_view->setLabel(ShellLabel::LandCount, QStringLiteral("装载数据中，请稍候..."));
    if (filtersEmpty()) {
        complete();
        return;
    }
    callCount([this](const ServiceResult& result) { countArrived(result); });
}

void LandListingLoader::countArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    ShellState& shell = shellState();
    const int count = ListingLoadRules::parseCount(result.value);
    if (count == 0) {
        shell.listingCounter = 0;
        m_view->clearToEmptyRow(ListingGrid::InfoGrd);
        complete();
        return;
    }
    shell.listingCounter = count;
    const auto plan = ListingLoadRules::landPlan(count, rowCap(), m_append,
                                                 m_view->rowCount(ListingGrid::InfoGrd));
    m_nextRow = plan.firstRow;
    m_rowCount = plan.rowCount;
    if (!m_append) {
        // Rows of the previous load must not show through where this one fills less.
        m_view->clearToEmptyRow(ListingGrid::InfoGrd);
    }
    m_view->setRowCount(ListingGrid::InfoGrd, m_rowCount);
    m_sizedRows = m_view->rowCount(ListingGrid::InfoGrd);
    callList(QString::number(m_pageNumber),
             [this](const ServiceResult& answer) { listArrived(answer); });
}

void LandListingLoader::listArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    if (auto list = parseListResult(result.value)) {
        const int gained = rowsGainedSince(ListingGrid::InfoGrd, m_sizedRows);
        const int limit = qMin(m_rowCount + gained, m_view->rowCount(ListingGrid::InfoGrd));
        fillLandRows(m_view, ListingGrid::InfoGrd, *list, m_nextRow + gained, limit, true,
                     ShortTimeRule::MonthDayMinute);
    }
    complete();
}

void LandListingLoader::finishingStep()
{
    m_view->setLabel(ShellLabel::LandHeading, gridHeading());
    m_view->setLabel(ShellLabel::LandCount, countLabel());
    showListingPages(ShellPage::NavLand, ShellPage::InfoLand, ShellPanel::LandTop);
    shellState().loading = false;
}
