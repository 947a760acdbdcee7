#pragma once
#include <cstdint>

// The parameters of the last created pattern, kept in the document and
// overwritten by every pattern command. The data pattern file saves the
// first period of that pattern from them.
struct PATTERN_PARAMETERS {
    int16_t PatternKind = 0;        // 0 clock, 1 continuous, 2 offset
    int16_t PatternChannel = 0;     // target device channel 0..31
    int16_t PatternData = 0;        // clock: start data; offset: the level; continuous: 0
    uint32_t ZeroClockCount = 0;    // clock: clocks of level 0 per period
    uint32_t OneClockCount = 0;     // clock: clocks of level 1 per period
    uint32_t PatternCount = 0;      // periods or repetitions; 0 fills the whole memory
    uint32_t BasicPatternLength = 0;  // the period in clocks (1 for offset); 0 until a pattern was made

    bool operator==(const PATTERN_PARAMETERS&) const = default;
};
