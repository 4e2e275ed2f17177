#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "ui/account/LoginBanner.h"
#include "ui/account/LoginUpdateCheck.h"
#include "ui/account/TfrmLogin.h"
#include "ui/account/TfrmRegistry.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/StartSequence.h"
#include "ui/common/StartupWindows.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// An update check the test drives by hand.
class ScriptedUpdateCheck : public LoginUpdateCheck
{
public:
    static inline ScriptedUpdateCheck* last = nullptr;
    static inline bool throwOnStart = false;
    Settings settings;

    ScriptedUpdateCheck() { last = this; }
    ~ScriptedUpdateCheck() override
    {
        if (last == this)
            last = nullptr;
    }
    void start(const Settings& given) override
    {
        settings = given;
        if (throwOnStart)
            throw std::runtime_error("no transfer engine");
    }
};

// The start sequence's windows with the real login window and no main window.
class LoginWindowOnly : public StartupWindows
{
public:
    explicit LoginWindowOnly(const LoginWindowServices& services) : m_services(services) {}

    bool showLogin(QString& userName, QString& password) override
    {
        return TfrmLogin::run(m_services, userName, password);
    }
    QWidget* createMainWindow() override { return nullptr; }
    void signIn(QWidget*) override {}

private:
    LoginWindowServices m_services;
};

const QString kIdle = QStringLiteral("Tovanta - 版本:2.0.0.1");
const QString kChecking = QStringLiteral("Tovanta - 正在检查新版本,请稍等 ...");
} // namespace

class LoginWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void controlsCarryTheirNamesAndTexts();
    void defaultCheckEndsByItself();
    void captionFollowsTheUpdateCheck();
    void everyEndEventReturnsToIdle();
    void failedCheckStartReturnsToIdle();
    void noSettingsFileLeavesFormEmpty();
    void rememberedLoginIsFilledIn();
    void nameWithoutPasswordStillChecksTheBox();
    void brokenSettingsFileIsReported();
    void loginButtonValidates();
    void enterInPasswordLogsIn();
    void enterInUserNameDoesNot();
    void leavingFieldWithApostropheRefuses();
    void twoRefusedFieldsDoNotPingPong();
    void rememberBoxSetsSessionFlag();
    void loginGbkCannotHoldIsNotRemembered();
    void bannerOpensHomePage();
    void registrationOpensWhatTheServicesGive();
    void modalLoginStoresTrimmedIdentity_data();
    void modalLoginStoresTrimmedIdentity();
    void cancelledModalLoginLeavesSession();
    void escapeKeepsTheWindowOpen();

private:
    void finishCheck(TfrmLogin& window);
    static void writeSettings(const QString& userName, const QString& password, bool remember);

    std::unique_ptr<MessageBoxes::Recorder> boxes;
    // What the windows under test opened instead of the system browser.
    QList<QUrl> opened;
    LoginWindowServices services;
};

void LoginWindowTest::init()
{
    resetSession();
    QFile::remove(SettingsFile::defaultPath());
    ScriptedUpdateCheck::throwOnStart = false;
    opened.clear();
    services = {};
    services.makeUpdateCheck = [] { return std::make_unique<ScriptedUpdateCheck>(); };
    services.openUrl = [this](const QUrl& url) { opened.append(url); };
    boxes = std::make_unique<MessageBoxes::Recorder>();
}

void LoginWindowTest::cleanup()
{
    boxes.reset();
    QFile::remove(SettingsFile::defaultPath());
}

void LoginWindowTest::finishCheck(TfrmLogin& window)
{
    QVERIFY(ScriptedUpdateCheck::last);
    Q_EMIT ScriptedUpdateCheck::last->ended(LoginUpdateCheck::EndEvent::NoUpdateAvailable);
    QVERIFY(window.btnOk->isEnabled());
}

void LoginWindowTest::writeSettings(const QString& userName, const QString& password, bool remember)
{
    SessionState state;
    state.loginIdentity = userName + QStringLiteral("@localhost");
    state.password = password;
    state.rememberPassword = remember;
    QVERIFY(SettingsFile::writeMain(state, QString(), SettingsFile::defaultPath()));
}

