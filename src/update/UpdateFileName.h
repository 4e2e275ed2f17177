#pragma once

#include <QString>

// The names update files are stored under. A name comes from a URL the server sent, so it is
// only ever a plain file name inside the program's folder: never empty, ".", "..", nor holding
// a separator, a drive colon or a control character, also after percent-decoding.
namespace UpdateFileName {

// The suffix of a downloaded file until the upgrader puts it in place.
inline QString temporarySuffix()
{
    return QStringLiteral(".uTMP");
}

// The plain file name the URL names (its last path segment, percent-decoded); empty when
// there is none or it is not plain.
QString fromUrl(const QString& url);

bool isPlainName(const QString& name);

} // namespace UpdateFileName
