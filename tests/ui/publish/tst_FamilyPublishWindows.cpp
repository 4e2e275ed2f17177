// The air, sea and rail windows as a user drives them: their controls and texts, the airport
// code fill, the airline pop-up list, the port sequence (Enter too), "清空(&E)" by field kind,
// each window's refusals in order with their captions, and the success box only for a request
// handed to a connected client (the rail window included).
#include "FakeIMClient.h"
#include "PublishWindowKit.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "core/FieldScrambler.h"
#include "ui/common/MessageBoxes.h"
#include "ui/publish/ContactGroup.h"
#include "ui/publish/TfrmIssueAir.h"
#include "ui/publish/TfrmIssueSea.h"
#include "ui/publish/TfrmIssueTrian.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

using namespace PublishWindowKit;

namespace {

QString element(const QString& stanza, const QString& name)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<%1>(.*?)</%1>").arg(name)).match(stanza);
    return match.captured(1);
}

void fill(QLineEdit* field, const QString& text)
{
    field->clear();
    UiTestKit::typeInto(field, text);
}

} // namespace

class FamilyPublishWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void sharedFrameOfTheThree();
    void airWindowControls();
    void airportNameFillsItsCode();
    void airlinePopupList();
    void airRefusalsAndRequest();
    void seaWindowControls();
    void seaPortSequence();
    void seaRefusalsAndRequest();
    void railWindowControlsAndClear();
    void railRefusalAndRequest();
    void railShowsNothingWhileDisconnected();
    void failedSendShowsNothing();

private:
    template <typename Window> Window* open()
    {
        auto* window = new Window(PublishWindowServices{&m_client, {}});
        window->show();
        m_windows << window;
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("the window was not exposed");
        return window;
    }
    void fillAir(TfrmIssueAir* window);
    void fillSea(TfrmIssueSea* window);
    void fillRail(TfrmIssueTrian* window);
    void expectBox(MessageBoxes::Icon icon, const QString& caption, const QString& text);

    FakeIMClient m_client;
    QList<QPointer<QWidget>> m_windows;
    MessageBoxes::Recorder* m_boxes = nullptr;
};

void FamilyPublishWindowsTest::init()
{
    resetSession();
    session().loginIdentity = QStringLiteral("lina@localhost");
    session().profile.mobile = QStringLiteral("13900139000");
    session().profile.telephone1 = QStringLiteral("010-1");
    session().profile.telephone2 = QStringLiteral("010-2");
    session().profile.company = QStringLiteral("京通货运");
    m_client.isConnected = true;
    m_client.failNext = false;
    m_client.commands.clear();
    m_boxes = new MessageBoxes::Recorder;
}

void FamilyPublishWindowsTest::cleanup()
{
    for (const QPointer<QWidget>& window : m_windows)
        delete window.data();
    m_windows.clear();
    delete m_boxes;
}

void FamilyPublishWindowsTest::expectBox(MessageBoxes::Icon icon, const QString& caption,
                                         const QString& text)
{
    QVERIFY(m_boxes->count() > 0);
    QCOMPARE(m_boxes->last().icon, icon);
    QCOMPARE(m_boxes->last().caption, caption);
    QCOMPARE(m_boxes->last().text, text);
}

void FamilyPublishWindowsTest::sharedFrameOfTheThree()
{
    const QList<QPair<IssueFamilyWindow*, QString>> windows{
        {open<TfrmIssueAir>(), QStringLiteral("空运信息发布")},
        {open<TfrmIssueSea>(), QStringLiteral("海运信息发布")},
        {open<TfrmIssueTrian>(), QStringLiteral("铁路信息发布")}};
    for (const auto& entry : windows) {
        IssueFamilyWindow* window = entry.first;
        QCOMPARE(window->windowTitle(), entry.second);
        QVERIFY(window->windowFlags() & Qt::Window);
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
        const NamedText texts[] = {
            {"grpInfo", " 信息内容 "}, {"grpContact", " 联系方式 "},
            {"btnIssue", "发布(&I)"},  {"btnClear", "清空(&E)"},
            {"btnClose", "关闭(&C)"},  {"lblLaw", "免责声明"},
            {"lblNotice", "注意:"},    {"chkMobile", "13900139000"},
            {"chkTel1", "010-1"},      {"chktel2", "010-2"},
            {"chkCorp", "京通货运"},   {"lblNotice2", "您可能要负担相应的法律责任。"},
        };
        for (const NamedText& expected : texts)
            QCOMPARE(shownText(window, expected.name), QString::fromUtf8(expected.text));
        for (QCheckBox* box : window->contacts()->findChildren<QCheckBox*>())
            QVERIFY(box->isChecked());
    }
    // The air window takes the captions only while connected; sea and rail always do.
    m_client.isConnected = false;
    QCOMPARE(shownText(open<TfrmIssueAir>(), "chkCorp"), QString());
    QCOMPARE(shownText(open<TfrmIssueSea>(), "chkCorp"), QStringLiteral("京通货运"));
    QCOMPARE(shownText(open<TfrmIssueTrian>(), "chkMobile"), QStringLiteral("13900139000"));
}

