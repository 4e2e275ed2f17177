#include "update/UpdateFileName.h"

#include <QUrl>

namespace UpdateFileName {

namespace {
// Longer names are refused by the common file systems anyway.
constexpr int maxNameLength = 200;
} // namespace

bool isPlainName(const QString& name)
{
    if (name.isEmpty() || name.size() > maxNameLength)
        return false;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.trimmed() != name || name.endsWith(QLatin1Char('.')))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
        switch (c.unicode()) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

QString fromUrl(const QString& url)
{
    // The raw text up to the query or fragment; the last segment is taken before decoding,
    // so an encoded separator stays inside the name and refuses it.
    int end = url.size();
    for (const QChar mark : {QLatin1Char('?'), QLatin1Char('#')}) {
        const int at = url.indexOf(mark);
        if (at >= 0 && at < end)
            end = at;
    }
    const QString path = url.left(end);
    const int schemeEnd = path.indexOf(QLatin1String("://"));
    const int pathStart = path.indexOf(QLatin1Char('/'), schemeEnd < 0 ? 0 : schemeEnd + 3);
    if (schemeEnd >= 0 && pathStart < 0)
        return {}; // a bare host names no file
    const QString segment = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString name = QUrl::fromPercentEncoding(segment.toUtf8());
    return isPlainName(name) ? name : QString();
}

} // namespace UpdateFileName
