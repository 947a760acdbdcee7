#pragma once
#include <cstdint>

#include "document/CCheckedArray.h"

// One highlight left by Compare: a block of displayed rows over a stretch of clocks.
struct COMPARE_POSITION {
    uint32_t FirstRow = 0;
    uint32_t LastRow = 0;
    uint32_t FirstClock = 0;
    uint32_t LastClock = 0;

    bool operator==(const COMPARE_POSITION&) const = default;
};

using CCompareList = CCheckedArray<COMPARE_POSITION>;
