#pragma once
#include <cstdint>

// The frequency of a clock range in hertz, in single precision:
// edges / (Clock x clocks), then x 1000 once per unit step below seconds
// (ClockUnit 2 mSec once, 3 uSec twice, 4 nSec three times), rounded to
// float after every step. The duration Clock x clocks is taken as an
// unsigned 32-bit product; where that product would overflow the exact
// 64-bit product is used instead, and a zero clock (or zero clocks) gives
// 0 rather than a division by zero. A ClockUnit outside 1..4 counts as
// seconds.
class CFrequency {
public:
    [[nodiscard]] static float Hertz(uint32_t edges, uint32_t clock, int clockUnit, uint64_t clocks);
    // Unit steps below seconds of a ClockUnit: 0 for 1 (and for values outside 1..4), 3 for 4.
    [[nodiscard]] static int UnitSteps(int clockUnit);
};
