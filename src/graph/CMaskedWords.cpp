#include "graph/CMaskedWords.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "graph/LOGIC_MEMORY.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr uint32_t Chunk = 64;
constexpr uint32_t Block = 2048;

constexpr uint32_t AllChannels = 0xFFFFFFFFU;

// Index of channel c among the set bits of a channel set (its plane number).
int PlaneIndex(uint32_t set, int channel) {
    return std::popcount(set & ((1U << channel) - 1U));
}

// Bit c of 64 words as one 64-bit word (bit j from word j).
uint64_t GatherBits(const uint32_t* w, unsigned c) {
#if defined(__SSE2__)
    // Four words at a time: bit c moves to the sign and the sign mask gathers it.
    const __m128i shift = _mm_cvtsi32_si128(static_cast<int>(31 - c));
    uint64_t bits = 0;
    for (unsigned q = 0; q < Chunk / 4; ++q) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * q));
        v = _mm_sll_epi32(v, shift);
        bits |= static_cast<uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(v))) << (4 * q);
    }
    return bits;
#else
    uint64_t bits = 0;
    for (unsigned j = 0; j < Chunk; ++j) {
        bits |= static_cast<uint64_t>((w[j] >> c) & 1U) << j;
    }
    return bits;
#endif
}

uint64_t GatherSomeBits(const uint32_t* w, uint32_t n, unsigned c) {
    uint64_t bits = 0;
    for (uint32_t j = 0; j < n; ++j) {
        bits |= static_cast<uint64_t>((w[j] >> c) & 1U) << j;
    }
    return bits;
}

// The 64 bits of a plane word as 64 bytes of 0 or 1.
struct BYTE_TABLE {
    uint64_t spread[256];
    BYTE_TABLE() {
        for (unsigned i = 0; i < 256; ++i) {
            uint64_t bytes = 0;
            for (unsigned k = 0; k < 8; ++k) {
                bytes |= static_cast<uint64_t>((i >> k) & 1U) << (8 * k);
            }
            spread[i] = bytes;
        }
    }
};

void SpreadBits(uint64_t bits, uint8_t* bytes) {
    static const BYTE_TABLE table;
    for (unsigned q = 0; q < 8; ++q) {
        std::memcpy(bytes + 8 * q, &table.spread[(bits >> (8 * q)) & 0xFFU], 8);
    }
}

}  // namespace

void CMaskedWords::PullTowardStart(uint32_t* words, uint32_t length, uint32_t start, uint32_t shift,
                                   uint32_t mask) {
    // Block by block through a local copy of the source, so the merge loop
    // has no overlap to fear and runs vectorised.
    const uint32_t keep = ~mask;
    const uint32_t end = length - shift;
    uint32_t source[Block];
    for (uint32_t j = start; j < end; j += Block) {
        const uint32_t n = std::min(Block, end - j);
        std::memcpy(source, words + j + shift, static_cast<std::size_t>(n) * sizeof(uint32_t));
        uint32_t* w = words + j;
        for (uint32_t i = 0; i < n; ++i) {
            w[i] = (w[i] & keep) | (source[i] & mask);
        }
    }
}

void CMaskedWords::PushTowardEnd(uint32_t* words, uint32_t length, uint32_t start, uint32_t shift,
                                 uint32_t mask) {
    // From the end down, block by block: a block's source lies below it and
    // is read before anything below the block is written.
    const uint32_t keep = ~mask;
    const uint32_t stop = start + shift;
    uint32_t source[Block];
    for (uint32_t high = length; high > stop;) {
        const uint32_t low = high - std::min(Block, high - stop);
        const uint32_t n = high - low;
        std::memcpy(source, words + low - shift, static_cast<std::size_t>(n) * sizeof(uint32_t));
        uint32_t* w = words + low;
        for (uint32_t i = 0; i < n; ++i) {
            w[i] = (w[i] & keep) | (source[i] & mask);
        }
        high = low;
    }
}

void CMaskedWords::Fill(uint32_t* words, uint32_t first, uint32_t count, uint32_t mask, bool set) {
    uint32_t* w = words + first;
    if (set) {
        for (uint32_t i = 0; i < count; ++i) {
            w[i] |= mask;
        }
    } else {
        const uint32_t keep = ~mask;
        for (uint32_t i = 0; i < count; ++i) {
            w[i] &= keep;
        }
    }
}

void CMaskedWords::Invert(uint32_t* words, uint32_t first, uint32_t count, uint32_t mask) {
    uint32_t* w = words + first;
    for (uint32_t i = 0; i < count; ++i) {
        w[i] ^= mask;
    }
}

void CMaskedWords::SwapChannels(uint32_t* words, uint32_t length, int a, int b) {
    if (a == b) {
        return;
    }
    const auto ua = static_cast<unsigned>(a);
    const auto ub = static_cast<unsigned>(b);
    for (uint32_t i = 0; i < length; ++i) {
        const uint32_t w = words[i];
        const uint32_t d = ((w >> ua) ^ (w >> ub)) & 1U;
        words[i] = w ^ ((d << ua) | (d << ub));
    }
}

