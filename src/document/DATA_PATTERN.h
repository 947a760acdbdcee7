#pragma once
#include <cstdint>
#include <string>

// One entry of the graph's data-pattern list: the first period of a created
// clock or continuous pattern, one "0"/"1" character per clock.
struct DATA_PATTERN {
    int16_t Kind = 0;     // the PatternKind that created it: 0 clock, 1 continuous
    int32_t Length = 0;   // clocks of the pattern
    std::string Bits;     // Length characters, each '0' or '1'
    int32_t SlotLeft = 0;   // left screen x of the slot where it was last drawn
    int32_t SlotRight = 0;  // right screen x of that slot

    bool operator==(const DATA_PATTERN&) const = default;
};
