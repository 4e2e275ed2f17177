// The registration window on screen, driven by its control names against a scripted site: its
// texts, the page flow with and without mobile verification, the company lock of the personal
// user types, the submission's refusals and request, the registration answer deciding what
// reaches the login window, and requests that fail or hang.
#include "FakeExchange.h"
#include "UiTestKit.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "core/FieldScrambler.h"
#include "refdata/RegionTree.h"
#include "service/HttpClient.h"
#include "ui/account/LinkLabel.h"
#include "ui/account/TfrmLogin.h"
#include "ui/account/TfrmRegistry.h"
#include "ui/common/MessageBoxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

namespace {

const QString kMobile = QStringLiteral("13912345678");
const QString kCode = QStringLiteral("482913");
const QString kPassword = QStringLiteral("Secret88");
constexpr int kWait = 10000;

QString sendCodePath(const QString& mobile)
{
    return QStringLiteral("/index.php/User/buildMobileVerify/mobile/") + ScrambleField(mobile);
}

QString verifyPath(const QString& code, const QString& user)
{
    return QStringLiteral("/index.php/User/mobileVerify/vcode/%1/username/%2").arg(code, user);
}

QString existsPath(const QString& user)
{
    return QStringLiteral("/index.php/User/uexists/loginname/") + user;
}

const QString kRegisterPath = QStringLiteral("/index.php/User/ureg");

QByteArray scrambled(const char* word)
{
    return ScrambleField(QString::fromLatin1(word)).toUtf8();
}

// The login window's configuration: the site on a port nobody listens on, so that its
// base-information fetch never reaches the scripted site.
std::function<void(SessionState&)> loadConfiguration(const QString& authmobile)
{
    return [authmobile](SessionState& state) {
        state.HostName = QStringLiteral("localhost");
        state.baseurl = QStringLiteral(":1");
        state.authmobile = authmobile;
    };
}

// Every message logged while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    static const QStringList& lines() { return s_lines; }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        s_lines.append(message);
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

class RegistryWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void pagesAndControlsCarryTheirTexts();
    void acceptWithVerificationLeadsThroughTheCode();
    void acceptWithoutVerificationGoesToTheForm();
    void everyWayOfClosingShowsTheLogin();
    void personalTypesLockTheCompany();
    void nameLinkAsksTheSite();
    void submissionRefusesBeforeAnyRequest();
    void submissionRefusesTakenAndReservedNames();
    void registrationPostsTheCleanedFormAndFillsTheLogin();
    void lostNameRaceCopiesNothing();
    void failedRequestsReenableAndStay();
    void hangingRoutesTimeOutWithoutLeakingThePassword();
    void leavingLongOrQuotedFieldsRefuses();
    void customerServiceAndPagesOpenThroughTheServices();
    void loginWindowOpensRegistrationAndStaysModal();

private:
    void makeWindow(bool verify);
    void reachForm(const QString& userName = QStringLiteral("shunda01"));
    void fillForm();
    void verifyMobile();
    MessageBoxes::Box lastBox() const { return boxes->last(); }

    std::unique_ptr<MessageBoxes::Recorder> boxes;
    std::unique_ptr<FakeExchange> site;
    std::unique_ptr<TfrmLogin> login;
    std::unique_ptr<TfrmRegistry> window;
    RegistryWindowServices services;
    QString authmobile;
    struct Browser
    {
        QUrl url;
        QSize size;
        QString caption;
        QWidget* owner;
    };
    QList<Browser> browsers;
    QList<QUrl> pages;
};

void RegistryWindowTest::init()
{
    resetSession();
    QFile::remove(SettingsFile::defaultPath());
    boxes = std::make_unique<MessageBoxes::Recorder>();
    site = std::make_unique<FakeExchange>();
    browsers.clear();
    pages.clear();
    services = {};
    services.openBrowserWindow = [this](QWidget* owner, const QUrl& url, const QSize& size,
                                        const QString& caption) {
        browsers.append({url, size, caption, owner});
    };
    services.openUrl = [this](const QUrl& url) { pages.append(url); };
}

void RegistryWindowTest::cleanup()
{
    window.reset();
    login.reset();
    site.reset();
    boxes.reset();
    QFile::remove(SettingsFile::defaultPath());
}

