#include "TThdOrderInfo.h"

#include "FieldScrambler.h"
#include "JsonNode.h"
#include "ListingLoadRules.h"
#include "ShellState.h"

namespace {
const QString heading = QStringLiteral("[定制信息]");
}

TThdOrderInfo::TThdOrderInfo(ListingView* view, QObject* parent) : ListingLoader(view, parent) {}

void TThdOrderInfo::setParams(const QString& cities, bool appendRows, int page)
{
    cityList = cities;
    append = appendRows;
    pageNumber = page;
}

void TThdOrderInfo::run()
{
    ShellState& shell = shellState();
    if (!shell.isConnected()) {
        finish();
        return;
    }
    shell.loading = true;
    view->setLabel(QStringLiteral("lblTypes"), heading);
    view->setLabel(QStringLiteral("lblCount1"), QStringLiteral("装载数据中，请稍候..."));
    rowCount = 0;
    port()->orderInfoCount(cityList, QString(),
                           [this](const ServiceResult& result) { countArrived(result); });
}

void TThdOrderInfo::countArrived(const ServiceResult& result)
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
    const auto plan = ListingLoadRules::landPlan(count, ListingLoadRules::SubscriptionCap, append,
                                                 view->rowCount(ListingGrid::InfoGrd));
    nextRow = plan.firstRow;
    rowCount = plan.rowCount;
    if (!append) {
        // Rows of the previous load must not show through where this one fills less.
        view->clearToEmptyRow(ListingGrid::InfoGrd);
    }
    view->setRowCount(ListingGrid::InfoGrd, rowCount);
    port()->orderInfo(cityList, QString::number(pageNumber), QString(),
                      [this](const ServiceResult& answer) { listArrived(answer); });
}

void TThdOrderInfo::listArrived(const ServiceResult& result)
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

void TThdOrderInfo::finishingStep()
{
    const QString cities = ReplaceText(cityList, QStringLiteral("'"), QString(), true);
    view->setLabel(QStringLiteral("lblTypes"), heading);
    view->setLabel(QStringLiteral("lblCount1"), QStringLiteral("%1：%2").arg(cities).arg(rowCount));
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgLand"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgGrd"));
    view->showPanel(QStringLiteral("pnlTop"));
    shellState().loading = false;
}
