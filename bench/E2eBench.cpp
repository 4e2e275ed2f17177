// The real client end to end against an exchange of the bench's own (sandbox/run on its own
// ports, fresh data every run): start -> login window drawn, Enter -> main window drawn,
// Enter -> first land rows drawn, memory after login (RSS and PSS of the client and its web
// engine processes), and a burst of land broadcasts from a second session (time until all are
// in the grid, worst event-loop lateness of a timer probe meanwhile). Prints the medians of a
// number of runs. Needs a display: run it under Xvfb (see README.md). Prints figures only.
//
//   bench_e2e [--runs 5] [--burst 2000] [--port-base N]
//
// The parent starts the exchange, fills the user's city with listings, starts itself with
// --client as the client process (the composed client of src/client, driven through its
// windows as a user would), and publishes the burst when the client asks for it. Both
// processes read the same monotonic clock, so the client's marks compare with the parent's.
#include "SandboxEndpoints.h"
#include "app/BuiltinConfig.h"
#include "app/SessionState.h"
#include "client/ClientComposition.h"
#include "im/XmppIMClient.h"
#include "publish/PublishRequests.h"
#include "service/ShellState.h"
#include "ui/account/TfrmLogin.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"
#include "ui/main/TfrmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

const QString kUser = QStringLiteral("zhangwei");
const QString kPublisher = QStringLiteral("lina");
const QString kPassword = QStringLiteral("demo1234");
const QString kCity = QStringLiteral("上海");
// Listings published for the user's city before each run, so that the first page is full.
constexpr int kCityListings = 120;
constexpr int kFirstRows = 100;
// Time the web pages get to load before the memory is read.
constexpr int kSettleMs = 2000;
constexpr int kProbeIntervalMs = 5;
constexpr int kGiveUpMs = 120000;

double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1.0e6;
}

