#include "analysis/CPatternScan.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define NIVARA_SCAN_AVX2 1
#endif

namespace {

constexpr uint32_t ChunkClocks = 64;
// Chunks packed per batch: 32,768 clocks. The packed bits (4 KB) stay in
// the cache, and a backward scan still reads long ascending runs of words,
// which the processor prefetches.
constexpr uint32_t BatchChunks = 512;

// Packs bit `channel` of words[0..64*chunks-1] into out[0..chunks-1], clock i
// of a chunk as bit i. channel is 0..31.
using PackFunction = void (*)(const uint32_t* words, uint32_t chunks, int channel, uint64_t* out);
// First (or last) index of words[0..count-1] whose masked value is expected; -1 when none.
using FindFunction = int64_t (*)(const uint32_t* words, uint64_t count, uint32_t mask, uint32_t expected);

void PackPlain(const uint32_t* words, uint32_t chunks, int channel, uint64_t* out) {
    for (uint32_t c = 0; c < chunks; ++c) {
        const uint32_t* w = words + static_cast<uint64_t>(c) * ChunkClocks;
        uint64_t bits = 0;
        for (uint32_t i = 0; i < ChunkClocks; ++i) {
            bits |= static_cast<uint64_t>((w[i] >> channel) & 1u) << i;
        }
        out[c] = bits;
    }
}

int64_t FindFirstPlain(const uint32_t* words, uint64_t count, uint32_t mask, uint32_t expected) {
    for (uint64_t t = 0; t < count; ++t) {
        if ((words[t] & mask) == expected) {
            return static_cast<int64_t>(t);
        }
    }
    return -1;
}

int64_t FindLastPlain(const uint32_t* words, uint64_t count, uint32_t mask, uint32_t expected) {
    for (uint64_t t = count; t-- > 0;) {
        if ((words[t] & mask) == expected) {
            return static_cast<int64_t>(t);
        }
    }
    return -1;
}

#ifdef NIVARA_SCAN_AVX2
// The level of the channel moves to the sign bit; two saturating packs keep
// the sign of 32 words in 32 bytes, the permute undoes the lane order of the
// packs and movemask collects the 32 signs in clock order.
__attribute__((target("avx2"))) void PackAvx2(const uint32_t* words, uint32_t chunks, int channel,
                                              uint64_t* out) {
    const __m128i shift = _mm_cvtsi32_si128(31 - channel);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    for (uint32_t c = 0; c < chunks; ++c) {
        const __m256i* w = reinterpret_cast<const __m256i*>(words + static_cast<uint64_t>(c) * ChunkClocks);
        uint64_t bits = 0;
        for (int half = 0; half < 2; ++half) {
            const __m256i* p = w + 4 * half;
            const __m256i a = _mm256_sll_epi32(_mm256_loadu_si256(p), shift);
            const __m256i b = _mm256_sll_epi32(_mm256_loadu_si256(p + 1), shift);
            const __m256i c2 = _mm256_sll_epi32(_mm256_loadu_si256(p + 2), shift);
            const __m256i d = _mm256_sll_epi32(_mm256_loadu_si256(p + 3), shift);
            const __m256i bytes = _mm256_packs_epi16(_mm256_packs_epi32(a, b), _mm256_packs_epi32(c2, d));
            const __m256i ordered = _mm256_permutevar8x32_epi32(bytes, order);
            bits |= static_cast<uint64_t>(static_cast<uint32_t>(_mm256_movemask_epi8(ordered))) << (32 * half);
        }
        out[c] = bits;
    }
}

// 32 words at a time: one test tells whether any of them matches.
__attribute__((target("avx2"))) int64_t FindFirstAvx2(const uint32_t* words, uint64_t count, uint32_t mask,
                                                      uint32_t expected) {
    const __m256i m = _mm256_set1_epi32(static_cast<int>(mask));
    const __m256i e = _mm256_set1_epi32(static_cast<int>(expected));
    uint64_t t = 0;
    for (; t + 32 <= count; t += 32) {
        const __m256i* w = reinterpret_cast<const __m256i*>(words + t);
        const __m256i a = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w), m), e);
        const __m256i b = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w + 1), m), e);
        const __m256i c = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w + 2), m), e);
        const __m256i d = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w + 3), m), e);
        const __m256i any = _mm256_or_si256(_mm256_or_si256(a, b), _mm256_or_si256(c, d));
        if (!_mm256_testz_si256(any, any)) {
            break;
        }
    }
    const int64_t rest = FindFirstPlain(words + t, count - t, mask, expected);
    return rest < 0 ? -1 : static_cast<int64_t>(t) + rest;
}

