// The five publishing windows against the sandbox exchange, opened from the commands of a main
// window signed in as a seeded user of 上海 through the composition root's windows. Each
// publishes through that session; a second signed-in session of another user receives the
// broadcast with the exact fields, the listing lands at the top of the matching grid of the
// signed-in main window, and the service's list holds it afterwards.
#include "PublishWindowKit.h"
#include "SandboxEndpoints.h"
#include "SandboxXmppSession.h"
#include "SoapCall.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "client/ClientWindows.h"
#include "core/DesCipher.h"
#include "core/FieldScrambler.h"
#include "core/Keys.h"
#include "im/XmppIMClient.h"
#include "service/ShellState.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/LazyWebView.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/MainCommands.h"
#include "ui/main/ServiceLoadStarter.h"
#include "ui/main/TfrmMain.h"
#include "ui/publish/ContactGroup.h"
#include "ui/publish/LimitedTextEdit.h"
#include "ui/publish/TfrmIssueAir.h"
#include "ui/publish/TfrmIssueSea.h"
#include "ui/publish/TfrmIssueTrian.h"
#include "ui/publish/TfrmMRVIssue.h"
#include "ui/publish/TfrmMRVIssue01.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using PublishWindowKit::choose;

namespace {

constexpr int kPatience = 60000;

QString stamp()
{
    return QString::number(QDateTime::currentMSecsSinceEpoch() % 10000000);
}

// The payload of the broadcast whose element `key` holds `value`, as the second session got it.
QString broadcast(const QString& received, const QString& payload, const QString& key,
                  const QString& value)
{
    const QRegularExpression pattern(
        QStringLiteral("<%1>(.*?)</%1>").arg(QRegularExpression::escape(payload)));
    QRegularExpressionMatchIterator matches = pattern.globalMatch(received);
    while (matches.hasNext()) {
        const QString body = matches.next().captured(1);
        if (body.contains(QStringLiteral("<%1>%2</%1>").arg(key, value)))
            return body;
    }
    return QString();
}

QString field(const QString& body, const QString& name)
{
    return QRegularExpression(QStringLiteral("<%1>(.*?)</%1>").arg(name)).match(body).captured(1);
}

} // namespace

class PublishSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void pickWindowPublishesCargo();
    void wordWindowPublishesATruck();
    void airWindowPublishesAPrice();
    void seaWindowPublishesALine();
    void railWindowPublishesATrain();

private:
    ListingGridRow topRow(ListingGrid which) const
    {
        return m_window->grid(which)->dataRow(0); // the first row below the captions
    }
    bool loadEnded()
    {
        QTest::qWait(0);
        return QTest::qWaitFor([] { return !shellState().loading; }, kPatience);
    }
    void expectSuccess()
    {
        QCOMPARE(m_boxes.count(), 1);
        QCOMPARE(m_boxes.last().icon, MessageBoxes::Icon::Information);
        QCOMPARE(m_boxes.last().text, QStringLiteral("您的信息已经发布成功! "));
        m_boxes.clear();
    }
    QString awaitBroadcast(const QString& payload, const QString& key, const QString& value)
    {
        QString body;
        const bool arrived = QTest::qWaitFor(
            [&] {
                body = broadcast(m_receiver.received(), payload, key, value);
                return !body.isEmpty();
            },
            kPatience);
        return arrived ? body : QString();
    }

    XmppIMClient m_client;
    ServiceLoadStarter m_loads{nullptr};
    std::unique_ptr<ClientWindows> m_windows;
    TfrmMain* m_window = nullptr;
    SandboxXmppSession m_receiver;
    MessageBoxes::Recorder m_boxes;
};

