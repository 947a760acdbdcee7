#pragma once
#include <cstdint>

// A frequency: channel, the range as absolute clocks and the hertz value.
struct FREQUENCY_RESULT {
    int16_t Channel = 0;
    int64_t Start = 0;
    int64_t End = 0;
    float Hertz = 0.0F;

    bool operator==(const FREQUENCY_RESULT&) const = default;
};
