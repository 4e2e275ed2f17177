#include "update/UpdateInfoFile.h"

#include "core/Gbk.h"

#include <QTextCodec>

namespace {

QString decodeText(const QByteArray& text)
{
    QTextCodec::ConverterState state;
    const QString utf8 =
        QTextCodec::codecForName("UTF-8")->toUnicode(text.constData(), text.size(), &state);
    if (state.invalidChars == 0)
        return utf8;
    return Gbk::decode(text);
}

QString foldAscii(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return folded;
}

} // namespace

UpdateInfoFile::UpdateInfoFile(const QByteArray& text)
    : m_text(decodeText(text)), m_folded(foldAscii(m_text))
{}

int UpdateInfoFile::valueStart(const QString& key) const
{
    const QString marker = QLatin1Char('#') + foldAscii(key) + QLatin1Char('=');
    const int at = m_folded.indexOf(marker);
    return at < 0 ? -1 : at + marker.size();
}

QString UpdateInfoFile::value(const QString& key) const
{
    const int start = valueStart(key);
    if (start < 0)
        return {};
    int end = start;
    while (end < m_text.size() && end - start < MaxValueLength && m_text.at(end).unicode() >= 32)
        ++end;
    return m_text.mid(start, end - start);
}

QString UpdateInfoFile::message() const
{
    const int start = valueStart(QStringLiteral("message"));
    if (start < 0 || start >= m_text.size() || m_text.at(start) != QLatin1Char('{'))
        return {};
    const int close = m_text.indexOf(QLatin1Char('}'), start + 1);
    const int end = close < 0 ? m_text.size() : close;
    return m_text.mid(start + 1, qMin(end - start - 1, MaxMessageLength));
}

int UpdateInfoFile::method() const
{
    const QString method = value(QStringLiteral("method"));
    if (method.startsWith(QLatin1Char('1')))
        return 1;
    if (method.startsWith(QLatin1Char('2')))
        return 2;
    return 0;
}

QList<UpdateInfoFile::File> UpdateInfoFile::files() const
{
    QList<File> files;
    const auto add = [this, &files](const QString& suffix) {
        const QString url = value(QStringLiteral("url") + suffix);
        if (url.isEmpty())
            return false;
        files.append({url, value(QStringLiteral("sha256") + suffix).trimmed().toLower()});
        return true;
    };
    add(QString());
    add(QStringLiteral("0"));
    for (int n = files.size() + 1; files.size() < MaxFiles; ++n) {
        if (!add(QString::number(n)))
            break;
    }
    return files;
}
