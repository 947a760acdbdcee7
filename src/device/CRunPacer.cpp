#include "device/CRunPacer.h"

#include <algorithm>
#include <chrono>
#include <thread>

uint64_t CRunPacer::ClockPeriodNs(uint32_t clock, int16_t unit) {
    switch (unit) {
        case 1:
            return uint64_t{clock} * 1'000'000'000ULL;
        case 2:
            return uint64_t{clock} * 1'000'000ULL;
        case 3:
            return uint64_t{clock} * 1'000ULL;
        default:
            return clock;
    }
}

uint64_t CRunPacer::ClampedPauseNs(uint64_t wantedNs) {
    return std::clamp(wantedNs, ShortestPauseNs, LongestPauseNs);
}

bool CRunPacer::Pause(uint64_t wantedNs, const std::atomic<bool>& end) {
    if (end.load(std::memory_order_acquire)) {
        return false;
    }
    std::this_thread::sleep_for(std::chrono::nanoseconds(ClampedPauseNs(wantedNs)));
    return !end.load(std::memory_order_acquire);
}
