#include "core/CoreError.h"

CoreError::CoreError(const QString& message) : m_message(message), m_utf8(message.toUtf8()) {}

const char* CoreError::what() const noexcept
{
    return m_utf8.constData();
}
