#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

// Notices that the machine's network came back or changed: the addresses of the interfaces
// that are up (loopback left out) are read every few seconds while the watch runs, and a new
// address raises networkChanged. Polled because the platform's change notices of Qt 5.15 are
// deprecated; the session runs the watch only while it waits to reconnect.
class NetworkChangeWatch : public QObject
{
    Q_OBJECT
public:
    // The addresses as text; the default reads the network interfaces (InternetCheck).
    using AddressSource = std::function<QStringList()>;

    static constexpr int DefaultIntervalMs = 3000;

    explicit NetworkChangeWatch(AddressSource source = AddressSource(), QObject* parent = nullptr);

    void setInterval(int milliseconds) { m_timer.setInterval(milliseconds); }
    // Starts from the addresses of now.
    void start();
    void stop();
    bool running() const { return m_timer.isActive(); }
    // One reading, as the timer makes it.
    void poll();

Q_SIGNALS:
    void networkChanged();

private:
    AddressSource m_source;
    QStringList m_known;
    QTimer m_timer;
};