void LoginWindowTest::controlsCarryTheirNamesAndTexts()
{
    TfrmLogin window(services);
    const struct
    {
        const char* name;
        const char* text;
    } captions[] = {
        {"lblAccount", "帐号："}, {"lblPsw", "密码："}, {"chkRemberPsw", "记住密码"},
        {"btnReg", "申请帐号"},   {"btnOk", "登录"},
    };
    for (const auto& entry : captions) {
        QWidget* control = window.findChild<QWidget*>(QLatin1String(entry.name));
        QVERIFY2(control, entry.name);
        const QString text = qobject_cast<QLabel*>(control)
                                 ? static_cast<QLabel*>(control)->text()
                                 : static_cast<QAbstractButton*>(control)->text();
        QCOMPARE(text, QString::fromUtf8(entry.text));
    }
    for (const char* name : {"imgbanner", "Shape1", "EDUserName", "EDPassword"})
        QVERIFY2(window.findChild<QWidget*>(QLatin1String(name)), name);
    QCOMPARE(window.EDPassword->echoMode(), QLineEdit::Password);
    QCOMPARE(window.imgbanner->height(), 85);
    QCOMPARE(window.size(), QSize(346, 233));
    QVERIFY(ScriptedUpdateCheck::last);
    QCOMPARE(ScriptedUpdateCheck::last->objectName(), QStringLiteral("AutoUpgrader"));
    finishCheck(window);
}

void LoginWindowTest::defaultCheckEndsByItself()
{
    services.makeUpdateCheck = {};
    TfrmLogin window(services);
    QVERIFY(!window.btnOk->isEnabled());
    QVERIFY(!window.btnReg->isEnabled());
    QCOMPARE(window.windowTitle(), kChecking);
    QTRY_VERIFY(window.btnOk->isEnabled());
    QVERIFY(window.btnReg->isEnabled());
    QCOMPARE(window.windowTitle(), kIdle);
    QCOMPARE(boxes->count(), 0);
}

void LoginWindowTest::captionFollowsTheUpdateCheck()
{
    TfrmLogin window(services);
    ScriptedUpdateCheck* check = ScriptedUpdateCheck::last;
    QVERIFY(check);
    QCOMPARE(check->settings.infoUrl, session().infourl);
    QCOMPARE(check->settings.currentVersion, QStringLiteral("2.0.0.1"));
    QCOMPARE(check->settings.fileList, session().upgradfiles);

    QCOMPARE(window.windowTitle(), kChecking);
    window.EDUserName->setText(QStringLiteral("zhang"));
    window.EDPassword->setText(QStringLiteral("secret"));
    window.BTOKClick();
    QTest::keyClick(window.EDPassword, Qt::Key_Return);
    QCOMPARE(window.result(), int(QDialog::Rejected));

    Q_EMIT check->upgradeBegun();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tovanta - 正在升级,请稍等 ..."));
    Q_EMIT check->fileStarted();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tovanta - 正在升级 ..."));
    QVERIFY(!window.btnOk->isEnabled());
    Q_EMIT check->ended(LoginUpdateCheck::EndEvent::EndUpgrade);
    QCOMPARE(window.windowTitle(), kIdle);
    QVERIFY(window.btnOk->isEnabled());
    QVERIFY(window.btnReg->isEnabled());
}

void LoginWindowTest::everyEndEventReturnsToIdle()
{
    using E = LoginUpdateCheck::EndEvent;
    for (E event : {E::EndUpgrade, E::ConnectionLost, E::NoUpdateAvailable, E::NoInformationFile,
                    E::FileDone, E::HostUnreachable, E::FileLost, E::Aborted}) {
        TfrmLogin window(services);
        Q_EMIT ScriptedUpdateCheck::last->fileStarted();
        Q_EMIT ScriptedUpdateCheck::last->ended(event);
        QVERIFY2(window.btnOk->isEnabled(), QTest::toString(event));
        QCOMPARE(window.windowTitle(), kIdle);
    }
}

