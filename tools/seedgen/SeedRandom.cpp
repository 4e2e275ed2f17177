#include "SeedRandom.h"

SeedRandom::SeedRandom(std::uint64_t seed) : m_state(seed) {}

// splitmix64: tiny, well distributed, fully specified.
std::uint64_t SeedRandom::next()
{
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int SeedRandom::between(int low, int high)
{
    const auto span = static_cast<std::uint64_t>(high - low + 1);
    return low + static_cast<int>(next() % span);
}

const QString& SeedRandom::pick(const QStringList& items)
{
    return items.at(between(0, items.size() - 1));
}

bool SeedRandom::chance(int percent)
{
    return between(1, 100) <= percent;
}
