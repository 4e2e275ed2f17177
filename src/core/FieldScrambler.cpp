#include "core/FieldScrambler.h"

#include "core/Gbk.h"
#include "core/HexDigits.h"
#include "core/Keys.h"
#include "core/TextTrim.h"

#include <algorithm>
#include <climits>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

quint8 keyByte(int position)
{
    return static_cast<quint8>(kScrambleKey[position % kScrambleKeyLength]);
}

bool matchesAt(const QString& text, int position, const QString& find, bool caseSensitive)
{
    for (int i = 0; i < find.size(); ++i) {
        const QChar a = text.at(position + i);
        const QChar b = find.at(i);
        if (a != b && (caseSensitive || a.toUpper() != b.toUpper())) {
            return false;
        }
    }
    return true;
}

// Result buffer as large as the text, or as the text would be with every part replaced when
// replacements are longer, but never beyond ten times the text.
int initialCapacity(int textLength, int findLength, int replacementLength)
{
    qint64 capacity = textLength;
    if (replacementLength > findLength) {
        capacity = qint64(textLength) * replacementLength / findLength;
    }
    return static_cast<int>(std::min<qint64>(capacity, qint64(textLength) * 10));
}

// The words and characters the forms remove from free text, in the order they are removed.
const char* const kScreenedParts[] = {
    "[",     "]",      "\"",     "'",      "{",    "(",         ")",        "}",      "/",    "<",
    ">",     "insert", "update", "delete", "drop", "create",    "alter",    "select", "join", "and",
    "where", "or",     "like",   "left",   "show", "databases", "database", "table"};

} // namespace

QString ScrambleField(const QString& text)
{
    if (IsBlankText(text)) {
        return QString();
    }
    const QByteArray bytes = text.toUtf8();
    QString result;
    result.reserve(bytes.size() * 2);
    for (int i = 0; i < bytes.size(); ++i) {
        const quint8 b = static_cast<quint8>(bytes.at(i)) ^ keyByte(i);
        result.append(QLatin1Char(kHexDigits[b >> 4]));
        result.append(QLatin1Char(kHexDigits[b & 0x0F]));
    }
    return result;
}

QString UnscrambleField(const QString& scrambled)
{
    if (IsBlankText(scrambled)) {
        return QString();
    }
    QByteArray bytes;
    bytes.reserve(scrambled.size() / 2);
    for (int i = 0; i + 1 < scrambled.size(); i += 2) {
        const int high = HexDigitValue(scrambled.at(i));
        const int low = HexDigitValue(scrambled.at(i + 1));
        if (high < 0 || low < 0) {
            break;
        }
        bytes.append(static_cast<char>((high * 16 + low) ^ keyByte(i / 2)));
    }
    // The explicit size keeps NUL characters inside the value.
    return QString::fromUtf8(bytes.constData(), bytes.size());
}

QString ReplaceText(const QString& text, const QString& find, const QString& replacement,
                    bool caseSensitive)
{
    if (text.isEmpty() || find.isEmpty() || find.size() > text.size()) {
        return text;
    }
    int capacity = initialCapacity(text.size(), find.size(), replacement.size());
    QString result;
    result.reserve(capacity);
    auto ensureRoom = [&](int extra) {
        const int needed = result.size() + extra;
        if (needed > capacity) {
            capacity = static_cast<int>(std::min<qint64>(qint64(needed) * 3 / 2, INT_MAX / 2));
            result.reserve(capacity);
        }
    };
    const int lastStart = text.size() - find.size();
    int position = 0;
    int copiedUpTo = 0;
    while (position <= lastStart) {
        if (!matchesAt(text, position, find, caseSensitive)) {
            ++position;
            continue;
        }
        ensureRoom(position - copiedUpTo + replacement.size());
        result.append(text.midRef(copiedUpTo, position - copiedUpTo));
        result.append(replacement);
        position += find.size();
        copiedUpTo = position;
    }
    ensureRoom(text.size() - copiedUpTo);
    result.append(text.midRef(copiedUpTo));
    return result;
}

QString ScreenInput(const QString& text)
{
    QString screened = TrimLowChars(text);
    for (const char* part : kScreenedParts) {
        screened = ReplaceText(screened, QString::fromLatin1(part), QString(), true);
    }
    return screened;
}

bool ContainsApostrophe(const QString& text)
{
    return text.contains(QLatin1Char('\''));
}

bool ContainsApostropheOrTooLong(const QString& text, int maxBytes)
{
    return ContainsApostrophe(text) || Gbk::byteLength(text) > maxBytes;
}
