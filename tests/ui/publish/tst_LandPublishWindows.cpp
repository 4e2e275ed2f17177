// The two land publishing windows as a user drives them: every named control with its text,
// the lists' words, the category moving the groups, the digit pad's targets and keys, "生成",
// the word pad, menus and word grids, the 400-character limit for every way of adding text,
// and publishing with each refusal, the success box only for a request handed over, and the
// disclaimer link.
#include "FakeIMClient.h"
#include "PublishWindowKit.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "core/DesCipher.h"
#include "core/Keys.h"
#include "ui/account/LinkLabel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/publish/ContactGroup.h"
#include "ui/publish/DigitPad.h"
#include "ui/publish/LimitedTextEdit.h"
#include "ui/publish/PublishNotice.h"
#include "ui/publish/TfrmMRVIssue.h"
#include "ui/publish/TfrmMRVIssue01.h"
#include "ui/publish/WordZone.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QtTest>

using namespace PublishWindowKit;

namespace {

QStringList listItems(const QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

void pick(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    const QRect cell = list->visualItemRect(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(found.first()->isSelected());
}

QPushButton* buttonWithText(QWidget* parent, const QString& text)
{
    for (QPushButton* button : parent->findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QString element(const QString& stanza, const QString& name)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("<%1>(.*?)</%1>").arg(name)).match(stanza);
    return match.captured(1);
}

const LandListingComposer kArrow([] { return QStringLiteral("-->"); });

} // namespace

class LandPublishWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void pickWindowControlsAndTexts();
    void pickWindowListsHoldTheirWords();
    void wordWindowControlsAndTexts();
    void contactCaptionsComeFromTheProfileOnlyWhileConnected();
    void truckCategoryMovesTheGroups();
    void digitPadTargetsAndKeys();
    void generateAppendsTheComposition();
    void textLimitHoldsForTypingAndPicks();
    void wordPadMenusAndBackspace();
    void wordGridPanelFills();
    void pickWindowRefusals();
    void wordWindowRefusalsAndPlacesInFront();
    void successOnlyForARequestHandedOver();
    void autoCloseAfterPublishing();
    void disclaimerLinkOpensTheLawPage();

private:
    template <typename Window> Window* open()
    {
        auto* window = new Window(services(), kArrow);
        window->show();
        m_windows << window;
        if (!QTest::qWaitForWindowExposed(window))
            qWarning("the window was not exposed");
        return window;
    }
    PublishWindowServices services()
    {
        return {&m_client, [this](const QUrl& url) { m_opened << url; }};
    }

    FakeIMClient m_client;
    QList<QPointer<QWidget>> m_windows;
    QList<QUrl> m_opened;
    MessageBoxes::Recorder* m_boxes = nullptr;
};

void LandPublishWindowsTest::init()
{
    resetSession();
    session().loginIdentity = QStringLiteral("zhangwei@localhost");
    session().HostName = QStringLiteral("localhost");
    UserProfile& profile = session().profile;
    profile.userprove = QStringLiteral("辽宁");
    profile.usercity = QStringLiteral("大连");
    profile.mobile = QStringLiteral("13800138000");
    profile.telephone1 = QStringLiteral("0411-1234");
    profile.telephone2.clear();
    profile.company = QStringLiteral("大连A&B物流");
    m_client.isConnected = true;
    m_client.failNext = false;
    m_client.commands.clear();
    m_opened.clear();
    m_boxes = new MessageBoxes::Recorder;
}

void LandPublishWindowsTest::cleanup()
{
    for (const QPointer<QWidget>& window : m_windows)
        delete window.data();
    m_windows.clear();
    delete m_boxes;
}

void LandPublishWindowsTest::pickWindowControlsAndTexts()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QCOMPARE(window->windowTitle(), QStringLiteral("发布信息"));
    QVERIFY(window->windowFlags() & Qt::Window);
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    const NamedText texts[] = {
        {"rbCargo", "货源信息"},
        {"rbCar", "车源信息"},
        {"chkConsistProv", "包含省份"},
        {"grpCargo", " 有货 "},
        {"grpCar", " 求车 "},
        {"grp2", " 价格 "},
        {"btnCounty1", "▽"},
        {"btn1", "▽"},
        {"btn2", "..."},
        {"btnGenerate", "生成"},
        {"ColorButton1", "清空(&E)"},
        {"btnIssue", "发布(&I)"},
        {"btnClose", "关闭(&C)"},
        {"chkAutoClose", "发布后自动关闭"},
        {"grpContact", " 联系方式 "},
        {"lblLaw", "免责声明"},
        {"lblKind", "信息类型："},
        {"lblFrom", "出发地:"},
        {"lblTo", "目的地:"},
        {"lblCarUnit", "辆"},
        {"lblNotice", "注意:"},
        {"lblNotice1",
         " 您应保证发布信息内容的真实性，并确保不违背相关的法规。如果不符合以上条件，"},
        {"lblNotice2", "您可能要负担相应的法律责任。"},
    };
    for (const NamedText& expected : texts)
        QCOMPARE(shownText(window, expected.name), QString::fromUtf8(expected.text));
    for (const char* name :
         {"cbProv",      "cbCity",     "cmbCountry",    "cbToProv",    "cbToCity",
          "cbtoCountry", "mmoContent", "lst1",          "lst2",        "lst3",
          "lst4",        "cbb1",       "edtDigitCargo", "edtDigitCar", "edtDigitPrice",
          "pnlDigit",    "chkMobile",  "chkTel1",       "chktel2",     "chkCorp"})
        QVERIFY2(window->findChild<QWidget*>(QLatin1String(name)), name);
    QCOMPARE(window->cbProv->toolTip(), QStringLiteral("单击选择地区"));
    QCOMPARE(window->cbToProv->toolTip(), QStringLiteral("单击选择地区"));
    QCOMPARE(window->edtDigitPrice->toolTip(), QStringLiteral("点击输入"));
    QVERIFY(window->edtDigitPrice->isReadOnly());
    QCOMPARE(window->notice()->lblLaw->toolTip(), QStringLiteral("点击查看详情"));
    // The states at start.
    QVERIFY(window->rbCargo->isChecked());
    QCOMPARE(window->category(), 1);
    QVERIFY(window->chkConsistProv->isChecked());
    QVERIFY(!window->chkAutoClose->isChecked());
    QVERIFY(!window->pnlDigit->isVisible());
    QCOMPARE(window->pnlDigit->target(), QString());
    // The user's own province and city are pre-selected; the county list stays empty.
    QCOMPARE(window->cbProv->currentText(), QStringLiteral("辽宁"));
    QCOMPARE(window->cbCity->currentText(), QStringLiteral("大连"));
    QCOMPARE(window->cmbCountry->count(), 0);
    QCOMPARE(window->cbToProv->currentText(), QStringLiteral("请选择"));
}

