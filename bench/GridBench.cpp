// Live rows in the land grid: the process's resident memory as broadcast rows arrive at the top
// of InfoGrd, and how long a window resize holds the user-interface thread at that size. A
// second part resizes a grid holding rows with 100 KB titles. Needs a display: run it under
// Xvfb (xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/bench_grid). Prints figures only.
#include "service/ListingRows.h"
#include "ui/main/GridRowBuilder.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QVector>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kResizeRuns = 9;
constexpr int kHeight = 700;

// VmRSS of this process in kB, -1 where /proc is not there.
long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

ListingGridRow liveRow(int serial, const QString& title)
{
    const QString sender =
        serial % 7 == 0 ? QStringLiteral("-1") : QStringLiteral("user%1").arg(serial % 50);
    return GridRowBuilder::fromLand(
        LandRow::build(QString::number(100000 + serial), title,
                       serial % 3 == 0 ? QStringLiteral("2") : QStringLiteral("1"),
                       QStringLiteral("2026-12-08 19:30:05"), sender,
                       QStringLiteral("9F3A61C0B27D44E8"), QStringLiteral("上海市浦东新区")));
}

// Titles of the lengths broadcasts carry: one to three lines in a wide grid.
QString ordinaryTitle(int serial)
{
    static const QStringList words = {QStringLiteral("上海-北京"),     QStringLiteral("钢材20吨"),
                                      QStringLiteral("求9.6米高栏车"), QStringLiteral("今天装货"),
                                      QStringLiteral("价格面议"),      QStringLiteral("整车零担"),
                                      QStringLiteral("回程车"),        QStringLiteral("电话联系")};
    QString title = QStringLiteral("#%1 ").arg(serial);
    const int count = 3 + serial % 11;
    for (int i = 0; i < count; ++i)
        title += words.at((serial + i * 3) % words.size()) + QLatin1Char(' ');
    return title;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void waitExposed(QWidget& widget)
{
    QElapsedTimer timer;
    timer.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

struct ResizeTimes
{
    double worstMs = 0;
    double medianMs = 0;
};

// Resizes the window between two widths; each run lasts until the grid has handled the new
// size and painted it.
ResizeTimes timeResizes(ListingGridView& grid)
{
    QVector<double> runs;
    for (int i = 0; i < kResizeRuns; ++i) {
        const int width = i % 2 == 0 ? 1300 : 900;
        QElapsedTimer timer;
        timer.start();
        grid.resize(width, kHeight);
        settle();
        grid.viewport()->repaint();
        settle();
        runs.append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return {runs.last(), runs.at(runs.size() / 2)};
}

void printRow(const char* what, int inserted, const ListingGridView& grid, long rssBefore,
              const ResizeTimes& times)
{
    const long rss = residentKilobytes();
    std::printf("%-24s %9d %7d %10ld %+10ld %11.1f %11.1f\n", what, inserted,
                grid.listingModel()->rowCount(), rss, rss - rssBefore, times.worstMs,
                times.medianMs);
    std::fflush(stdout);
}

void liveRows()
{
    ListingGridView grid(ListingGrid::InfoGrd);
    grid.resize(900, kHeight);
    grid.show();
    waitExposed(grid);
    settle();
    const long start = residentKilobytes();
    std::printf("%-24s %9s %7s %10s %10s %11s %11s\n", "live rows", "inserted", "kept", "RSS kB",
                "growth kB", "resize max", "resize med");
    printRow("empty grid", 0, grid, start, timeResizes(grid));
    const QVector<int> checkpoints = {2000, 10000, 20000};
    int inserted = 0;
    for (int checkpoint : checkpoints) {
        while (inserted < checkpoint) {
            ++inserted;
            grid.insertGridRow(0, liveRow(inserted, ordinaryTitle(inserted)));
            // The event loop runs between broadcasts, as it does in the window.
            if (inserted % 20 == 0)
                settle();
        }
        settle();
        printRow("after inserts", inserted, grid, start, timeResizes(grid));
    }
}

void hugeTitles()
{
    ListingGridView grid(ListingGrid::InfoGrd);
    grid.resize(900, kHeight);
    grid.show();
    waitExposed(grid);
    settle();
    const long start = residentKilobytes();
    const QString block = QStringLiteral("超长标题 <b>markup</b> & 控制字符\t\n");
    QString huge;
    while (huge.size() < 100 * 1024)
        huge += block;
    QElapsedTimer inserts;
    inserts.start();
    for (int i = 1; i <= 21; ++i)
        grid.insertGridRow(0, liveRow(i, QString::number(i) + huge));
    const double insertMs = static_cast<double>(inserts.nsecsElapsed()) / 1e6;
    settle();
    std::printf("\n%-24s %9s %7s %10s %10s %11s %11s\n", "100 KB titles", "inserted", "kept",
                "RSS kB", "growth kB", "resize max", "resize med");
    printRow("after inserts", 21, grid, start, timeResizes(grid));
    int tallest = 0;
    for (int row = 0; row < grid.listingModel()->rowCount(); ++row)
        tallest = std::max(tallest, grid.rowHeight(row));
    std::printf("21 inserts took %.1f ms; tallest row %d px, grid viewport %d px\n", insertMs,
                tallest, grid.viewport()->height());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    liveRows();
    hugeTitles();
    return 0;
}
