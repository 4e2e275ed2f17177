#include "service/ListingLoader.h"

#include "app/SessionState.h"
#include "core/FieldScrambler.h"
#include "core/JsonNode.h"
#include "core/TextTrim.h"
#include "service/ServiceLog.h"

ListingLoader::ListingLoader(ListingView* view, QObject* parent) : LoaderJob(parent), m_view(view)
{}

Marovinta_ServicePort* ListingLoader::port()
{
    if (!m_servicePort) {
        m_servicePort = OpenServicePort(true, session().wsdluri, this, requestLimits());
    }
    return m_servicePort;
}

void ListingLoader::complete()
{
    if (m_completed) {
        return;
    }
    m_completed = true;
    finishingStep();
    if (m_servicePort) {
        m_servicePort->deleteLater();
        m_servicePort = nullptr;
    }
    finish();
}

void ListingLoader::fail(const ServiceResult& result)
{
    qCWarning(lcService) << "listing load" << metaObject()->className()
                         << "failed:" << result.error;
    m_error = result.error;
    complete();
}

int ListingLoader::rowsGainedSince(ListingGrid grid, int sizedRows) const
{
    return qMax(0, m_view->rowCount(grid) - sizedRows);
}

void ListingLoader::showListingPages(ShellPage navPage, ShellPage infoPage, ShellPanel panel)
{
    m_view->showPage(ShellPage::MainInfo);
    m_view->showPage(navPage);
    m_view->showPage(infoPage);
    m_view->showPanel(panel);
}

std::unique_ptr<JsonNode> ListingLoader::parseListResult(const QString& answer)
{
    const QString text = UnscrambleField(answer);
    if (IsBlankText(text)) {
        return nullptr;
    }
    std::unique_ptr<JsonNode> root = ParseJson(text);
    if (!root || !root->isList()) {
        qCWarning(lcService) << "reading a list answer failed: no JSON list";
        return nullptr;
    }
    return root;
}

void ListingLoader::fillLandRows(ListingView* view, ListingGrid grid, const JsonNode& list,
                                 int firstRow, int rowLimit, bool skipUntitled, ShortTimeRule rule)
{
    int row = firstRow;
    for (int i = 0; i < list.count() && row < rowLimit; ++i) {
        const JsonNode* element = list.child(i);
        const bool usable = element && element->isObject();
        if (skipUntitled) {
            if (!usable) {
                continue;
            }
            const LandRow values = LandRow::fromJson(*element, rule);
            if (values.title.isEmpty()) {
                continue;
            }
            view->putLandRow(grid, row, values);
        } else if (usable) {
            view->putLandRow(grid, row, LandRow::fromJson(*element, rule));
        }
        ++row;
    }
}
