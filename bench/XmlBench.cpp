// The XML reader against pugixml on the same GBK bytes. Figures are MB of input per second;
// ratios are against our reader.
#include "BenchDocuments.h"
#include "BenchTimer.h"
#include "core/TXMLStringReader.h"

#include <cstdio>
#include <pugixml.hpp>

namespace {

void benchDocument(const QString& name, const QByteArray& gbk)
{
    const qint64 bytes = gbk.size();
    const auto ours = BenchTimer::measure(bytes, [&] { (void)TXMLStringReader::parseBytes(gbk); });
    const auto pugi = BenchTimer::measure(bytes, [&] {
        pugi::xml_document document;
        document.load_buffer(gbk.constData(), static_cast<size_t>(gbk.size()),
                             pugi::parse_default | pugi::parse_declaration, pugi::encoding_latin1);
    });
    const auto pugiRaw = BenchTimer::measure(bytes, [&] {
        pugi::xml_document document;
        document.load_buffer(gbk.constData(), static_cast<size_t>(gbk.size()),
                             pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    });
    const QString label = QStringLiteral("%1 (%2 KB)").arg(name).arg(bytes / 1024);
    BenchTimer::printRow(label, QStringLiteral("TXMLStringReader"), ours, ours);
    BenchTimer::printRow(label, QStringLiteral("pugixml (bytes as Latin-1)"), pugi, ours);
    BenchTimer::printRow(label, QStringLiteral("pugixml (bytes kept as they are)"), pugiRaw, ours);
}

} // namespace

int main()
{
    std::printf("%-28s %-34s %15s %9s\n", "document", "reader", "throughput", "vs ours");
    benchDocument(QStringLiteral("100 listings"), BenchDocuments::listingXml(100));
    benchDocument(QStringLiteral("1 MB of listings"),
                  BenchDocuments::listingXmlOfSize(1024 * 1024));
    return 0;
}