void RegistryWindowTest::makeWindow(bool verify)
{
    authmobile = verify ? QStringLiteral("true") : QStringLiteral("false");
    LoginWindowServices loginServices;
    loginServices.loadConfiguration = loadConfiguration(authmobile);
    login = std::make_unique<TfrmLogin>(loginServices);
    // The login window's own fetch has gone out to the closed port; from here on the site is
    // the scripted one.
    session().baseurl = QStringLiteral(":%1").arg(site->port());
    window = std::make_unique<TfrmRegistry>(*login, services);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void RegistryWindowTest::verifyMobile()
{
    site->setRoute(sendCodePath(kMobile), scrambled("sent"));
    site->setRoute(verifyPath(kCode, kMobile), scrambled("true"));
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    UiTestKit::typeInto(window->edtMobile, kMobile);
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbVerify->currentWidget(), window->pgVerify, kWait);
    UiTestKit::typeInto(window->edtVerify, kCode);
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbMain->currentWidget(), window->reginfo, kWait);
}

// The form page without mobile verification, the user name typed.
void RegistryWindowTest::reachForm(const QString& userName)
{
    makeWindow(false);
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    QCOMPARE(window->nbMain->currentWidget(), window->reginfo);
    UiTestKit::typeInto(window->edtUser, userName);
}

void RegistryWindowTest::fillForm()
{
    UiTestKit::typeInto(window->edtpassword, kPassword);
    UiTestKit::typeInto(window->edtTrueName, QStringLiteral("王'强"));
    UiTestKit::typeInto(window->edtTel, QStringLiteral("021-55550000"));
    if (!window->edtMoblie->isReadOnly())
        UiTestKit::typeInto(window->edtMoblie, kMobile);
    UiTestKit::typeInto(window->edtMail, QStringLiteral("wq@example.cn"));
    UiTestKit::typeInto(window->edtQQ, QStringLiteral("10001"));
    UiTestKit::typeInto(window->edtCompany, QStringLiteral("顺达(物流)"));
    window->chkProv->setCurrentIndex(window->chkProv->findText(QStringLiteral("上海")));
    window->chkCity->setCurrentIndex(window->chkCity->findText(QStringLiteral("浦东新区")));
    UiTestKit::typeInto(window->edtAddress, QStringLiteral("张江路1号"));
}

