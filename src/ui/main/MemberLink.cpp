#include "ui/main/MemberLink.h"

#include <QUrl>

namespace {
const QString kPrefix = QStringLiteral("member:");
}

bool MemberLink::isMemberLink(const QString& url)
{
    return url.contains(kPrefix, Qt::CaseInsensitive);
}

MemberLink MemberLink::parse(const QString& url)
{
    MemberLink link;
    const int start = url.indexOf(kPrefix, 0, Qt::CaseInsensitive);
    if (start < 0)
        return link;
    // Read from the command itself, so a page address in front of it cannot shift the fields;
    // names with non-ASCII letters arrive percent-encoded.
    const QString command = QUrl::fromPercentEncoding(url.mid(start + kPrefix.size()).toUtf8());
    const int colon = command.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return link;
    link.login = command.left(colon).trimmed();
    link.displayName = command.mid(colon + 1).trimmed();
    return link;
}