void PublishSandboxTest::initTestCase()
{
    LazyWebView::setEnginesEnabled(false);
    resetSession();
    SandboxEndpoints::retarget(session());
    shellState().reset();
    session().loginIdentity = QStringLiteral("zhangwei@localhost");
    session().password = QStringLiteral("demo1234");
    CityWindowServices cities;
    cities.loads = &m_loads;
    m_windows = std::make_unique<ClientWindows>(cities, UserInfoWindowServices{});
    m_window = new TfrmMain({&m_client, &m_loads, m_windows.get(), nullptr});
    m_windows->setMainWindow(m_window);
    m_window->setWindowState(Qt::WindowNoState);
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_window->signIn();
    QTRY_VERIFY_WITH_TIMEOUT(shellState().isConnected(), kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(shellState().currentCity, QStringLiteral("上海"), kPatience);
    QVERIFY(loadEnded());
    QVERIFY(!session().profile.mobile.isEmpty());
    QVERIFY(m_receiver.signIn(QStringLiteral("lina"), QStringLiteral("demo1234")));
}

void PublishSandboxTest::cleanupTestCase()
{
    m_receiver.signOut();
    shellState().closeWithoutAsking = true;
    delete m_window;
    m_windows.reset();
}

void PublishSandboxTest::pickWindowPublishesCargo()
{
    m_window->commands()->imgDXClick();
    TfrmMRVIssue01* window = m_windows->publishWindows().mrvIssue01();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    // A second command brings up the same window.
    m_window->commands()->imgDXClick();
    QCOMPARE(m_windows->publishWindows().mrvIssue01(), window);
    QCOMPARE(window->cbProv->currentText(), QStringLiteral("上海"));
    QVERIFY(choose(window->cbToProv, QStringLiteral("辽宁")));
    QVERIFY(choose(window->cbToCity, QStringLiteral("大连")));
    const QString title = QStringLiteral("点选 钢材20吨 %1").arg(stamp());
    UiTestKit::typeInto(window->mmoContent, title);
    window->contacts()->chkTel1->setChecked(false);
    window->contacts()->chkTel2->setChecked(false);
    window->chkAutoClose->setChecked(true);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectSuccess();
    QTRY_VERIFY(!m_windows->publishWindows().mrvIssue01()); // closed after publishing

    const QString body = awaitBroadcast(QStringLiteral("broadcastcargo"), "title", title);
    QVERIFY2(!body.isEmpty(), qPrintable(m_receiver.received().right(2000)));
    QCOMPARE(field(body, "fcity"), QStringLiteral("上海"));
    QCOMPARE(field(body, "tcity"), QStringLiteral("大连"));
    QCOMPARE(field(body, "tpy"), QStringLiteral("1"));
    QCOMPARE(field(body, "sender"), QStringLiteral("zhangwei"));
    QCOMPARE(field(body, "postion"), session().profile.usercity);
    const QString contact =
        session().profile.mobile + QLatin1Char(' ') + session().profile.company.trimmed();
    QCOMPARE(DesDecryptHex(field(body, "contact"), QString::fromLatin1(kConfigurationKey)),
             contact.trimmed());

    QTRY_COMPARE_WITH_TIMEOUT(topRow(ListingGrid::InfoGrd).field(1), title, kPatience);
    QCOMPARE(topRow(ListingGrid::InfoGrd).field(5), QStringLiteral("zhangwei"));
    QVERIFY(SoapCall::listHolds("cargoListpro",
                                {{"fromcity", QStringLiteral("上海")},
                                 {"tocity", ""},
                                 {"category", "1"},
                                 {"pagenumber", "1"},
                                 {"ssticket", ""},
                                 {"blocal", "1"}},
                                "title", title));
}

void PublishSandboxTest::wordWindowPublishesATruck()
{
    m_window->commands()->imgXZClick();
    TfrmMRVIssue* window = m_windows->publishWindows().mrvIssue();
    QVERIFY(window);
    QVERIFY(choose(window->cbtoProv1, QStringLiteral("北京")));
    QVERIFY(choose(window->cbtoCity1, QStringLiteral("朝阳区")));
    QTest::mouseClick(window->rbCar, Qt::LeftButton, {}, QPoint(6, window->rbCar->height() / 2));
    const QString text = QStringLiteral("有车 %1").arg(stamp());
    UiTestKit::typeInto(window->mmoContent, text);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectSuccess();

    QString body;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(body = broadcast(m_receiver.received(), QStringLiteral("broadcastcargo"), "tcity",
                           QStringLiteral("北京")))
                .isEmpty() &&
            body.contains(text),
        kPatience);
    const QString title = field(body, "title");
    QVERIFY2(QRegularExpression(QStringLiteral("^上海(--|==|到|去|至|往)北京") +
                                QRegularExpression::escape(text) + QStringLiteral("$"))
                 .match(title)
                 .hasMatch(),
             qPrintable(title));
    QCOMPARE(field(body, "fcity"), QStringLiteral("上海"));
    QCOMPARE(field(body, "tpy"), QStringLiteral("2"));
    QTRY_COMPARE_WITH_TIMEOUT(topRow(ListingGrid::InfoGrd).field(1), title, kPatience);
    QVERIFY(SoapCall::listHolds("cargoListpro",
                                {{"fromcity", QStringLiteral("上海")},
                                 {"tocity", ""},
                                 {"category", "2"},
                                 {"pagenumber", "1"},
                                 {"ssticket", ""},
                                 {"blocal", "1"}},
                                "title", title));
    window->close();
}

