// Registration against the sandbox exchange, through the composed client's login window: the
// SMS code the exchange issued (read from its sandbox route), a wrong code first, the form, the
// new account filled into the login window, which logs in with it, and the new account's
// profile and XMPP sign-in. A name that is taken is refused by the exchange's answer.
// Screenshots of every wizard page go to the artifacts.
#include "SandboxEndpoints.h"
#include "SandboxHttp.h"
#include "UiTestKit.h"
#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "client/ClientComposition.h"
#include "im/XmppIMClient.h"
#include "service/WebAnswer.h"
#include "ui/account/LinkLabel.h"
#include "ui/account/TfrmLogin.h"
#include "ui/account/TfrmRegistry.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/TfrmNewBrowser.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QtTest>

namespace {

// Only bound a failure; a passing run goes on as soon as the state is reached.
const int kNetworkWait = 60000;
const QString kPassword = QStringLiteral("Reg12345");
const QString kContact = QStringLiteral("测试车主");

// A number of this run, so that a kept exchange never has it already.
QString freshMobile()
{
    return QStringLiteral("139%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000000, 8, 10,
                                       QLatin1Char('0'));
}

QList<TfrmNewBrowser*> browserWindows()
{
    QList<TfrmNewBrowser*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* browser = qobject_cast<TfrmNewBrowser*>(widget); browser && browser->isVisible())
            found.append(browser);
    }
    return found;
}

void loadSandboxConfiguration(SessionState& state)
{
    BuiltinConfig::load(state);
    SandboxEndpoints::retarget(state);
}

} // namespace

class RegistrationSandboxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void wizardRegistersAndTheLoginWindowLogsIn();
    void takenNameIsRefused();

private:
    void registerThroughLogin(const QString& mobile);
    void driveWizard(TfrmRegistry* window, const QString& mobile);

    MessageBoxes::Recorder* boxes = nullptr;
    bool wizardDone = false;
};

void RegistrationSandboxTest::initTestCase()
{
    QFile::remove(SettingsFile::defaultPath());
    resetSession();
}

void RegistrationSandboxTest::cleanupTestCase()
{
    QFile::remove(SettingsFile::defaultPath());
}

