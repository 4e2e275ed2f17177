#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The one error type of the core library (cipher, XML and JSON errors). The message is the
// exact text callers may show or compare, e.g. "Error: not a Hex String".
class CoreError : public std::exception
{
public:
    explicit CoreError(const QString& message);

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override;

private:
    QString m_message;
    QByteArray m_utf8;
};
