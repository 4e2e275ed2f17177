#include "service/WebAnswer.h"

#include "core/FieldScrambler.h"
#include "core/Gbk.h"

#include <QTextCodec>

namespace {

// The text as the program's code page shows it: what GBK cannot show becomes "?".
QString gbkVisible(const QString& text)
{
    if (Gbk::canEncode(text)) {
        return text;
    }
    QString visible;
    visible.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size();
        const QString character = text.mid(i, pair ? 2 : 1);
        visible += Gbk::canEncode(character) ? character : QStringLiteral("?");
        i += pair ? 1 : 0;
    }
    return visible;
}

// UTF-8 decoding that keeps a leading byte-order mark as a character.
QString decodeUtf8KeepingMark(const QByteArray& body)
{
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return utf8->toUnicode(body.constData(), body.size(), &state);
}

bool isValidUtf8(const QByteArray& body)
{
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    utf8->toUnicode(body.constData(), body.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

} // namespace

QString WebAnswer::plain(const QByteArray& body)
{
    // The site sends UTF-8; bytes that are not UTF-8 are read in the program's code page.
    if (isValidUtf8(body)) {
        QString text = decodeUtf8KeepingMark(body);
        if (text.startsWith(QChar(0xFEFF))) {
            text.remove(0, 1);
        }
        return text;
    }
    return Gbk::decode(body);
}

QString WebAnswer::utf8Text(const QByteArray& body)
{
    QString text = decodeUtf8KeepingMark(body);
    // A leading byte-order mark is no content; left in, it would spoil a JSON answer.
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return gbkVisible(text);
}

QString WebAnswer::scrambled(const QByteArray& body)
{
    QString text = gbkVisible(decodeUtf8KeepingMark(body));
    const int mark = text.indexOf(QLatin1Char('?'));
    if (mark >= 0) {
        text.remove(mark, 1);
    }
    return UnscrambleField(text);
}

bool WebAnswer::booleanWord(const QByteArray& body, bool* ok)
{
    // A line break after the word is transport, not an answer of its own.
    const QByteArray word = body.trimmed().toLower();
    *ok = word == "true" || word == "false";
    return word == "true";
}
