#include "app/SessionState.h"
#include "ui/common/SingleInstanceGuard.h"
#include "ui/common/StandInLoginDialog.h"
#include "ui/common/Startup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QUuid>
#include <QtTest>

namespace {
// Long enough never to fire on a slow machine; only guards against a hung test.
constexpr int kHangGuardMs = 60000;

Startup::Hooks loginHook(std::function<bool(QString&, QString&)> login)
{
    Startup::Hooks hooks;
    hooks.login = std::move(login);
    return hooks;
}

QString uniqueTitle()
{
    return QStringLiteral("TovantaTest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}
} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetSession(); }
    void cleanup() { Startup::setHooks({}); }

    void confirmedLoginStoresIdentityAndPassword();
    void cancelledLoginLeavesSessionUnchanged();
    void loginIsRefusedWhileALoginWindowShows();
    void failingLoginWindowFreesTheFlag();
    void reloginSignsInAnewOrEndsTheApplication();
    void runGoesFromLoginToMainWindowAndSignIn();
    void runStopsWhenLoginIsCancelled();
    void standInDialogHandsBackTrimmedTexts();
    void activationRestoresMinimisedWindow();
};

void StartupTest::confirmedLoginStoresIdentityAndPassword()
{
    Startup::setHooks(loginHook([](QString& user, QString& password) {
        // The login window loads the built-in configuration while it is created.
        session().HostName = QStringLiteral("example.org");
        user = QStringLiteral("张三");
        password = QStringLiteral("pw");
        return true;
    }));
    QVERIFY(Startup::modalLogin());
    QCOMPARE(session().loginIdentity, QStringLiteral("张三@example.org"));
    QCOMPARE(session().password, QStringLiteral("pw"));
    QVERIFY(session().loginWindowAvailable);
}

void StartupTest::cancelledLoginLeavesSessionUnchanged()
{
    session().loginIdentity = QStringLiteral("old@localhost");
    session().password = QStringLiteral("oldpw");
    Startup::setHooks(loginHook([](QString& user, QString& password) {
        user = QStringLiteral("new");
        password = QStringLiteral("new");
        return false;
    }));
    QVERIFY(!Startup::modalLogin());
    QCOMPARE(session().loginIdentity, QStringLiteral("old@localhost"));
    QCOMPARE(session().password, QStringLiteral("oldpw"));
    QVERIFY(session().loginWindowAvailable);
}

void StartupTest::loginIsRefusedWhileALoginWindowShows()
{
    int shown = 0;
    bool nestedResult = true;
    bool flagWhileShowing = true;
    Startup::setHooks(loginHook([&](QString& user, QString& password) {
        ++shown;
        flagWhileShowing = session().loginWindowAvailable;
        nestedResult = Startup::modalLogin() || Startup::relogin(nullptr);
        user = QStringLiteral("u");
        password = QStringLiteral("p");
        return true;
    }));
    QVERIFY(Startup::modalLogin());
    QCOMPARE(shown, 1);
    QVERIFY(!flagWhileShowing);
    QVERIFY(!nestedResult);
    QVERIFY(session().loginWindowAvailable);
}

void StartupTest::failingLoginWindowFreesTheFlag()
{
    Startup::setHooks(loginHook([](QString&, QString&) -> bool { throw std::runtime_error("x"); }));
    QVERIFY_EXCEPTION_THROWN(Startup::modalLogin(), std::runtime_error);
    QVERIFY(session().loginWindowAvailable);
}

void StartupTest::reloginSignsInAnewOrEndsTheApplication()
{
    QWidget mainWindow;
    QWidget* signedInWith = nullptr;
    QString identityAtSignIn;
    bool confirm = true;
    Startup::Hooks hooks = loginHook([&](QString& user, QString& password) {
        user = QStringLiteral("second");
        password = QStringLiteral("pw2");
        return confirm;
    });
    hooks.signIn = [&](QWidget* window) {
        signedInWith = window;
        identityAtSignIn = session().loginIdentity;
    };
    Startup::setHooks(hooks);

    QVERIFY(Startup::relogin(&mainWindow));
    QCOMPARE(signedInWith, &mainWindow);
    QCOMPARE(identityAtSignIn, QStringLiteral("second@localhost"));

    // A cancelled re-login ends the running application.
    confirm = false;
    signedInWith = nullptr;
    bool reloginResult = true;
    bool hung = false;
    QTimer::singleShot(0, [&] { reloginResult = Startup::relogin(&mainWindow); });
    QTimer::singleShot(kHangGuardMs, [&] {
        hung = true;
        QCoreApplication::exit(1);
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!hung);
    QVERIFY(!reloginResult);
    QVERIFY(!signedInWith);
}

void StartupTest::runGoesFromLoginToMainWindowAndSignIn()
{
    QStringList steps;
    QPointer<QWidget> created;
    Startup::Hooks hooks = loginHook([&](QString& user, QString& password) {
        steps << QStringLiteral("login");
        user = QStringLiteral("u");
        password = QStringLiteral("p");
        return true;
    });
    hooks.createMainWindow = [&]() -> QWidget* {
        steps << QStringLiteral("main");
        created = new QWidget;
        created->show();
        // The user closes the main window once the loop runs.
        QTimer::singleShot(0, created, &QWidget::close);
        return created;
    };
    hooks.signIn = [&](QWidget* window) {
        QCOMPARE(window, created.data());
        steps << QStringLiteral("signin:") + session().loginIdentity;
    };
    Startup::setHooks(hooks);

    QCOMPARE(Startup::run(*qApp, uniqueTitle()), 0);
    QCOMPARE(steps, QStringList({QStringLiteral("login"), QStringLiteral("main"),
                                 QStringLiteral("signin:u@localhost")}));
    QVERIFY(created.isNull()); // the start sequence frees the main window at the end
    QVERIFY(QDir(SessionState::dataDirectory()).exists());
}

void StartupTest::runStopsWhenLoginIsCancelled()
{
    bool mainCreated = false;
    Startup::Hooks hooks = loginHook([](QString&, QString&) { return false; });
    hooks.createMainWindow = [&]() -> QWidget* {
        mainCreated = true;
        return nullptr;
    };
    Startup::setHooks(hooks);
    QCOMPARE(Startup::run(*qApp, uniqueTitle()), 0);
    QVERIFY(!mainCreated);
}

void StartupTest::standInDialogHandsBackTrimmedTexts()
{
    // Without a login hook the stand-in dialog asks; drive it as a user would.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<StandInLoginDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->EDUserName->setText(QStringLiteral("  li  "));
        dialog->EDPassword->setText(QStringLiteral(" secret "));
        dialog->btnOk->click();
    });
    QTimer::singleShot(kHangGuardMs, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    QVERIFY(Startup::modalLogin());
    QCOMPARE(session().loginIdentity, QStringLiteral("li@localhost"));
    QCOMPARE(session().password, QStringLiteral("secret"));
}

void StartupTest::activationRestoresMinimisedWindow()
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tovanta"));
    window.showMinimized();
    QVERIFY(window.isMinimized());
    QCOMPARE(Startup::windowToActivate(), &window);
    SingleInstanceGuard::bringToFront(Startup::windowToActivate());
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

QTEST_MAIN(StartupTest)
#include "tst_Startup.moc"
