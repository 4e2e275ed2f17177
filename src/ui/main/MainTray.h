#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;
class QTimer;

// The main window's tray icon RxTrayIcon: the application title as its hint, the account
// menu, and a blinking picture while conversations wait.
class MainTray : public QObject
{
    Q_OBJECT
public:
    // menu: the icon's context menu, not owned.
    MainTray(QMenu* menu, QObject* parent);

    QSystemTrayIcon* icon() const { return m_icon; }
    void setConversationsPending(bool pending);
    bool animating() const;

Q_SIGNALS:
    void doubleClicked();

private:
    void showFrame();

    QSystemTrayIcon* m_icon;
    QTimer* m_blink;
    int m_frame = 0;
};
