// The chaos run's random numbers: splitmix64, with its own range mapping, so that a seed
// gives the same steps with every compiler and standard library.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class CChaosRandom {
public:
    explicit CChaosRandom(uint64_t seed) : m_state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 to bound - 1; the slight bias of the modulo does not matter here.
    uint32_t Below(uint32_t bound) { return bound == 0 ? 0 : static_cast<uint32_t>(Next() % bound); }
    uint32_t Between(uint32_t low, uint32_t high) { return low + Below(high - low + 1); }
    bool Chance(uint32_t perThousand) { return Below(1000) < perThousand; }

    template <typename T>
    const T& Pick(const std::vector<T>& items) { return items[Below(static_cast<uint32_t>(items.size()))]; }
    const char* Pick(std::initializer_list<const char*> items)
    {
        return items.begin()[Below(static_cast<uint32_t>(items.size()))];
    }

private:
    uint64_t m_state;
};
