#pragma once
#include <cstdint>
#include <vector>

#include "analysis/AnalysisKinds.h"
#include "analysis/CPackedBits.h"

// The result of a logical operation: its code, the device channels used in
// the order they were taken, and one bit per clock of the generating memory
// as it was when computed.
struct LOGIC_RESULT {
    LOGIC_OPERATION Operation = LOGIC_OPERATION::And;
    std::vector<int16_t> Channels;
    CPackedBits Bits;
};