void PublishSandboxTest::airWindowPublishesAPrice()
{
    m_window->commands()->btnAirClick();
    QVERIFY(loadEnded());
    m_window->commands()->showIssue(0);
    TfrmIssueAir* window = m_windows->publishWindows().issueAir();
    QVERIFY(window);
    QVERIFY(choose(window->edtStartcn, QStringLiteral("上海浦东")));
    UiTestKit::typeInto(window->edtEndcn, QStringLiteral("白云"));
    UiTestKit::typeInto(window->edtEnden, QStringLiteral("CAN"));
    QVERIFY(choose(window->cmbLine, QStringLiteral("国内空运")));
    UiTestKit::typeInto(window->edtCycle, QStringLiteral("1,3,5"));
    const QString price = QStringLiteral("%1/300").arg(stamp());
    UiTestKit::typeInto(window->edtPrice, price);
    UiTestKit::typeInto(window->edtDays, QStringLiteral("1"));
    QVERIFY(choose(window->cmbAircompany, QStringLiteral("CZ 中国南方航空股份有限公司")));
    window->mem->setPlainText(QStringLiteral("当日达"));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectSuccess();

    const QString body = awaitBroadcast(QStringLiteral("broadcastairprice"), "price", price);
    QVERIFY2(!body.isEmpty(), qPrintable(m_receiver.received().right(2000)));
    QCOMPARE(field(body, "startcn"), QStringLiteral("上海浦东"));
    QCOMPARE(field(body, "starten"), QStringLiteral("PVG"));
    QCOMPARE(field(body, "endcn"), QStringLiteral("白云"));
    QCOMPARE(field(body, "line"), QStringLiteral("国内空运"));
    QCOMPARE(field(body, "aircompany"), QStringLiteral("CZ 中国南方航空股份有限公司"));
    QCOMPARE(field(body, "direct"), QStringLiteral("直达"));
    QCOMPARE(field(body, "mem"), QStringLiteral("当日达"));
    QCOMPARE(field(body, "sender"), QStringLiteral("zhangwei"));
    const UserProfile& profile = session().profile;
    QCOMPARE(UnscrambleField(field(body, "contact")),
             profile.mobile + QLatin1Char(' ') + profile.telephone1 + QLatin1Char(' ') +
                 profile.telephone2 + QLatin1Char(' ') + profile.company);

    QTRY_COMPARE_WITH_TIMEOUT(topRow(ListingGrid::airInfoGrd).field(9), price, kPatience);
    QCOMPARE(topRow(ListingGrid::airInfoGrd).field(0), QStringLiteral("上海浦东(PVG)"));
    QCOMPARE(topRow(ListingGrid::airInfoGrd).field(1), QStringLiteral("白云(CAN)"));
    QVERIFY(SoapCall::airPricesHold(QStringLiteral("国内空运"), price));
    window->close();
}

