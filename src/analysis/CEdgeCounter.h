#pragma once
#include <cstdint>

#include "analysis/AnalysisKinds.h"

// Counts the rising or falling edges of one device channel between
// neighbouring words: for every i in [from, to) the pair (word i, word i+1)
// is (0, 1) for a rising edge and (1, 0) for a falling one. The words up to
// index `to` are read, so `to` must lie inside the memory. A channel outside
// 0..31 or an empty range counts nothing.
class CEdgeCounter {
public:
    [[nodiscard]] static uint32_t Count(const uint32_t* words, uint32_t from, uint32_t to, int channel,
                                        EDGE_KIND kind);
};
