#include "ScriptedStartupWindows.h"
#include "app/SessionState.h"
#include "ui/common/SingleInstanceGuard.h"
#include "ui/common/StartSequence.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QUuid>
#include <QtTest>

namespace {
// Long enough never to fire on a slow machine; only guards against a hung test.
constexpr int kHangGuardMs = 60000;

QString uniqueTitle()
{
    return QStringLiteral("TovantaTest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

std::function<bool(QString&, QString&)> confirmAs(const QString& userName, const QString& password)
{
    return [userName, password](QString& user, QString& pw) {
        user = userName;
        pw = password;
        return true;
    };
}
} // namespace

class StartSequenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetSession();
        windows = ScriptedStartupWindows();
    }

    void confirmedLoginStoresIdentityAndPassword();
    void cancelledLoginLeavesSessionUnchanged();
    void anotherAccountStartsWithoutTheOldProfile();
    void loginIsRefusedWhileALoginWindowShows();
    void failingLoginWindowFreesTheFlag();
    void reloginSignsInAnewOrEndsTheApplication();
    void runGoesFromLoginToMainWindowAndSignIn();
    void runStopsWhenLoginIsCancelled();
    void runStopsWithoutAMainWindow();
    void runReturnsTheExitCodeOfTheLoop();
    void activationRestoresMinimisedWindow();

private:
    ScriptedStartupWindows windows;
};

void StartSequenceTest::confirmedLoginStoresIdentityAndPassword()
{
    windows.login = [](QString& user, QString& password) {
        // The login window loads the built-in configuration while it is created.
        session().HostName = QStringLiteral("example.org");
        user = QStringLiteral("张三");
        password = QStringLiteral("pw");
        return true;
    };
    StartSequence start(windows);
    QVERIFY(start.modalLogin());
    QCOMPARE(session().loginIdentity, QStringLiteral("张三@example.org"));
    QCOMPARE(session().password, QStringLiteral("pw"));
    QVERIFY(session().loginWindowAvailable);
}

// Keys missing from the next profile answer, or a failed fetch, must not leave the previous
// account's company and contact in place; the same account logging in again keeps them until
// its own answer arrives.
void StartSequenceTest::anotherAccountStartsWithoutTheOldProfile()
{
    StartSequence start(windows);
    windows.login = confirmAs(QStringLiteral("lina"), QStringLiteral("pw"));
    QVERIFY(start.modalLogin());
    session().profile.setText(QStringLiteral("company"), QStringLiteral("北京远航物流"));
    session().profile.setInteger(QStringLiteral("id"), 7);

    windows.login = confirmAs(QStringLiteral("LiNa"), QStringLiteral("pw"));
    QVERIFY(start.modalLogin());
    QCOMPARE(session().profile.company, QStringLiteral("北京远航物流"));

    windows.login = confirmAs(QStringLiteral("zhangwei"), QStringLiteral("pw"));
    QVERIFY(start.modalLogin());
    QCOMPARE(session().loginIdentity, QStringLiteral("zhangwei@localhost"));
    QVERIFY(session().profile.company.isEmpty());
    QCOMPARE(session().profile.id, 0);
}

void StartSequenceTest::cancelledLoginLeavesSessionUnchanged()
{
    session().loginIdentity = QStringLiteral("old@localhost");
    session().password = QStringLiteral("oldpw");
    windows.login = [](QString& user, QString& password) {
        user = QStringLiteral("new");
        password = QStringLiteral("new");
        return false;
    };
    StartSequence start(windows);
    QVERIFY(!start.modalLogin());
    QCOMPARE(session().loginIdentity, QStringLiteral("old@localhost"));
    QCOMPARE(session().password, QStringLiteral("oldpw"));
    QVERIFY(session().loginWindowAvailable);
}

void StartSequenceTest::loginIsRefusedWhileALoginWindowShows()
{
    StartSequence start(windows);
    int shown = 0;
    bool nestedResult = true;
    bool flagWhileShowing = true;
    windows.login = [&](QString& user, QString& password) {
        ++shown;
        flagWhileShowing = session().loginWindowAvailable;
        nestedResult = start.modalLogin() || start.relogin(nullptr);
        user = QStringLiteral("u");
        password = QStringLiteral("p");
        return true;
    };
    QVERIFY(start.modalLogin());
    QCOMPARE(shown, 1);
    QVERIFY(!flagWhileShowing);
    QVERIFY(!nestedResult);
    QVERIFY(session().loginWindowAvailable);
}

void StartSequenceTest::failingLoginWindowFreesTheFlag()
{
    windows.login = [](QString&, QString&) -> bool { throw std::runtime_error("x"); };
    StartSequence start(windows);
    QVERIFY_EXCEPTION_THROWN(start.modalLogin(), std::runtime_error);
    QVERIFY(session().loginWindowAvailable);
}

