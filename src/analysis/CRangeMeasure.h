#pragma once
#include <cstdint>

#include "analysis/FREQUENCY_RESULT.h"
#include "analysis/PULSE_COUNT_RESULT.h"

struct DIRECTION_GROUP;

// Pulse count and frequency of one channel over the clock range start..end
// of a memory's valid words; the graph and nivara-cli share it. The edges are
// looked for between the pairs start..end-1; the frequency divides them by
// the duration of the end-start+1 clocks. A range reaching past the valid
// words is cut to the last valid word (nothing is read outside), and the
// shown start and end are the clocks plus the block offset.
class CRangeMeasure {
public:
    CRangeMeasure(const uint32_t* words, uint32_t validLength, int64_t blockOffset)
        : m_words(words), m_valid(validLength), m_offset(blockOffset) {}

    [[nodiscard]] PULSE_COUNT_RESULT PulseCount(int channel, uint32_t start, uint32_t end, EDGE_KIND kind) const;
    [[nodiscard]] FREQUENCY_RESULT Frequency(int channel, uint32_t start, uint32_t end,
                                             const DIRECTION_GROUP& group) const;

private:
    [[nodiscard]] uint32_t Edges(int channel, uint32_t start, uint32_t end, EDGE_KIND kind) const;

    const uint32_t* m_words;
    uint32_t m_valid;
    int64_t m_offset;
};