void LandPublishWindowsTest::pickWindowListsHoldTheirWords()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QCOMPARE(listItems(window->lst1),
             QString("整车 零担 重货 泡货 漂货 普货 化工 设备 蔬菜 建材 木材 食品 粮食 冻品 "
                     "农副产品 保温材料 水果 矿石 煤 医药 家具 纸箱 危化品 随便装 配件 小货 捎带货")
                 .split(' '));
    QCOMPARE(comboItems(window->cbb1), QString("吨 方 件 车").split(' '));
    QCOMPARE(listItems(window->lst2),
             QString("4米 4.2米 4.3米 4.5米 4.8米 5米 5.8米 6米 6.2米 6.8米 7米 7.2米 7.4米 "
                     "7.8米 8米 8.7米 8.8米 9米 9.6米 12.5米 13米 13.5米 17.5米")
                 .split(' '));
    QCOMPARE(
        listItems(window->lst3),
        QString("普通车 前四后八 敞蓬车 平板车 高栏车 集装箱 冷藏车 起重车 后八轮 单桥车 "
                "自卸车 半封闭车 半挂车 保温车 双桥车 加长挂车 棉被车 前四后十 大笼子车 高低板")
            .split(' '));
    QCOMPARE(
        listItems(window->lst4),
        QString("给钱就走 价高急走 面议 元/车 元/吨 元/方 元/件 元/总价 运价好商量").split(' '));
    QStringList keys;
    for (QPushButton* key : window->pnlDigit->findChildren<QPushButton*>())
        keys << key->text();
    QCOMPARE(keys, QString("7 8 9 X 4 5 6 清 1 2 3 ← 0 . 0 00").split(' '));
}

