#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

// The main window's widget-free state, shared by the loaders, the live broadcasts and the
// window itself. Everything runs on the UI thread, so plain members are enough.
class ShellState
{
public:
    QString currentCity;
    int landViewKind = 1;       // 1..9, which land listing InfoGrd shows
    int listingCounter = 0;     // total of the last land/subscription load, raised by live rows
    bool loading = false;       // a land, subscription, air, sea or rail load is running
    int airSelectionKind = 0;   // kind of the air tree node the last air load came from
    QString airSelectionText;   // text of that node
    int nationalCount = 0;      // shown as "全国:" + count
    QString searchFromCity;     // the last search's departure city
    QStringList searchToCities; // its destination cities, in the order chosen
    bool closeWithoutAsking = false;
    bool autoReceive = true;

    // The XMPP client's "connected" state; the messaging side installs the probe.
    void setConnectedProbe(std::function<bool()> probe);
    bool isConnected() const;

    // Cargo searches run one after another: a search asks for its turn and hands back the
    // turn when its finishing step has run. The next queued search then starts.
    void runSearchInTurn(std::function<void()> start);
    void finishSearchTurn();
    bool searchRunning() const { return m_searchBusy; }
    int queuedSearches() const { return int(m_searchQueue.size()); }

    // Back to the state of a freshly created main window (tests and re-login); the
    // connected probe stays installed.
    void reset();

private:
    std::function<bool()> m_connectedProbe;
    bool m_searchBusy = false;
    std::deque<std::function<void()>> m_searchQueue;
};

// The one instance of the process.
ShellState& shellState();
