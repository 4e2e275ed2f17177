// The composition root's wiring, with a scripted XMPP client: the main window works with the
// composed client, the services outlive the window, and both the start and the main window's
// log-off-and-on show the login window with the composed services.
#include "FakeIMClient.h"
#include "app/SessionState.h"
#include "client/ClientComposition.h"
#include "service/ShellState.h"
#include "ui/account/LoginBanner.h"
#include "ui/account/TfrmLogin.h"
#include "ui/common/MessageBoxes.h"
#include "ui/main/MainImHost.h"
#include "ui/main/TfrmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
// Only bounds a failure; the default update check ends as soon as the event loop runs.
constexpr int kLoginReadyMs = 10000;
} // namespace

class ClientCompositionTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void mainWindowSignsInWithTheComposedClient();
    void servicesOutliveTheMainWindow();
    void loginWindowGetsTheComposedServices();
    void logOffAndOnShowsTheComposedLogin();

private:
    std::unique_ptr<ClientComposition> compose();
    // Fills the login window that is about to show modally and presses OK, after clicking its
    // banner.
    void answerLoginWith(const QString& userName, const QString& password);

    FakeIMClient* client = nullptr;
    QList<QUrl> opened;
    std::unique_ptr<MessageBoxes::Recorder> boxes;
};

void ClientCompositionTest::init()
{
    resetSession();
    shellState().reset();
    opened.clear();
    boxes = std::make_unique<MessageBoxes::Recorder>();
}

void ClientCompositionTest::cleanup()
{
    boxes.reset();
}

std::unique_ptr<ClientComposition> ClientCompositionTest::compose()
{
    ClientComposition::Parts parts;
    auto fake = std::make_unique<FakeIMClient>();
    client = fake.get();
    parts.client = std::move(fake);
    parts.login.openUrl = [this](const QUrl& url) { opened.append(url); };
    return std::make_unique<ClientComposition>(std::move(parts));
}

void ClientCompositionTest::answerLoginWith(const QString& userName, const QString& password)
{
    QTimer::singleShot(0, this, [userName, password] {
        auto* login = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
        QVERIFY(login);
        auto giveUp = qScopeGuard([login] {
            if (QTest::currentTestFailed())
                login->reject();
        });
        QTRY_VERIFY_WITH_TIMEOUT(login->btnOk->isEnabled(), kLoginReadyMs);
        QTest::mouseClick(login->imgbanner, Qt::LeftButton);
        login->EDUserName->setText(userName);
        login->EDPassword->setText(password);
        QTest::mouseClick(login->btnOk, Qt::LeftButton);
    });
}

void ClientCompositionTest::mainWindowSignsInWithTheComposedClient()
{
    auto composition = compose();
    QCOMPARE(composition->imClient(), client);
    auto* window = qobject_cast<TfrmMain*>(composition->createMainWindow());
    QVERIFY(window);
    QCOMPARE(window->imClient(), client);
    QVERIFY(window->isVisible());
    QVERIFY(window->windowState() & Qt::WindowMaximized);

    session().loginIdentity = QStringLiteral("zhang@localhost");
    session().password = QStringLiteral("secret");
    QWidget notTheMainWindow;
    composition->signIn(&notTheMainWindow);
    QVERIFY(client->calls.isEmpty());
    composition->signIn(window);
    QCOMPARE(client->calls, QStringList({QStringLiteral("connectToServer")}));
    QCOMPARE(client->connectedUser, QStringLiteral("zhang@localhost"));
    QCOMPARE(client->connectedPassword, QStringLiteral("secret"));
}

void ClientCompositionTest::servicesOutliveTheMainWindow()
{
    auto composition = compose();
    QPointer<IMClient> composedClient = client;
    delete composition->createMainWindow();
    QVERIFY(composedClient);

    // Going while its main window is open, the composition closes the window first.
    QPointer<QWidget> window = composition->createMainWindow();
    composition.reset();
    QVERIFY(window.isNull());
    QVERIFY(composedClient.isNull());
}

void ClientCompositionTest::loginWindowGetsTheComposedServices()
{
    auto composition = compose();
    answerLoginWith(QStringLiteral(" zhang "), QStringLiteral(" secret "));
    QString userName;
    QString password;
    QVERIFY(composition->showLogin(userName, password));
    QCOMPARE(userName, QStringLiteral("zhang"));
    QCOMPARE(password, QStringLiteral("secret"));
    QCOMPARE(opened, QList<QUrl>({QUrl(session().homeURL)}));
}

void ClientCompositionTest::logOffAndOnShowsTheComposedLogin()
{
    auto composition = compose();
    auto* window = qobject_cast<TfrmMain*>(composition->createMainWindow());
    QVERIFY(window);
    answerLoginWith(QStringLiteral("lina"), QStringLiteral("pw2"));
    QVERIFY(window->imHost()->runLoginAgain());
    QCOMPARE(session().loginIdentity, QStringLiteral("lina@localhost"));
    QCOMPARE(session().password, QStringLiteral("pw2"));
    QCOMPARE(opened, QList<QUrl>({QUrl(session().homeURL)}));
    QVERIFY(window->isVisible());
}

QTEST_MAIN(ClientCompositionTest)
#include "tst_ClientComposition.moc"
