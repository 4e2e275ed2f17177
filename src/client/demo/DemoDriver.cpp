#include "client/demo/DemoDriver.h"

#include "im/IMClient.h"
#include "service/ShellState.h"
#include "ui/account/TfrmLogin.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/TfrmMain.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextStream>

namespace {
// Upper bounds for a step; a healthy sandbox answers in a fraction of this.
const qint64 kStepLimitMs = 90000;
// How long the demo waits for the live publisher before it takes the last picture anyway.
const qint64 kLiveWaitMs = 30000;
// Time given to the web views to render before the main window's picture.
const qint64 kSettleMs = 3000;

void say(const QString& text)
{
    QTextStream(stdout) << "demo: " << text << Qt::endl;
}

QString landTitle(TfrmMain* window, int row)
{
    ListingGridView* grid = window->grid(ListingGrid::InfoGrd);
    if (!grid || grid->listingModel()->rowCount() <= row)
        return QString();
    return grid->dataRow(row).field(1);
}
} // namespace

DemoDriver::DemoDriver(const QString& userName, const QString& password,
                       const QString& shotDirectory, QObject* parent)
    : QObject(parent), m_userName(userName), m_password(password), m_shotDirectory(shotDirectory)
{
    m_poll.setInterval(200);
    connect(&m_poll, &QTimer::timeout, this, &DemoDriver::tick);
}

void DemoDriver::start()
{
    QDir().mkpath(m_shotDirectory);
    m_stepClock.start();
    m_poll.start();
}

void DemoDriver::tick()
{
    switch (m_step) {
    case Step::LoginWindow:
        fillLoginWindow();
        break;
    case Step::Listings:
        awaitListings();
        break;
    case Step::LiveListing:
        awaitLiveListing();
        break;
    case Step::Done:
        break;
    }
}

void DemoDriver::fillLoginWindow()
{
    auto* login = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
    if (!login || !login->btnOk->isEnabled()) {
        if (m_stepClock.elapsed() > kStepLimitMs)
            finish(false, QStringLiteral("the login window did not become ready"));
        return;
    }
    login->EDUserName->setText(m_userName);
    login->EDPassword->setText(m_password);
    save(login, QStringLiteral("login.png"));
    say(QStringLiteral("logging in as %1").arg(m_userName));
    m_step = Step::Listings;
    m_stepClock.restart();
    login->btnOk->click();
}

void DemoDriver::awaitListings()
{
    TfrmMain* window = mainWindow();
    const bool filled = window && window->imClient()->connected() && !shellState().loading &&
                        !landTitle(window, 0).isEmpty();
    if (!filled) {
        if (m_stepClock.elapsed() > kStepLimitMs) {
            if (window)
                save(window, QStringLiteral("main.png"));
            finish(false, QStringLiteral("no listings arrived after the login"));
        }
        return;
    }
    if (m_rowsSeen == 0) {
        m_rowsSeen = window->grid(ListingGrid::InfoGrd)->listingModel()->rowCount();
        m_stepClock.restart();
        return;
    }
    if (m_stepClock.elapsed() < kSettleMs)
        return;
    save(window, QStringLiteral("main.png"));
    say(QStringLiteral("%1: %2 listings of %3 on screen")
            .arg(m_userName)
            .arg(shellState().listingCounter)
            .arg(shellState().currentCity));
    m_nationalSeen = shellState().nationalCount;
    m_step = Step::LiveListing;
    m_stepClock.restart();
}

void DemoDriver::awaitLiveListing()
{
    TfrmMain* window = mainWindow();
    if (!window) {
        finish(false, QStringLiteral("the main window went away"));
        return;
    }
    // Every land listing published anywhere raises the national count; one for the user's
    // city also lands at the top of the grid.
    const int rows = window->grid(ListingGrid::InfoGrd)->listingModel()->rowCount();
    if (rows > m_rowsSeen) {
        save(window, QStringLiteral("main-live.png"));
        say(QStringLiteral("a live listing for %1 arrived: %2")
                .arg(shellState().currentCity, landTitle(window, 0)));
        finish(true, QString());
        return;
    }
    if (!m_liveReported && shellState().nationalCount > m_nationalSeen) {
        m_liveReported = true;
        say(QStringLiteral("live listings are arriving: 全国 %1 -> %2")
                .arg(m_nationalSeen)
                .arg(shellState().nationalCount));
    }
    if (m_stepClock.elapsed() > kLiveWaitMs) {
        save(window, QStringLiteral("main-live.png"));
        finish(true, QStringLiteral("no live listing for %1 within %2 s (the live publisher "
                                    "picks its cities at random)")
                         .arg(shellState().currentCity)
                         .arg(kLiveWaitMs / 1000));
    }
}

void DemoDriver::finish(bool succeeded, const QString& note)
{
    m_step = Step::Done;
    m_poll.stop();
    m_succeeded = succeeded;
    if (!note.isEmpty())
        say(note);
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    if (TfrmMain* window = mainWindow()) {
        shellState().closeWithoutAsking = true;
        window->close();
    }
    QCoreApplication::exit(succeeded ? 0 : 1);
}

bool DemoDriver::save(QWidget* window, const QString& fileName)
{
    const QString path = QDir(m_shotDirectory).filePath(fileName);
    window->repaint();
    QScreen* screen = window->screen();
    QPixmap shot = screen ? screen->grabWindow(window->winId()) : QPixmap();
    if (shot.isNull())
        shot = window->grab();
    const bool saved = shot.save(path);
    say(saved ? QStringLiteral("screenshot %1").arg(path)
              : QStringLiteral("could not write %1").arg(path));
    return saved;
}

TfrmMain* DemoDriver::mainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<TfrmMain*>(widget))
            return window;
    }
    return nullptr;
}