void LandPublishWindowsTest::wordWindowControlsAndTexts()
{
    TfrmMRVIssue* window = open<TfrmMRVIssue>();
    QCOMPARE(window->windowTitle(), QStringLiteral("发布信息"));
    const NamedText texts[] = {
        {"rbCargo", "货源"},
        {"rbCar", "车源"},
        {"lblKind", "信息类型："},
        {"lblFrom", "出发地区："},
        {"lblTo", "目的城市："},
        {"lblPhone", "联系电话："},
        {"lblCorp", "公司名称："},
        {"grpPad", " 点选 "},
        {"btnBack", "<-退格"},
        {"btnLocalWords", "地方特色字"},
        {"btnCommonWords", "常用字"},
        {"btnCargo1", "货物1"},
        {"btnCargo3", "货物3"},
        {"btnPrice", "运费"},
        {"btnWords", "常用短语"},
        {"btnUnit", "[单位]"},
        {"btnCargo2", "货物2"},
        {"btnCarType", "车型"},
        {"btnCarLength", "车长"},
        {"btnCommon", "常用词"},
        {"btnIssue", "发布(&I)"},
        {"ColorButton2", "清空(&E)"},
        {"btnClose", "关闭(&C)"},
        {"chkAutoClose", "发布后自动关闭"},
        {"grpContact", " 联系方式 "},
        {"lblLaw", "免责声明"},
        {"lblZoneHint", "双击选择货物"},
        {"btnZoneClose", "X"},
    };
    for (const NamedText& expected : texts)
        QCOMPARE(shownText(window, expected.name), QString::fromUtf8(expected.text));
    for (const char* name :
         {"cbProv", "cbCity", "cmbCountry", "cbtoProv1", "cbtoCity1", "cbtoCountry1", "mmoContent",
          "pnlZone", "sgrdzone", "chkMobile", "chkTel1", "chkTel2", "chkCorp"})
        QVERIFY2(window->findChild<QWidget*>(QLatin1String(name)), name);
    QVERIFY(window->rbCargo->isChecked());
    QCOMPARE(window->category(), 1);
    QStringList pad;
    for (QPushButton* button : window->grpPad->findChildren<QPushButton*>()) {
        if (button->objectName().startsWith(QStringLiteral("btnPad")))
            pad << button->text();
    }
    QCOMPARE(pad, QString("1 2 3 4 5 6 7 8 9 0 00 元/吨 。 ， . ； - / > --> 急 需 要 求 有 发 到 "
                          "回 去 车 货 吨 米 元 电")
                      .split(' '));
    // The menus: their words, and the 14 sub-menus of "货物3" with 222 words in all.
    auto* cargo1 = window->findChild<QMenu*>(QStringLiteral("mnuCargo1"));
    auto* cargo3 = window->findChild<QMenu*>(QStringLiteral("mnuCargo3"));
    auto* price = window->findChild<QMenu*>(QStringLiteral("mnuPrice"));
    auto* words = window->findChild<QMenu*>(QStringLiteral("mnuWord"));
    auto* unit = window->findChild<QMenu*>(QStringLiteral("mnuUnit"));
    QVERIFY(cargo1 && cargo3 && price && words && unit);
    QCOMPARE(cargo1->actions().size(), 13);
    QCOMPARE(cargo1->actions().first()->text(), QStringLiteral("整车"));
    QCOMPARE(cargo1->actions().last()->text(), QStringLiteral("搬家货"));
    QCOMPARE(price->actions().size(), 5);
    QCOMPARE(words->actions().size(), 23);
    QCOMPARE(words->actions().at(18)->text(), QStringLiteral("装车付一半运费,货到付清"));
    QCOMPARE(unit->actions().size(), 9);
    QCOMPARE(unit->actions().last()->text(), QStringLiteral("公里"));
    QCOMPARE(cargo3->actions().size(), 14);
    int cargoWords = 0;
    for (QAction* sub : cargo3->actions()) {
        QVERIFY(sub->menu());
        cargoWords += sub->menu()->actions().size();
    }
    QCOMPARE(cargoWords, 222);
    QCOMPARE(cargo3->actions().first()->text(), QStringLiteral("原材料钢材类1"));
    QCOMPARE(cargo3->actions().last()->menu()->actions().last()->text(), QStringLiteral("啤酒瓶"));
}

