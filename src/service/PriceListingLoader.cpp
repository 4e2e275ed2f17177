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
    m_page = pageNumber;
    m_append = appendRows;
    m_heading = typeHeading;
    m_countText = countLabel;
}

void PriceListingLoader::run()
{
    shellState().loading = true;
    m_view->setLabel(infoLabel(), QStringLiteral("装载数据中，请稍候..."));
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
        m_view->clearToEmptyRow(grid());
        complete();
        return;
    }
    m_shownCount = qMin(count, ListingLoadRules::PriceCap);
    const auto plan = ListingLoadRules::pricePlan(count, m_append, m_view->rowCount(grid()));
    m_nextRow = plan.firstRow;
    m_rowCount = plan.rowCount;
    if (!m_append) {
        // Rows of the previous load must not show through where this one fills less.
        m_view->clearToEmptyRow(grid());
    }
    m_view->setRowCount(grid(), m_rowCount);
    m_sizedRows = m_view->rowCount(grid());
    callList(QString::number(m_page), [this](const ServiceResult& answer) { listArrived(answer); });
}

void PriceListingLoader::listArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    if (auto list = parseListResult(result.value)) {
        const int gained = rowsGainedSince(grid(), m_sizedRows);
        const int limit = qMin(m_rowCount + gained, m_view->rowCount(grid()));
        int row = m_nextRow + gained;
        for (int i = 0; i < list->count() && row < limit; ++i) {
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
    m_view->appendHeaders(grid(), headers());
    m_view->setLabel(typeLabel(), m_heading);
    m_view->setLabel(infoLabel(), QStringLiteral("%1：%2").arg(m_countText).arg(m_shownCount));
    showPages();
    shellState().loading = false;
}
