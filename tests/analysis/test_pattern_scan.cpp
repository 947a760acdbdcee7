// The bulk scans against a plain clock-by-clock reference, on both the
// vector and the word-by-word path.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "analysis/CPatternScan.h"
#include "analysis/CPatternSearch.h"

namespace {

uint32_t WindowValue(const std::vector<uint32_t>& words, int channel, uint64_t s, int length) {
    uint32_t value = 0;
    for (int j = 0; j < length; ++j) {
        const uint32_t bit = channel >= 0 && channel < 32 ? (words[s + j] >> channel) & 1u : 0;
        value = (value << 1) | bit;
    }
    return value;
}

std::optional<uint32_t> NaiveForward(const std::vector<uint32_t>& w, uint32_t n, int ch, uint32_t v, int l,
                                     uint64_t from) {
    for (uint64_t s = from; s + l <= n; ++s) {
        if (WindowValue(w, ch, s, l) == v) {
            return static_cast<uint32_t>(s);
        }
    }
    return std::nullopt;
}

std::optional<uint32_t> NaiveBackward(const std::vector<uint32_t>& w, uint32_t n, int ch, uint32_t v, int l,
                                      int64_t to) {
    for (int64_t e = std::min<int64_t>(to, static_cast<int64_t>(n) - 1); e >= l - 1; --e) {
        if (WindowValue(w, ch, static_cast<uint64_t>(e - l + 1), l) == v) {
            return static_cast<uint32_t>(e - l + 1);
        }
    }
    return std::nullopt;
}

class PatternScanTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { CPatternScan::UseVectorUnit(GetParam()); }
    void TearDown() override { CPatternScan::UseVectorUnit(true); }
};

// Sparse ones, so that long patterns of zeros and single ones both occur.
std::vector<uint32_t> RandomWords(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> words(n);
    for (uint32_t& word : words) {
        word = random() & random();
    }
    return words;
}

}  // namespace

TEST_P(PatternScanTest, HorizontalScansAgreeWithTheReference) {
    std::mt19937 random(7);
    for (const uint32_t n : {0u, 1u, 5u, 63u, 64u, 65u, 127u, 500u, 4096u, 4097u, 9000u}) {
        const std::vector<uint32_t> words = RandomWords(n, n + 1);
        for (int trial = 0; trial < 60; ++trial) {
            const int channel = static_cast<int>(random() % 34) - 1;  // -1 and 32 read as 0
            const int length = 1 + static_cast<int>(random() % 32);
            uint32_t value = 0;
            if (n >= static_cast<uint32_t>(length) && trial % 3 != 0) {
                value = WindowValue(words, channel, random() % (n - length + 1), length);
            } else {
                value = static_cast<uint32_t>(random()) & (length == 32 ? ~0u : (1u << length) - 1);
            }
            const uint64_t from = n == 0 ? 0 : random() % (n + 2);
            const int64_t to = static_cast<int64_t>(n == 0 ? 0 : random() % (n + 2)) - 1;
            EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), n, channel, value, length, from),
                      NaiveForward(words, n, channel, value, length, from))
                << n << " ch " << channel << " len " << length << " from " << from;
            EXPECT_EQ(CPatternScan::HorizontalBackward(words.data(), n, channel, value, length, to),
                      NaiveBackward(words, n, channel, value, length, to))
                << n << " ch " << channel << " len " << length << " to " << to;
        }
    }
}

TEST_P(PatternScanTest, HorizontalWindowsStayInsideTheWords) {
    // Channel 0 high on the last 8 clocks only: the last window starts at N - 8.
    std::vector<uint32_t> words(1000, 0);
    for (std::size_t t = 992; t < 1000; ++t) {
        words[t] = 1;
    }
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 1000, 0, 0xFF, 8, 0), 992u);
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 1000, 0, 0xFF, 8, 993), std::nullopt);
    // Nine ones would need clock 1000.
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 1000, 0, 0x1FF, 9, 0), std::nullopt);
    // Fewer words than the pattern, a backward start before the first window.
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 4, 0, 0, 8, 0), std::nullopt);
    EXPECT_EQ(CPatternScan::HorizontalBackward(words.data(), 1000, 0, 0, 1, -1), std::nullopt);
    EXPECT_EQ(CPatternScan::HorizontalBackward(words.data(), 1000, 0, 0, 4, 2), std::nullopt);
    EXPECT_EQ(CPatternScan::HorizontalBackward(words.data(), 1000, 0, 0, 4, 3), 0u);
    // An end beyond the words starts at the last word.
    EXPECT_EQ(CPatternScan::HorizontalBackward(words.data(), 1000, 0, 0xFF, 8, 5000), 992u);
}

TEST_P(PatternScanTest, ValuesWiderThanTheWindowNeverMatch) {
    const std::vector<uint32_t> words(256, 0xFFFFFFFFu);
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 256, 3, 0x1F, 4, 0), std::nullopt);
    EXPECT_EQ(CPatternScan::HorizontalBackward(words.data(), 256, 3, 0x1F, 4, 255), std::nullopt);
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 256, 3, 0xF, 4, 0), 0u);
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 256, 3, 0xFFFFFFFFu, 32, 0), 0u);
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 256, 3, 1, 0, 0), std::nullopt);
    EXPECT_EQ(CPatternScan::HorizontalForward(words.data(), 256, 3, 1, 33, 0), std::nullopt);
}