void FamilyPublishWindowsTest::airWindowControls()
{
    TfrmIssueAir* window = open<TfrmIssueAir>();
    const QStringList labels = labelTexts(window);
    for (const char* label :
         {"起始港", "(中)", "(英)", "目的港", "航  线", "航空周期", "(周1,2,3,4,5,6,7)", "运  价",
          "(100/300/500/1000)", "航运时间", "天", "航空公司", "备注"})
        QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
    QCOMPARE(shownText(window, "rbDirect"), QStringLiteral("直达"));
    QCOMPARE(shownText(window, "rbTrans"), QStringLiteral("中转"));
    QVERIFY(window->rbDirect->isChecked());
    QCOMPARE(window->edtDays->toolTip(), QStringLiteral("只能输入数字"));
    QCOMPARE(comboItems(window->cmbLine),
             QString("日本 美国 中东 加拿大 国内空运 欧洲线 北美线 亚洲线 南美线 非洲线 澳洲线")
                 .split(' '));
    QCOMPARE(window->cmbAircompany->count(), 114);
    QCOMPARE(window->cmbAircompany->itemText(0), QStringLiteral("CA 中国国际航空股份有限公司"));
    QCOMPARE(window->lstAirline->count(), 114);
    QCOMPARE(window->edtStartcn->count(), 149);
    QVERIFY(window->edtStartcn->isEditable());
    for (const char* name : {"edtStarten", "edtEndcn", "edtEnden", "edtCycle", "edtPrice", "mem"})
        QVERIFY2(window->findChild<QWidget*>(QLatin1String(name)), name);
    // Only digits go into the days.
    fill(window->edtDays, QStringLiteral("3a天5"));
    QCOMPARE(window->edtDays->text(), QStringLiteral("35"));
}

void FamilyPublishWindowsTest::airportNameFillsItsCode()
{
    TfrmIssueAir* window = open<TfrmIssueAir>();
    QVERIFY(choose(window->edtStartcn, QStringLiteral("上海浦东")));
    QCOMPARE(window->edtStarten->text(), QStringLiteral("PVG"));
    // A typed name, trimmed; one not in the table empties the code.
    window->edtStartcn->setEditText(QStringLiteral("北京首都机场 "));
    QCOMPARE(window->edtStarten->text(), QStringLiteral("PEK"));
    window->edtStartcn->setEditText(QStringLiteral("首都机场"));
    QCOMPARE(window->edtStarten->text(), QString());
}

void FamilyPublishWindowsTest::airlinePopupList()
{
    TfrmIssueAir* window = open<TfrmIssueAir>();
    QVERIFY(!window->pnlAirline->isVisible());
    QTest::mouseClick(window->cmbAircompany->lineEdit(), Qt::LeftButton);
    QVERIFY(window->pnlAirline->isVisible());
    QListWidgetItem* item = window->lstAirline->item(2);
    QTest::mouseClick(window->lstAirline->viewport(), Qt::LeftButton, {},
                      window->lstAirline->visualItemRect(item).center());
    QVERIFY(!window->pnlAirline->isVisible());
    QCOMPARE(window->cmbAircompany->currentText(), QStringLiteral("CZ 中国南方航空股份有限公司"));
    // Moving over the fields group hides it.
    QTest::mouseClick(window->cmbAircompany->lineEdit(), Qt::LeftButton);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window->grpInfo, &enter);
    QVERIFY(!window->pnlAirline->isVisible());
}

void FamilyPublishWindowsTest::fillAir(TfrmIssueAir* window)
{
    QVERIFY(choose(window->edtStartcn, QStringLiteral("上海浦东")));
    fill(window->edtEndcn, QStringLiteral("成田"));
    fill(window->edtEnden, QStringLiteral("NRT"));
    QVERIFY(choose(window->cmbLine, QStringLiteral("日本")));
    fill(window->edtCycle, QStringLiteral("1,3,5"));
    fill(window->edtPrice, QStringLiteral("100/300"));
    fill(window->edtDays, QStringLiteral("2"));
    QVERIFY(choose(window->cmbAircompany, QStringLiteral("MU 中国东方航空股份有限公司")));
}