void say(const QString& line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

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
            if (window && landRows(window) >= m_rowsBefore + m_burst) {
                mark(QStringLiteral("burst-done"));
                finish(window);
            } else if (m_burstClock.elapsed() > kGiveUpMs) {
                say(QStringLiteral("value burst-missing %1")
                        .arg(m_rowsBefore + m_burst - (window ? landRows(window) : 0)));
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
        m_rowsBefore = landRows(window);
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
    int m_rowsBefore = 0;
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

// ------------------------------------------------------------------------ the parent

bool waitFor(const std::function<bool()>& done, int giveUpMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > giveUpMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

bool runScript(const QString& script, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(TOVANTA_SOURCE_DIR "/sandbox/") + script, arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

// The land count the web route reports, -1 when it does not answer.
int cargoCount(QNetworkAccessManager& network)
{
    QNetworkReply* reply = network.get(
        QNetworkRequest(SandboxEndpoints::url(QStringLiteral("/index.php/Cargo/getCargoCount"))));
    waitFor([reply] { return reply->isFinished(); }, 10000);
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    bool number = false;
    const int count = body.trimmed().toInt(&number);
    return number ? count : -1;
}

void publish(XmppIMClient& publisher, const QString& title)
{
    PublishCargo(publisher, QStringLiteral("localhost"), title, kCity, QStringLiteral("北京"),
                 QStringLiteral("北京"), kPublisher, QStringLiteral("1"), QStringLiteral("1"),
                 QStringLiteral("李娜 13800000000"));
}

struct RunFigures
{
    QMap<QString, double> marks;
    QMap<QString, double> values;
    double started = 0;
    double burstStarted = 0;
};

class Parent
{
public:
    Parent(int burst, int portBase) : m_burst(burst), m_portBase(portBase)
    {
        m_runDir = QDir(QCoreApplication::applicationDirPath())
                       .filePath(QStringLiteral("e2e-sandbox-run"));
    }

    bool run(int index, RunFigures& figures)
    {
        const QStringList where{QStringLiteral("--rundir"), m_runDir, QStringLiteral("--port-base"),
                                QString::number(m_portBase)};
        runScript(QStringLiteral("stop"), where);
        if (!runScript(QStringLiteral("run"),
                       where + QStringList{QStringLiteral("--daemon"), QStringLiteral("--quiet"),
                                           QStringLiteral("--no-port80")})) {
            say(QStringLiteral("the exchange did not start"));
            return false;
        }
        const bool ok = drive(index, figures);
        runScript(QStringLiteral("stop"), where);
        return ok;
    }

private:
    bool drive(int index, RunFigures& figures)
    {
        XmppIMClient publisher;
        publisher.setIMServer(QStringLiteral("localhost"));
        publisher.setIMPort(SandboxEndpoints::c2sPort());
        publisher.setResource(QStringLiteral("bench"));
        publisher.connectToServer(kPublisher + QStringLiteral("@localhost"), kPassword);
        if (!waitFor([&publisher] { return publisher.connected(); }, 30000)) {
            say(QStringLiteral("the publisher could not sign in"));
            return false;
        }
        QNetworkAccessManager network;
        const int seeded = cargoCount(network);
        for (int i = 0; i < kCityListings; ++i)
            publish(publisher, QStringLiteral("基准 %1 钢材20吨 急走 #%2").arg(index).arg(i));
        if (!waitFor([&] { return cargoCount(network) >= seeded + kCityListings; }, 60000)) {
            say(QStringLiteral("the city listings were not stored"));
            return false;
        }

        QProcess client;
        client.setProcessChannelMode(QProcess::SeparateChannels);
        client.setReadChannel(QProcess::StandardOutput);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TOVANTA_SANDBOX_C2S_PORT"),
                   QString::number(SandboxEndpoints::c2sPort()));
        env.insert(QStringLiteral("TOVANTA_SANDBOX_HTTP_PORT"),
                   QString::number(SandboxEndpoints::httpPort()));
        client.setProcessEnvironment(env);
        client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        bool done = false;
        QObject::connect(&client, &QProcess::readyReadStandardOutput, [&] {
            while (client.canReadLine()) {
                const QString line = QString::fromUtf8(client.readLine()).trimmed();
                const QStringList parts = line.split(QLatin1Char(' '));
                if (parts.size() == 3 && parts.at(0) == QLatin1String("mark"))
                    figures.marks.insert(parts.at(1), parts.at(2).toDouble());
                else if (parts.size() == 3 && parts.at(0) == QLatin1String("value"))
                    figures.values.insert(parts.at(1), parts.at(2).toDouble());
                else if (line == QLatin1String("burst-ready"))
                    burst(publisher, index, figures);
                else if (line == QLatin1String("done"))
                    done = true;
            }
        });
        figures.started = monotonicMs();
        client.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--client"), QStringLiteral("--burst"), QString::number(m_burst)});
        const bool finished =
            waitFor([&] { return client.state() == QProcess::NotRunning; }, 300000);
        if (!finished) {
            client.kill();
            client.waitForFinished(5000);
        }
        publisher.disconnectFromServer();
        return finished && done;
    }

    void burst(XmppIMClient& publisher, int index, RunFigures& figures)
    {
        figures.burstStarted = monotonicMs();
        for (int i = 0; i < m_burst; ++i)
            publish(publisher, QStringLiteral("广播 %1 整车零担 回程车 #%2").arg(index).arg(i));
    }

    int m_burst;
    int m_portBase;
    QString m_runDir;
};

double median(QVector<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

void printRow(const QString& name, const QVector<double>& values, const QString& unit,
              const QString& goal)
{
    QStringList each;
    for (double value : values)
        each << QString::number(value, 'f', unit == QLatin1String("ms") ? 0 : 1);
    std::printf("%-44s %10.1f %-3s %-10s %s\n", qPrintable(name), median(values), qPrintable(unit),
                qPrintable(goal), qPrintable(each.join(QLatin1Char(' '))));
}

int runParent(int runs, int burst, int portBase)
{
    qputenv("TOVANTA_SANDBOX_C2S_PORT", QByteArray::number(portBase + 222));
    qputenv("TOVANTA_SANDBOX_HTTP_PORT", QByteArray::number(portBase + 280));
    Parent parent(burst, portBase);
    QVector<RunFigures> all;
    for (int i = 0; i < runs; ++i) {
        RunFigures figures;
        if (!parent.run(i, figures)) {
            say(QStringLiteral("run %1 failed").arg(i + 1));
            return 1;
        }
        all.append(figures);
        std::fprintf(stderr, "run %d of %d done\n", i + 1, runs);
    }
    const auto series = [&all](const std::function<double(const RunFigures&)>& of) {
        QVector<double> values;
        for (const RunFigures& figures : all)
            values.append(of(figures));
        return values;
    };
    const auto between = [&series](const QString& from, const QString& to) {
        return series([from, to](const RunFigures& f) {
            const double start = from.isEmpty() ? f.started : f.marks.value(from);
            return f.marks.value(to) - start;
        });
    };
    const auto value = [&series](const QString& name, double scale) {
        return series([name, scale](const RunFigures& f) { return f.values.value(name) * scale; });
    };
    std::printf("%-44s %10s %-3s %-10s %s\n", "figure (median of runs)", "median", "", "goal",
                "each run");
    printRow(QStringLiteral("process start -> login window drawn"),
             between({}, QStringLiteral("login-shown")), QStringLiteral("ms"),
             QStringLiteral("< 200"));
    printRow(QStringLiteral("process start -> login window ready"),
             between({}, QStringLiteral("login-ready")), QStringLiteral("ms"), QString());
    printRow(QStringLiteral("Enter -> main window drawn"),
             between(QStringLiteral("enter"), QStringLiteral("main-shown")), QStringLiteral("ms"),
             QStringLiteral("< 150"));
    printRow(QStringLiteral("Enter -> first %1 land rows drawn").arg(kFirstRows),
             between(QStringLiteral("enter"), QStringLiteral("rows-drawn")), QStringLiteral("ms"),
             QStringLiteral("< 300"));
    printRow(QStringLiteral("land rows on the first page"), value(QStringLiteral("rows"), 1),
             QString(), QString());
    printRow(QStringLiteral("burst of %1: publish start -> all in grid").arg(burst),
             series([](const RunFigures& f) {
                 // -1: not all of the burst arrived (see the rows missing).
                 return f.marks.contains(QStringLiteral("burst-done"))
                            ? f.marks.value(QStringLiteral("burst-done")) - f.burstStarted
                            : -1.0;
             }),
             QStringLiteral("ms"), QString());
    printRow(QStringLiteral("burst: worst event-loop lateness"),
             value(QStringLiteral("burst-lateness"), 1), QStringLiteral("ms"),
             QStringLiteral("< 50"));
    printRow(QStringLiteral("burst: rows missing"), value(QStringLiteral("burst-missing"), 1),
             QString(), QStringLiteral("0"));
    printRow(QStringLiteral("client RSS after login"),
             value(QStringLiteral("client-rss"), 1.0 / 1024), QStringLiteral("MB"), QString());
    printRow(QStringLiteral("client PSS after login"),
             value(QStringLiteral("client-pss"), 1.0 / 1024), QStringLiteral("MB"), QString());
    printRow(QStringLiteral("web engine processes"), value(QStringLiteral("web-processes"), 1),
             QString(), QString());
    printRow(QStringLiteral("web engine RSS (sum)"), value(QStringLiteral("web-rss"), 1.0 / 1024),
             QStringLiteral("MB"), QString());
    printRow(QStringLiteral("web engine PSS (sum)"), value(QStringLiteral("web-pss"), 1.0 / 1024),
             QStringLiteral("MB"), QString());
    printRow(QStringLiteral("PSS in all"), series([](const RunFigures& f) {
                 return (f.values.value(QStringLiteral("client-pss")) +
                         f.values.value(QStringLiteral("web-pss"))) /
                        1024;
             }),
             QStringLiteral("MB"), QStringLiteral("< 180"));
    return 0;
}

int option(const QStringList& arguments, const QString& name, int fallback)
{
    const int at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1).toInt() : fallback;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int burst = option(arguments, QStringLiteral("--burst"), 2000);
    if (arguments.contains(QStringLiteral("--client")))
        return runClient(app, burst);
    return runParent(option(arguments, QStringLiteral("--runs"), 5), burst,
                     option(arguments, QStringLiteral("--port-base"), TOVANTA_BENCH_PORT_BASE));
}
