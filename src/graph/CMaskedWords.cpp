#include "graph/CMaskedWords.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "graph/LOGIC_MEMORY.h"

namespace {

constexpr uint32_t AllChannels = 0xFFFFFFFFU;

// Index of channel c among the set bits of a channel set (its plane number).
int PlaneIndex(uint32_t set, int channel) {
    return std::popcount(set & ((1U << channel) - 1U));
}

}  // namespace

void CMaskedWords::PullTowardStart(uint32_t* words, uint32_t length, uint32_t start, uint32_t shift,
                                   uint32_t mask) {
    const uint32_t keep = ~mask;
    const uint32_t end = length - shift;
    for (uint32_t j = start; j < end; ++j) {
        words[j] = (words[j] & keep) | (words[j + shift] & mask);
    }
}

void CMaskedWords::PushTowardEnd(uint32_t* words, uint32_t length, uint32_t start, uint32_t shift,
                                 uint32_t mask) {
    const uint32_t keep = ~mask;
    const uint32_t stop = start + shift;
    for (uint32_t j = length; j > stop; --j) {
        words[j - 1] = (words[j - 1] & keep) | (words[j - 1 - shift] & mask);
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
        record.Words.resize(length);
        std::memcpy(record.Words.data(), w, static_cast<std::size_t>(length) * sizeof(uint32_t));
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
        const uint32_t* cw = w + chunk * 64;
        const auto n = static_cast<uint32_t>(std::min<std::size_t>(64, length - chunk * 64));
        for (int p = 0; p < count; ++p) {
            const auto c = static_cast<unsigned>(channels[p]);
            uint64_t bits = 0;
            for (uint32_t j = 0; j < n; ++j) {
                bits |= static_cast<uint64_t>((cw[j] >> c) & 1U) << j;
            }
            planes[static_cast<std::size_t>(p) * planeWords + chunk] = bits;
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
        uint32_t* cw = w + chunk * 64;
        const auto n = static_cast<uint32_t>(std::min<std::size_t>(64, length - chunk * 64));
        for (uint32_t j = 0; j < n; ++j) {
            cw[j] &= keep;
        }
        for (int p = 0; p < count; ++p) {
            const auto c = static_cast<unsigned>(channelList[p]);
            const uint64_t bits = planes[static_cast<std::size_t>(planeList[p]) * planeWords + chunk];
            for (uint32_t j = 0; j < n; ++j) {
                cw[j] |= static_cast<uint32_t>((bits >> j) & 1U) << c;
            }
        }
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