void FamilyPublishWindowsTest::airRefusalsAndRequest()
{
    TfrmIssueAir* window = open<TfrmIssueAir>();
    const QString ports = QStringLiteral("请填写起始港和目的港! ");
    const QString all = QStringLiteral("请填写所有信息,再发布! ");
    const QString caption = QStringLiteral("提示信息");
    fill(window->edtEndcn, QStringLiteral("成田"));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, caption, ports);
    fillAir(window);
    window->edtPrice->clear();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, caption, all);
    fill(window->edtPrice, QStringLiteral("100/300"));
    window->cmbAircompany->setEditText(QStringLiteral("  "));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, caption, all);
    QVERIFY(m_client.commands.isEmpty());

    QVERIFY(choose(window->cmbAircompany, QStringLiteral("MU 中国东方航空股份有限公司")));
    QTest::mouseClick(window->rbTrans, Qt::LeftButton, {},
                      QPoint(6, window->rbTrans->height() / 2));
    window->mem->setPlainText(QStringLiteral(" 周末(不飞) "));
    window->contacts()->chkTel1->setChecked(false);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Information, QStringLiteral("信息"),
              QStringLiteral("您的信息已经发布成功! "));
    QCOMPARE(m_client.commands.size(), 1);
    const QString stanza = m_client.commands.first();
    QCOMPARE(element(stanza, "starcn"), QStringLiteral("上海浦东"));
    QCOMPARE(element(stanza, "starten"), QStringLiteral("PVG"));
    QCOMPARE(element(stanza, "enden"), QStringLiteral("NRT"));
    QCOMPARE(element(stanza, "airline"), QStringLiteral("日本"));
    QCOMPARE(element(stanza, "aircompany"), QStringLiteral("MU 中国东方航空股份有限公司"));
    QCOMPARE(element(stanza, "direct"), QStringLiteral("中转"));
    QCOMPARE(element(stanza, "sender"), QStringLiteral("lina"));
    QCOMPARE(element(stanza, "mem"), QStringLiteral("周末不飞"));
    QCOMPARE(UnscrambleField(element(stanza, "contact")),
             QStringLiteral("13900139000 010-2 京通货运"));
    // The window stays open with its fields.
    QVERIFY(window->isVisible());
    QCOMPARE(window->edtEndcn->text(), QStringLiteral("成田"));

    // "清空(&E)" empties the fields and lists.
    QTest::mouseClick(window->btnClear, Qt::LeftButton);
    QCOMPARE(window->edtStartcn->currentText(), QString());
    QCOMPARE(window->edtEndcn->text(), QString());
    QCOMPARE(window->cmbLine->currentIndex(), -1);
    QCOMPARE(window->cmbAircompany->currentText(), QString());
    QCOMPARE(window->mem->toPlainText(), QString());
}

void FamilyPublishWindowsTest::seaWindowControls()
{
    TfrmIssueSea* window = open<TfrmIssueSea>();
    const QStringList labels = labelTexts(window);
    for (const char* label : {"起始港", "目的港", "转运港", "班  期", "总航程", "转运属性",
                              "承运人", "航线名称", "海运港序"})
        QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
    QCOMPARE(shownText(window, "btnAddto"), QStringLiteral("添加到海运港序"));
    QCOMPARE(shownText(window, "btnClearline"), QStringLiteral("清除海运港序"));
    const QString hint = QStringLiteral("请输入拼音或英语(全部大写)");
    for (QWidget* field : std::initializer_list<QWidget*>{
             window->edtStart, window->edtTo, window->edtPass, window->edtLine, window->memSeq})
        QCOMPARE(field->toolTip(), hint);
    QCOMPARE(comboItems(window->edtDuty), QString("周一 周二 周三 周四 周五 周六 周日").split(' '));
    QCOMPARE(window->edtDuty->currentText(), QStringLiteral("周一"));
    QCOMPARE(comboItems(window->cmbDirect), QString("海运直达 海运中转").split(' '));
    QCOMPARE(window->cmbDirect->currentText(), QStringLiteral("海运直达"));
    QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("edtDays")));
    QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("edtCompany")));
}

