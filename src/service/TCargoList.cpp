#include "TCargoList.h"

#include "JsonNode.h"
#include "ListingLoadRules.h"
#include "ShellState.h"
#include "TextTrim.h"

namespace {
const QString loadingText = QStringLiteral("装载数据中，请稍候...");
}

TCargoList::TCargoList(ListingView* view, QObject* parent) : ListingLoader(view, parent) {}

void TCargoList::setParams(const QString& from, const QString& to, const QString& category,
                           bool appendRows, int page, bool localOnly)
{
    fromCity = from;
    toCity = to;
    categoryText = category;
    append = appendRows;
    pageNumber = page;
    local = localOnly;
}

void TCargoList::run()
{
    ShellState& shell = shellState();
    if (!shell.isConnected()) {
        finish();
        return;
    }
    shell.loading = true;
    view->setLabel(QStringLiteral("lblCount1"), loadingText);
    categoryText = ListingLoadRules::landCategory(shell.landViewKind);
    headingText = ListingLoadRules::landHeading(shell.landViewKind);
    rowCount = 0;
    if (IsBlankText(fromCity) && IsBlankText(toCity)) {
        complete();
        return;
    }
    port()->cargoCount(fromCity, toCity, categoryText, QString(),
                       local ? QStringLiteral("1") : QStringLiteral("0"),
                       [this](const ServiceResult& result) { countArrived(result); });
}

void TCargoList::countArrived(const ServiceResult& result)
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
    const auto plan = ListingLoadRules::landPlan(count, ListingLoadRules::LandCap, append,
                                                 view->rowCount(ListingGrid::InfoGrd));
    nextRow = plan.firstRow;
    rowCount = plan.rowCount;
    if (!append) {
        // Rows of the previous load must not show through where this one fills less.
        view->clearToEmptyRow(ListingGrid::InfoGrd);
    }
    view->setRowCount(ListingGrid::InfoGrd, rowCount);
    port()->cargoListpro(fromCity, toCity, categoryText, QString::number(pageNumber), QString(),
                         local ? QStringLiteral("1") : QStringLiteral("0"),
                         [this](const ServiceResult& answer) { listArrived(answer); });
}

void TCargoList::listArrived(const ServiceResult& result)
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

void TCargoList::finishingStep()
{
    ShellState& shell = shellState();
    // Loads of returns have only a destination city; name that one rather than nothing.
    const QString city = IsBlankText(fromCity) ? toCity : fromCity;
    view->setLabel(QStringLiteral("lblTypes"), headingText);
    view->setLabel(QStringLiteral("lblCount1"),
                   QStringLiteral("%1：%2").arg(city).arg(shell.listingCounter));
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgLand"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgGrd"));
    view->showPanel(QStringLiteral("pnlTop"));
    shell.loading = false;
}
