#include "service/searchCarogThread.h"

#include "core/JsonNode.h"
#include "service/ShellState.h"

#include <QPointer>

searchCarogThread::searchCarogThread(ListingView* view, QObject* parent)
    : ListingLoader(view, parent)
{
    // The turn is handed on only after the finishing step has run and the job has ended.
    connect(this, &LoaderJob::finished, this, &searchCarogThread::handTurnOn);
}

searchCarogThread::~searchCarogThread()
{
    handTurnOn();
}

void searchCarogThread::handTurnOn()
{
    if (m_turnTaken) {
        m_turnTaken = false;
        shellState().finishSearchTurn();
    }
}

void searchCarogThread::setParams(const QString& from, const QStringList& to,
                                  const QString& category, const QString& type)
{
    m_fromCity = from;
    m_toCities = to;
    m_categoryText = category;
    m_cityType = type;
}

QString searchCarogThread::toCityList(const QStringList& toCities)
{
    QString list;
    for (auto city = toCities.crbegin(); city != toCities.crend(); ++city) {
        list += *city + QLatin1Char(',');
    }
    return list;
}

void searchCarogThread::run()
{
    QPointer<searchCarogThread> self(this);
    shellState().runSearchInTurn([self] {
        if (!self) {
            // The job was destroyed while it waited; hand the turn on.
            shellState().finishSearchTurn();
            return;
        }
        self->begin();
    });
}

void searchCarogThread::begin()
{
    m_turnTaken = true;
    if (!shellState().isConnected()) {
        finish();
        return;
    }
    m_view->clearToEmptyRow(ListingGrid::searchGrd);
    m_sizedRows = m_view->rowCount(ListingGrid::searchGrd);
    port()->cargoSearch(m_fromCity, toCityList(m_toCities), m_categoryText, m_cityType,
                        QStringLiteral("1"), QString(), QStringLiteral("0"),
                        [this](const ServiceResult& result) { listArrived(result); });
}

void searchCarogThread::listArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    if (auto list = parseListResult(result.value)) {
        m_elementCount = list->count();
        // Live rows that came in meanwhile stay at the top; the results go below them.
        const int first = rowsGainedSince(ListingGrid::searchGrd, m_sizedRows);
        if (m_elementCount > 0) {
            m_view->setRowCount(ListingGrid::searchGrd, first + m_elementCount);
        }
        const int limit = qMin(first + m_elementCount, m_view->rowCount(ListingGrid::searchGrd));
        fillLandRows(m_view, ListingGrid::searchGrd, *list, first, limit, false,
                     ShortTimeRule::ToEnd);
    }
    complete();
}

void searchCarogThread::finishingStep()
{
    m_view->setLabel(ShellLabel::SearchHeading, QStringLiteral(" 搜索结果："));
    m_view->setLabel(ShellLabel::SearchCount, QStringLiteral("%1 [%2 -> %3]")
                                                  .arg(m_elementCount)
                                                  .arg(m_fromCity, toCityList(m_toCities)));
    showListingPages(ShellPage::NavLand, ShellPage::InfoLand, ShellPanel::SearchResults);
}