void PublishSandboxTest::seaWindowPublishesALine()
{
    m_window->commands()->btnSeaClick();
    QVERIFY(loadEnded());
    m_window->commands()->showIssue(1);
    TfrmIssueSea* window = m_windows->publishWindows().issueSea();
    QVERIFY(window);
    const QString line = QStringLiteral("日韩线%1").arg(stamp());
    UiTestKit::typeInto(window->edtStart, QStringLiteral("DALIAN"));
    UiTestKit::typeInto(window->edtTo, QStringLiteral("BUSAN"));
    UiTestKit::typeInto(window->edtDays, QStringLiteral("2"));
    UiTestKit::typeInto(window->edtCompany, QStringLiteral("中远"));
    UiTestKit::typeInto(window->edtLine, line);
    for (const char* port : {"DALIAN", "INCHEON", "BUSAN"}) {
        UiTestKit::typeInto(window->edtPort, QString::fromLatin1(port));
        QTest::keyClick(window->edtPort, Qt::Key_Return);
    }
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectSuccess();

    const QString body = awaitBroadcast(QStringLiteral("broadcastsealine"), "line", line);
    QVERIFY2(!body.isEmpty(), qPrintable(m_receiver.received().right(2000)));
    QCOMPARE(field(body, "startport"), QStringLiteral("DALIAN"));
    QCOMPARE(field(body, "toport"), QStringLiteral("BUSAN"));
    QCOMPARE(field(body, "company"), QStringLiteral("中远"));
    QCOMPARE(field(body, "direct"), QStringLiteral("海运直达"));
    QCOMPARE(field(body, "duty"), QStringLiteral("周一"));
    QCOMPARE(field(body, "porseq"), QStringLiteral("DALIAN-INCHEON-BUSAN"));
    QCOMPARE(field(body, "sender"), QStringLiteral("zhangwei"));

    QTRY_COMPARE_WITH_TIMEOUT(topRow(ListingGrid::seaInfoGrd).field(8), line, kPatience);
    QCOMPARE(topRow(ListingGrid::seaInfoGrd).field(7), QStringLiteral("DALIAN-INCHEON-BUSAN"));
    QVERIFY(SoapCall::listHolds("getSealineList",
                                {{"startport", "DALIAN"},
                                 {"toport", ""},
                                 {"company", ""},
                                 {"sealine", ""},
                                 {"pagenumber", "1"},
                                 {"sticket", ""}},
                                "line", line));
    window->close();
}

void PublishSandboxTest::railWindowPublishesATrain()
{
    m_window->commands()->btnTrainClick();
    QVERIFY(loadEnded());
    m_window->commands()->showIssue(2);
    TfrmIssueTrian* window = m_windows->publishWindows().issueTrian();
    QVERIFY(window);
    const QString train = QStringLiteral("X%1").arg(stamp());
    UiTestKit::typeInto(window->triannum, train);
    QVERIFY(choose(window->startcity, QStringLiteral("武汉")));
    QVERIFY(choose(window->tocity, QStringLiteral("上海")));
    const QList<QPair<QLineEdit*, QString>> fields{{window->startport1, QStringLiteral("吴家山")},
                                                   {window->startport2, QStringLiteral("武汉北")},
                                                   {window->toport1, QStringLiteral("杨浦")},
                                                   {window->toport2, QStringLiteral("南翔")},
                                                   {window->cycle, QStringLiteral("2")},
                                                   {window->starttime, QStringLiteral("09:00")},
                                                   {window->totime, QStringLiteral("21:00")},
                                                   {window->hours, QStringLiteral("12")}};
    for (const auto& entry : fields)
        UiTestKit::typeInto(entry.first, entry.second);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectSuccess();

    const QString body = awaitBroadcast(QStringLiteral("broadcasttrianinfo"), "triannum", train);
    QVERIFY2(!body.isEmpty(), qPrintable(m_receiver.received().right(2000)));
    QCOMPARE(field(body, "startcity"), QStringLiteral("武汉"));
    QCOMPARE(field(body, "tocity"), QStringLiteral("上海"));
    QCOMPARE(field(body, "startport1"), QStringLiteral("吴家山"));
    QCOMPARE(field(body, "toport2"), QStringLiteral("南翔"));
    QCOMPARE(field(body, "hours"), QStringLiteral("12"));
    QCOMPARE(field(body, "sender"), QStringLiteral("zhangwei"));

    QTRY_COMPARE_WITH_TIMEOUT(topRow(ListingGrid::TrianInfoGrd).field(0), train, kPatience);
    QCOMPARE(topRow(ListingGrid::TrianInfoGrd).field(1), QStringLiteral("吴家山"));
    QVERIFY(SoapCall::trainsHold(QStringLiteral("武汉"), train));
    window->close();
}

QTEST_MAIN(PublishSandboxTest)
#include "tst_PublishSandbox.moc"