void RegistrationSandboxTest::driveWizard(TfrmRegistry* window, const QString& mobile)
{
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->nbMain->currentWidget(), window->index);
    UiTestKit::saveScreenshot(window, QStringLiteral("registration-1-terms.png"),
                              QStringLiteral("registration"));
    QTest::mouseClick(window->btnAccept, Qt::LeftButton);
    QCOMPARE(window->nbVerify->currentWidget(), window->pgMobile);

    // The composed client's customer service: a browser window of the program's own.
    QTRY_VERIFY_WITH_TIMEOUT(!session().customerServiceUrl.isEmpty(), kNetworkWait);
    const int browsersBefore = browserWindows().size();
    QTest::mouseClick(window->btnCSR, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(browserWindows().size(), browsersBefore + 1, kNetworkWait);
    TfrmNewBrowser* browser = browserWindows().last();
    QCOMPARE(browser->windowTitle(), QStringLiteral(" 在线客服"));
    QCOMPARE(browser->size(), QSize(710, 470));
    browser->close();

    UiTestKit::typeInto(window->edtMobile, mobile);
    UiTestKit::saveScreenshot(window, QStringLiteral("registration-2-mobile.png"),
                              QStringLiteral("registration"));
    QTest::mouseClick(window->btnCommit, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbVerify->currentWidget(), window->pgVerify, kNetworkWait);
    QCOMPARE(window->lblMobile->text(), mobile);

    const SandboxHttp::Reply sms = SandboxHttp::get(QStringLiteral("/sandbox/sms/") + mobile);
    QCOMPARE(sms.status, 200);
    const QString code = sms.text().trimmed();
    QCOMPARE(code.size(), 6);

    // A wrong code first.
    const QString wrong =
        code == QLatin1String("000000") ? QStringLiteral("111111") : QStringLiteral("000000");
    UiTestKit::typeInto(window->edtVerify, wrong);
    const int before = boxes->count();
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), before + 1, kNetworkWait);
    QCOMPARE(boxes->last().text, QStringLiteral("手机验证失败,请输入正确的短信密码。"));
    QCOMPARE(window->nbMain->currentWidget(), window->auth);
    QVERIFY(window->btnAuth->isEnabled());

    window->edtVerify->clear();
    UiTestKit::typeInto(window->edtVerify, code);
    UiTestKit::saveScreenshot(window, QStringLiteral("registration-3-code.png"),
                              QStringLiteral("registration"));
    QTest::mouseClick(window->btnAuth, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->nbMain->currentWidget(), window->reginfo, kNetworkWait);
    QCOMPARE(window->edtUser->text(), mobile);
    QVERIFY(window->edtUser->isReadOnly());
    QVERIFY(window->edtMoblie->isReadOnly());

    UiTestKit::typeInto(window->edtpassword, kPassword);
    UiTestKit::typeInto(window->edtTrueName, kContact);
    UiTestKit::typeInto(window->edtTel, QStringLiteral("021-66668888"));
    UiTestKit::typeInto(window->edtMail, QStringLiteral("driver@example.cn"));
    QTest::mouseClick(window->RadioButton3, Qt::LeftButton);
    QCOMPARE(window->edtCompany->text(), QStringLiteral("个人车主"));
    window->chkProv->setCurrentIndex(window->chkProv->findText(QStringLiteral("江苏")));
    window->chkCity->setCurrentIndex(0);
    QVERIFY(!window->chkCity->currentText().isEmpty());
    UiTestKit::typeInto(window->edtAddress, QStringLiteral("中山路8号"));
    UiTestKit::saveScreenshot(window, QStringLiteral("registration-4-form.png"),
                              QStringLiteral("registration"));

    QTest::mouseClick(window->btnReg, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), kNetworkWait);
    QCOMPARE(boxes->last().text, QStringLiteral("注册成功,请登录。"));
    wizardDone = true;
}

void RegistrationSandboxTest::registerThroughLogin(const QString& mobile)
{
    auto* login = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
    QVERIFY2(login, "the login window is not on screen");
    auto giveUp = qScopeGuard([login] {
        if (QTest::currentTestFailed())
            login->reject();
    });
    QTRY_VERIFY_WITH_TIMEOUT(login->btnReg->isEnabled(), kNetworkWait);

    // The registration window shows modally inside the click.
    QTimer::singleShot(0, this, [this, mobile] {
        auto* window = qobject_cast<TfrmRegistry*>(QApplication::activeModalWidget());
        QVERIFY2(window, "the registration window is not on screen");
        auto giveUp = qScopeGuard([window] {
            if (QTest::currentTestFailed())
                window->reject();
        });
        driveWizard(window, mobile);
    });
    QTest::mouseClick(login->btnReg, Qt::LeftButton);
    QVERIFY(wizardDone);
    QVERIFY(login->isVisible());
    QCOMPARE(login->EDUserName->text(), mobile);
    QCOMPARE(login->EDPassword->text(), kPassword);

    // The login window is still the modal one and logs in with the new account.
    QTimer::singleShot(0, this, [login] {
        QCOMPARE(QApplication::activeModalWidget(), login);
        UiTestKit::saveScreenshot(login, QStringLiteral("registration-5-login.png"),
                                  QStringLiteral("registration"));
        QTest::mouseClick(login->btnOk, Qt::LeftButton);
    });
}