void FamilyPublishWindowsTest::seaPortSequence()
{
    TfrmIssueSea* window = open<TfrmIssueSea>();
    fill(window->edtPort, QStringLiteral("SHANGHAI"));
    QTest::mouseClick(window->btnAddto, Qt::LeftButton);
    QCOMPARE(window->memSeq->toPlainText(), QStringLiteral("SHANGHAI"));
    QCOMPARE(window->edtPort->text(), QString());
    fill(window->edtPort, QStringLiteral(" BUSAN "));
    QTest::keyClick(window->edtPort, Qt::Key_Return);
    fill(window->edtPort, QStringLiteral("   "));
    QTest::keyClick(window->edtPort, Qt::Key_Return);
    QCOMPARE(window->edtPort->text(), QStringLiteral("   ")); // nothing taken
    fill(window->edtPort, QStringLiteral("KOBE"));
    QTest::mouseClick(window->btnAddto, Qt::LeftButton);
    QCOMPARE(window->memSeq->toPlainText(), QStringLiteral("SHANGHAI-BUSAN-KOBE"));
    QTest::mouseClick(window->btnClearline, Qt::LeftButton);
    QCOMPARE(window->memSeq->toPlainText(), QString());
}

void FamilyPublishWindowsTest::fillSea(TfrmIssueSea* window)
{
    fill(window->edtStart, QStringLiteral("DALIAN"));
    fill(window->edtTo, QStringLiteral("BUSAN"));
    fill(window->edtDays, QStringLiteral("3"));
    fill(window->edtCompany, QStringLiteral("中远"));
    fill(window->edtLine, QStringLiteral("韩国线"));
}

void FamilyPublishWindowsTest::seaRefusalsAndRequest()
{
    TfrmIssueSea* window = open<TfrmIssueSea>();
    const QString caption = QStringLiteral("提示信息");
    fill(window->edtStart, QStringLiteral("DALIAN"));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, caption, QStringLiteral("请填写起始港和目的港! "));
    fillSea(window);
    window->edtCompany->clear();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, caption, QStringLiteral("请填写所有信息,再发布! "));
    fill(window->edtCompany, QStringLiteral("中远"));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, caption, QStringLiteral("请添加海运港序后,再发布! "));
    QVERIFY(m_client.commands.isEmpty());

    for (const char* port : {"DALIAN", "INCHEON(仁川)", "BUSAN/釜山"}) {
        fill(window->edtPort, QString::fromUtf8(port));
        QTest::keyClick(window->edtPort, Qt::Key_Enter);
    }
    QVERIFY(choose(window->edtDuty, QStringLiteral("周三")));
    QVERIFY(choose(window->cmbDirect, QStringLiteral("海运中转")));
    fill(window->edtPass, QStringLiteral(" INCHEON "));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Information, QStringLiteral("信息"),
              QStringLiteral("您的信息已经发布成功! "));
    const QString stanza = m_client.commands.value(0);
    QCOMPARE(element(stanza, "startport"), QStringLiteral("DALIAN"));
    QCOMPARE(element(stanza, "passport"), QStringLiteral("INCHEON"));
    QCOMPARE(element(stanza, "duty"), QStringLiteral("周三"));
    QCOMPARE(element(stanza, "sdirect"), QStringLiteral("海运中转"));
    QCOMPARE(element(stanza, "portseq"), QStringLiteral("DALIAN-INCHEON仁川-BUSAN釜山"));
    QCOMPARE(UnscrambleField(element(stanza, "contact")),
             QStringLiteral("13900139000 010-1 010-2 京通货运"));

    // Cleared, the lists are empty too and the listing is refused again.
    QTest::mouseClick(window->btnClear, Qt::LeftButton);
    QCOMPARE(window->edtDuty->currentText(), QString());
    QCOMPARE(window->cmbDirect->currentText(), QString());
    QCOMPARE(window->memSeq->toPlainText(), QString());
    QCOMPARE(window->edtStart->text(), QString());
}

void FamilyPublishWindowsTest::railWindowControlsAndClear()
{
    TfrmIssueTrian* window = open<TfrmIssueTrian>();
    const QStringList labels = labelTexts(window);
    for (const char* label :
         {"车次", "发局", "到局", "装车组织站", "始发(技术站)", "卸车组织站", "到达(技术站)",
          "开行周期(列/周)", "发车时间", "到达时间", "运行时间(小时)"})
        QVERIFY2(labels.contains(QString::fromUtf8(label)), label);
    const QStringList bureaus =
        QString("哈尔滨 沈阳 北京 呼和浩特 郑州 兰州 乌鲁木齐 西安 济南 南宁 成都 昆明 上海 广州 "
                "青藏 南昌 太原 武汉")
            .split(' ');
    QCOMPARE(comboItems(window->startcity), bureaus);
    QCOMPARE(comboItems(window->tocity), bureaus);
    QCOMPARE(window->startcity->currentText(), QStringLiteral("哈尔滨"));
    QCOMPARE(window->tocity->currentText(), QStringLiteral("哈尔滨"));
    fill(window->triannum, QStringLiteral("X1"));
    QTest::mouseClick(window->btnClear, Qt::LeftButton);
    QCOMPARE(window->triannum->text(), QString());
    QCOMPARE(window->startcity->currentText(), QString());
    QCOMPARE(window->tocity->currentText(), QString());
}

