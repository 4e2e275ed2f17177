#include "ui/main/MainTray.h"

#include "app/ApplicationTitle.h"
#include "ui/main/ShellPictures.h"

#include <QSystemTrayIcon>
#include <QTimer>

MainTray::MainTray(QMenu* menu, QObject* parent)
    : QObject(parent), m_icon(new QSystemTrayIcon(ShellPictures::trayFrame(0), this)),
      m_blink(new QTimer(this))
{
    m_icon->setObjectName(QStringLiteral("RxTrayIcon"));
    m_icon->setContextMenu(menu);
    m_icon->setToolTip(ApplicationTitle::get());
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick)
            Q_EMIT doubleClicked();
    });
    m_blink->setInterval(350);
    connect(m_blink, &QTimer::timeout, this, [this] {
        m_frame = 1 - m_frame;
        showFrame();
    });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_icon->show();
}

void MainTray::setConversationsPending(bool pending)
{
    if (pending && !m_blink->isActive()) {
        m_blink->start();
    } else if (!pending && m_blink->isActive()) {
        m_blink->stop();
        m_frame = 0;
        showFrame();
    }
}

bool MainTray::animating() const
{
    return m_blink->isActive();
}

void MainTray::showFrame()
{
    m_icon->setIcon(ShellPictures::trayFrame(m_frame));
}
