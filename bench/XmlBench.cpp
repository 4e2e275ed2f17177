// The XML reader against pugixml on the same GBK bytes. Figures are MB of input per second;
// ratios are against our reader.
#include "BenchDocuments.h"
#include "BenchTimer.h"
#include "core/TXMLStringReader.h"

#include <cstdio>
#include <pugixml.hpp>

namespace {

QString g_summary;

void printResults(const QString& label, const std::vector<BenchTimer::Result>& results);

// Broadcasts arrive one stanza at a time, each read as a document of its own.
void benchBroadcasts(int count)
{
    std::vector<QByteArray> stanzas;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        stanzas.push_back(BenchDocuments::landBroadcastStanza(i));
        bytes += stanzas.back().size();
    }
    auto pugiReading = [&stanzas](pugi::xml_encoding encoding) {
        return [&stanzas, encoding] {
            for (const QByteArray& stanza : stanzas) {
                pugi::xml_document document;
                document.load_buffer(stanza.constData(), static_cast<size_t>(stanza.size()),
                                     pugi::parse_default, encoding);
            }
        };
    };
    const auto results = BenchTimer::measureInTurns(
        bytes, {[&stanzas] {
                    for (const QByteArray& stanza : stanzas) {
                        (void)TXMLStringReader::parseBytes(stanza);
                    }
                },
                pugiReading(pugi::encoding_latin1), pugiReading(pugi::encoding_utf8)});
    printResults(QStringLiteral("%1 broadcasts (%2 KB)").arg(count).arg(bytes / 1024), results);
}

void benchDocument(const QString& name, const QByteArray& gbk)
{
    const qint64 bytes = gbk.size();
    auto pugiReading = [&](pugi::xml_encoding encoding) {
        return [&gbk, encoding] {
            pugi::xml_document document;
            document.load_buffer(gbk.constData(), static_cast<size_t>(gbk.size()),
                                 pugi::parse_default | pugi::parse_declaration, encoding);
        };
    };
    const auto results = BenchTimer::measureInTurns(
        bytes, {[&] { (void)TXMLStringReader::parseBytes(gbk); },
                pugiReading(pugi::encoding_latin1), pugiReading(pugi::encoding_utf8)});
    printResults(QStringLiteral("%1 (%2 KB)").arg(name).arg(bytes / 1024), results);
}

void printResults(const QString& label, const std::vector<BenchTimer::Result>& results)
{
    const BenchTimer::Result& ours = results[0];
    BenchTimer::printRow(label, QStringLiteral("TXMLStringReader"), ours, ours);
    BenchTimer::printRow(label, QStringLiteral("pugixml (bytes as Latin-1)"), results[1], ours);
    BenchTimer::printRow(label, QStringLiteral("pugixml (bytes kept as they are)"), results[2],
                         ours);
    g_summary += QStringLiteral("%1: TXMLStringReader %2x pugixml reading Latin-1, %3x pugixml "
                                "keeping the bytes\n")
                     .arg(label)
                     .arg(ours.megabytesPerSecond / results[1].megabytesPerSecond, 0, 'f', 2)
                     .arg(ours.megabytesPerSecond / results[2].megabytesPerSecond, 0, 'f', 2);
}

} // namespace

int main()
{
    std::printf("%-28s %-34s %15s %9s\n", "document", "reader", "throughput", "vs ours");
    benchBroadcasts(2000);
    benchDocument(QStringLiteral("100 listings"), BenchDocuments::listingXml(100));
    benchDocument(QStringLiteral("1 MB of listings"),
                  BenchDocuments::listingXmlOfSize(1024 * 1024));
    std::printf("\nEach figure is the best of five turns. Goal: at least 0.5x pugixml reading "
                "the bytes as Latin-1 (pugixml then converts them, as we decode GBK only "
                "where a text is read).\n%s",
                qPrintable(g_summary));
    return 0;
}
