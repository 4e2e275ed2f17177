// Pictures of the five publishing windows filled in, for a look at their layout; they go to the
// build folder's artifacts (ui_publish).
#include "FakeIMClient.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "ui/publish/DigitPad.h"
#include "ui/publish/LimitedTextEdit.h"
#include "ui/publish/TfrmIssueAir.h"
#include "ui/publish/TfrmIssueSea.h"
#include "ui/publish/TfrmIssueTrian.h"
#include "ui/publish/TfrmMRVIssue.h"
#include "ui/publish/TfrmMRVIssue01.h"
#include "ui/publish/WordZone.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

class PublishScreenshotsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void filledWindows();

private:
    FakeIMClient m_client;
};

void PublishScreenshotsTest::initTestCase()
{
    resetSession();
    session().loginIdentity = QStringLiteral("zhangwei@localhost");
    UserProfile& profile = session().profile;
    profile.userprove = QStringLiteral("上海");
    profile.usercity = QStringLiteral("上海");
    profile.mobile = QStringLiteral("13800138000");
    profile.telephone1 = QStringLiteral("021-66668888");
    profile.telephone2 = QStringLiteral("021-66669999");
    profile.company = QStringLiteral("沪通物流有限公司");
    m_client.isConnected = true;
}

void PublishScreenshotsTest::filledWindows()
{
    const PublishWindowServices services{&m_client, {}};
    const QString folder = QStringLiteral("ui_publish");

    auto pick = std::make_unique<TfrmMRVIssue01>(services);
    pick->show();
    QVERIFY(QTest::qWaitForWindowExposed(pick.get()));
    pick->cbToProv->setCurrentIndex(pick->cbToProv->findText(QStringLiteral("辽宁")));
    pick->cbToCity->setCurrentIndex(pick->cbToCity->findText(QStringLiteral("大连")));
    pick->lst1->item(7)->setSelected(true);
    pick->lst2->item(18)->setSelected(true);
    pick->lst3->item(4)->setSelected(true);
    pick->edtDigitCargo->setText(QStringLiteral("20"));
    pick->edtDigitCar->setText(QStringLiteral("1"));
    pick->btnGenerate->click();
    pick->btn2->click();
    UiTestKit::saveScreenshot(pick.get(), QStringLiteral("TfrmMRVIssue01.png"), folder);

    auto words = std::make_unique<TfrmMRVIssue>(services);
    words->show();
    QVERIFY(QTest::qWaitForWindowExposed(words.get()));
    words->mmoContent->appendText(QStringLiteral("有钢材20吨，求9.6米高栏车"));
    words->btnCargo2->click();
    UiTestKit::saveScreenshot(words.get(), QStringLiteral("TfrmMRVIssue.png"), folder);

    auto air = std::make_unique<TfrmIssueAir>(services);
    air->show();
    QVERIFY(QTest::qWaitForWindowExposed(air.get()));
    air->edtStartcn->setCurrentIndex(air->edtStartcn->findText(QStringLiteral("上海浦东")));
    air->edtEndcn->setText(QStringLiteral("白云"));
    air->edtEnden->setText(QStringLiteral("CAN"));
    air->cmbLine->setCurrentIndex(4);
    air->edtCycle->setText(QStringLiteral("1,3,5"));
    air->edtPrice->setText(QStringLiteral("12/10/9/8"));
    air->edtDays->setText(QStringLiteral("1"));
    air->cmbAircompany->setCurrentIndex(2);
    air->mem->setPlainText(QStringLiteral("当日达"));
    UiTestKit::saveScreenshot(air.get(), QStringLiteral("TfrmIssueAir.png"), folder);

    auto sea = std::make_unique<TfrmIssueSea>(services);
    sea->show();
    QVERIFY(QTest::qWaitForWindowExposed(sea.get()));
    sea->edtStart->setText(QStringLiteral("DALIAN"));
    sea->edtTo->setText(QStringLiteral("BUSAN"));
    sea->edtDays->setText(QStringLiteral("2"));
    sea->edtCompany->setText(QStringLiteral("中远"));
    sea->edtLine->setText(QStringLiteral("日韩线"));
    sea->memSeq->setPlainText(QStringLiteral("DALIAN-INCHEON-BUSAN"));
    UiTestKit::saveScreenshot(sea.get(), QStringLiteral("TfrmIssueSea.png"), folder);

    auto rail = std::make_unique<TfrmIssueTrian>(services);
    rail->show();
    QVERIFY(QTest::qWaitForWindowExposed(rail.get()));
    rail->triannum->setText(QStringLiteral("X9527"));
    rail->startcity->setCurrentIndex(rail->startcity->findText(QStringLiteral("武汉")));
    rail->startport1->setText(QStringLiteral("吴家山"));
    rail->startport2->setText(QStringLiteral("武汉北"));
    rail->toport1->setText(QStringLiteral("杨浦"));
    rail->toport2->setText(QStringLiteral("南翔"));
    rail->cycle->setText(QStringLiteral("2"));
    rail->starttime->setText(QStringLiteral("09:00"));
    rail->totime->setText(QStringLiteral("21:00"));
    rail->hours->setText(QStringLiteral("12"));
    UiTestKit::saveScreenshot(rail.get(), QStringLiteral("TfrmIssueTrian.png"), folder);
}

QTEST_MAIN(PublishScreenshotsTest)
#include "tst_PublishScreenshots.moc"
