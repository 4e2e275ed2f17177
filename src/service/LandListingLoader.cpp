#include "service/LandListingLoader.h"

#include "core/JsonNode.h"
#include "service/ListingLoadRules.h"
#include "service/ShellState.h"

LandListingLoader::LandListingLoader(ListingView* view, QObject* parent)
    : ListingLoader(view, parent)
{}

void LandListingLoader::setPaging(bool appendRows, int page)
{
    append = appendRows;
    pageNumber = page;
}

void LandListingLoader::run()
{
    ShellState& shell = shellState();
    if (!shell.isConnected()) {
        finish();
        return;
    }
    shell.loading = true;
    rowCount = 0;
    startingStep();
    view->setLabel(QStringLiteral("lblCount1"), QStringLiteral("装载数据中，请稍候..."));
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
        view->clearToEmptyRow(ListingGrid::InfoGrd);
        complete();
        return;
    }
    shell.listingCounter = count;
    const auto plan =
        ListingLoadRules::landPlan(count, rowCap(), append, view->rowCount(ListingGrid::InfoGrd));
    nextRow = plan.firstRow;
    rowCount = plan.rowCount;
    if (!append) {
        // Rows of the previous load must not show through where this one fills less.
        view->clearToEmptyRow(ListingGrid::InfoGrd);
    }
    view->setRowCount(ListingGrid::InfoGrd, rowCount);
    callList(QString::number(pageNumber),
             [this](const ServiceResult& answer) { listArrived(answer); });
}

void LandListingLoader::listArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    if (auto list = parseListResult(result.value)) {
        fillLandRows(view, ListingGrid::InfoGrd, *list, nextRow, rowCount, true,
                     ShortTimeRule::MonthDayMinute);
    }
    complete();
}

void LandListingLoader::finishingStep()
{
    view->setLabel(QStringLiteral("lblTypes"), gridHeading());
    view->setLabel(QStringLiteral("lblCount1"), countLabel());
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgLand"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgGrd"));
    view->showPanel(QStringLiteral("pnlTop"));
    shellState().loading = false;
}
