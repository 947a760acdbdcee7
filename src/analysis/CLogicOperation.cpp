#include "analysis/CLogicOperation.h"

#include <bit>

namespace {

// Packs the results of 64 words per output word; `result` gives 0 or 1.
template <class Result>
void Pack(const uint32_t* words, uint32_t length, uint64_t* out, Result result) {
    const uint32_t whole = length / 64;
    for (uint32_t block = 0; block < whole; ++block) {
        const uint32_t* in = words + static_cast<uint64_t>(block) * 64;
        uint64_t bits = 0;
        for (uint32_t j = 0; j < 64; ++j) {
            bits |= static_cast<uint64_t>(result(in[j])) << j;
        }
        out[block] = bits;
    }
    const uint32_t rest = length % 64;
    if (rest != 0) {
        const uint32_t* in = words + static_cast<uint64_t>(whole) * 64;
        uint64_t bits = 0;
        for (uint32_t j = 0; j < rest; ++j) {
            bits |= static_cast<uint64_t>(result(in[j])) << j;
        }
        out[whole] = bits;
    }
}

}  // namespace

uint32_t CLogicOperation::ChannelMask(const std::vector<int>& channels) {
    uint32_t mask = 0;
    for (int channel : channels) {
        if (channel >= 0 && channel <= 31) {
            mask |= 1U << channel;
        }
    }
    return mask;
}

CPackedBits CLogicOperation::Evaluate(const uint32_t* words, uint32_t length, LOGIC_OPERATION operation,
                                      const std::vector<int>& channels) {
    CPackedBits bits(length);
    if (length == 0 || words == nullptr) {
        return bits;
    }
    const uint32_t mask = ChannelMask(channels);
    uint64_t* out = bits.Words();
    switch (operation) {
    case LOGIC_OPERATION::And:
        Pack(words, length, out, [mask](uint32_t w) { return (w & mask) == mask ? 1U : 0U; });
        break;
    case LOGIC_OPERATION::Or:
        Pack(words, length, out, [mask](uint32_t w) { return (w & mask) != 0 ? 1U : 0U; });
        break;
    case LOGIC_OPERATION::Xor: {
        // A channel listed twice (a bus and one of its members) XORs itself away.
        uint32_t odd = 0;
        for (int channel : channels) {
            odd ^= ChannelMask({channel});
        }
        Pack(words, length, out, [odd](uint32_t w) { return static_cast<uint32_t>(std::popcount(w & odd)) & 1U; });
        break;
    }
    case LOGIC_OPERATION::Not: {
        // Only the first selected channel counts; an invalid one reads as 0.
        const uint32_t first = channels.empty() ? 0 : ChannelMask({channels.front()});
        Pack(words, length, out, [first](uint32_t w) { return (w & first) == 0 ? 1U : 0U; });
        break;
    }
    }
    return bits;
}
