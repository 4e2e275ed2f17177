#pragma once

#include <QByteArray>
#include <QString>

// The documents the benchmarks read, generated in code so that every reader sees the same
// bytes.
class BenchDocuments
{
public:
    // A list of rows like the listing service returns for land cargo (UTF-8 JSON).
    static QByteArray landListingJson(int rows);
    // About targetBytes of such rows.
    static QByteArray landListingJsonOfSize(int targetBytes);
    // The built-in region tree, or empty when its file is not in the source tree.
    static QByteArray regionTreeJson();

    // A settings-like GBK XML document with rows of listing elements, attributes, references
    // and Chinese text.
    static QByteArray listingXml(int rows);
    static QByteArray listingXmlOfSize(int targetBytes);
    // The i-th land broadcast as the exchange sends it to a signed-in user, GBK.
    static QByteArray landBroadcastStanza(int i);
};
