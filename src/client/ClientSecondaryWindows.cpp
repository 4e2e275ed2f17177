#include "client/ClientSecondaryWindows.h"

#include "app/SessionState.h"
#include "client/ClientLog.h"
#include "ui/main/TfrmMain.h"
#include "update/TauAutoUpgrader.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QPointer>

void ClientSecondaryWindows::configureUpdater(QWidget* mainWindow)
{
    const SessionState& state = session();
    auto* upgrader = new TauAutoUpgrader(mainWindow);
    upgrader->setObjectName(QStringLiteral("AutoUpgrader"));
    upgrader->setInfoFileUrl(state.infourl);
    upgrader->setCurrentVersion(state.AppVersion);
    upgrader->setDescription(state.upgradfiles, QStringLiteral("发现新版Tovanta"));
    upgrader->setUrlOpener([](const QUrl& url) { return QDesktopServices::openUrl(url); });
    QPointer<QWidget> window(mainWindow);
    QObject::connect(upgrader, &TauAutoUpgrader::installed, mainWindow, [window] {
        if (auto* shell = qobject_cast<TfrmMain*>(window.data()))
            shell->updateInstalled();
        if (window)
            window->close();
    });
    QObject::connect(upgrader, &TauAutoUpgrader::afterRestart, mainWindow,
                     [] { qCInfo(lcClient) << "started again after an update"; });
    upgrader->noticeRestart(QCoreApplication::arguments());
    upgrader->setAutoCheck(true);
}