void StartSequenceTest::reloginSignsInAnewOrEndsTheApplication()
{
    QWidget mainWindow;
    QWidget* signedInWith = nullptr;
    QString identityAtSignIn;
    bool confirm = true;
    windows.login = [&](QString& user, QString& password) {
        user = QStringLiteral("second");
        password = QStringLiteral("pw2");
        return confirm;
    };
    windows.signedIn = [&](QWidget* window) {
        signedInWith = window;
        identityAtSignIn = session().loginIdentity;
    };
    StartSequence start(windows);

    QVERIFY(start.relogin(&mainWindow));
    QCOMPARE(signedInWith, &mainWindow);
    QCOMPARE(identityAtSignIn, QStringLiteral("second@localhost"));

    // A cancelled re-login ends the running application.
    confirm = false;
    signedInWith = nullptr;
    bool reloginResult = true;
    bool hung = false;
    QTimer::singleShot(0, [&] { reloginResult = start.relogin(&mainWindow); });
    QTimer::singleShot(kHangGuardMs, [&] {
        hung = true;
        QCoreApplication::exit(1);
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!hung);
    QVERIFY(!reloginResult);
    QVERIFY(!signedInWith);
}

void StartSequenceTest::runGoesFromLoginToMainWindowAndSignIn()
{
    StartSequence start(windows);
    QStringList steps;
    QPointer<QWidget> created;
    QWidget otherWindow;
    bool mainWindowActivated = false;
    windows.login = [&](QString& user, QString& password) {
        steps << QStringLiteral("login");
        return confirmAs(QStringLiteral("u"), QStringLiteral("p"))(user, password);
    };
    windows.mainWindow = [&]() -> QWidget* {
        steps << QStringLiteral("main");
        otherWindow.show();
        created = new QWidget;
        created->show();
        // A later start brings the main window to the front, not any other window; then the
        // user closes both once the loop runs.
        QTimer::singleShot(0, created, [&] {
            mainWindowActivated = start.windowToActivate() == created.data();
            otherWindow.close();
            created->close();
        });
        return created;
    };
    windows.signedIn = [&](QWidget* window) {
        QCOMPARE(window, created.data());
        steps << QStringLiteral("signin:") + session().loginIdentity;
    };

    QCOMPARE(start.run(*qApp, uniqueTitle()), 0);
    QCOMPARE(steps, QStringList({QStringLiteral("login"), QStringLiteral("main"),
                                 QStringLiteral("signin:u@localhost")}));
    QVERIFY(mainWindowActivated);
    QVERIFY(created.isNull()); // the start sequence frees the main window at the end
    QVERIFY(QDir(SessionState::dataDirectory()).exists());
}

void StartSequenceTest::runStopsWhenLoginIsCancelled()
{
    bool mainCreated = false;
    windows.login = [](QString&, QString&) { return false; };
    windows.mainWindow = [&]() -> QWidget* {
        mainCreated = true;
        return nullptr;
    };
    StartSequence start(windows);
    QCOMPARE(start.run(*qApp, uniqueTitle()), 0);
    QVERIFY(!mainCreated);
}

void StartSequenceTest::runStopsWithoutAMainWindow()
{
    bool signedIn = false;
    windows.login = confirmAs(QStringLiteral("u"), QStringLiteral("p"));
    windows.signedIn = [&](QWidget*) { signedIn = true; };
    StartSequence start(windows);
    QCOMPARE(start.run(*qApp, uniqueTitle()), 0);
    QVERIFY(!signedIn);
}

void StartSequenceTest::runReturnsTheExitCodeOfTheLoop()
{
    QPointer<QWidget> created;
    windows.login = confirmAs(QStringLiteral("u"), QStringLiteral("p"));
    windows.mainWindow = [&]() -> QWidget* {
        created = new QWidget;
        created->show();
        // The program ends while its main window is still open.
        QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
        return created;
    };
    StartSequence start(windows);
    QCOMPARE(start.run(*qApp, uniqueTitle()), 3);
    QVERIFY(created.isNull());
}

void StartSequenceTest::activationRestoresMinimisedWindow()
{
    StartSequence start(windows);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Tovanta"));
    window.showMinimized();
    QVERIFY(window.isMinimized());
    QCOMPARE(start.windowToActivate(), &window);
    SingleInstanceGuard::bringToFront(start.windowToActivate());
    QVERIFY(!window.isMinimized());
    QVERIFY(window.isVisible());
}

QTEST_MAIN(StartSequenceTest)
#include "tst_StartSequence.moc"