void LandPublishWindowsTest::contactCaptionsComeFromTheProfileOnlyWhileConnected()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    ContactGroup* contacts = window->contacts();
    QCOMPARE(contacts->chkMobile->text(), QStringLiteral("13800138000"));
    QCOMPARE(contacts->chkTel1->text(), QStringLiteral("0411-1234"));
    QCOMPARE(contacts->chkTel2->text(), QString());
    // A "&" of the profile is shown as typed, not taken as a shortcut key.
    QCOMPARE(contacts->chkCorp->text(), QStringLiteral("大连A&&B物流"));
    QCOMPARE(contacts->boxes().company.caption, QStringLiteral("大连A&B物流"));
    for (QCheckBox* box :
         {contacts->chkMobile, contacts->chkTel1, contacts->chkTel2, contacts->chkCorp})
        QVERIFY(box->isChecked());

    m_client.isConnected = false;
    TfrmMRVIssue* words = open<TfrmMRVIssue>();
    QCOMPARE(words->contacts()->chkMobile->text(), QString());
    QCOMPARE(words->contacts()->chkCorp->text(), QString());
    // Nothing pre-selected either.
    QCOMPARE(words->cbProv->currentText(), QStringLiteral("请选择"));
}

void LandPublishWindowsTest::truckCategoryMovesTheGroups()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const int left = window->grpCargo->x();
    QVERIFY(window->grpCar->x() > left);
    QVERIFY(window->cargoFirst());
    QTest::mouseClick(window->rbCar, Qt::LeftButton, {}, QPoint(6, window->rbCar->height() / 2));
    QVERIFY(window->rbCar->isChecked());
    QCOMPARE(window->category(), 2);
    QCOMPARE(window->grpCar->x(), left);
    QCOMPARE(window->grpCargo->x(), window->grpCar->x() + window->grpCar->width() + 1);
    QCOMPARE(window->grpCargo->y(), window->grpCar->y());
    QCOMPARE(window->grpCar->title(), QStringLiteral("有车"));
    QCOMPARE(window->grpCargo->title(), QStringLiteral("求货"));
    QVERIFY(!window->cargoFirst());

    // Truck first now: length, type, trucks, then "求" and the goods.
    pick(window->lst2, QStringLiteral("9.6米"));
    pick(window->lst1, QStringLiteral("煤"));
    window->chkConsistProv->setChecked(false);
    QTest::mouseClick(window->btnGenerate, Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("大连-->9.6米求煤吨"));

    QTest::mouseClick(window->rbCargo, Qt::LeftButton, {},
                      QPoint(6, window->rbCargo->height() / 2));
    QCOMPARE(window->category(), 1);
    QCOMPARE(window->grpCargo->x(), left);
    QCOMPARE(window->grpCar->x(), left + window->grpCargo->width() + 1);
    QCOMPARE(window->grpCargo->title(), QStringLiteral("有货"));
    QCOMPARE(window->grpCar->title(), QStringLiteral("求车"));
    QVERIFY(window->cargoFirst());
}

void LandPublishWindowsTest::digitPadTargetsAndKeys()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    DigitPad* pad = window->pnlDigit;
    // With no target the keys do nothing.
    buttonWithText(pad, QStringLiteral("7"))->click();
    QVERIFY(window->edtDigitPrice->text().isEmpty());
    QVERIFY(window->edtDigitCargo->text().isEmpty());

    auto press = [pad](const char* keys) {
        for (const QString& key : QString::fromUtf8(keys).split(' '))
            QTest::mouseClick(buttonWithText(pad, key), Qt::LeftButton);
    };
    QTest::mouseClick(window->btn2, Qt::LeftButton);
    QVERIFY(pad->isVisible());
    QCOMPARE(pad->target(), QStringLiteral("edtDigitPrice"));
    const QPoint price = window->edtDigitPrice->mapTo(window, QPoint(0, 0));
    QCOMPARE(pad->y(), price.y() + window->edtDigitPrice->height()); // just below
    press("3 0 00 .");
    QCOMPARE(window->edtDigitPrice->text(), QStringLiteral("3000."));
    press("←");
    QCOMPARE(window->edtDigitPrice->text(), QStringLiteral("3000"));

    QTest::mouseClick(window->btnCounty1, Qt::LeftButton);
    QCOMPARE(pad->target(), QStringLiteral("edtDigitCargo"));
    const QPoint cargo = window->edtDigitCargo->mapTo(window, QPoint(0, 0));
    QCOMPARE(pad->y() + pad->height(), cargo.y()); // just above
    press("2 5");
    QCOMPARE(window->edtDigitCargo->text(), QStringLiteral("25"));
    QCOMPARE(window->edtDigitPrice->text(), QStringLiteral("3000"));

    QTest::mouseClick(window->btn1, Qt::LeftButton);
    QCOMPARE(pad->target(), QStringLiteral("edtDigitCar"));
    press("1 清 2");
    QCOMPARE(window->edtDigitCar->text(), QStringLiteral("2"));
    press("X");
    QVERIFY(!pad->isVisible());

    // Moving over the goods list hides the pad.
    QTest::mouseClick(window->btn2, Qt::LeftButton);
    QVERIFY(pad->isVisible());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window->lst1, &enter);
    QVERIFY(!pad->isVisible());
}

