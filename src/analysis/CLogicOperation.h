#pragma once
#include <cstdint>
#include <vector>

#include "analysis/AnalysisKinds.h"
#include "analysis/CPackedBits.h"

// AND, OR, XOR and NOT of device channels at every clock of a memory:
// AND is 1 where every channel is 1, OR where any is, XOR where an odd
// number are (a channel listed twice cancels itself), NOT where the first
// channel is 0. Channels outside 0..31
// take no part (they are never used as a shift count); with no valid
// channel AND gives all ones, OR and XOR all zeros, NOT all ones.
class CLogicOperation {
public:
    [[nodiscard]] static CPackedBits Evaluate(const uint32_t* words, uint32_t length, LOGIC_OPERATION operation,
                                              const std::vector<int>& channels);

    // The mask of the valid channels (bits 0..31).
    [[nodiscard]] static uint32_t ChannelMask(const std::vector<int>& channels);
};
