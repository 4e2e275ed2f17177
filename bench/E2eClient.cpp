// The client process of bench_e2e: the composed client of src/client, driven through its
// windows as a user would, printing its marks on stdout for the parent ("mark <name> <ms>",
// "value <name> <number>", "burst-ready", "done"). Started by bench_e2e with the exchange's
// ports in TOVANTA_SANDBOX_C2S_PORT / TOVANTA_SANDBOX_HTTP_PORT.
//
//   bench_e2e_client [--burst N]
#include "E2eClock.h"
#include "SandboxEndpoints.h"
#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "client/ClientComposition.h"
#include "client/WebEngineSetup.h"
#include "service/ShellState.h"
#include "ui/account/TfrmLogin.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/TfrmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

using E2eClock::monotonicMs;
using E2eClock::say;

namespace {

const QString kUser = QStringLiteral("zhangwei");
const QString kPassword = QStringLiteral("demo1234");
constexpr int kFirstRows = 100;
// Time the web pages get to load before the memory is read.
constexpr int kSettleMs = 2000;
constexpr int kProbeIntervalMs = 5;
constexpr int kGiveUpMs = 120000;

// ------------------------------------------------------------------------ memory of a tree

struct Memory
{
    qint64 rssKb = 0;
    qint64 pssKb = 0;
};

Memory readRollup(qint64 pid)
{
    Memory memory;
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2)
            continue;
        if (parts.at(0) == "Rss:")
            memory.rssKb = parts.at(1).toLongLong();
        else if (parts.at(0) == "Pss:")
            memory.pssKb = parts.at(1).toLongLong();
    }
    return memory;
}

// Every process below root (children, grandchildren, ...), from /proc/<pid>/stat.
QList<qint64> descendants(qint64 root)
{
    QMap<qint64, qint64> parentOf;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // pid (comm) state ppid ...; comm may hold spaces and parentheses.
        const int close = text.lastIndexOf(')');
        const QList<QByteArray> fields = text.mid(close + 2).split(' ');
        if (fields.size() > 1)
            parentOf.insert(pid, fields.at(1).toLongLong());
    }
    QList<qint64> found;
    QList<qint64> frontier{root};
    while (!frontier.isEmpty()) {
        const qint64 parent = frontier.takeFirst();
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            if (it.value() == parent) {
                found.append(it.key());
                frontier.append(it.key());
            }
        }
    }
    return found;
}

// ------------------------------------------------------------------------ the client process

// Drives the client in this process through its windows and prints its marks on stdout:
// "mark <name> <monotonic ms>" and "value <name> <number>".
class ClientProbe : public QObject
{
public:
    explicit ClientProbe(int burst) : m_burst(burst)
    {
        m_poll.setInterval(1);
        connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
        m_probe.setInterval(kProbeIntervalMs);
        m_probe.setTimerType(Qt::PreciseTimer);
        connect(&m_probe, &QTimer::timeout, this, [this] { probeTick(); });
        m_poll.start();
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted(watched);
        return QObject::eventFilter(watched, event);
    }

private:
    enum class Step
    {
        LoginShown,
        LoginReady,
        MainShown,
        RowsDrawn,
        Settle,
        Burst,
        Done
    };

    static void mark(const QString& name, double at = monotonicMs())
    {
        say(QStringLiteral("mark %1 %2").arg(name).arg(at, 0, 'f', 3));
    }

