#pragma once

#include <QStringList>
#include <cstdint>

// A small fixed-sequence generator, so the seed data is the same on every machine and
// every run (std:: distributions differ between library versions).
class SeedRandom
{
public:
    explicit SeedRandom(std::uint64_t seed);

    // A number in [low, high].
    int between(int low, int high);
    const QString& pick(const QStringList& items);
    bool chance(int percent);

private:
    std::uint64_t next();
    std::uint64_t m_state;
};
