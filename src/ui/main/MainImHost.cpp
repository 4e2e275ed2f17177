#include "ui/main/MainImHost.h"

#include "app/ApplicationTitle.h"
#include "app/SessionState.h"
#include "app/SettingsFile.h"
#include "im/BroadcastHandler.h"
#include "im/IMClient.h"
#include "im/IMSession.h"
#include "im/NetworkChangeWatch.h"
#include "im/ReconnectScheduler.h"
#include "service/ShellState.h"
#include "ui/common/LoginPrompt.h"
#include "ui/common/UiLog.h"
#include "ui/im/ImPanel.h"
#include "ui/im/ImSessionBinding.h"
#include "ui/im/WidgetSessionDialogs.h"
#include "ui/main/LoadStarter.h"
#include "ui/main/MainCommands.h"
#include "ui/main/ShellWidgets.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>

MainImHost::MainImHost(IMClient* client, LoginPrompt* login, LoadStarter* loads,
                       const ShellWidgets& widgets, BroadcastSink* sink, QObject* parent)
    : QObject(parent), m_client(client), m_login(login), m_loads(loads), m_widgets(widgets),
      m_sink(sink), m_reconnect(new ReconnectScheduler(ReconnectPolicy(), nullptr, this)),
      m_network(new NetworkChangeWatch(NetworkChangeWatch::AddressSource(), this))
{
    // The network is watched only while a reconnection waits.
    connect(m_reconnect, &ReconnectScheduler::attemptScheduled, m_network, [this] {
        if (!m_network->running())
            m_network->start();
    });
    connect(m_reconnect, &ReconnectScheduler::ended, m_network, &NetworkChangeWatch::stop);
    connect(m_network, &NetworkChangeWatch::networkChanged, m_reconnect,
            &ReconnectScheduler::retryNow);
}

MainImHost::~MainImHost()
{
    // The session talks to the client and the panel while it goes; end it first.
    delete m_session;
    m_session = nullptr;
}

void MainImHost::wireMessaging(MainCommands* commands)
{
    m_commands = commands;
    ImPanel* panel = m_widgets.imPanel;
    m_session = new IMSession(m_client, this, new WidgetSessionDialogs(panel), this);
    new ImSessionBinding(m_session, panel); // owned by the panel, like the dialogs
    m_broadcasts = std::make_unique<BroadcastHandler>(m_sink, &shellState());
    m_session->setBroadcastHandler(m_broadcasts.get());
    m_session->setReconnection(m_reconnect);
    shellState().setConnectedProbe(
        [client = QPointer<IMClient>(m_client)] { return client && client->connected(); });
    commands->setFriendRequests(
        [session = QPointer<IMSession>(m_session)](const QString& login, const QString& name) {
            if (session)
                session->addFriend(login, name);
        });
    connect(panel, &ImPanel::statusMenuRequested, this, [this, panel](const QPoint&) {
        QLabel* status = panel->statusLabel();
        m_widgets.menus[ShellMenu::Status]->popup(
            status->mapToGlobal(QPoint(0, status->height() + 2)));
    });
    connect(panel, &ImPanel::addFriendRequested, commands, &MainCommands::findFriend);
    connect(panel, &ImPanel::myInfoRequested, commands, &MainCommands::imgInfoClick);
}

void MainImHost::signIn()
{
    showUserName();
    setBroadcastAccount();
    m_session->signIn();
}

void MainImHost::logOffAndLogIn()
{
    if (m_session)
        m_session->logOffAndLogIn();
}

void MainImHost::showUserName()
{
    m_widgets.labels[ShellLabel::UserName]->setText(session().userName());
}

void MainImHost::setBroadcastAccount()
{
    m_broadcasts->setAccount(session().HostName, session().loginIdentity);
}

void MainImHost::setLandListener(BroadcastHandler::LandListener listener)
{
    m_broadcasts->setLandListener(std::move(listener));
}

void MainImHost::signInFollowUp()
{
    m_session->showStatus(session().profile.company);
    // Reconnected: the user stays where they were, and that page catches up.
    if (m_session->resumed())
        catchUp();
    else
        m_commands->signInFollowUp();
}

void MainImHost::catchUp()
{
    ShellState& state = shellState();
    if (state.loading || !state.isConnected() || !m_widgets.isShown(ShellPage::MainInfo))
        return;
    for (ShellPage page :
         {ShellPage::InfoLand, ShellPage::InfoAir, ShellPage::InfoSea, ShellPage::InfoRail}) {
        if (!m_widgets.isShown(page))
            continue;
        if (page == ShellPage::InfoLand)
            state.listingCounter = 0;
        if (!m_loads->reload(page))
            qCInfo(lcUi) << "Nothing to load again after reconnecting";
        return;
    }
}

// ---------------------------------------------------------------- session host

void MainImHost::writeMainSettings()
{
    // Store the subscribed cities read at start (an empty text here would drop
    // them from config.xml at every login).
    QStringList cities = session().orderCities;
    cities.removeDuplicates();
    SettingsFile::saveMain(cities.join(QLatin1Char(',')));
}

void MainImHost::startProfileFetch()
{
    QPointer<MainImHost> self(this);
    m_loads->startProfileFetch([self] {
        if (self)
            self->signInFollowUp();
    });
}

void MainImHost::startAdvertisementFetch()
{
    m_loads->startAdvertisementFetch();
}

void MainImHost::setConnectionText(const QString& text, ConnectionTone tone)
{
    QLabel* conn = m_widgets.labels[ShellLabel::Connection];
    // Signing in only turns the label black: "未连接" or the last failure stays readable
    // until the connection reports its state.
    if (!text.isEmpty())
        conn->setText(text);
    QPalette pal = conn->palette();
    pal.setColor(QPalette::WindowText, tone == Failure ? QColor(Qt::red) : QColor(Qt::black));
    conn->setPalette(pal);
}

void MainImHost::setEndDateText(const QString& text)
{
    m_widgets.labels[ShellLabel::EndDate]->setText(text);
}

void MainImHost::setTrayHint(const QString& text)
{
    m_widgets.tray->setToolTip(text);
}

QString MainImHost::applicationTitle() const
{
    return ApplicationTitle::get();
}

void MainImHost::setMenuEnabled(SessionMenu item, bool enabled)
{
    m_widgets.sessionItems[item]->setEnabled(enabled);
}

bool MainImHost::runLoginAgain()
{
    // Any other modal box (a question, a friend request) may be open meanwhile; only the
    // login window's own flag tells whether a login is already on screen.
    const bool loginAlreadyShown = !session().loginWindowAvailable;
    if (m_login->modalLogin()) {
        // The user may have logged in under another name: broadcasts go to the new identity.
        setBroadcastAccount();
        showUserName();
        return true;
    }
    if (!loginAlreadyShown) {
        // The user cancelled the login: the program ends without asking again.
        shellState().closeWithoutAsking = true;
        m_widgets.window->close();
    }
    return false;
}