void LandPublishWindowsTest::generateAppendsTheComposition()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    // Choosing the pre-selected city again lists its counties.
    QVERIFY(choose(window->cbCity, QStringLiteral("大连")));
    QVERIFY(choose(window->cmbCountry, QStringLiteral("甘井子区")));
    QVERIFY(choose(window->cbToProv, QStringLiteral("上海")));
    QVERIFY(choose(window->cbToCity, QStringLiteral("浦东新区")));
    pick(window->lst1, QStringLiteral("设备"));
    UiTestKit::typeInto(window->edtDigitCargo, QStringLiteral("20"));
    QVERIFY(choose(window->cbb1, QStringLiteral("吨")));
    pick(window->lst2, QStringLiteral("13米"));
    pick(window->lst3, QStringLiteral("平板车"));
    UiTestKit::typeInto(window->edtDigitCar, QStringLiteral("1"));
    pick(window->lst4, QStringLiteral("面议"));
    UiTestKit::typeInto(window->mmoContent, QStringLiteral("急:"));
    QTest::mouseClick(window->btnGenerate, Qt::LeftButton);
    const QString composed =
        QStringLiteral("辽宁大连甘井子区-->上海浦东新区设备20吨求13米平板车1面议");
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("急:") + composed);
    QTest::mouseClick(window->btnGenerate, Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("急:") + composed + composed);
    QTest::mouseClick(window->ColorButton1, Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QString());
}

void LandPublishWindowsTest::textLimitHoldsForTypingAndPicks()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    LimitedTextEdit* text = window->mmoContent;
    text->setFocus();
    UiTestKit::typeInto(text, QString(398, QLatin1Char('a')));
    pick(window->lst1, QStringLiteral("化工"));
    // "生成" would go past 400: refused whole.
    QTest::mouseClick(window->btnGenerate, Qt::LeftButton);
    QCOMPARE(text->toPlainText().size(), 398);
    UiTestKit::typeInto(text, QStringLiteral("钢材吨"));
    QCOMPARE(text->toPlainText(), QString(398, QLatin1Char('a')) + QStringLiteral("钢材"));
    // A paste is cut at the limit.
    text->selectAll();
    text->insertPlainText(QString(450, QLatin1Char('b')));
    QCOMPARE(text->toPlainText(), QString(400, QLatin1Char('b')));

    TfrmMRVIssue* words = open<TfrmMRVIssue>();
    words->mmoContent->setPlainText(QString(399, QLatin1Char('c')));
    QTest::mouseClick(buttonWithText(words->grpPad, QStringLiteral("元/吨")), Qt::LeftButton);
    QCOMPARE(words->mmoContent->toPlainText().size(), 399);
    QTest::mouseClick(buttonWithText(words->grpPad, QStringLiteral("急")), Qt::LeftButton);
    QCOMPARE(words->mmoContent->toPlainText().size(), 400);
    words->findChild<QMenu*>(QStringLiteral("mnuUnit"))->actions().first()->trigger();
    QCOMPARE(words->mmoContent->toPlainText().size(), 400);
    QVERIFY(words->mmoContent->toPlainText().endsWith(QStringLiteral("c急")));
}