void RegistryWindowTest::pagesAndControlsCarryTheirTexts()
{
    makeWindow(true);
    QCOMPARE(window->windowTitle(), QStringLiteral("用户注册"));
    QCOMPARE(window->nbMain->currentWidget(), window->index);
    const struct
    {
        const char* name;
        const char* text;
    } texts[] = {
        {"lblTitleIndex", "第一步、会员服务条款"},
        {"lblTitleMobile", "第二步、手机验证(输入手机号码)"},
        {"lblTitleVerify", "第三步、手机验证(输入接收到的短信密码)"},
        {"lblTitleInfo", "填写注册信息"},
        {"lblDisclaimer", "免责声明"},
        {"btnAccept", "我接受"},
        {"btnDeny", "我拒绝"},
        {"lblNote1", "说明:1,请提供正确的手机号码，且手机处于开机状态。"},
        {"lblNote2", "2,本系统向您发送的短信只有6位数字。"},
        {"lblNote3", "3,您接收本次短信密码，本系统不会收取任何费用。"},
        {"lblNote4", "4,如果对手机验证有疑问或操作有问题请点击“联系在线客服”"},
        {"lblFree", "接收短信免费"},
        {"btnCommit", "开始"},
        {"btnCancle", "关闭"},
        {"btnCSR", "联系在线客服"},
        {"lblSentTo", "系统已向您的手机"},
        {"lblSentNote", "发送了验证密码，请在30分钟内输入"},
        {"btnAuth", "验证"},
        {"btnPre", "上一步"},
        {"btnClos", "关闭"},
        {"btnCsr2", "联系在线客服"},
        {"lblUserType", "请认真选择合适的企业或个人身份"},
        {"RadioButton1", "物流企业"},
        {"RadioButton2", "生产贸易企业"},
        {"RadioButton3", "个人车主"},
        {"RadioButton4", "个人货主"},
        {"lblCheck", "存在?"},
        {"lblUserNote", "由英文字母和数字组成"},
        {"cmbProtocol", "接受Tovanta协议"},
        {"lblLaw", "阅读协议"},
        {"btnReg", "提交注册"},
        {"btnClose", "关闭"},
    };
    for (const auto& entry : texts) {
        QWidget* control = window->findChild<QWidget*>(QLatin1String(entry.name));
        QVERIFY2(control, entry.name);
        const auto* label = qobject_cast<QLabel*>(control);
        const QString text = label ? label->text() : static_cast<QAbstractButton*>(control)->text();
        QCOMPARE(text, QString::fromUtf8(entry.text));
    }
    // The field labels, each once on the form page.
    QStringList labels;
    for (const QLabel* label : window->reginfo->findChildren<QLabel*>())
        labels.append(label->text());
    for (const char* text : {"用户名:", "密  码:", "姓  名:", "性  别:", "电  话:", "手  机:",
                             "E-mail:", "QQ:", "公司名称:", "所在省市:", "详细地址:"})
        QCOMPARE(labels.count(QString::fromUtf8(text)), 1);
    QVERIFY(window->pgMobile->findChild<QLabel*>() != nullptr);
    QVERIFY(!window->lblSender->text().isEmpty());

    for (const char* name :
         {"nbMain",      "index",       "auth",      "reginfo",   "nbVerify",  "pgMobile",
          "pgVerify",    "memTerms",    "edtMobile", "lblMobile", "edtVerify", "edtUser",
          "edtpassword", "edtTrueName", "cmbSex",    "edtTel",    "edtMoblie", "edtMail",
          "edtQQ",       "edtCompany",  "chkProv",   "chkCity",   "edtAddress"})
        QVERIFY2(window->findChild<QWidget*>(QLatin1String(name)), name);
    QCOMPARE(window->nbVerify->parentWidget(), window->auth);

    QCOMPARE(window->lblDisclaimer->toolTip(), QStringLiteral("点击查看详情"));
    QCOMPARE(window->edtVerify->toolTip(), QStringLiteral("请输入您接收到的短信密码"));
    QCOMPARE(window->lblCheck->toolTip(), QStringLiteral("检查该用户名是否可用"));
    QCOMPARE(window->edtCompany->toolTip(), QStringLiteral("个人请填联系人名称"));

    // Seven numbered clauses, the first as the exchange words it.
    const QStringList clauses = window->memTerms->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(clauses.size(), 7);
    const QString numbers = QStringLiteral("一二三四五六七");
    for (int i = 0; i < clauses.size(); ++i)
        QVERIFY2(clauses.at(i).startsWith(numbers.at(i) + QStringLiteral("、")),
                 qPrintable(clauses.at(i)));
    QCOMPARE(clauses.first(),
             QStringLiteral("一、本网所提供的一切服务的所有权、运营权和解释权均归本网所有。"));
    QVERIFY(clauses.last().contains(QStringLiteral("注册")));
    QVERIFY(window->memTerms->isReadOnly());

    // The form's starting state.
    QVERIFY(window->RadioButton1->isChecked());
    QCOMPARE(window->userType(), 1);
    QCOMPARE(window->cmbSex->count(), 2);
    QCOMPARE(window->cmbSex->currentText(), QStringLiteral("男"));
    QCOMPARE(window->cmbSex->itemText(1), QStringLiteral("女"));
    QVERIFY(window->cmbProtocol->isChecked());
    QCOMPARE(window->edtpassword->echoMode(), QLineEdit::Password);
    QCOMPARE(window->edtMoblie->maxLength(), 11);
    QCOMPARE(window->chkProv->count(), 31);
    QCOMPARE(window->chkProv->itemText(0), QStringLiteral("北京"));
    QCOMPARE(window->chkProv->currentIndex(), -1);
    QCOMPARE(window->chkCity->count(), 0);
    // A municipality lists its districts, not itself.
    window->chkProv->setCurrentIndex(0);
    QStringList districts;
    for (int i = 0; i < window->chkCity->count(); ++i)
        districts.append(window->chkCity->itemText(i));
    QCOMPARE(districts, RegionTree::shared().childNames(1));
    QVERIFY(districts.size() > 1);
    QCOMPARE(window->chkCity->currentIndex(), -1);
}