void LoginWindowTest::failedCheckStartReturnsToIdle()
{
    writeSettings(QStringLiteral("zhang"), QStringLiteral("secret"), true);
    ScriptedUpdateCheck::throwOnStart = true;
    TfrmLogin window(services);
    QCOMPARE(boxes->count(), 0);
    QVERIFY(window.btnOk->isEnabled());
    QVERIFY(window.btnReg->isEnabled());
    QCOMPARE(window.windowTitle(), kIdle);
    // The creation steps after the check still ran.
    QCOMPARE(window.EDUserName->text(), QStringLiteral("zhang"));
}

void LoginWindowTest::noSettingsFileLeavesFormEmpty()
{
    session().rememberPassword = true;
    TfrmLogin window(services);
    QVERIFY(window.EDUserName->text().isEmpty());
    QVERIFY(window.EDPassword->text().isEmpty());
    QVERIFY(!window.chkRemberPsw->isChecked());
    QCOMPARE(window.EDPassword->echoMode(), QLineEdit::Password);
    QCOMPARE(boxes->count(), 0);
}

void LoginWindowTest::rememberedLoginIsFilledIn()
{
    writeSettings(QStringLiteral("张三"), QStringLiteral("pass word"), true);
    TfrmLogin window(services);
    QCOMPARE(window.EDUserName->text(), QStringLiteral("张三"));
    QCOMPARE(window.EDPassword->text(), QStringLiteral("pass word"));
    QVERIFY(window.chkRemberPsw->isChecked());
    QVERIFY(session().rememberPassword);
}

void LoginWindowTest::nameWithoutPasswordStillChecksTheBox()
{
    writeSettings(QStringLiteral("zhang"), QStringLiteral("secret"), false);
    TfrmLogin window(services);
    QCOMPARE(window.EDUserName->text(), QStringLiteral("zhang"));
    QVERIFY(window.EDPassword->text().isEmpty());
    QVERIFY(window.chkRemberPsw->isChecked());
}

void LoginWindowTest::brokenSettingsFileIsReported()
{
    QFile file(SettingsFile::defaultPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<ClientConfig>\r\n  <login>\r\n"
               "    <rememberpsw>true</rememberpsw>\r\n    <username>li</username>\r\n"
               "    <password>NOT-HEX</password>\r\n  </login>\r\n</ClientConfig>");
    file.close();

    TfrmLogin window(services);
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(boxes->last().icon, MessageBoxes::Icon::Error);
    QCOMPARE(boxes->last().text, QStringLiteral("Error: not a Hex String"));
    // The name read before the error stays; the window still opens and the check still runs.
    QCOMPARE(window.EDUserName->text(), QStringLiteral("li"));
    QVERIFY(!window.chkRemberPsw->isChecked());
    finishCheck(window);
}

