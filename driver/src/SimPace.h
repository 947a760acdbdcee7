// Conversion between monotonic time and clock ticks of a simulated board.
#pragma once

#include <chrono>
#include <cstdint>
#include <limits>

namespace qdxsim {

// A clock of Num ticks per Den nanoseconds. Num 0 is a stopped clock.
struct SIM_PACE {
    uint64_t Num = 0;
    uint64_t Den = 1;

    [[nodiscard]] static SIM_PACE FromPeriodNs(uint64_t periodNs) { return SIM_PACE{1, periodNs}; }
    [[nodiscard]] static SIM_PACE FromRate(uint64_t wordsPerSecond) { return SIM_PACE{wordsPerSecond, 1000000000ULL}; }

    // Ticks completed after elapsedNs: tick k completes at the end of its period.
    [[nodiscard]] uint64_t TicksIn(uint64_t elapsedNs) const
    {
        if (Num == 0) return 0;
        return static_cast<uint64_t>(static_cast<unsigned __int128>(elapsedNs) * Num / Den);
    }

    // Start of tick k in nanoseconds after the origin, rounded up.
    [[nodiscard]] uint64_t TimeOfTick(uint64_t tick) const
    {
        if (Num == 0) return std::numeric_limits<uint64_t>::max();
        const unsigned __int128 scaled = static_cast<unsigned __int128>(tick) * Den;
        const unsigned __int128 ns = (scaled + Num - 1) / Num;
        if (ns > std::numeric_limits<uint64_t>::max() / 2) return std::numeric_limits<uint64_t>::max() / 2;
        return static_cast<uint64_t>(ns);
    }

    [[nodiscard]] bool operator==(const SIM_PACE& other) const = default;
};

// Monotonic time in nanoseconds.
[[nodiscard]] inline uint64_t SimNowNs()
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

}  // namespace qdxsim