__attribute__((target("avx2"))) int64_t FindLastAvx2(const uint32_t* words, uint64_t count, uint32_t mask,
                                                     uint32_t expected) {
    const __m256i m = _mm256_set1_epi32(static_cast<int>(mask));
    const __m256i e = _mm256_set1_epi32(static_cast<int>(expected));
    uint64_t end = count;
    for (; end >= 32; end -= 32) {
        const __m256i* w = reinterpret_cast<const __m256i*>(words + end - 32);
        const __m256i a = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w), m), e);
        const __m256i b = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w + 1), m), e);
        const __m256i c = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w + 2), m), e);
        const __m256i d = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_loadu_si256(w + 3), m), e);
        const __m256i any = _mm256_or_si256(_mm256_or_si256(a, b), _mm256_or_si256(c, d));
        if (!_mm256_testz_si256(any, any)) {
            return static_cast<int64_t>(end - 32) + FindLastPlain(words + end - 32, 32, mask, expected);
        }
    }
    return FindLastPlain(words, end, mask, expected);
}

bool ProcessorHasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
bool ProcessorHasAvx2() { return false; }
#endif

struct SCAN_UNIT {
    PackFunction Pack = &PackPlain;
    FindFunction FindFirst = &FindFirstPlain;
    FindFunction FindLast = &FindLastPlain;
};

SCAN_UNIT Unit(bool vector) {
#ifdef NIVARA_SCAN_AVX2
    if (vector && ProcessorHasAvx2()) {
        return {&PackAvx2, &FindFirstAvx2, &FindLastAvx2};
    }
#endif
    (void)vector;
    return {};
}

SCAN_UNIT g_unit = Unit(true);
bool g_vector = g_unit.Pack != &PackPlain;

// The packed bits of one channel, chunk by chunk; chunks past the words are
// 0 and the last partial chunk is packed word by word.
class CPackedChannel {
public:
    CPackedChannel(const uint32_t* words, uint32_t count, int channel)
        : m_words(words), m_count(count), m_channel(channel) {}

    [[nodiscard]] uint64_t Chunks() const { return (static_cast<uint64_t>(m_count) + ChunkClocks - 1) / ChunkClocks; }

    // out[i] = chunk first + i for i < n.
    void Fill(uint64_t first, uint32_t n, uint64_t* out) const {
        if (m_channel < 0 || m_channel > 31) {
            std::fill(out, out + n, 0);
            return;
        }
        const uint64_t full = m_count / ChunkClocks;
        uint32_t i = 0;
        if (first < full) {
            const auto packed = static_cast<uint32_t>(std::min<uint64_t>(n, full - first));
            g_unit.Pack(m_words + first * ChunkClocks, packed, m_channel, out);
            i = packed;
        }
        for (; i < n; ++i) {
            out[i] = Partial(first + i);
        }
    }

private:
    [[nodiscard]] uint64_t Partial(uint64_t chunk) const {
        const uint64_t begin = chunk * ChunkClocks;
        uint64_t bits = 0;
        for (uint64_t t = begin; t < m_count && t < begin + ChunkClocks; ++t) {
            bits |= static_cast<uint64_t>((m_words[t] >> m_channel) & 1u) << (t - begin);
        }
        return bits;
    }

    const uint32_t* m_words;
    uint32_t m_count;
    int m_channel;
};

// The pattern's bits as XOR masks: a window start i of a chunk matches when
// every shifted stream, flipped where the pattern wants 0, has bit i set.
struct WINDOW_PATTERN {
    std::array<uint64_t, 32> Flip{};
    int Length = 0;

    WINDOW_PATTERN(uint32_t value, int length) : Length(length) {
        for (int j = 0; j < length; ++j) {
            Flip[j] = ((value >> (length - 1 - j)) & 1u) != 0 ? 0 : ~uint64_t{0};
        }
    }

    // Bit i: the window starting at clock i of lo matches (hi follows lo).
    [[nodiscard]] uint64_t Matches(uint64_t lo, uint64_t hi) const {
        uint64_t m = lo ^ Flip[0];
        for (int j = 1; j < Length && m != 0; ++j) {
            m &= ((lo >> j) | (hi << (64 - j))) ^ Flip[j];
        }
        return m;
    }
};

bool PatternFits(uint32_t value, int length) {
    return length >= 1 && length <= 32 && (length == 32 || (value >> length) == 0);
}

// Bits first..last (inclusive, 0..63) set.
uint64_t BitRange(uint64_t first, uint64_t last) {
    const uint64_t upper = last >= 63 ? ~uint64_t{0} : (uint64_t{1} << (last + 1)) - 1;
    return upper & (~uint64_t{0} << first);
}

}  // namespace