void LoginWindowTest::loginButtonValidates()
{
    TfrmLogin window(services);
    finishCheck(window);

    window.EDPassword->setText(QStringLiteral("secret"));
    QTest::mouseClick(window.btnOk, Qt::LeftButton);
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(boxes->last().icon, MessageBoxes::Icon::Information);
    QCOMPARE(boxes->last().caption, QStringLiteral("提示"));
    QCOMPARE(boxes->last().text, QStringLiteral("请输入用户名！"));

    window.EDUserName->setText(QStringLiteral("zh'ang"));
    window.BTOKClick();
    QCOMPARE(boxes->count(), 2);
    QCOMPARE(boxes->last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(boxes->last().caption, QStringLiteral("提示信息"));
    QCOMPARE(boxes->last().text, QStringLiteral("输入了非法字符,请检查  "));

    window.EDUserName->setText(QStringLiteral(" zhang "));
    window.EDPassword->setText(QStringLiteral("   "));
    window.BTOKClick();
    QCOMPARE(boxes->count(), 2);
    QCOMPARE(window.result(), int(QDialog::Rejected));

    window.EDPassword->setText(QStringLiteral(" secret "));
    window.BTOKClick();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(window.userName(), QStringLiteral("zhang"));
    QCOMPARE(window.password(), QStringLiteral("secret"));
}

void LoginWindowTest::enterInPasswordLogsIn()
{
    TfrmLogin window(services);
    finishCheck(window);
    window.EDUserName->setText(QStringLiteral("zhang"));
    window.EDPassword->setText(QStringLiteral("secret"));
    QTest::keyClick(window.EDPassword, Qt::Key_Return);
    QCOMPARE(window.result(), int(QDialog::Accepted));
}

void LoginWindowTest::enterInUserNameDoesNot()
{
    TfrmLogin window(services);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    finishCheck(window);
    window.EDUserName->setText(QStringLiteral("zhang"));
    window.EDPassword->setText(QStringLiteral("secret"));
    QTest::keyClick(window.EDUserName, Qt::Key_Return);
    QVERIFY(window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
}

void LoginWindowTest::leavingFieldWithApostropheRefuses()
{
    TfrmLogin window(services);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    finishCheck(window);

    window.EDUserName->setFocus();
    QTest::keyClicks(window.EDUserName, QStringLiteral("a'b"));
    QTest::keyClick(window.EDUserName, Qt::Key_Tab);
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(boxes->last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(boxes->last().caption, QStringLiteral("提示信息"));
    QCOMPARE(boxes->last().text, QStringLiteral("输入了非法字符  "));
    QTRY_COMPARE(QApplication::focusWidget(), window.EDUserName);

    window.EDUserName->setText(QStringLiteral("ab"));
    QTest::keyClick(window.EDUserName, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.EDPassword);
    QTest::keyClicks(window.EDPassword, QStringLiteral("x'"));
    QTest::keyClick(window.EDPassword, Qt::Key_Tab);
    QCOMPARE(boxes->count(), 2);
    QTRY_COMPARE(QApplication::focusWidget(), window.EDPassword);
}

void LoginWindowTest::twoRefusedFieldsDoNotPingPong()
{
    TfrmLogin window(services);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.EDPassword->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), window.EDPassword);
    window.EDUserName->setText(QStringLiteral("a'"));
    window.EDPassword->setText(QStringLiteral("b'"));
    QTest::mouseClick(window.EDUserName, Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), window.EDPassword);
    QTest::qWait(50);
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(QApplication::focusWidget(), window.EDPassword);
}

void LoginWindowTest::rememberBoxSetsSessionFlag()
{
    TfrmLogin window(services);
    QVERIFY(!session().rememberPassword);
    QTest::mouseClick(window.chkRemberPsw, Qt::LeftButton, {},
                      QPoint(8, window.chkRemberPsw->height() / 2));
    QVERIFY(window.chkRemberPsw->isChecked());
    QVERIFY(session().rememberPassword);
    QTest::mouseClick(window.chkRemberPsw, Qt::LeftButton, {},
                      QPoint(8, window.chkRemberPsw->height() / 2));
    QVERIFY(!session().rememberPassword);
}

// The settings file is GBK: a password with an emoji is told about and not remembered, and the
// login goes on; a GBK password is remembered without a word.
void LoginWindowTest::loginGbkCannotHoldIsNotRemembered()
{
    TfrmLogin window(services);
    finishCheck(window);
    window.chkRemberPsw->click();
    window.EDUserName->setText(QStringLiteral("zhang"));
    window.EDPassword->setText(QStringLiteral("pw\U0001F600"));
    window.btnOk->click();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(boxes->count(), 1);
    QCOMPARE(boxes->last().caption, QStringLiteral("提示"));
    QCOMPARE(boxes->last().text,
             QStringLiteral("用户名或密码含有无法保存的字符，本次登录将不被记住。"));
    QVERIFY(!window.chkRemberPsw->isChecked());
    QVERIFY(!session().rememberPassword);

    TfrmLogin second(services);
    finishCheck(second);
    second.chkRemberPsw->click();
    second.EDUserName->setText(QStringLiteral("张三"));
    second.EDPassword->setText(QStringLiteral("密码"));
    second.btnOk->click();
    QCOMPARE(second.result(), int(QDialog::Accepted));
    QCOMPARE(boxes->count(), 1);
    QVERIFY(session().rememberPassword);
}