void RegistryWindowTest::acceptWithVerificationLeadsThroughTheCode()
{
    makeWindow(true);
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    QCOMPARE(window->nbMain->currentWidget(), window->auth);
    QCOMPARE(window->nbVerify->currentWidget(), window->pgMobile);
    QVERIFY(window->edtUser->isReadOnly());
    QVERIFY(window->edtMoblie->isReadOnly());

    // A number the check refuses never reaches the site.
    UiTestKit::typeInto(window->edtMobile, QStringLiteral("12912345678"));
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(lastBox().caption, QStringLiteral("提示信息"));
    QCOMPARE(lastBox().text, QStringLiteral("请输入正确的手机号码！"));
    QVERIFY(site->requests.isEmpty());

    // The site refuses the number.
    window->edtMobile->clear();
    UiTestKit::typeInto(window->edtMobile, kMobile);
    site->setRoute(sendCodePath(kMobile), scrambled("error"));
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QVERIFY(!window->btnCommit->isEnabled());
    QVERIFY(!window->btnCancle->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 2, kWait);
    QCOMPARE(lastBox().text, QStringLiteral("手机号码验证不通过"));
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(window->nbVerify->currentWidget(), window->pgMobile);
    QVERIFY(window->btnCommit->isEnabled());
    QVERIFY(window->btnCancle->isEnabled());

    // Any other answer sends the user on, the number in the label and both form fields.
    site->setRoute(sendCodePath(kMobile), scrambled("sent"));
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbVerify->currentWidget(), window->pgVerify, kWait);
    QCOMPARE(window->lblMobile->text(), kMobile);
    QCOMPARE(window->edtUser->text(), kMobile);
    QCOMPARE(window->edtMoblie->text(), kMobile);
    QVERIFY(window->btnCommit->isEnabled());

    // Back and forward again.
    QTest::mouseClick(window->btnPre, Qt::LeftButton);
    QCOMPARE(window->nbVerify->currentWidget(), window->pgMobile);
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbVerify->currentWidget(), window->pgVerify, kWait);

    // No code: nothing is asked.
    const int asked = site->requests.size();
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QCOMPARE(site->requests.size(), asked);
    QVERIFY(window->btnAuth->isEnabled());

    // A wrong code.
    site->setRoute(verifyPath(QStringLiteral("111111"), kMobile), scrambled("false"));
    UiTestKit::typeInto(window->edtVerify, QStringLiteral(" 111111 "));
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QVERIFY(!window->btnAuth->isEnabled());
    QVERIFY(!window->btnPre->isEnabled());
    QVERIFY(!window->btnClos->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(lastBox().text, QStringLiteral("手机验证失败,请输入正确的短信密码。"),
                              kWait);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Information);
    QCOMPARE(window->nbMain->currentWidget(), window->auth);
    QVERIFY(window->btnAuth->isEnabled() && window->btnPre->isEnabled() &&
            window->btnClos->isEnabled());

    // The right one; the answer is compared exactly, so " true" would not do.
    site->setRoute(verifyPath(kCode, kMobile), scrambled("true"));
    window->edtVerify->setText(kCode);
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbMain->currentWidget(), window->reginfo, kWait);
    QCOMPARE(site->requests.last().path, verifyPath(kCode, kMobile));

    // The verified number is the login name, neither can be changed.
    QVERIFY(window->edtUser->isReadOnly());
    QVERIFY(window->edtMoblie->isReadOnly());
    UiTestKit::typeInto(window->edtUser, QStringLiteral("x"));
    UiTestKit::typeInto(window->edtMoblie, QStringLiteral("9"));
    QCOMPARE(window->edtUser->text(), kMobile);
    QCOMPARE(window->edtMoblie->text(), kMobile);
}

void RegistryWindowTest::acceptWithoutVerificationGoesToTheForm()
{
    makeWindow(false);
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    QCOMPARE(window->nbMain->currentWidget(), window->reginfo);
    QVERIFY(!window->edtUser->isReadOnly());
    QVERIFY(!window->edtMoblie->isReadOnly());
    UiTestKit::typeInto(window->edtUser, QStringLiteral("shunda01"));
    QCOMPARE(window->edtUser->text(), QStringLiteral("shunda01"));
    QVERIFY(site->requests.isEmpty());
}

