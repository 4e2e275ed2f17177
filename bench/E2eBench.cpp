// The real client end to end against an exchange of the bench's own (sandbox/run on its own
// ports, fresh data every run): start -> login window drawn, Enter -> main window drawn,
// Enter -> first land rows drawn, memory after login (RSS and PSS of the client and its web
// engine processes), and a burst of land broadcasts from a second session (time until all are
// in the grid, worst event-loop lateness of a timer probe meanwhile). Prints the medians of a
// number of runs. Needs a display: run it under Xvfb (see README.md). Prints figures only.
//
//   bench_e2e [--runs 5] [--burst 2000] [--port-base N] [--client PATH]
//
// The parent starts the exchange, fills the user's city with listings, starts
// bench_e2e_client (the composed client of src/client, driven through its windows as a user
// would), and publishes the burst when the client asks for it. The parent maps none of the
// client's libraries, so it shares no pages with it that would lower the client's PSS. Both
// processes read the same monotonic clock, so the client's marks compare with the parent's.
#include "E2eClock.h"
#include "SandboxEndpoints.h"
#include "im/XmppIMClient.h"
#include "publish/PublishRequests.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTimer>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <functional>

using E2eClock::monotonicMs;
using E2eClock::say;

namespace {

const QString kPublisher = QStringLiteral("lina");
const QString kPassword = QStringLiteral("demo1234");
const QString kCity = QStringLiteral("上海");
// Listings published for the user's city before each run, so that the first page is full.
constexpr int kCityListings = 120;
constexpr int kFirstRows = 100;

// ------------------------------------------------------------------------ the parent

bool waitFor(const std::function<bool()>& done, int giveUpMs)
{
    QElapsedTimer clock;
    clock.start();
    // Wakes the wait below to look again; without it the loop would spin and take a core
    // from the client it measures.
    QTimer tick;
    tick.start(10);
    while (!done()) {
        if (clock.elapsed() > giveUpMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
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
    Parent(int burst, int portBase, const QString& clientProgram)
        : m_burst(burst), m_portBase(portBase), m_clientProgram(clientProgram)
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
        client.start(m_clientProgram, {QStringLiteral("--burst"), QString::number(m_burst)});
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
    QString m_clientProgram;
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

int runParent(int runs, int burst, int portBase, const QString& clientProgram)
{
    qputenv("TOVANTA_SANDBOX_C2S_PORT", QByteArray::number(portBase + 222));
    qputenv("TOVANTA_SANDBOX_HTTP_PORT", QByteArray::number(portBase + 280));
    Parent parent(burst, portBase, clientProgram);
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

// --client PATH: another build of bench_e2e_client, to compare two builds on one machine.
QString clientProgram(const QStringList& arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--client"));
    if (at >= 0 && at + 1 < arguments.size())
        return arguments.at(at + 1);
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("bench_e2e_client"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    return runParent(option(arguments, QStringLiteral("--runs"), 5),
                     option(arguments, QStringLiteral("--burst"), 2000),
                     option(arguments, QStringLiteral("--port-base"), TOVANTA_BENCH_PORT_BASE),
                     clientProgram(arguments));
}