void FamilyPublishWindowsTest::fillRail(TfrmIssueTrian* window)
{
    fill(window->triannum, QStringLiteral(" X9527 "));
    fill(window->startport1, QStringLiteral("香坊"));
    fill(window->startport2, QStringLiteral("哈尔滨南"));
    fill(window->toport1, QStringLiteral("吴家山"));
    fill(window->toport2, QStringLiteral("武汉北"));
    fill(window->cycle, QStringLiteral("3"));
    fill(window->starttime, QStringLiteral("08:00"));
    fill(window->totime, QStringLiteral("20:00"));
    fill(window->hours, QStringLiteral("36"));
}

void FamilyPublishWindowsTest::railRefusalAndRequest()
{
    TfrmIssueTrian* window = open<TfrmIssueTrian>();
    fillRail(window);
    window->toport1->clear();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, QStringLiteral("提示信息"),
              QStringLiteral("请填写所有信息后,再发布! "));
    QVERIFY(m_client.commands.isEmpty());
    fill(window->toport1, QStringLiteral("   "));
    QVERIFY(choose(window->tocity, QStringLiteral("武汉")));
    window->contacts()->chkCorp->setChecked(false);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Information, QStringLiteral("信息"),
              QStringLiteral("您的信息已经发布成功! "));
    const QString stanza = m_client.commands.value(0);
    QCOMPARE(element(stanza, "triannum"), QStringLiteral("X9527"));
    QCOMPARE(element(stanza, "toport1"), QString());
    QCOMPARE(element(stanza, "startcity"), QStringLiteral("哈尔滨"));
    QCOMPARE(element(stanza, "tocity"), QStringLiteral("武汉"));
    QCOMPARE(UnscrambleField(element(stanza, "contact")),
             QStringLiteral("13900139000 010-1 010-2"));

    // Cleared bureau lists go empty; the fields must be filled again first.
    QTest::mouseClick(window->btnClear, Qt::LeftButton);
    fillRail(window);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_client.commands.size(), 2);
    QCOMPARE(element(m_client.commands.at(1), "startcity"), QString());
    QCOMPARE(element(m_client.commands.at(1), "tocity"), QString());
}

void FamilyPublishWindowsTest::railShowsNothingWhileDisconnected()
{
    TfrmIssueTrian* window = open<TfrmIssueTrian>();
    fillRail(window);
    m_client.isConnected = false;
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 0);
    QVERIFY(m_client.commands.isEmpty());
    // The field check still speaks first.
    window->hours->clear();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    expectBox(MessageBoxes::Icon::Warning, QStringLiteral("提示信息"),
              QStringLiteral("请填写所有信息后,再发布! "));

    // The air and sea windows do nothing at all.
    TfrmIssueAir* air = open<TfrmIssueAir>();
    TfrmIssueSea* sea = open<TfrmIssueSea>();
    m_boxes->clear();
    QTest::mouseClick(air->btnIssue, Qt::LeftButton);
    QTest::mouseClick(sea->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 0);
}

void FamilyPublishWindowsTest::failedSendShowsNothing()
{
    TfrmIssueAir* air = open<TfrmIssueAir>();
    fillAir(air);
    TfrmIssueSea* sea = open<TfrmIssueSea>();
    fillSea(sea);
    fill(sea->edtPort, QStringLiteral("DALIAN"));
    QTest::keyClick(sea->edtPort, Qt::Key_Return);
    TfrmIssueTrian* rail = open<TfrmIssueTrian>();
    fillRail(rail);
    for (IssueFamilyWindow* window : std::initializer_list<IssueFamilyWindow*>{air, sea, rail}) {
        m_client.failNext = true;
        QTest::ignoreMessage(QtWarningMsg,
                             "sending a publish request failed: fake failure: sendCommand");
        QTest::mouseClick(window->btnIssue, Qt::LeftButton);
        QCOMPARE(m_boxes->count(), 0);
    }
    QVERIFY(m_client.commands.isEmpty());
}

QTEST_MAIN(FamilyPublishWindowsTest)
#include "tst_FamilyPublishWindows.moc"