void RegistryWindowTest::everyWayOfClosingShowsTheLogin()
{
    const auto closers = {"btnDeny", "btnCancle", "btnClos", "btnClose", "closeBox", "escape"};
    for (const char* closer : closers) {
        makeWindow(true);
        login->hide();
        const QString name = QLatin1String(closer);
        if (name == QLatin1String("btnCancle") || name == QLatin1String("btnClos")) {
            QTest::mouseClick(window->btnAccept, Qt::LeftButton);
            window->nbVerify->setCurrentWidget(name == QLatin1String("btnClos") ? window->pgVerify
                                                                                : window->pgMobile);
        } else if (name == QLatin1String("btnClose")) {
            window->nbMain->setCurrentWidget(window->reginfo);
        }
        window->edtpassword->setText(kPassword);
        if (name == QLatin1String("closeBox"))
            window->close();
        else if (name == QLatin1String("escape"))
            QTest::keyClick(window.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
        QVERIFY2(!window->isVisible(), closer);
        QVERIFY2(login->isVisible(), closer);
        QVERIFY2(window->edtpassword->text().isEmpty(), closer);
        QCOMPARE(window->result(), int(QDialog::Rejected));
        window.reset();
        login.reset();
    }
}

void RegistryWindowTest::personalTypesLockTheCompany()
{
    reachForm();
    UiTestKit::typeInto(window->edtCompany, QStringLiteral("顺达物流"));
    const struct
    {
        QRadioButton* button;
        int type;
        QString company;
        bool locked;
    } steps[] = {
        {window->RadioButton3, 2, QStringLiteral("个人车主"), true},
        {window->RadioButton2, 3, QString(), false},
        {window->RadioButton4, 4, QStringLiteral("个人货主"), true},
        {window->RadioButton1, 1, QString(), false},
        {window->RadioButton3, 2, QStringLiteral("个人车主"), true},
    };
    for (const auto& step : steps) {
        QTest::mouseClick(step.button, Qt::LeftButton);
        QVERIFY(step.button->isChecked());
        QCOMPARE(window->userType(), step.type);
        QCOMPARE(window->edtCompany->text(), step.company);
        QCOMPARE(window->edtCompany->isReadOnly(), step.locked);
    }
    UiTestKit::typeInto(window->edtCompany, QStringLiteral("改"));
    QCOMPARE(window->edtCompany->text(), QStringLiteral("个人车主"));
    QCOMPARE(window->form().company, QStringLiteral("个人车主"));
    QCOMPARE(window->form().userType, 2);
}

void RegistryWindowTest::nameLinkAsksTheSite()
{
    makeWindow(false);
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    // Without a name nothing is asked.
    QTest::mouseClick(window->lblCheck, Qt::LeftButton);
    QVERIFY(site->requests.isEmpty());
    QCOMPARE(boxes->count(), 0);

    site->setRoute(existsPath(QStringLiteral("zhangwei")), scrambled("true"));
    UiTestKit::typeInto(window->edtUser, QStringLiteral(" zhangwei "));
    QTest::mouseClick(window->lblCheck, Qt::LeftButton);
    QVERIFY(!window->lblCheck->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 1, kWait);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(lastBox().text, QStringLiteral("该用户已存在，请重新选择  "));
    QVERIFY(window->lblCheck->isEnabled());

    // Any other answer, even a damaged one, means the name is free.
    window->edtUser->setText(QStringLiteral("shunda01"));
    site->setRoute(existsPath(QStringLiteral("shunda01")), "<b>\x01");
    QTest::mouseClick(window->lblCheck, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 2, kWait);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Information);
    QCOMPARE(lastBox().text, QStringLiteral("该用户名可用，可以继续注册 "));
}

void RegistryWindowTest::submissionRefusesBeforeAnyRequest()
{
    reachForm();
    fillForm();
    // One required field empty: an information, and nothing is sent.
    window->edtTel->clear();
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Information);
    QCOMPARE(lastBox().caption, QStringLiteral("提示信息"));
    QCOMPARE(lastBox().text, QStringLiteral("所有带 * 的内容为必填项"));
    UiTestKit::typeInto(window->edtTel, QStringLiteral("021-55550000"));

    window->cmbProtocol->setChecked(false);
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QCOMPARE(lastBox().text, QStringLiteral("所有带 * 的内容为必填项"));
    window->cmbProtocol->setChecked(true);

    // Password of five: a warning, the focus in the password.
    window->edtpassword->setText(QStringLiteral("12345"));
    window->edtUser->setText(QStringLiteral("a@b"));
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(lastBox().text, QStringLiteral("密码太短(最短为6个字符)，请重新设置"));
    QTRY_COMPARE(QApplication::focusWidget(), window->edtpassword);

    window->edtpassword->setText(kPassword);
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QCOMPARE(lastBox().text, QStringLiteral("用户名中不能含有 @ 字符,请重新选择。"));
    QTRY_COMPARE(QApplication::focusWidget(), window->edtUser);
    QCOMPARE(boxes->count(), 4);
    QVERIFY(site->requests.isEmpty());
    QVERIFY(window->isVisible());
}

