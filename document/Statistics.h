#pragma once

#include <cstdint>

// Statistics arithmetic. A match file may hold any 32-bit values, so sums wrap round as 32-bit
// integers instead of overflowing, and an average is only taken over a positive game count.
namespace match {

inline std::int32_t WrapAdd(std::int32_t value, std::int64_t add) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) +
                                     static_cast<std::uint32_t>(add));
}

// The average rounded half up: (total + games / 2) / games, for games > 0.
inline std::int32_t RoundedAverage(std::int32_t total, std::int32_t games) {
    const std::int64_t sum = std::int64_t{total} + games / 2;
    return static_cast<std::int32_t>(sum / games);
}

} // namespace match