void LoginWindowTest::bannerOpensHomePage()
{
    TfrmLogin window(services);
    QCOMPARE(window.size(), QSize(346, 233));
    QCOMPARE(window.imgbanner->geometry(), QRect(0, 0, 346, 85));
    QTest::mouseClick(window.imgbanner, Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first(), QUrl(session().homeURL));
}

void LoginWindowTest::registrationOpensWhatTheServicesGive()
{
    {
        // Without a hook the registration window opens in place of the login window, which
        // is back on screen once it closes; the site's registration page does not open.
        TfrmLogin window(services);
        window.show();
        finishCheck(window);
        bool registrationShown = false;
        bool loginHidden = false;
        QTimer::singleShot(0, this, [&] {
            auto* registry = qobject_cast<TfrmRegistry*>(QApplication::activeModalWidget());
            registrationShown = registry && registry->isVisible();
            loginHidden = !window.isVisible();
            if (registry)
                registry->close();
        });
        QTest::mouseClick(window.btnReg, Qt::LeftButton);
        QVERIFY(registrationShown);
        QVERIFY(loginHidden);
        QVERIFY(window.isVisible());
        QVERIFY(opened.isEmpty());
    }
    opened.clear();
    TfrmLogin* registeredFrom = nullptr;
    services.openRegistration = [&registeredFrom](TfrmLogin& login) { registeredFrom = &login; };
    TfrmLogin window(services);
    finishCheck(window);
    QTest::mouseClick(window.btnReg, Qt::LeftButton);
    QCOMPARE(registeredFrom, &window);
    QVERIFY(opened.isEmpty());
}

void LoginWindowTest::modalLoginStoresTrimmedIdentity_data()
{
    QTest::addColumn<QString>("typedName");
    QTest::addColumn<QString>("typedPassword");
    QTest::addColumn<QString>("identity");
    QTest::addColumn<QString>("password");
    QTest::newRow("chinese name") << QStringLiteral(" 张三 ") << QStringLiteral(" pw 1 ")
                                  << QStringLiteral("张三@localhost") << QStringLiteral("pw 1");
    QTest::newRow("padded both sides")
        << QStringLiteral("  li  ") << QStringLiteral(" secret ") << QStringLiteral("li@localhost")
        << QStringLiteral("secret");
}

void LoginWindowTest::modalLoginStoresTrimmedIdentity()
{
    QFETCH(QString, typedName);
    QFETCH(QString, typedPassword);
    LoginWindowOnly windows(services);
    StartSequence start(windows);
    QTimer::singleShot(0, [this, typedName, typedPassword] {
        auto* window = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
        QVERIFY(window);
        finishCheck(*window);
        window->EDUserName->setText(typedName);
        window->EDPassword->setText(typedPassword);
        QTest::mouseClick(window->btnOk, Qt::LeftButton);
    });
    QVERIFY(start.modalLogin());
    QTEST(session().loginIdentity, "identity");
    QTEST(session().password, "password");
    QVERIFY(session().loginWindowAvailable);
}

void LoginWindowTest::cancelledModalLoginLeavesSession()
{
    LoginWindowOnly windows(services);
    StartSequence start(windows);
    QTimer::singleShot(0, [] {
        auto* window = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
        QVERIFY(window);
        window->EDUserName->setText(QStringLiteral("zhang"));
        window->EDPassword->setText(QStringLiteral("secret"));
        window->reject();
    });
    QVERIFY(!start.modalLogin());
    QVERIFY(session().loginIdentity.isEmpty());
    QVERIFY(session().loginWindowAvailable);
}

// Escape would end the program at start; only the close box closes the window unanswered.
void LoginWindowTest::escapeKeepsTheWindowOpen()
{
    TfrmLogin window(services);
    QSignalSpy rejected(&window, &QDialog::rejected);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    finishCheck(window);

    for (QWidget* focus :
         {static_cast<QWidget*>(window.EDUserName), static_cast<QWidget*>(window.EDPassword),
          static_cast<QWidget*>(window.btnOk)}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(window.isVisible());
    }
    QCOMPARE(rejected.count(), 0);

    QVERIFY(window.close());
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(window.result(), int(QDialog::Rejected));
}

QTEST_MAIN(LoginWindowTest)
#include "tst_LoginWindow.moc"