void RegistryWindowTest::submissionRefusesTakenAndReservedNames()
{
    reachForm(QStringLiteral("ADMIN"));
    fillForm();
    // The site's lookup comes before the reserved names.
    site->setRoute(existsPath(QStringLiteral("ADMIN")), scrambled("true"));
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QVERIFY(!window->btnReg->isEnabled());
    QVERIFY(!window->btnClose->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 1, kWait);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(lastBox().text, QStringLiteral("该用户已存在，请重新选择  "));
    QVERIFY(window->btnReg->isEnabled() && window->btnClose->isEnabled());

    const struct
    {
        const char* user;
        const char* contact;
        const char* company;
        const char* mobile;
        const char* mail;
        const char* text;
        QLineEdit* TfrmRegistry::*focus;
    } cases[] = {
        {"ADMIN", "王强", "顺达", "13912345678", "", "该登录名系统保留，请重新选择  ",
         &TfrmRegistry::edtUser},
        {"shunda01", "Tovanta", "顺达", "13912345678", "", "该用户系统保留，请重新选择  ",
         &TfrmRegistry::edtTrueName},
        {"shunda01", "王强", " 托万达", "13912345678", "", "该公司已存在，请重新填写 ",
         &TfrmRegistry::edtCompany},
        {"shunda01", "王强", "顺达", "1291234567", "", "手机号码不正确,请重新填写 ",
         &TfrmRegistry::edtMoblie},
        {"shunda01", "王强", "顺达", "13912345678", "wq@cn", "E-mail格式不正确,请重新填写 ",
         &TfrmRegistry::edtMail},
    };
    for (const auto& entry : cases) {
        const QString user = QString::fromUtf8(entry.user);
        site->setRoute(existsPath(user), scrambled("false"));
        window->edtUser->setText(user);
        window->edtTrueName->setText(QString::fromUtf8(entry.contact));
        window->edtCompany->setText(QString::fromUtf8(entry.company));
        window->edtMoblie->setText(QString::fromUtf8(entry.mobile));
        window->edtMail->setText(QString::fromUtf8(entry.mail));
        const int before = boxes->count();
        QTest::mouseClick(window->btnReg, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), before + 1, kWait);
        QCOMPARE(lastBox().text, QString::fromUtf8(entry.text));
        QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
        QTRY_COMPARE(QApplication::focusWidget(), (*window).*entry.focus);
        QVERIFY(window->btnReg->isEnabled());
    }
    for (const FakeExchange::Request& request : site->requests)
        QVERIFY2(request.path != kRegisterPath, "a refused form was sent");
}

void RegistryWindowTest::registrationPostsTheCleanedFormAndFillsTheLogin()
{
    makeWindow(true);
    verifyMobile();
    fillForm();
    QTest::mouseClick(window->RadioButton2, Qt::LeftButton);
    UiTestKit::typeInto(window->edtCompany, QStringLiteral("顺达(物流)"));
    window->cmbSex->setCurrentIndex(1);
    site->setRoute(existsPath(kMobile), scrambled("false"));
    site->setRoute(kRegisterPath, scrambled("true"));

    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kWait);
    QCOMPARE(window->result(), int(QDialog::Accepted));
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Information);
    QCOMPARE(lastBox().text, QStringLiteral("注册成功,请登录。"));
    QVERIFY(login->isVisible());
    QCOMPARE(login->EDUserName->text(), kMobile);
    QCOMPARE(login->EDPassword->text(), kPassword);

    // The cleaned texts went back into their fields before the request.
    QCOMPARE(window->edtCompany->text(), QStringLiteral("顺达物流"));
    QCOMPARE(window->edtTrueName->text(), QStringLiteral("王强"));
    QVERIFY(window->edtpassword->text().isEmpty());

    const FakeExchange::Request& posted = site->requests.last();
    QCOMPARE(posted.method, QByteArray("POST"));
    QCOMPARE(posted.path, kRegisterPath);
    QVERIFY(!posted.target.contains(kPassword.toUtf8()));
    const QByteArray expected = HttpClient::encodeForm({
        {QStringLiteral("loginname"), kMobile},
        {QStringLiteral("password"), kPassword},
        {QStringLiteral("contact"), QStringLiteral("王强")},
        {QStringLiteral("sex"), QStringLiteral("女")},
        {QStringLiteral("telephone1"), QStringLiteral("021-55550000")},
        {QStringLiteral("mobile"), kMobile},
        {QStringLiteral("email"), QStringLiteral("wq@example.cn")},
        {QStringLiteral("qq"), QStringLiteral("10001")},
        {QStringLiteral("company"), QStringLiteral("顺达物流")},
        {QStringLiteral("userprove"), QStringLiteral("上海")},
        {QStringLiteral("usercity"), QStringLiteral("浦东新区")},
        {QStringLiteral("address"), QStringLiteral("张江路1号")},
        {QStringLiteral("usertype"), QStringLiteral("3")},
    });
    QCOMPARE(posted.body, expected);
    // The name lookup of the submission came right before it.
    QCOMPARE(site->requests.at(site->requests.size() - 2).path, existsPath(kMobile));
}

