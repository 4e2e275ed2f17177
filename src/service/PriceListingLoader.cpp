#include "service/PriceListingLoader.h"

#include "core/JsonNode.h"
#include "service/ListingLoadRules.h"
#include "service/ShellState.h"

PriceListingLoader::PriceListingLoader(ListingView* view, QObject* parent)
    : ListingLoader(view, parent)
{}

void PriceListingLoader::setCommon(int pageNumber, bool appendRows, const QString& typeHeading,
                                   const QString& countLabel)
{
    page = pageNumber;
    append = appendRows;
    heading = typeHeading;
    countText = countLabel;
}

void PriceListingLoader::run()
{
    shellState().loading = true;
    view->setLabel(infoLabel(), QStringLiteral("装载数据中，请稍候..."));
    if (filtersEmpty()) {
        complete();
        return;
    }
    callCount([this](const ServiceResult& result) { countArrived(result); });
}

void PriceListingLoader::countArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    const int count = ListingLoadRules::parseCount(result.value);
    if (count == 0) {
        view->clearToEmptyRow(grid());
        complete();
        return;
    }
    shownCount = qMin(count, ListingLoadRules::PriceCap);
    const auto plan = ListingLoadRules::pricePlan(count, append, view->rowCount(grid()));
    nextRow = plan.firstRow;
    rowCount = plan.rowCount;
    if (!append) {
        // Rows of the previous load must not show through where this one fills less.
        view->clearToEmptyRow(grid());
    }
    view->setRowCount(grid(), rowCount);
    callList(QString::number(page), [this](const ServiceResult& answer) { listArrived(answer); });
}

void PriceListingLoader::listArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    if (auto list = parseListResult(result.value)) {
        int row = nextRow;
        for (int i = 0; i < list->count() && row < rowCount; ++i) {
            const JsonNode* element = list->child(i);
            if (element && element->isObject()) {
                putRow(row++, *element);
            }
        }
    }
    complete();
}

void PriceListingLoader::finishingStep()
{
    view->appendHeaders(grid(), headers());
    view->setLabel(typeLabel(), heading);
    view->setLabel(infoLabel(), QStringLiteral("%1：%2").arg(countText).arg(shownCount));
    showPages();
    shellState().loading = false;
}
