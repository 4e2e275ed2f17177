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
    if (turnTaken) {
        turnTaken = false;
        shellState().finishSearchTurn();
    }
}

void searchCarogThread::setParams(const QString& from, const QStringList& to,
                                  const QString& category, const QString& type)
{
    fromCity = from;
    toCities = to;
    categoryText = category;
    cityType = type;
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
    turnTaken = true;
    if (!shellState().isConnected()) {
        finish();
        return;
    }
    view->clearToEmptyRow(ListingGrid::searchGrd);
    port()->cargoSearch(fromCity, toCityList(toCities), categoryText, cityType, QStringLiteral("1"),
                        QString(), QStringLiteral("0"),
                        [this](const ServiceResult& result) { listArrived(result); });
}

void searchCarogThread::listArrived(const ServiceResult& result)
{
    if (!result.ok) {
        fail(result);
        return;
    }
    if (auto list = parseListResult(result.value)) {
        elementCount = list->count();
        if (elementCount > 0) {
            view->setRowCount(ListingGrid::searchGrd, elementCount);
        }
        fillLandRows(view, ListingGrid::searchGrd, *list, 0, elementCount, false,
                     ShortTimeRule::ToEnd);
    }
    complete();
}

void searchCarogThread::finishingStep()
{
    view->setLabel(QStringLiteral("lblTypesS"), QStringLiteral(" 搜索结果："));
    view->setLabel(
        QStringLiteral("lblCount1S"),
        QStringLiteral("%1 [%2 -> %3]").arg(elementCount).arg(fromCity, toCityList(toCities)));
    view->showPage(QStringLiteral("nbmain"), QStringLiteral("InfoPage"));
    view->showPage(QStringLiteral("nbNav"), QStringLiteral("pgLand"));
    view->showPage(QStringLiteral("nbInfo"), QStringLiteral("pgGrd"));
    view->showPanel(QStringLiteral("pnlSearchGrd"));
}
