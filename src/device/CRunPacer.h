#pragma once
#include <atomic>
#include <cstdint>

// Pacing of the run threads. A pause sleeps (it never spins) for the time the
// sampling clock asks for, limited to 0.2 ms .. 50 ms, so that no thread
// starves another on two cores and a stop is noticed within 50 ms even with
// the slowest clock.
class CRunPacer {
public:
    static constexpr uint64_t ShortestPauseNs = 200'000;
    static constexpr uint64_t LongestPauseNs = 50'000'000;

    // Clock period in nanoseconds: Clock x 10^9 (unit 1, s), 10^6 (2, ms),
    // 10^3 (3, us) or x 1 (4, ns); no overflow for any 32-bit clock.
    [[nodiscard]] static uint64_t ClockPeriodNs(uint32_t clock, int16_t unit);
    [[nodiscard]] static uint64_t ClampedPauseNs(uint64_t wantedNs);
    // Sleeps for the clamped pause; returns early (false) once `end` is set.
    static bool Pause(uint64_t wantedNs, const std::atomic<bool>& end);
};
