#include "analysis/CCompareRows.h"

#include <bit>

#include "analysis/CLogicOperation.h"

namespace {

// Bit j of the result: word j differs in the masked bits (some 0, some 1).
// Blocks where every word agrees, the usual case, cost one branch-free pass.
uint64_t DiffBits(const uint32_t* words, uint32_t count, uint32_t mask) {
    uint32_t any = 0;
    for (uint32_t j = 0; j < count; ++j) {
        const uint32_t m = words[j] & mask;
        any |= (m != 0) & (m != mask);
    }
    if (any == 0) {
        return 0;
    }
    uint64_t bits = 0;
    for (uint32_t j = 0; j < count; ++j) {
        const uint32_t m = words[j] & mask;
        bits |= static_cast<uint64_t>(m != 0 && m != mask) << j;
    }
    return bits;
}

// Collects runs of set bits of consecutive 64-clock blocks.
class CRunCollector {
public:
    CRunCollector(uint32_t firstRow, uint32_t lastRow, std::vector<COMPARE_POSITION>& out)
        : m_firstRow(firstRow), m_lastRow(lastRow), m_out(out) {}

    void Add(uint64_t bits, uint64_t base, uint32_t count) {
        uint32_t j = 0;
        while (j < count) {
            const uint64_t rest = bits >> j;
            if (m_open) {
                const uint32_t ones = static_cast<uint32_t>(std::countr_one(rest));
                if (j + ones >= count) {
                    return;  // the run goes on into the next block
                }
                Close(base + j + ones - 1);
                j += ones;
            } else {
                if (rest == 0) {
                    return;
                }
                j += static_cast<uint32_t>(std::countr_zero(rest));
                if (j >= count) {
                    return;
                }
                m_open = true;
                m_start = base + j;
            }
        }
    }
    void Finish(uint64_t last) {
        if (m_open) {
            Close(last);
        }
    }

private:
    void Close(uint64_t last) {
        m_out.push_back({m_firstRow, m_lastRow, static_cast<uint32_t>(m_start), static_cast<uint32_t>(last)});
        m_open = false;
    }

    uint32_t m_firstRow;
    uint32_t m_lastRow;
    std::vector<COMPARE_POSITION>& m_out;
    bool m_open = false;
    uint64_t m_start = 0;
};

}  // namespace

std::vector<COMPARE_POSITION> CCompareRows::Compare(const uint32_t* words, uint32_t firstClock, uint32_t lastClock,
                                                    uint32_t firstRow, uint32_t lastRow,
                                                    const std::vector<int>& channels) {
    std::vector<COMPARE_POSITION> runs;
    const uint32_t mask = CLogicOperation::ChannelMask(channels);
    if (words == nullptr || lastClock < firstClock || std::popcount(mask) < 2) {
        return runs;
    }
    CRunCollector collector(firstRow, lastRow, runs);
    const uint64_t end = static_cast<uint64_t>(lastClock) + 1;
    for (uint64_t base = firstClock; base < end; base += 64) {
        const uint32_t count = static_cast<uint32_t>(end - base < 64 ? end - base : 64);
        collector.Add(DiffBits(words + base, count, mask), base, count);
    }
    collector.Finish(lastClock);
    return runs;
}