void RegistrationSandboxTest::wizardRegistersAndTheLoginWindowLogsIn()
{
    MessageBoxes::Recorder recorder;
    boxes = &recorder;
    const QString mobile = freshMobile();

    ClientComposition::Parts parts;
    parts.login.loadConfiguration = loadSandboxConfiguration;
    ClientComposition client(std::move(parts));
    QTimer::singleShot(0, this, [this, mobile] { registerThroughLogin(mobile); });
    QString userName;
    QString password;
    const bool loggedIn = client.showLogin(userName, password);
    boxes = nullptr;
    QVERIFY(wizardDone);
    QVERIFY(loggedIn);
    QCOMPARE(userName, mobile);
    QCOMPARE(password, kPassword);

    // The exchange knows the account with the form's data, and its XMPP server signs it in.
    const SandboxHttp::Reply profile =
        SandboxHttp::get(QStringLiteral("/index.php/User/getUserInfo/loginname/") + mobile,
                         SandboxEndpoints::siteHost());
    const QString fields = WebAnswer::scrambled(profile.body);
    QVERIFY2(fields.contains(kContact), qPrintable(fields));
    QVERIFY2(fields.contains(QStringLiteral("个人车主")), qPrintable(fields));
    QVERIFY2(fields.contains(QStringLiteral("江苏")), qPrintable(fields));

    XmppIMClient account;
    account.setIMServer(SandboxEndpoints::xmppDomain());
    account.setIMPort(SandboxEndpoints::c2sPort());
    account.setResource(QStringLiteral("haulway"));
    account.connectToServer(userName + QStringLiteral("@localhost"), password);
    QTRY_VERIFY_WITH_TIMEOUT(account.connected(), kNetworkWait);
    account.disconnectFromServer();
}

void RegistrationSandboxTest::takenNameIsRefused()
{
    MessageBoxes::Recorder recorder;
    LoginWindowServices services;
    services.loadConfiguration = [](SessionState& state) {
        loadSandboxConfiguration(state);
        state.authmobile = QStringLiteral("false");
    };
    TfrmLogin login(services);
    TfrmRegistry window(login, {});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.btnAccept, Qt::LeftButton);
    QCOMPARE(window.nbMain->currentWidget(), window.reginfo);

    // A seeded account, in other letter case.
    UiTestKit::typeInto(window.edtUser, QStringLiteral("ZhangWei"));
    QTest::mouseClick(window.lblCheck, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.count(), 1, kNetworkWait);
    QCOMPARE(recorder.last().icon, MessageBoxes::Icon::Warning);
    QCOMPARE(recorder.last().text, QStringLiteral("该用户已存在，请重新选择  "));

    UiTestKit::typeInto(window.edtpassword, kPassword);
    UiTestKit::typeInto(window.edtTrueName, kContact);
    UiTestKit::typeInto(window.edtTel, QStringLiteral("021-66668888"));
    UiTestKit::typeInto(window.edtMoblie, freshMobile());
    UiTestKit::typeInto(window.edtCompany, QStringLiteral("顺达物流"));
    window.chkProv->setCurrentIndex(window.chkProv->findText(QStringLiteral("上海")));
    window.chkCity->setCurrentIndex(0);
    QTest::mouseClick(window.btnReg, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(recorder.count(), 2, kNetworkWait);
    QCOMPARE(recorder.last().text, QStringLiteral("该用户已存在，请重新选择  "));
    QTRY_VERIFY_WITH_TIMEOUT(window.btnReg->isEnabled(), kNetworkWait);
    QVERIFY(window.isVisible());
    QVERIFY(login.EDUserName->text().isEmpty());

    // A free name the same way is registered.
    const QString fresh = QStringLiteral("reg") + freshMobile().right(8);
    window.edtUser->setText(fresh);
    QTest::mouseClick(window.btnReg, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), kNetworkWait);
    QCOMPARE(recorder.last().text, QStringLiteral("注册成功,请登录。"));
    QCOMPARE(login.EDUserName->text(), fresh);
}

QTEST_MAIN(RegistrationSandboxTest)
#include "tst_RegistrationSandbox.moc"