void RegistryWindowTest::lostNameRaceCopiesNothing()
{
    // Free when looked up, taken by someone else by the time the registration arrives.
    reachForm();
    fillForm();
    login->EDUserName->setText(QStringLiteral("previous"));
    login->EDPassword->clear();
    site->setRoute(existsPath(QStringLiteral("shunda01")), scrambled("false"));
    site->setRoute(kRegisterPath, scrambled("false"));
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kWait);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Information);
    QCOMPARE(lastBox().text, QStringLiteral("注册失败,请与当地运营商联系!"));
    QCOMPARE(login->EDUserName->text(), QStringLiteral("previous"));
    QVERIFY(login->EDPassword->text().isEmpty());
    QVERIFY(login->isVisible());

    // Nor does any answer but exactly "true".
    for (const QByteArray& answer : {scrambled("TRUE"), scrambled("true "), QByteArray("true")}) {
        cleanup();
        init();
        reachForm();
        fillForm();
        site->setRoute(existsPath(QStringLiteral("shunda01")), scrambled("false"));
        site->setRoute(kRegisterPath, answer);
        QTest::mouseClick(window->btnReg, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kWait);
        QCOMPARE(lastBox().text, QStringLiteral("注册失败,请与当地运营商联系!"));
        QVERIFY(login->EDUserName->text().isEmpty());
        QVERIFY(login->EDPassword->text().isEmpty());
    }
}

void RegistryWindowTest::failedRequestsReenableAndStay()
{
    // Unscripted routes answer 404.
    makeWindow(true);
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    UiTestKit::typeInto(window->edtMobile, kMobile);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("SMS code request failed")));
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), kWait);
    QVERIFY(window->btnCommit->isEnabled() && window->btnCancle->isEnabled());
    QCOMPARE(window->nbVerify->currentWidget(), window->pgMobile);
    QCOMPARE(boxes->count(), 0);

    window.reset();
    login.reset();
    reachForm();
    fillForm();
    site->setRoute(existsPath(QStringLiteral("shunda01")), scrambled("false"));
    site->setRoute(kRegisterPath, "server error", 500);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("registration failed")));
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), kWait);
    QVERIFY(window->isVisible());
    QVERIFY(window->btnReg->isEnabled() && window->btnClose->isEnabled());
    QCOMPARE(window->nbMain->currentWidget(), window->reginfo);
    QCOMPARE(window->edtpassword->text(), kPassword);
    QVERIFY(login->EDUserName->text().isEmpty());
    QCOMPARE(boxes->count(), 0);
}

void RegistryWindowTest::hangingRoutesTimeOutWithoutLeakingThePassword()
{
    LogCapture log;
    services.requestDeadlineMs = 300;

    // The code request.
    makeWindow(true);
    site->hangRoute(sendCodePath(kMobile));
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    UiTestKit::typeInto(window->edtMobile, kMobile);
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QVERIFY(!window->btnCommit->isEnabled() && !window->btnCancle->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window->btnCommit->isEnabled(), kWait);
    QVERIFY(window->btnCancle->isEnabled());
    QCOMPARE(window->nbVerify->currentWidget(), window->pgMobile);

    // The code check.
    site->setRoute(sendCodePath(kMobile), scrambled("sent"));
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbVerify->currentWidget(), window->pgVerify, kWait);
    site->hangRoute(verifyPath(kCode, kMobile));
    UiTestKit::typeInto(window->edtVerify, kCode);
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QVERIFY(!window->btnAuth->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window->btnAuth->isEnabled(), kWait);
    QVERIFY(window->btnPre->isEnabled() && window->btnClos->isEnabled());
    QCOMPARE(window->nbMain->currentWidget(), window->auth);

    // The registration itself.
    site->setRoute(verifyPath(kCode, kMobile), scrambled("true"));
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbMain->currentWidget(), window->reginfo, kWait);
    fillForm();
    site->setRoute(existsPath(kMobile), scrambled("false"));
    site->hangRoute(kRegisterPath);
    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QVERIFY(!window->btnReg->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(window->btnReg->isEnabled(), kWait);
    QVERIFY(window->btnClose->isEnabled());
    QVERIFY(window->isVisible());
    QCOMPARE(window->nbMain->currentWidget(), window->reginfo);
    QVERIFY(login->EDPassword->text().isEmpty());
    QCOMPARE(boxes->count(), 0);

    // The time-outs were logged, the password never.
    QVERIFY(LogCapture::lines().filter(QStringLiteral("registration failed")).size() == 1);
    for (const QString& line : LogCapture::lines())
        QVERIFY2(!line.contains(kPassword), qPrintable(line));
    QCOMPARE(site->requests.last().path, kRegisterPath);
    QVERIFY(site->requests.last().body.contains("password=" + kPassword.toUtf8()));
}

