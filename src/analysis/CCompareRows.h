#pragma once
#include <cstdint>
#include <vector>

#include "document/COMPARE_POSITION.h"

// Compare of a block of displayed rows over a clock range: a clock differs
// when the rows' bits are not all equal there. Each run of neighbouring
// differing clocks becomes one record {firstRow, lastRow, first clock, last
// clock}, so a range that differs everywhere costs one record, not one per
// clock.
class CCompareRows {
public:
    // words: the memory; clocks firstClock..lastClock inclusive (inside the
    // memory); channels: the DeviceChannel of each compared row, a value
    // outside 0..31 (a bus row) takes no part.
    [[nodiscard]] static std::vector<COMPARE_POSITION> Compare(const uint32_t* words, uint32_t firstClock,
                                                               uint32_t lastClock, uint32_t firstRow,
                                                               uint32_t lastRow, const std::vector<int>& channels);
};
