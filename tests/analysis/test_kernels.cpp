// The bulk kernels against plain per-clock loops on the same words.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "analysis/CCompareRows.h"
#include "analysis/CEdgeCounter.h"
#include "analysis/CFrequency.h"
#include "analysis/CLogicOperation.h"

namespace {

std::vector<uint32_t> RandomWords(std::size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> words(count);
    for (uint32_t& word : words) {
        // Long runs on some bits, noise on others.
        word = random() & random();
    }
    return words;
}

uint32_t NaiveEdges(const std::vector<uint32_t>& words, uint32_t from, uint32_t to, int channel, bool rising) {
    uint32_t count = 0;
    for (uint32_t i = from; i < to; ++i) {
        const uint32_t a = (words[i] >> channel) & 1U;
        const uint32_t b = (words[i + 1] >> channel) & 1U;
        count += rising ? (a == 0 && b == 1) : (a == 1 && b == 0);
    }
    return count;
}

std::vector<uint32_t> Alternating(std::size_t count, int channel) {
    std::vector<uint32_t> words(count);
    for (std::size_t i = 0; i < count; ++i) {
        words[i] = static_cast<uint32_t>(i & 1U) << channel;
    }
    return words;
}

}  // namespace

TEST(EdgeCounter, AlternatingSignalOverTenClocks) {
    const std::vector<uint32_t> words = Alternating(10, 3);  // 0,1,0,1,...
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 0, 9, 3, EDGE_KIND::Rising), 5u);
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 0, 9, 3, EDGE_KIND::Falling), 4u);
    // A one-clock selection has no pair.
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 4, 4, 3, EDGE_KIND::Rising), 0u);
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 5, 5, 3, EDGE_KIND::Falling), 0u);
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 0, 9, 2, EDGE_KIND::Rising), 0u);
}

TEST(EdgeCounter, MatchesThePerClockLoopOnEveryChannelAndOddRanges) {
    const std::vector<uint32_t> words = RandomWords(1000, 7);
    const uint32_t ranges[][2] = {{0, 999}, {1, 998}, {3, 11}, {7, 8}, {0, 17}, {500, 999}};
    for (int channel = 0; channel < 32; ++channel) {
        for (const auto& range : ranges) {
            for (bool rising : {true, false}) {
                ASSERT_EQ(CEdgeCounter::Count(words.data(), range[0], range[1], channel,
                                              rising ? EDGE_KIND::Rising : EDGE_KIND::Falling),
                          NaiveEdges(words, range[0], range[1], channel, rising))
                    << channel << " " << range[0] << ".." << range[1] << " " << rising;
            }
        }
    }
}

TEST(EdgeCounter, ChannelsOutsideTheWordCountNothing) {
    const std::vector<uint32_t> words(100, 0xAAAAAAAA);
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 0, 99, 32, EDGE_KIND::Rising), 0u);
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 0, 99, -1, EDGE_KIND::Rising), 0u);
    EXPECT_EQ(CEdgeCounter::Count(words.data(), 0, 99, 1000, EDGE_KIND::Falling), 0u);
}

TEST(LogicOperation, AndWithAConstantZeroChannelIsZeroEverywhere) {
    std::vector<uint32_t> words(200);
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = static_cast<uint32_t>(i & 1U);  // channel 0 toggles, channel 1 stays 0
    }
    const CPackedBits bits = CLogicOperation::Evaluate(words.data(), 200, LOGIC_OPERATION::And, {0, 1});
    ASSERT_EQ(bits.Length(), 200u);
    EXPECT_EQ(bits.CountOnes(), 0u);
    const CPackedBits either = CLogicOperation::Evaluate(words.data(), 200, LOGIC_OPERATION::Or, {0, 1});
    EXPECT_EQ(either.CountOnes(), 100u);
    EXPECT_EQ(either.Bit(1), 1);
    EXPECT_EQ(either.Bit(2), 0);
}

TEST(LogicOperation, XorOfThreeOnesIsOneAndNotTakesTheFirstChannel) {
    const std::vector<uint32_t> words = {0x7, 0x3, 0x1, 0x0};
    const CPackedBits xorBits = CLogicOperation::Evaluate(words.data(), 4, LOGIC_OPERATION::Xor, {0, 1, 2});
    EXPECT_EQ(xorBits.Bit(0), 1);
    EXPECT_EQ(xorBits.Bit(1), 0);
    EXPECT_EQ(xorBits.Bit(2), 1);
    EXPECT_EQ(xorBits.Bit(3), 0);
    const CPackedBits notBits = CLogicOperation::Evaluate(words.data(), 4, LOGIC_OPERATION::Not, {1, 0});
    EXPECT_EQ(notBits.Bit(0), 0);
    EXPECT_EQ(notBits.Bit(1), 0);
    EXPECT_EQ(notBits.Bit(2), 1);
    EXPECT_EQ(notBits.Bit(3), 1);
    // A channel listed twice XORs itself away.
    const CPackedBits twice = CLogicOperation::Evaluate(words.data(), 4, LOGIC_OPERATION::Xor, {0, 0});
    EXPECT_EQ(twice.CountOnes(), 0u);
}

