#include "analysis/CEdgeCounter.h"

#include <cstring>

namespace {

// Eight words side by side; the compiler maps the operations onto the
// widest vector registers the target has.
using WORDS8 = uint32_t __attribute__((vector_size(32)));

constexpr uint32_t Lanes = 8;
// Lane counters are emptied after this many steps, long before they overflow.
constexpr uint32_t FlushSteps = 1U << 28;

// Vectors go by reference: passing them by value changes the ABI with the target.
void Load8(WORDS8& v, const uint32_t* words) { std::memcpy(&v, words, sizeof v); }

uint32_t Sum(const WORDS8& v) {
    uint32_t sum = 0;
    for (uint32_t lane = 0; lane < Lanes; ++lane) {
        sum += v[lane];
    }
    return sum;
}

// Edge bits of the pairs (a, b) for a kind: ~a & b rises, a & ~b falls.
uint32_t Edges(uint32_t a, uint32_t b, bool rising) { return rising ? (~a & b) : (a & ~b); }

template <bool rising>
uint32_t CountBulk(const uint32_t* words, uint32_t pairs, uint32_t shift, uint32_t& done) {
    uint32_t count = 0;
    WORDS8 lanes = {};
    uint32_t steps = 0;
    for (done = 0; done + Lanes <= pairs; done += Lanes) {
        WORDS8 a;
        WORDS8 b;
        Load8(a, words + done);
        Load8(b, words + done + 1);
        const WORDS8 edges = rising ? (~a & b) : (a & ~b);
        lanes += (edges >> shift) & 1U;
        if (++steps == FlushSteps) {
            count += Sum(lanes);
            lanes = WORDS8{};
            steps = 0;
        }
    }
    return count + Sum(lanes);
}

}  // namespace

uint32_t CEdgeCounter::Count(const uint32_t* words, uint32_t from, uint32_t to, int channel, EDGE_KIND kind) {
    if (channel < 0 || channel > 31 || words == nullptr || to <= from) {
        return 0;
    }
    const uint32_t shift = static_cast<uint32_t>(channel);
    const bool rising = kind == EDGE_KIND::Rising;
    const uint32_t* start = words + from;
    const uint32_t pairs = to - from;
    uint32_t done = 0;
    uint32_t count = rising ? CountBulk<true>(start, pairs, shift, done) : CountBulk<false>(start, pairs, shift, done);
    for (; done < pairs; ++done) {
        count += (Edges(start[done], start[done + 1], rising) >> shift) & 1U;
    }
    return count;
}