void LandPublishWindowsTest::wordPadMenusAndBackspace()
{
    TfrmMRVIssue* window = open<TfrmMRVIssue>();
    for (const char* word : {"有", "货", "2", "0", "吨", "-->"})
        QTest::mouseClick(buttonWithText(window->grpPad, QString::fromUtf8(word)), Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("有货20吨-->"));
    auto* cargo3 = window->findChild<QMenu*>(QStringLiteral("mnuCargo3"));
    cargo3->actions().at(4)->menu()->actions().at(1)->trigger(); // 瓜果蔬菜类 -> 西瓜
    window->findChild<QMenu*>(QStringLiteral("mnuPrice"))->actions().at(3)->trigger();
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("有货20吨-->西瓜价格好商量"));
    // Backspace takes whole characters.
    QTest::mouseClick(window->btnBack, Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("有货20吨-->西瓜价格好商"));
    for (int i = 0; i < 7; ++i)
        QTest::mouseClick(window->btnBack, Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("有货20吨--"));
    // The placeholders add nothing.
    QTest::mouseClick(buttonWithText(window->grpPad, QStringLiteral("常用字")), Qt::LeftButton);
    QTest::mouseClick(buttonWithText(window->grpPad, QStringLiteral("地方特色字")), Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("有货20吨--"));
    QTest::mouseClick(window->ColorButton2, Qt::LeftButton);
    QCOMPARE(window->mmoContent->toPlainText(), QString());
}

void LandPublishWindowsTest::wordGridPanelFills()
{
    TfrmMRVIssue* window = open<TfrmMRVIssue>();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTableWidget* grid = window->pnlZone->sgrdzone;
    auto filled = [grid] {
        QStringList words;
        for (int row = 0; row < grid->rowCount(); ++row) {
            for (int column = 0; column < grid->columnCount(); ++column) {
                if (grid->item(row, column) && !grid->item(row, column)->text().isEmpty())
                    words << grid->item(row, column)->text();
            }
        }
        return words;
    };
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnCommon")), Qt::LeftButton);
    QVERIFY(window->pnlZone->isVisible());
    QCOMPARE(window->pnlZone->lblTitle->text(), QStringLiteral("常用词"));
    QCOMPARE(grid->columnCount(), 5);
    QCOMPARE(grid->rowCount(), 7);
    QCOMPARE(filled().size(), 34);
    QCOMPARE(grid->item(6, 3)->text(), QStringLiteral("不限"));
    QCOMPARE(grid->item(6, 4)->text(), QString());
    // Beside the "货物2" button.
    const QPoint button = window->btnCargo2->mapTo(window, QPoint(window->btnCargo2->width(), 0));
    QCOMPARE(window->pnlZone->pos(), button);

    // The next table starts from clear cells: 30 of them, 29 filled.
    QTest::mouseClick(window->btnCargo2, Qt::LeftButton);
    QCOMPARE(window->pnlZone->lblTitle->text(), QStringLiteral("货物2"));
    QCOMPARE(grid->rowCount() * grid->columnCount(), 30);
    QCOMPARE(filled().size(), 29);
    QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("原料"));
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("电器"));
    QCOMPARE(grid->item(5, 4)->text(), QString());
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnCarLength")),
                      Qt::LeftButton);
    QCOMPARE(filled().size(), 23);
    QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("4.2"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnCarType")),
                      Qt::LeftButton);
    QCOMPARE(filled().size(), 21);

    // A click on a cell hides the panel and adds the word.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(1, 2)).center());
    QVERIFY(!window->pnlZone->isVisible());
    QCOMPARE(window->mmoContent->toPlainText(), QStringLiteral("冷藏车"));
    // Moving over the text box hides it too.
    QTest::mouseClick(window->btnCargo2, Qt::LeftButton);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(window->mmoContent, &enter);
    QVERIFY(!window->pnlZone->isVisible());
}

void LandPublishWindowsTest::pickWindowRefusals()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(m_boxes->last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes->last().text, QStringLiteral("信息内容不能为空! "));
    UiTestKit::typeInto(window->mmoContent, QStringLiteral("有货"));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 2);
    QCOMPARE(m_boxes->last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes->last().text, QStringLiteral("请选择出发地和目的地! "));
    QVERIFY(m_client.commands.isEmpty());

    // Disconnected: nothing at all.
    m_client.isConnected = false;
    window->mmoContent->clear();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 2);
}

