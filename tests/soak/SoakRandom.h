#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

// The soak's own random numbers, apart from the game's rand(), so that one seed replays one run
// on any machine: splitmix64, with no library distribution in between.
class SoakRandom {
public:
    explicit SoakRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; n > 0.
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    // True `percent` times in a hundred.
    bool Chance(int percent) { return Below(100) < percent; }
    std::int32_t Int32() { return static_cast<std::int32_t>(static_cast<std::uint32_t>(Next())); }

    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }
    template <typename T> T Pick(std::initializer_list<T> items) {
        return *(items.begin() + Below(static_cast<int>(items.size())));
    }
    // An index chosen with the given weights.
    int Weighted(std::initializer_list<int> weights) {
        int total = 0;
        for (int w : weights) {
            total += w;
        }
        int r = Below(total);
        int index = 0;
        for (int w : weights) {
            if (r < w) {
                return index;
            }
            r -= w;
            ++index;
        }
        return index - 1;
    }

private:
    std::uint64_t m_state;
};
