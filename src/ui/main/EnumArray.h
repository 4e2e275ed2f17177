#pragma once

#include <array>
#include <cstddef>

// A fixed array indexed by the values of an enumeration that counts from 0 without gaps.
template <typename Enum, typename T, int Count> class EnumArray
{
public:
    T& operator[](Enum key) { return m_items[std::size_t(key)]; }
    const T& operator[](Enum key) const { return m_items[std::size_t(key)]; }

private:
    std::array<T, Count> m_items{};
};