TEST(LogicOperation, MatchesThePerClockLoopAndPacksOneBitPerClock) {
    const uint32_t length = 1000;  // not a whole number of 64-clock words
    const std::vector<uint32_t> words = RandomWords(length, 11);
    const std::vector<int> channels = {3, 17, 30, 5};
    for (LOGIC_OPERATION operation :
         {LOGIC_OPERATION::And, LOGIC_OPERATION::Or, LOGIC_OPERATION::Xor, LOGIC_OPERATION::Not}) {
        const CPackedBits bits = CLogicOperation::Evaluate(words.data(), length, operation, channels);
        ASSERT_EQ(bits.WordCount(), (length + 63) / 64);
        for (uint32_t i = 0; i < length; ++i) {
            uint32_t expected = operation == LOGIC_OPERATION::And ? 1 : 0;
            for (int channel : channels) {
                const uint32_t b = (words[i] >> channel) & 1U;
                expected = operation == LOGIC_OPERATION::And  ? (expected & b)
                           : operation == LOGIC_OPERATION::Or ? (expected | b)
                                                              : (expected ^ b);
            }
            if (operation == LOGIC_OPERATION::Not) {
                expected = 1U - ((words[i] >> channels[0]) & 1U);
            }
            ASSERT_EQ(static_cast<uint32_t>(bits.Bit(i)), expected) << static_cast<int>(operation) << " " << i;
        }
        // Nothing set past the end.
        ASSERT_EQ(bits.Words()[bits.WordCount() - 1] >> (length % 64), 0u);
    }
}

TEST(Frequency, TenMicrosecondClocksWithFiveEdges) {
    EXPECT_FLOAT_EQ(CFrequency::Hertz(5, 10, 3, 10), 50000.0F);
    // Single-precision steps: (float)1 / (float)3 then x1000 rounded each time.
    float expected = 1.0F / 3.0F;
    expected = expected * 1000.0F;
    EXPECT_EQ(CFrequency::Hertz(1, 1, 2, 3), expected);
    EXPECT_EQ(CFrequency::Hertz(7, 1, 1, 2), 3.5F);
}

TEST(Frequency, AnOverflowingDurationUsesTheExactProductAndAZeroClockGivesZero) {
    // 100,000 x 100,000 does not fit 32 bits; the 32-bit product would be 1,410,065,408.
    const float hertz = CFrequency::Hertz(50000, 100000, 1, 100000);
    EXPECT_FLOAT_EQ(hertz, 50000.0F / 1.0e10F);
    EXPECT_EQ(CFrequency::Hertz(5, 0, 3, 10), 0.0F);
    EXPECT_EQ(CFrequency::Hertz(0, 10, 4, 10), 0.0F);
}

TEST(CompareRows, TwoRowsDifferingAtTwoClocks) {
    std::vector<uint32_t> words(10, 0x3);
    words[5] = 0x1;
    words[7] = 0x2;
    const std::vector<COMPARE_POSITION> runs = CCompareRows::Compare(words.data(), 0, 9, 0, 1, {0, 1});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (COMPARE_POSITION{0, 1, 5, 5}));
    EXPECT_EQ(runs[1], (COMPARE_POSITION{0, 1, 7, 7}));
}

TEST(CompareRows, EqualRowsAddNothingAndNeighbouringClocksFormOneRun) {
    std::vector<uint32_t> words(300, 0x1C);  // channels 2..4 all 1
    EXPECT_TRUE(CCompareRows::Compare(words.data(), 10, 20, 2, 4, {2, 3, 4}).empty());
    for (uint32_t i = 60; i <= 140; ++i) {
        words[i] = 0x14;  // channel 3 drops across a 64-clock boundary
    }
    const auto runs = CCompareRows::Compare(words.data(), 0, 299, 2, 4, {2, 3, 4});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], (COMPARE_POSITION{2, 4, 60, 140}));
    // A run reaching the end of the range closes there.
    const auto tail = CCompareRows::Compare(words.data(), 100, 120, 2, 4, {2, 3, 4});
    ASSERT_EQ(tail.size(), 1u);
    EXPECT_EQ(tail[0], (COMPARE_POSITION{2, 4, 100, 120}));
    // A bus row (no device bit) takes no part: one signal left compares with nothing.
    EXPECT_TRUE(CCompareRows::Compare(words.data(), 0, 299, 0, 1, {3, -1}).empty());
}

TEST(CompareRows, RunsCoverExactlyTheDifferingClocks) {
    const std::vector<uint32_t> words = RandomWords(2000, 5);
    const std::vector<int> channels = {1, 9};
    const auto runs = CCompareRows::Compare(words.data(), 3, 1900, 0, 1, channels);
    std::vector<bool> marked(words.size(), false);
    uint32_t previousEnd = 0;
    for (const COMPARE_POSITION& run : runs) {
        ASSERT_LE(run.FirstClock, run.LastClock);
        ASSERT_TRUE(previousEnd == 0 || run.FirstClock > previousEnd + 1) << "runs must not touch";
        previousEnd = run.LastClock;
        for (uint32_t i = run.FirstClock; i <= run.LastClock; ++i) {
            marked[i] = true;
        }
    }
    for (uint32_t i = 0; i < words.size(); ++i) {
        const bool differs = i >= 3 && i <= 1900 && (((words[i] >> 1) ^ (words[i] >> 9)) & 1U) != 0;
        ASSERT_EQ(marked[i], differs) << i;
    }
}