    static TfrmMain* mainWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<TfrmMain*>(widget))
                return window;
        }
        return nullptr;
    }

    static int landRows(TfrmMain* window)
    {
        return window->grid(ListingGrid::InfoGrd)->listingModel()->rowCount();
    }

    static bool firstRowFilled(TfrmMain* window)
    {
        return !window->grid(ListingGrid::InfoGrd)->dataRow(0).field(1).isEmpty();
    }

    void painted(QObject* watched)
    {
        const double now = monotonicMs();
        if (m_step == Step::LoginShown && qobject_cast<TfrmLogin*>(watched)) {
            mark(QStringLiteral("login-shown"), now);
            m_step = Step::LoginReady;
        } else if (m_step == Step::MainShown && qobject_cast<TfrmMain*>(watched)) {
            mark(QStringLiteral("main-shown"), now);
            m_step = Step::RowsDrawn;
        } else if (m_step == Step::RowsDrawn) {
            TfrmMain* window = mainWindow();
            if (!window || watched != window->grid(ListingGrid::InfoGrd)->viewport())
                return;
            const int rows = landRows(window);
            const bool full = rows >= kFirstRows || (!shellState().loading && rows > 1);
            if (!full || !firstRowFilled(window))
                return;
            mark(QStringLiteral("rows-drawn"), now);
            say(QStringLiteral("value rows %1").arg(rows));
            m_step = Step::Settle;
            QTimer::singleShot(kSettleMs, this, [this] { settled(); });
        }
    }

    void poll()
    {
        if (m_step == Step::LoginReady) {
            auto* login = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
            if (!login || !login->btnOk->isEnabled())
                return;
            mark(QStringLiteral("login-ready"));
            login->EDUserName->setText(kUser);
            login->EDPassword->setText(kPassword);
            login->EDPassword->setFocus();
            m_step = Step::MainShown;
            mark(QStringLiteral("enter"));
            // Enter in the password field, as the user presses it.
            QApplication::postEvent(
                login->EDPassword, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
            QApplication::postEvent(
                login->EDPassword,
                new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
        } else if (m_step == Step::Burst) {
            TfrmMain* window = mainWindow();
            // The grid keeps at most MaxRows rows; rows inserted at the top are counted.
            if (window && m_burstRows >= m_burst) {
                mark(QStringLiteral("burst-done"));
                finish(window);
            } else if (m_burstClock.elapsed() > kGiveUpMs) {
                say(QStringLiteral("value burst-missing %1").arg(m_burst - m_burstRows));
                finish(window);
            }
        }
    }

    void settled()
    {
        const qint64 self = QCoreApplication::applicationPid();
        const Memory client = readRollup(self);
        Memory web;
        int webProcesses = 0;
        for (qint64 pid : descendants(self)) {
            const Memory child = readRollup(pid);
            web.rssKb += child.rssKb;
            web.pssKb += child.pssKb;
            ++webProcesses;
        }
        say(QStringLiteral("value client-rss %1").arg(client.rssKb));
        say(QStringLiteral("value client-pss %1").arg(client.pssKb));
        say(QStringLiteral("value web-rss %1").arg(web.rssKb));
        say(QStringLiteral("value web-pss %1").arg(web.pssKb));
        say(QStringLiteral("value web-processes %1").arg(webProcesses));

        TfrmMain* window = mainWindow();
        if (!window || m_burst <= 0) {
            finish(window);
            return;
        }
        connect(window->grid(ListingGrid::InfoGrd)->listingModel(),
                &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) {
                    if (first == 0)
                        m_burstRows += last - first + 1;
                });
        m_step = Step::Burst;
        m_burstClock.start();
        m_lastProbe = monotonicMs();
        m_probe.start();
        m_poll.setInterval(20);
        say(QStringLiteral("burst-ready"));
    }

    void probeTick()
    {
        const double now = monotonicMs();
        m_worstLateness = std::max(m_worstLateness, now - m_lastProbe - kProbeIntervalMs);
        m_lastProbe = now;
    }

    void finish(TfrmMain* window)
    {
        m_probe.stop();
        m_poll.stop();
        if (m_step == Step::Burst)
            say(QStringLiteral("value burst-lateness %1").arg(m_worstLateness, 0, 'f', 1));
        m_step = Step::Done;
        say(QStringLiteral("done"));
        if (window) {
            shellState().closeWithoutAsking = true;
            window->close();
        }
        QCoreApplication::exit(0);
    }

    int m_burst;
    Step m_step = Step::LoginShown;
    QTimer m_poll;
    QTimer m_probe;
    QElapsedTimer m_burstClock;
    int m_burstRows = 0;
    double m_lastProbe = 0;
    double m_worstLateness = 0;
};

int runClient(QApplication& app, int burst)
{
    ClientProbe probe(burst);
    ClientComposition::Parts parts;
    parts.login.loadConfiguration = [](SessionState& state) {
        BuiltinConfig::load(state);
        SandboxEndpoints::retarget(state);
    };
    ClientComposition client(std::move(parts));
    return client.run(app, QStringLiteral("Tovanta-bench"));
}

} // namespace

int main(int argc, char* argv[])
{
    WebEngineSetup::prepareProcess();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int at = arguments.indexOf(QStringLiteral("--burst"));
    const int burst = at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1).toInt() : 2000;
    return runClient(app, burst);
}
