#include "ui/account/AutoUpgraderCheck.h"

#include "ui/common/UiLog.h"
#include "update/TauAutoUpgrader.h"

#include <QTimer>

AutoUpgraderCheck::AutoUpgraderCheck(std::function<void()> whenInstalled, QObject* parent)
    : LoginUpdateCheck(parent), m_upgrader(new TauAutoUpgrader(this)),
      m_whenInstalled(std::move(whenInstalled))
{
    using U = TauAutoUpgrader;
    connect(m_upgrader, &U::beginUpgrade, this,
            [this](const QString&, bool*, const QStringList&, int method) {
                Q_EMIT upgradeBegun();
                // The browser takes a method-2 offer over and the component sends nothing
                // more; the window must not wait for an end that never comes.
                if (method == 2) {
                    QTimer::singleShot(0, this, [this] { Q_EMIT ended(EndEvent::BrowserOpened); });
                }
            });
    connect(m_upgrader, &U::fileStart, this, [this] { Q_EMIT fileStarted(); });
    const auto end = [this](EndEvent event) { return [this, event] { Q_EMIT ended(event); }; };
    connect(m_upgrader, &U::endUpgrade, this, end(EndEvent::EndUpgrade));
    connect(m_upgrader, &U::connectionLost, this, end(EndEvent::ConnectionLost));
    connect(m_upgrader, &U::noUpdateAvailable, this, end(EndEvent::NoUpdateAvailable));
    connect(m_upgrader, &U::noInformationFile, this, end(EndEvent::NoInformationFile));
    connect(m_upgrader, &U::fileDone, this, end(EndEvent::FileDone));
    connect(m_upgrader, &U::hostUnreachable, this, end(EndEvent::HostUnreachable));
    connect(m_upgrader, &U::fileLost, this, end(EndEvent::FileLost));
    connect(m_upgrader, &U::aborted, this, end(EndEvent::Aborted));
    connect(m_upgrader, &U::laterUpgrade, this, end(EndEvent::LaterUpgrade));
    connect(m_upgrader, &U::installed, this, [this] {
        qCInfo(lcUi) << "update installed; the program ends for the upgrader";
        if (m_whenInstalled)
            m_whenInstalled();
    });
}

void AutoUpgraderCheck::start(const Settings& settings)
{
    m_upgrader->setAutoCheck(false);
    m_upgrader->setInfoFileUrl(settings.infoUrl);
    m_upgrader->setCurrentVersion(settings.currentVersion);
    m_upgrader->setDescription(settings.fileList, QStringLiteral("发现新版Tovanta"));
    m_upgrader->checkNow();
}
