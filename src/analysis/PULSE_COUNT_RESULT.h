#pragma once
#include <cstdint>

#include "analysis/AnalysisKinds.h"

// A pulse count: edge kind, channel, the range as absolute clocks (block
// offset included) and the number of edges.
struct PULSE_COUNT_RESULT {
    EDGE_KIND Kind = EDGE_KIND::Rising;
    int16_t Channel = 0;
    int64_t Start = 0;
    int64_t End = 0;
    uint32_t Count = 0;

    bool operator==(const PULSE_COUNT_RESULT&) const = default;
};
