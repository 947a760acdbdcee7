#include "analysis/CRangeMeasure.h"

#include "analysis/CEdgeCounter.h"
#include "analysis/CFrequency.h"
#include "document/LOGIC_CONDITION.h"

uint32_t CRangeMeasure::Edges(int channel, uint32_t start, uint32_t end, EDGE_KIND kind) const {
    if (m_valid == 0) {
        return 0;
    }
    const uint32_t last = m_valid - 1;
    const uint32_t to = end < last ? end : last;
    return start < to ? CEdgeCounter::Count(m_words, start, to, channel, kind) : 0;
}

PULSE_COUNT_RESULT CRangeMeasure::PulseCount(int channel, uint32_t start, uint32_t end, EDGE_KIND kind) const {
    PULSE_COUNT_RESULT result;
    result.Kind = kind;
    result.Channel = static_cast<int16_t>(channel);
    result.Start = m_offset + start;
    result.End = m_offset + end;
    result.Count = Edges(channel, start, end, kind);
    return result;
}

FREQUENCY_RESULT CRangeMeasure::Frequency(int channel, uint32_t start, uint32_t end,
                                          const DIRECTION_GROUP& group) const {
    FREQUENCY_RESULT result;
    result.Channel = static_cast<int16_t>(channel);
    result.Start = m_offset + start;
    result.End = m_offset + end;
    const uint32_t edges = Edges(channel, start, end, EDGE_KIND::Rising);
    const uint64_t clocks = static_cast<uint64_t>(end) - start + 1;
    result.Hertz = CFrequency::Hertz(edges, group.Clock, group.ClockUnit, clocks);
    return result;
}
