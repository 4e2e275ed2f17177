#include "core/XmlEscape.h"

namespace {

enum class Context
{
    Text,
    Attribute,
    Plain
};

void appendEscaped(QString& out, QChar c, Context context)
{
    if (context != Context::Plain) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            return;
        case '<':
            out += QLatin1String("&lt;");
            return;
        case '>':
            out += QLatin1String("&gt;");
            return;
        default:
            break;
        }
    }
    if (context == Context::Attribute) {
        switch (c.unicode()) {
        case '\'':
            out += QLatin1String("&apos;");
            return;
        case '"':
            out += QLatin1String("&quot;");
            return;
        case '\t':
            out += QLatin1String("&#9;");
            return;
        case '\n':
            out += QLatin1String("&#10;");
            return;
        case '\r':
            out += QLatin1String("&#13;");
            return;
        default:
            break;
        }
    }
    out += c;
}

QString escaped(const QString& value, Context context)
{
    QString out;
    out.reserve(value.size());
    const int size = value.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = value.at(i);
        if (c.isHighSurrogate()) {
            // Only a complete pair is a character; a half of one is dropped.
            if (i + 1 < size && value.at(i + 1).isLowSurrogate()) {
                out += c;
                out += value.at(++i);
            }
            continue;
        }
        if (c.isLowSurrogate() || !XmlEscape::isAllowed(c.unicode()))
            continue;
        appendEscaped(out, c, context);
    }
    return out;
}

} // namespace

namespace XmlEscape {

bool isAllowed(char32_t codePoint)
{
    if (codePoint < 0x20)
        return codePoint == 0x09 || codePoint == 0x0A || codePoint == 0x0D;
    if (codePoint <= 0xD7FF)
        return true;
    if (codePoint < 0xE000)
        return false; // surrogates
    if (codePoint <= 0xFFFD)
        return true;
    return codePoint >= 0x10000 && codePoint <= 0x10FFFF;
}

QString text(const QString& value)
{
    return escaped(value, Context::Text);
}

QString attribute(const QString& value)
{
    return escaped(value, Context::Attribute);
}

QString allowedOnly(const QString& value)
{
    return escaped(value, Context::Plain);
}

} // namespace XmlEscape
