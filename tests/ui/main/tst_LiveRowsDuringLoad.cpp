// Live listings that arrive while a load waits for its list answer keep their place at the top
// of the grid, and the load's rows follow them. The main window's own grids take both, through
// the insert the broadcast handling uses.
#include "FakeExchange.h"
#include "MainWindowFakes.h"
#include "app/SessionState.h"
#include "core/FieldScrambler.h"
#include "service/ShellState.h"
#include "service/TCargoList.h"
#include "service/TThdAirPrice.h"
#include "service/searchCarogThread.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/MainGridAdapter.h"
#include "ui/main/TfrmMain.h"

#include <QtTest>

#include <memory>

namespace {

// A scrambled list answer of land listings with the ids first ... first + count - 1.
QString landList(int first, int count)
{
    QStringList items;
    for (int id = first; id < first + count; ++id) {
        items << QStringLiteral(R"({"id":%1,"title":"货物%1","itype":"1",)"
                                R"("issueat":"2026-12-08 10:00:00","senderid":"u%1"})")
                     .arg(id);
    }
    return ScrambleField(QLatin1Char('[') + items.join(QLatin1Char(',')) + QLatin1Char(']'));
}

LandRow liveLandRow(const QString& id)
{
    return LandRow::build(id, QStringLiteral("刚发布%1").arg(id), QStringLiteral("1"),
                          QStringLiteral("2026-12-08 11:00:00"), QStringLiteral("agent"),
                          QStringLiteral("C"), QStringLiteral("上海"));
}

// The given field of every data row, top to bottom.
QStringList columnOf(const ListingGridView* grid, int field)
{
    QStringList values;
    for (int row = 0; row < grid->gridRowCount() - grid->firstDataRow(); ++row) {
        values << grid->dataRow(row).field(field);
    }
    return values;
}

constexpr int idField = 2;        // land rows
constexpr int departureField = 0; // air rows

} // namespace

class LiveRowsDuringLoadTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LazyWebView::setEnginesEnabled(false); }
    void init();
    void cleanup();
    void landRowsFollowLiveRows();
    void searchResultsFollowLiveRows();
    void airRowsFollowLiveRows();

private:
    // Starts the job, lets `operation` answer only after `meanwhile` ran, and waits for the end.
    bool runWithHeldAnswer(LoaderJob& job, const QString& operation,
                           const std::function<void()>& meanwhile);

    std::unique_ptr<FakeExchange> fake;
    std::unique_ptr<MainWindowFakes> fakes;
    std::unique_ptr<MessageBoxes::Recorder> boxes;
    TfrmMain* window = nullptr;
};

void LiveRowsDuringLoadTest::init()
{
    fake = std::make_unique<FakeExchange>();
    resetSession();
    session().HostName = QStringLiteral("localhost");
    session().baseurl = QStringLiteral(":%1").arg(fake->port());
    session().wsdluri = fake->descriptionAddress();
    shellState().reset();
    boxes = std::make_unique<MessageBoxes::Recorder>();
    fakes = std::make_unique<MainWindowFakes>();
    window = new TfrmMain(fakes->services());
    // Signed in as far as the loads ask (the window's messaging host installed its own probe).
    shellState().setConnectedProbe([] { return true; });
}

void LiveRowsDuringLoadTest::cleanup()
{
    shellState().closeWithoutAsking = true;
    delete window;
    window = nullptr;
    fakes.reset();
    boxes.reset();
    fake.reset();
    shellState().setConnectedProbe({});
    shellState().reset();
}

bool LiveRowsDuringLoadTest::runWithHeldAnswer(LoaderJob& job, const QString& operation,
                                               const std::function<void()>& meanwhile)
{
    fake->setOperationFlow(operation, FakeExchange::Flow::Held);
    QSignalSpy finished(&job, &LoaderJob::finished);
    job.setAutoDelete(false);
    job.start();
    if (!QTest::qWaitFor([&] { return fake->heldCount() == 1; }, 20000)) {
        return false;
    }
    meanwhile();
    fake->releaseHeld();
    return finished.count() == 1 || finished.wait(20000);
}

void LiveRowsDuringLoadTest::landRowsFollowLiveRows()
{
    fake->setResult("cargoCount", "3");
    fake->setResult("cargoListpro", landList(1, 3));
    ListingGridView* grid = window->grid(ListingGrid::InfoGrd);
    TCargoList job(window->listingView());
    job.setParams(QStringLiteral("上海"), QString(), QString(), false, 1, true);
    QVERIFY(runWithHeldAnswer(job, "cargoListpro", [&] {
        QCOMPARE(grid->gridRowCount(), 3); // sized by the count, still empty
        window->listingView()->insertLandRow(ListingGrid::InfoGrd, liveLandRow("901"));
        window->listingView()->insertLandRow(ListingGrid::InfoGrd, liveLandRow("902"));
    }));
    QVERIFY2(job.lastError().isEmpty(), qPrintable(job.lastError()));
    QCOMPARE(columnOf(grid, idField), (QStringList{"902", "901", "1", "2", "3"}));
    QVERIFY(!shellState().loading);
}

void LiveRowsDuringLoadTest::searchResultsFollowLiveRows()
{
    fake->setResult("cargoSearch", landList(1, 3));
    ListingGridView* grid = window->grid(ListingGrid::searchGrd);
    searchCarogThread job(window->listingView());
    job.setParams(QStringLiteral("上海"), {QStringLiteral("北京")}, QString(), QStringLiteral("1"));
    QVERIFY(runWithHeldAnswer(job, "cargoSearch", [&] {
        window->listingView()->insertLandRow(ListingGrid::searchGrd, liveLandRow("901"));
    }));
    QVERIFY2(job.lastError().isEmpty(), qPrintable(job.lastError()));
    QCOMPARE(columnOf(grid, idField), (QStringList{"901", "1", "2", "3"}));
}

void LiveRowsDuringLoadTest::airRowsFollowLiveRows()
{
    fake->setResult("getAirPriceCount", "2");
    fake->setResult("getAirPriceList",
                    ScrambleField(R"([{"startcn":"浦东","starten":"PVG","price":"9"},)"
                                  R"({"startcn":"虹桥","starten":"SHA","price":"7"}])"));
    ListingGridView* grid = window->grid(ListingGrid::airInfoGrd);
    TThdAirPrice job(window->listingView());
    job.setParams(QString(), QString(), QStringLiteral("浦东"), QStringLiteral("PVG"), 1, false,
                  QStringLiteral("[国内空港]"), QStringLiteral("浦东"));
    AirRow live;
    live.departure = QStringLiteral("首都(PEK)");
    live.sender = QStringLiteral("agent");
    QVERIFY(runWithHeldAnswer(job, "getAirPriceList",
                              [&] { window->listingView()->insertAirRow(live); }));
    QVERIFY2(job.lastError().isEmpty(), qPrintable(job.lastError()));
    QCOMPARE(columnOf(grid, departureField), (QStringList{"首都(PEK)", "浦东(PVG)", "虹桥(SHA)"}));
}

QTEST_MAIN(LiveRowsDuringLoadTest)
#include "tst_LiveRowsDuringLoad.moc"
