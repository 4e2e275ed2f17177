// ParseJson against nlohmann::json and RapidJSON on the same documents. Figures are MB of
// UTF-8 input per second; ratios are against ParseJson on an already decoded text.
#include "BenchDocuments.h"
#include "BenchTimer.h"
#include "core/JsonNode.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <rapidjson/document.h>

namespace {

QString g_summary;

void benchDocument(const QString& name, const QByteArray& utf8)
{
    const QString text = QString::fromUtf8(utf8);
    const auto check = ParseJson(text);
    if (!check) {
        std::fprintf(stderr, "%s: ParseJson rejected the document\n", qPrintable(name));
        std::exit(1);
    }
    const qint64 bytes = utf8.size();
    const auto results = BenchTimer::measureInTurns(
        bytes, {[&] { (void)ParseJson(text); }, [&] { (void)ParseJson(QString::fromUtf8(utf8)); },
                [&] {
                    const auto parsed =
                        nlohmann::json::parse(utf8.constData(), utf8.constData() + utf8.size());
                    (void)parsed;
                },
                [&] {
                    rapidjson::Document document;
                    document.Parse(utf8.constData(), static_cast<size_t>(utf8.size()));
                }});
    const BenchTimer::Result& ours = results[0];
    const QString label = QStringLiteral("%1 (%2 KB)").arg(name).arg(bytes / 1024);
    BenchTimer::printRow(label, QStringLiteral("ParseJson"), ours, ours);
    BenchTimer::printRow(label, QStringLiteral("ParseJson incl. UTF-8 decoding"), results[1], ours);
    BenchTimer::printRow(label, QStringLiteral("nlohmann::json"), results[2], ours);
    BenchTimer::printRow(label, QStringLiteral("RapidJSON"), results[3], ours);
    g_summary += QStringLiteral("%1: ParseJson %2x nlohmann::json (%3x with decoding), %4x "
                                "RapidJSON\n")
                     .arg(label)
                     .arg(ours.megabytesPerSecond / results[2].megabytesPerSecond, 0, 'f', 2)
                     .arg(results[1].megabytesPerSecond / results[2].megabytesPerSecond, 0, 'f', 2)
                     .arg(ours.megabytesPerSecond / results[3].megabytesPerSecond, 0, 'f', 2);
}

} // namespace

int main()
{
    std::printf("%-28s %-34s %15s %9s\n", "document", "reader", "throughput", "vs ours");
    benchDocument(QStringLiteral("100 land rows"), BenchDocuments::landListingJson(100));
    const QByteArray regions = BenchDocuments::regionTreeJson();
    if (!regions.isEmpty()) {
        benchDocument(QStringLiteral("region tree"), regions);
    }
    benchDocument(QStringLiteral("1 MB of land rows"),
                  BenchDocuments::landListingJsonOfSize(1024 * 1024));
    std::printf("\nEach figure is the best of five turns. Goal: ParseJson at least 1.5x "
                "nlohmann::json on every document.\n%s",
                qPrintable(g_summary));
    return 0;
}
