#include "analysis/CFrequency.h"

#include <limits>

int CFrequency::UnitSteps(int clockUnit) {
    return clockUnit >= 2 && clockUnit <= 4 ? clockUnit - 1 : 0;
}

float CFrequency::Hertz(uint32_t edges, uint32_t clock, int clockUnit, uint64_t clocks) {
    const uint64_t duration = static_cast<uint64_t>(clock) * clocks;  // exact below 2^64 for 32-bit clocks
    if (duration == 0) {
        return 0.0F;
    }
    float hertz = 0.0F;
    if (duration <= std::numeric_limits<uint32_t>::max()) {
        hertz = static_cast<float>(edges) / static_cast<float>(static_cast<uint32_t>(duration));
    } else {
        hertz = static_cast<float>(edges) / static_cast<float>(duration);
    }
    for (int step = UnitSteps(clockUnit); step > 0; --step) {
        hertz = hertz * 1000.0F;
    }
    return hertz;
}
