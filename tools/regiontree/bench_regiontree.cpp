// Prints how long parsing the built-in region tree takes: the raw JSON parse
// and the conversion into the shared tree, as median and worst of many runs.
#include "core/JsonNode.h"
#include "refdata/GeoTreeNodes.h"
#include "refdata/RegionTree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Figures
{
    double medianMs;
    double worstMs;
};

Figures measure(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 50;
    QTextStream out(stdout);

    const QString text = RegionTree::builtInText();
    const RegionTree tree = RegionTree::fromText(text);
    int counties = 0;
    int cities = 0;
    for (const RegionEntry& province : tree.entries()) {
        cities += province.children.size();
        for (const RegionEntry& city : province.children)
            counties += city.children.size();
    }
    out << "region tree: " << text.size() << " characters, " << tree.count()
        << " top-level entries, " << cities << " second level, " << counties << " third level\n";

    const Figures json = measure(runs, [&] {
        const auto root = ParseJson(text);
        if (!root)
            qFatal("region tree does not parse");
    });
    const Figures full = measure(runs, [&] { RegionTree::fromText(text); });
    const Figures geo = measure(runs, [&] { GeoTreeNodes::build(tree); });
    out << QStringLiteral("ParseJson:              median %1 ms, worst %2 ms (%3 runs)\n")
               .arg(json.medianMs, 0, 'f', 3)
               .arg(json.worstMs, 0, 'f', 3)
               .arg(runs);
    out << QStringLiteral("RegionTree::fromText:   median %1 ms, worst %2 ms\n")
               .arg(full.medianMs, 0, 'f', 3)
               .arg(full.worstMs, 0, 'f', 3);
    out << QStringLiteral("GeoTreeNodes::build:    median %1 ms, worst %2 ms\n")
               .arg(geo.medianMs, 0, 'f', 3)
               .arg(geo.worstMs, 0, 'f', 3);
    return 0;
}
