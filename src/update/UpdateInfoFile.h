#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The update information file: entries "#key=value" anywhere in the text. A key is found
// case-insensitively (its first occurrence counts); its value runs to the first control
// character, except `message`, written between braces, which runs to the first "}" across
// lines. A missing key reads as empty. The text comes from the server: it is read as UTF-8
// when it is valid UTF-8, as GBK otherwise, and every value is bounded in size.
class UpdateInfoFile
{
public:
    struct File
    {
        QString url;
        // Lower-case hexadecimal SHA-256 the file must have; empty when the file announces
        // none (the server need not).
        QString sha256;
    };

    static constexpr int MaxValueLength = 4096;
    static constexpr int MaxMessageLength = 65536;
    static constexpr int MaxFiles = 256;

    explicit UpdateInfoFile(const QByteArray& text);

    QString value(const QString& key) const;
    QString version() const { return value(QStringLiteral("version")); }
    QString date() const { return value(QStringLiteral("date")); }
    QString message() const;
    // 1 or 2 by the first character of `method`, 0 for anything else.
    int method() const;
    // `url`, `url0`, then url<n> probed from n = (files so far) + 1 upwards until one is
    // missing or empty; each only when not empty. `sha256` belongs to `url`, sha256<n> to
    // url<n>.
    QList<File> files() const;

private:
    // Index of the text after "#key=", or -1.
    int valueStart(const QString& key) const;

    QString m_text;
    QString m_folded; // m_text with ASCII letters in lower case, same length
};