TEST_P(PatternScanTest, VerticalScansAgreeWithTheReference) {
    const uint32_t n = 5000;
    const std::vector<uint32_t> words = RandomWords(n, 3);
    std::mt19937 random(11);
    for (int trial = 0; trial < 300; ++trial) {
        const int rows = 1 + static_cast<int>(random() % 6);
        std::vector<int> channels;
        for (int l = 0; l < rows; ++l) {
            channels.push_back(static_cast<int>(random() % 33));  // 32 reads as 0
        }
        const uint32_t t0 = random() % n;
        uint32_t value = 0;
        for (int l = 0; l < rows; ++l) {
            const uint32_t bit = channels[l] < 32 ? (words[t0] >> channels[l]) & 1u : 0;
            value |= bit << l;
        }
        const CPatternScan::VERTICAL_KEY key = CPatternScan::MakeVerticalKey(channels, value);
        ASSERT_TRUE(key.Possible);
        auto matches = [&](uint32_t t) { return (words[t] & key.Mask) == key.Expected; };
        const uint32_t from = random() % (n + 1);
        std::optional<uint32_t> forward;
        for (uint32_t t = from; t < n && !forward; ++t) {
            if (matches(t)) forward = t;
        }
        std::optional<uint32_t> backward;
        for (int64_t t = static_cast<int64_t>(from) - 1; t >= 0 && !backward; --t) {
            if (matches(static_cast<uint32_t>(t))) backward = static_cast<uint32_t>(t);
        }
        EXPECT_EQ(CPatternScan::VerticalForward(words.data(), n, key, from), forward);
        EXPECT_EQ(CPatternScan::VerticalBackward(words.data(), n, key, static_cast<int64_t>(from) - 1), backward);
        EXPECT_EQ(CPatternScan::VerticalForward(words.data(), n, key, t0), t0);
    }
}

TEST_P(PatternScanTest, VerticalKeysRefuseWhatNoClockCanShow) {
    const std::vector<int> two = {4, 9};
    EXPECT_FALSE(CPatternScan::MakeVerticalKey(two, 0x4).Possible);  // bit beyond the block
    const CPatternScan::VERTICAL_KEY key = CPatternScan::MakeVerticalKey(two, 0x2);
    EXPECT_EQ(key.Mask, (1u << 4) | (1u << 9));
    EXPECT_EQ(key.Expected, 1u << 9);
    const std::vector<int> outside = {40, 2};
    EXPECT_FALSE(CPatternScan::MakeVerticalKey(outside, 0x1).Possible);  // channel 40 reads as 0
    EXPECT_TRUE(CPatternScan::MakeVerticalKey(outside, 0x2).Possible);
    const std::vector<int> twice = {5, 5};
    EXPECT_FALSE(CPatternScan::MakeVerticalKey(twice, 0x1).Possible);
    EXPECT_TRUE(CPatternScan::MakeVerticalKey(twice, 0x3).Possible);
    const std::vector<uint32_t> words = {0, 0x20, 0};
    EXPECT_EQ(CPatternScan::VerticalForward(words.data(), 3, CPatternScan::MakeVerticalKey(twice, 0x3), 0), 1u);
    EXPECT_EQ(CPatternScan::VerticalBackward(words.data(), 3, CPatternScan::MakeVerticalKey(twice, 0x3), 0),
              std::nullopt);
    EXPECT_EQ(CPatternScan::VerticalBackward(words.data(), 3, CPatternScan::MakeVerticalKey(twice, 0), -1),
              std::nullopt);
    EXPECT_EQ(CPatternScan::VerticalForward(words.data(), 3, CPatternScan::MakeVerticalKey(twice, 0), 3),
              std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Paths, PatternScanTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Vector" : "Plain"; });

TEST(PatternText, ParsesTheValidPrefixInItsRadix) {
    bool valid = false;
    EXPECT_EQ(ParsePatternText("0110", SEARCH_RADIX::Binary, &valid), 6u);
    EXPECT_TRUE(valid);
    EXPECT_EQ(ParsePatternText("6", SEARCH_RADIX::Hexadecimal), 6u);
    EXPECT_EQ(ParsePatternText("1F", SEARCH_RADIX::Hexadecimal), 0x1Fu);
    EXPECT_EQ(ParsePatternText("dEaDbEeF", SEARCH_RADIX::Hexadecimal), 0xDEADBEEFu);
    EXPECT_EQ(ParsePatternText("10.1", SEARCH_RADIX::Binary, &valid), 2u);
    EXPECT_FALSE(valid);
    EXPECT_EQ(ParsePatternText("102", SEARCH_RADIX::Binary, &valid), 2u);
    EXPECT_FALSE(valid);
    EXPECT_EQ(ParsePatternText("", SEARCH_RADIX::Binary, &valid), 0u);
    EXPECT_FALSE(valid);
}
