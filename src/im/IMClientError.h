#pragma once

#include <stdexcept>
#include <string>

// Raised by every IMClient operation that fails; callers catch it and end quietly.
class IMClientError : public std::runtime_error
{
public:
    explicit IMClientError(const std::string& message) : std::runtime_error(message) {}
};