CPatternScan::VERTICAL_KEY CPatternScan::MakeVerticalKey(std::span<const int> channels, uint32_t value) {
    VERTICAL_KEY key;
    const std::size_t rows = channels.size();
    if (rows == 0 || (rows < 32 && (value >> rows) != 0)) {
        key.Possible = false;
        return key;
    }
    for (std::size_t l = 0; l < rows; ++l) {
        const uint32_t want = (value >> l) & 1u;
        const int channel = channels[l];
        if (channel < 0 || channel > 31) {
            key.Possible = key.Possible && want == 0;
            continue;
        }
        const uint32_t bit = uint32_t{1} << channel;
        if ((key.Mask & bit) != 0 && ((key.Expected & bit) != 0) != (want != 0)) {
            key.Possible = false;
        }
        key.Mask |= bit;
        key.Expected |= want != 0 ? bit : 0;
    }
    return key;
}

std::optional<uint32_t> CPatternScan::HorizontalForward(const uint32_t* words, uint32_t count, int channel,
                                                        uint32_t value, int length, uint64_t from) {
    if (!PatternFits(value, length) || count < static_cast<uint32_t>(length)) {
        return std::nullopt;
    }
    const uint64_t lastStart = count - static_cast<uint32_t>(length);
    if (from > lastStart) {
        return std::nullopt;
    }
    const CPackedChannel packed(words, count, channel);
    const WINDOW_PATTERN pattern(value, length);
    std::array<uint64_t, BatchChunks + 1> bits{};
    uint64_t chunk = from / ChunkClocks;
    packed.Fill(chunk, BatchChunks + 1, bits.data());
    for (;;) {
        for (uint32_t i = 0; i < BatchChunks; ++i) {
            const uint64_t base = (chunk + i) * ChunkClocks;
            if (base > lastStart) {
                return std::nullopt;
            }
            uint64_t m = pattern.Matches(bits[i], bits[i + 1]);
            if (m == 0) {
                continue;
            }
            m &= BitRange(from > base ? from - base : 0, std::min<uint64_t>(63, lastStart - base));
            if (m != 0) {
                return static_cast<uint32_t>(base + static_cast<uint64_t>(std::countr_zero(m)));
            }
        }
        chunk += BatchChunks;
        bits[0] = bits[BatchChunks];
        packed.Fill(chunk + 1, BatchChunks, bits.data() + 1);
    }
}

std::optional<uint32_t> CPatternScan::HorizontalBackward(const uint32_t* words, uint32_t count, int channel,
                                                         uint32_t value, int length, int64_t to) {
    if (!PatternFits(value, length) || count < static_cast<uint32_t>(length) || to < length - 1) {
        return std::nullopt;
    }
    const uint64_t lastEnd = std::min<uint64_t>(static_cast<uint64_t>(to), count - 1);
    const uint64_t lastStart = lastEnd + 1 - static_cast<uint32_t>(length);
    const CPackedChannel packed(words, count, channel);
    const WINDOW_PATTERN pattern(value, length);
    // bits[i] holds chunk low + i; the batch covers chunks low .. high + 1.
    std::array<uint64_t, BatchChunks + 1> bits{};
    uint64_t high = lastStart / ChunkClocks;
    for (;;) {
        const uint64_t low = high + 1 >= BatchChunks ? high + 1 - BatchChunks : 0;
        const auto n = static_cast<uint32_t>(high + 2 - low);
        packed.Fill(low, n, bits.data());
        for (uint64_t c = high + 1; c-- > low;) {
            const uint64_t base = c * ChunkClocks;
            uint64_t m = pattern.Matches(bits[c - low], bits[c - low + 1]);
            if (m == 0) {
                continue;
            }
            m &= BitRange(0, std::min<uint64_t>(63, lastStart - base));
            if (m != 0) {
                return static_cast<uint32_t>(base + 63 - static_cast<uint64_t>(std::countl_zero(m)));
            }
        }
        if (low == 0) {
            return std::nullopt;
        }
        high = low - 1;
    }
}

std::optional<uint32_t> CPatternScan::VerticalForward(const uint32_t* words, uint32_t count, const VERTICAL_KEY& key,
                                                      uint64_t from) {
    if (!key.Possible || from >= count) {
        return std::nullopt;
    }
    const int64_t hit = g_unit.FindFirst(words + from, count - from, key.Mask, key.Expected);
    if (hit < 0) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(from + static_cast<uint64_t>(hit));
}

std::optional<uint32_t> CPatternScan::VerticalBackward(const uint32_t* words, uint32_t count, const VERTICAL_KEY& key,
                                                       int64_t to) {
    if (!key.Possible || to < 0 || count == 0) {
        return std::nullopt;
    }
    const uint64_t last = std::min<uint64_t>(static_cast<uint64_t>(to), count - 1);
    const int64_t hit = g_unit.FindLast(words, last + 1, key.Mask, key.Expected);
    if (hit < 0) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(hit);
}

void CPatternScan::UseVectorUnit(bool use) {
    g_unit = Unit(use);
    g_vector = g_unit.Pack != &PackPlain;
}

bool CPatternScan::VectorUnitUsed() { return g_vector; }