void CMaskedWords::Capture(const uint32_t* words, uint32_t wordsFirst, LOGIC_MEMORY& record) {
    const uint32_t length = record.Length();
    const uint32_t* w = words + (static_cast<uint32_t>(record.Start) - wordsFirst);
    record.Planes.clear();
    record.Words.clear();
    if (record.ChannelSet == AllChannels) {
        record.Words.assign(w, w + length);
        return;
    }
    int channels[32];
    int count = 0;
    for (int c = 0; c < 32; ++c) {
        if ((record.ChannelSet >> c) & 1U) {
            channels[count++] = c;
        }
    }
    const std::size_t planeWords = record.PlaneWords();
    record.Planes.assign(planeWords * static_cast<std::size_t>(count), 0);
    uint64_t* planes = record.Planes.data();
    // Chunk by chunk of 64 clocks: the chunk stays in the cache while every
    // channel takes its bits from it, so the memory is read once.
    for (std::size_t chunk = 0; chunk < planeWords; ++chunk) {
        const uint32_t* cw = w + chunk * Chunk;
        const auto n = static_cast<uint32_t>(std::min<std::size_t>(Chunk, length - chunk * Chunk));
        for (int p = 0; p < count; ++p) {
            const auto c = static_cast<unsigned>(channels[p]);
            planes[static_cast<std::size_t>(p) * planeWords + chunk] =
                n == Chunk ? GatherBits(cw, c) : GatherSomeBits(cw, n, c);
        }
    }
}

void CMaskedWords::Restore(const LOGIC_MEMORY& record, uint32_t* words, uint32_t channels) {
    channels &= record.ChannelSet;
    const uint32_t length = record.Length();
    uint32_t* w = words + record.Start;
    if (!record.Words.empty()) {
        const uint32_t keep = ~channels;
        for (uint32_t i = 0; i < length; ++i) {
            w[i] = (w[i] & keep) | (record.Words[i] & channels);
        }
        return;
    }
    int channelList[32];
    int planeList[32];
    int count = 0;
    for (int c = 0; c < 32; ++c) {
        if ((channels >> c) & 1U) {
            channelList[count] = c;
            planeList[count] = PlaneIndex(record.ChannelSet, c);
            ++count;
        }
    }
    const std::size_t planeWords = record.PlaneWords();
    const uint64_t* planes = record.Planes.data();
    const uint32_t keep = ~channels;
    for (std::size_t chunk = 0; chunk < planeWords; ++chunk) {
        uint32_t* cw = w + chunk * Chunk;
        const auto n = static_cast<uint32_t>(std::min<std::size_t>(Chunk, length - chunk * Chunk));
        if (n < Chunk) {
            for (uint32_t j = 0; j < n; ++j) {
                cw[j] &= keep;
                for (int p = 0; p < count; ++p) {
                    const uint64_t bits = planes[static_cast<std::size_t>(planeList[p]) * planeWords + chunk];
                    cw[j] |= static_cast<uint32_t>((bits >> j) & 1U) << channelList[p];
                }
            }
            continue;
        }
        uint32_t merged[Chunk];
        for (uint32_t j = 0; j < Chunk; ++j) {
            merged[j] = cw[j] & keep;
        }
        for (int p = 0; p < count; ++p) {
            const auto c = static_cast<unsigned>(channelList[p]);
            uint8_t bytes[Chunk];
            SpreadBits(planes[static_cast<std::size_t>(planeList[p]) * planeWords + chunk], bytes);
            for (uint32_t j = 0; j < Chunk; ++j) {
                merged[j] |= static_cast<uint32_t>(bytes[j]) << c;
            }
        }
        std::memcpy(cw, merged, sizeof(merged));
    }
}

uint32_t CMaskedWords::SavedBit(const LOGIC_MEMORY& record, int channel, uint32_t index) {
    if (!record.Words.empty()) {
        return (record.Words[index] >> channel) & 1U;
    }
    const std::size_t plane = static_cast<std::size_t>(PlaneIndex(record.ChannelSet, channel));
    const uint64_t bits = record.Planes[plane * record.PlaneWords() + index / 64];
    return static_cast<uint32_t>((bits >> (index % 64)) & 1U);
}

void CMaskedWords::CopyChannel(const LOGIC_MEMORY& record, int sourceChannel, uint32_t offset, uint32_t count,
                               uint32_t* words, uint32_t dest, int destChannel) {
    const uint32_t bit = 1U << destChannel;
    const uint32_t keep = ~bit;
    uint32_t* w = words + dest;
    if (!record.Words.empty()) {
        const uint32_t* src = record.Words.data() + offset;
        for (uint32_t i = 0; i < count; ++i) {
            w[i] = (w[i] & keep) | (((src[i] >> sourceChannel) & 1U) << destChannel);
        }
        return;
    }
    const std::size_t plane = static_cast<std::size_t>(PlaneIndex(record.ChannelSet, sourceChannel));
    const uint64_t* bits = record.Planes.data() + plane * record.PlaneWords();
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t index = offset + i;
        const auto b = static_cast<uint32_t>((bits[index / 64] >> (index % 64)) & 1U);
        w[i] = (w[i] & keep) | (b << destChannel);
    }
}