void RegistryWindowTest::leavingLongOrQuotedFieldsRefuses()
{
    reachForm(QString(21, QLatin1Char('a')));
    window->edtUser->setFocus();
    QTest::keyClick(window->edtUser, Qt::Key_Tab);
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(lastBox().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(lastBox().caption, QStringLiteral("提示信息"));
    QCOMPARE(lastBox().text, QStringLiteral("输入非法字符或超长  "));
    QTRY_COMPARE(QApplication::focusWidget(), window->edtUser);

    window->edtUser->setText(QString(20, QLatin1Char('a')));
    window->edtpassword->setFocus();
    QCOMPARE(boxes->count(), 1);
    UiTestKit::typeInto(window->edtpassword, QStringLiteral("pa'ss"));
    window->edtTrueName->setFocus(Qt::TabFocusReason);
    QCOMPARE(boxes->count(), 2);
    QTRY_COMPARE(QApplication::focusWidget(), window->edtpassword);
    QCOMPARE(boxes->count(), 2);
}

void RegistryWindowTest::customerServiceAndPagesOpenThroughTheServices()
{
    makeWindow(true);
    session().customerServiceUrl = QStringLiteral("http://www.localhost:1/index.php/Agentarea/csr");
    QTest::mouseClick(window->lblDisclaimer, Qt::LeftButton);
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    QTest::mouseClick(window->btnCSR, Qt::LeftButton);
    window->nbVerify->setCurrentWidget(window->pgVerify);
    QTest::mouseClick(window->btnCsr2, Qt::LeftButton);
    QCOMPARE(browsers.size(), 2);
    for (const Browser& browser : browsers) {
        QCOMPARE(browser.url, QUrl(session().customerServiceUrl));
        QCOMPARE(browser.size, QSize(710, 470));
        QCOMPARE(browser.caption, QStringLiteral(" 在线客服"));
        QCOMPARE(browser.owner, window.get());
    }
    window->nbMain->setCurrentWidget(window->reginfo);
    QTest::mouseClick(window->lblLaw, Qt::LeftButton);
    const QString base = QStringLiteral("http://www.localhost:%1").arg(site->port());
    QCOMPARE(pages, QList<QUrl>({QUrl(base + QStringLiteral("/ad/law.html")),
                                 QUrl(base + QStringLiteral("/ad/protocl.html"))}));

    // Before the base information has brought the address, the user is told.
    session().customerServiceUrl.clear();
    window->nbMain->setCurrentWidget(window->auth);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("customer-service")));
    QTest::mouseClick(window->btnCsr2, Qt::LeftButton);
    QCOMPARE(browsers.size(), 2);
    QCOMPARE(lastBox().caption, QStringLiteral("提示信息"));
}

void RegistryWindowTest::loginWindowOpensRegistrationAndStaysModal()
{
    // Without a hook of its own the login window opens the registration window; hiding the
    // login window for it must not end the login's modal run.
    authmobile = QStringLiteral("false");
    LoginWindowServices loginServices;
    loginServices.loadConfiguration = loadConfiguration(authmobile);
    TfrmLogin modal(loginServices);
    session().baseurl = QStringLiteral(":%1").arg(site->port());
    bool registrationSeen = false;
    bool loginHidden = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(modal.btnReg->isEnabled());
        QTimer::singleShot(0, this, [&] {
            auto* registry = qobject_cast<TfrmRegistry*>(QApplication::activeModalWidget());
            registrationSeen = registry != nullptr;
            loginHidden = !modal.isVisible();
            if (registry)
                QTest::mouseClick(registry->btnDeny, Qt::LeftButton);
        });
        QTest::mouseClick(modal.btnReg, Qt::LeftButton);
        // Back from the registration: the login is on screen and still the modal window.
        QTimer::singleShot(0, this, [&] {
            QVERIFY(modal.isVisible());
            QCOMPARE(QApplication::activeModalWidget(), &modal);
            modal.EDUserName->setText(QStringLiteral("shunda01"));
            modal.EDPassword->setText(kPassword);
            QTest::mouseClick(modal.btnOk, Qt::LeftButton);
        });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, &modal, &QDialog::reject);
    watchdog.start(20000);
    const int result = modal.exec();
    QVERIFY(registrationSeen);
    QVERIFY(loginHidden);
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(modal.userName(), QStringLiteral("shunda01"));
}

QTEST_MAIN(RegistryWindowTest)
#include "tst_RegistryWindow.moc"