void LandPublishWindowsTest::wordWindowRefusalsAndPlacesInFront()
{
    TfrmMRVIssue* window = open<TfrmMRVIssue>();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(m_boxes->last().caption, QStringLiteral("提示信息"));
    QCOMPARE(m_boxes->last().text, QStringLiteral("请选择出发地和目的地,再发布! "));
    QVERIFY(choose(window->cbProv, QStringLiteral("请选择")));
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes->last().text, QStringLiteral("信息内容不能为空! "));

    // Places alone make a listing; a municipality's district publishes the municipality.
    QVERIFY(choose(window->cbProv, QStringLiteral("上海")));
    QVERIFY(choose(window->cbCity, QStringLiteral("浦东新区")));
    QVERIFY(choose(window->cbtoProv1, QStringLiteral("湖北")));
    QVERIFY(choose(window->cbtoCity1, QStringLiteral("武汉")));
    QVERIFY(choose(window->cbtoCountry1, QStringLiteral("汉阳区")));
    QTest::mouseClick(window->rbCar, Qt::LeftButton, {}, QPoint(6, window->rbCar->height() / 2));
    m_boxes->clear();
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().icon, MessageBoxes::Icon::Information);
    QCOMPARE(m_client.commands.size(), 1);
    const QString stanza = m_client.commands.first();
    QCOMPARE(element(stanza, "title"), QStringLiteral("上海--武汉汉阳区"));
    QCOMPARE(element(stanza, "fromcity"), QStringLiteral("上海"));
    QCOMPARE(element(stanza, "tocity"), QStringLiteral("武汉"));
    QCOMPARE(element(stanza, "category"), QStringLiteral("2"));
    QCOMPARE(element(stanza, "position"), QStringLiteral("大连"));
    QCOMPARE(element(stanza, "sender"), QStringLiteral("zhangwei"));
    // The empty second telephone leaves two spaces.
    QCOMPARE(DesDecryptHex(element(stanza, "contact"), QString::fromLatin1(kConfigurationKey)),
             QStringLiteral("13800138000 0411-1234  大连A&B物流"));
}

void LandPublishWindowsTest::successOnlyForARequestHandedOver()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QVERIFY(choose(window->cbToProv, QStringLiteral("北京")));
    QVERIFY(choose(window->cbToCity, QStringLiteral("朝阳区")));
    UiTestKit::typeInto(window->mmoContent, QStringLiteral("大连-->北京 设备"));
    // A send that fails shows nothing.
    m_client.failNext = true;
    QTest::ignoreMessage(QtWarningMsg,
                         "sending a publish request failed: fake failure: sendCommand");
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 0);
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().icon, MessageBoxes::Icon::Information);
    QCOMPARE(m_boxes->last().caption, QStringLiteral("信息"));
    QCOMPARE(m_boxes->last().text, QStringLiteral("您的信息已经发布成功! "));
    QCOMPARE(element(m_client.commands.value(0), "title"), QStringLiteral("大连--北京 设备"));
    QCOMPARE(element(m_client.commands.value(0), "tocity"), QStringLiteral("北京"));
    QCOMPARE(element(m_client.commands.value(0), "category"), QStringLiteral("1"));
    // The text stays, so the same listing can go again.
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_client.commands.size(), 2);
    QCOMPARE(m_client.commands.at(0), m_client.commands.at(1));
}

void LandPublishWindowsTest::autoCloseAfterPublishing()
{
    TfrmMRVIssue01* window = open<TfrmMRVIssue01>();
    QPointer<TfrmMRVIssue01> alive(window);
    QVERIFY(choose(window->cbToProv, QStringLiteral("天津")));
    QVERIFY(choose(window->cbToCity, QStringLiteral("和平区")));
    UiTestKit::typeInto(window->mmoContent, QStringLiteral("有货"));
    window->chkAutoClose->setChecked(true);
    m_client.failNext = true;
    QTest::ignoreMessage(QtWarningMsg,
                         "sending a publish request failed: fake failure: sendCommand");
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QVERIFY(window->isVisible()); // nothing sent, nothing closed
    QTest::mouseClick(window->btnIssue, Qt::LeftButton);
    QCOMPARE(m_boxes->count(), 1);
    QTRY_VERIFY(!alive);
}

void LandPublishWindowsTest::disclaimerLinkOpensTheLawPage()
{
    TfrmMRVIssue* window = open<TfrmMRVIssue>();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::mouseClick(window->notice()->lblLaw, Qt::LeftButton);
    QCOMPARE(m_opened, QList<QUrl>{QUrl(session().siteAddress() + QStringLiteral("/ad/law.html"))});
    QCOMPARE(PublishNotice::disclaimerUrl().toString(),
             QStringLiteral("http://www.localhost:15280/ad/law.html"));
}

QTEST_MAIN(LandPublishWindowsTest)
#include "tst_LandPublishWindows.moc"
