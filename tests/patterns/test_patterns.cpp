#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CChannelTable.h"
#include "document/CDataPatternList.h"
#include "document/CLogicDocument.h"
#include "graph/CEditHistory.h"
#include "patterns/CChannelSwap.h"
#include "patterns/CPatternCreator.h"
#include "patterns/CPatternEntry.h"

namespace {
// A generating memory of a given length whose words all hold `fill`.
class PatternTest : public ::testing::Test {
protected:
    void Prepare(uint32_t length, uint32_t fill) {
        ASSERT_TRUE(m_document.SetSize(DIRECTION_GENERATING, length, 1));
        m_history.Clear();
        for (uint32_t i = 0; i < length; ++i) {
            m_document.GeneratingMemory().Data()[i] = fill;
        }
    }
    [[nodiscard]] std::string Bits(int channel, uint32_t first, uint32_t count) const {
        std::string text;
        for (uint32_t i = first; i < first + count; ++i) {
            text += static_cast<char>('0' + ((m_document.GeneratingMemory().Data()[i] >> channel) & 1U));
        }
        return text;
    }
    static PATTERN_PARAMETERS Clock(int channel, int startData, uint32_t zeros, uint32_t ones, uint32_t pulses) {
        PATTERN_PARAMETERS p;
        p.PatternKind = CPatternCreator::KindClock;
        p.PatternChannel = static_cast<int16_t>(channel);
        p.PatternData = static_cast<int16_t>(startData);
        p.ZeroClockCount = zeros;
        p.OneClockCount = ones;
        p.PatternCount = pulses;
        return p;
    }
    PATTERN_OUTCOME Apply(const PATTERN_PARAMETERS& p, const PATTERN_SOURCE& source = {}) {
        CPatternCreator creator(m_document.GeneratingMemory(), m_history, m_patterns);
        return creator.Apply(p, source, m_document.PatternParameters);
    }

    CLogicDocument m_document{"/tmp"};
    CEditHistory m_history{m_document};
    CDataPatternList m_patterns;
};
}  // namespace

TEST_F(PatternTest, ClockPatternWritesItsPeriodsAndKeepsTheFirstOne) {
    Prepare(1000, 0xFFFFFFFF);
    ASSERT_EQ(Apply(Clock(5, 0, 2, 3, 2)), PATTERN_OUTCOME::Applied);
    EXPECT_EQ(Bits(5, 0, 10), "0011100111");
    EXPECT_EQ(Bits(5, 10, 990), std::string(990, '1'));  // beyond the pulses: untouched
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(m_document.GeneratingMemory().Data()[i] | (1U << 5), 0xFFFFFFFFU) << i;  // other bits stay
    }
    ASSERT_EQ(m_patterns.Size(), 1U);
    EXPECT_EQ(m_patterns.At(0)->Bits, "00111");
    EXPECT_EQ(m_patterns.At(0)->Kind, 0);
    EXPECT_EQ(m_document.PatternParameters.BasicPatternLength, 5U);
    EXPECT_EQ(m_document.PatternParameters.ZeroClockCount, 2U);
    EXPECT_EQ(m_document.Saved.load(), 0);

    Prepare(1000, 0);
    ASSERT_EQ(Apply(Clock(5, 1, 2, 3, 2)), PATTERN_OUTCOME::Applied);
    EXPECT_EQ(Bits(5, 0, 10), "1110011100");
    EXPECT_EQ(m_patterns.At(1)->Bits, "11100");
}

TEST_F(PatternTest, ClockPulseCountZeroFillsTheMemoryAndTooManyAreCut) {
    Prepare(1000, 0);
    ASSERT_EQ(Apply(Clock(0, 0, 2, 3, 0)), PATTERN_OUTCOME::Applied);
    std::string expected;
    for (int i = 0; i < 200; ++i) expected += "00111";
    EXPECT_EQ(Bits(0, 0, 1000), expected);

    Prepare(1000, 0);
    ASSERT_EQ(Apply(Clock(0, 0, 2, 3, 500)), PATTERN_OUTCOME::Applied);  // 2,500 clocks asked
    EXPECT_EQ(Bits(0, 0, 1000), expected);
    // A pulse count whose product overflows 32 bits still stops at the memory's end.
    Prepare(1000, 0);
    ASSERT_EQ(Apply(Clock(0, 0, 2, 3, 0xFFFFFFFF)), PATTERN_OUTCOME::Applied);
    EXPECT_EQ(Bits(0, 0, 1000), expected);
}

TEST_F(PatternTest, PeriodOutsideItsRangeIsRefusedAndChangesNothing) {
    EXPECT_FALSE(CPatternCreator::ValidClockPeriod(0, 0));
    EXPECT_FALSE(CPatternCreator::ValidClockPeriod(100000000, 1));
    EXPECT_FALSE(CPatternCreator::ValidClockPeriod(0xFFFFFFFF, 0xFFFFFFFF));
    EXPECT_TRUE(CPatternCreator::ValidClockPeriod(99999999, 1));
    Prepare(100, 0);
    const PATTERN_PARAMETERS before = m_document.PatternParameters;
    EXPECT_EQ(Apply(Clock(0, 0, 0, 0, 1)), PATTERN_OUTCOME::ImproperArgument);
    EXPECT_EQ(Apply(Clock(32, 0, 1, 1, 1)), PATTERN_OUTCOME::ImproperArgument);
    EXPECT_EQ(m_document.PatternParameters, before);
    EXPECT_TRUE(m_patterns.Empty());
    EXPECT_FALSE(m_history.CanUndo());
    EXPECT_EQ(Bits(0, 0, 100), std::string(100, '0'));
}

TEST_F(PatternTest, ContinuousRepeatsTheSelectedStretchReadBeforeWriting) {
    Prepare(1000, 0);
    uint32_t* words = m_document.GeneratingMemory().Data();
    words[4] = 1U << 2;  // channel 2 holds 1,0,0 at clocks 4..6
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindContinuous;
    p.PatternChannel = 7;
    p.PatternCount = 3;
    ASSERT_EQ(Apply(p, {false, 2, 4, 6}), PATTERN_OUTCOME::Applied);
    EXPECT_EQ(Bits(7, 0, 12), "100100100000");
    EXPECT_EQ(m_patterns.At(0)->Bits, "100");
    EXPECT_EQ(m_patterns.At(0)->Kind, 1);
    EXPECT_EQ(m_document.PatternParameters.BasicPatternLength, 3U);

    // Source and target on one channel: the stretch is taken before it is overwritten.
    p.PatternChannel = 2;
    p.PatternCount = 0;
    ASSERT_EQ(Apply(p, {false, 2, 4, 6}), PATTERN_OUTCOME::Applied);
    std::string expected;
    for (int i = 0; i < 333; ++i) expected += "100";
    EXPECT_EQ(Bits(2, 0, 999), expected);
    EXPECT_EQ(Bits(2, 999, 1), "1");
}

TEST_F(PatternTest, ContinuousFromABusRowDoesNothingAtAll) {
    Prepare(100, 0x5);
    const PATTERN_PARAMETERS before = m_document.PatternParameters;
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindContinuous;
    p.PatternChannel = 1;
    EXPECT_EQ(Apply(p, {true, 0, 0, 9}), PATTERN_OUTCOME::Nothing);
    EXPECT_EQ(m_document.PatternParameters, before);
    EXPECT_TRUE(m_patterns.Empty());
    EXPECT_FALSE(m_history.CanUndo());
    EXPECT_EQ(m_document.GeneratingMemory().Data()[50], 0x5U);
}

TEST_F(PatternTest, OffsetSetsTheWholeChannelAndUndoRestoresIt) {
    Prepare(1000, 0x10);
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindOffset;
    p.PatternChannel = 3;
    p.PatternData = 1;
    ASSERT_EQ(Apply(p), PATTERN_OUTCOME::Applied);
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(m_document.GeneratingMemory().Data()[i], 0x18U) << i;
    }
    EXPECT_TRUE(m_patterns.Empty());  // an offset keeps no data pattern
    EXPECT_EQ(m_document.PatternParameters.OneClockCount, 0U);
    EXPECT_EQ(m_document.PatternParameters.BasicPatternLength, 1U);
    ASSERT_TRUE(m_history.CanUndo());
    ASSERT_EQ(m_history.Undo(), EDIT_RESULT::Done);
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(m_document.GeneratingMemory().Data()[i], 0x10U) << i;
    }
}

TEST_F(PatternTest, OtherKindsLeaveTheOneClockCountOfTheLastClock) {
    Prepare(100, 0);
    ASSERT_EQ(Apply(Clock(0, 0, 2, 7, 1)), PATTERN_OUTCOME::Applied);
    PATTERN_PARAMETERS p;
    p.PatternKind = CPatternCreator::KindOffset;
    p.PatternChannel = 1;
    ASSERT_EQ(Apply(p), PATTERN_OUTCOME::Applied);
    EXPECT_EQ(m_document.PatternParameters.OneClockCount, 7U);
    EXPECT_EQ(m_document.PatternParameters.PatternKind, 2);
}

TEST_F(PatternTest, SixthPatternDropsTheOldestListEntry) {
    Prepare(100, 0);
    for (uint32_t ones = 1; ones <= 6; ++ones) {
        ASSERT_EQ(Apply(Clock(0, 1, 1, ones, 1)), PATTERN_OUTCOME::Applied);
    }
    ASSERT_EQ(m_patterns.Size(), 5U);
    EXPECT_EQ(m_patterns.At(0)->Bits, "110");
    EXPECT_EQ(m_patterns.At(4)->Bits, "1111110");
}

TEST_F(PatternTest, SwapListsOnlySignalsAndExchangesTwoChannels) {
    Prepare(1000, 0);
    CChannelTable table = CChannelTable::MakeDefault("Signal");
    LOGIC_DATA bus;
    bus.IsBus = 1;
    bus.DeviceChannel = 0;
    bus.ChannelName = "Bus signal0";
    bus.BusChannel = 0x3;
    table.InsertAt(0, bus);
    const std::vector<SWAP_ENTRY> list = CChannelSwap::SignalList(table);
    ASSERT_EQ(list.size(), 32U);
    EXPECT_EQ(list[0].Text, "0:Signal0");
    EXPECT_EQ(list[3].Text, "3:Signal3");

    uint32_t* words = m_document.GeneratingMemory().Data();
    for (uint32_t i = 0; i < 1000; ++i) words[i] = (i & 1U) | 0x100U;
    ASSERT_EQ(CChannelSwap::Swap(m_document.GeneratingMemory(), m_history, list, 0, 3), PATTERN_OUTCOME::Applied);
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(words[i], ((i & 1U) << 3) | 0x100U) << i;
    }
    ASSERT_EQ(m_history.Undo(), EDIT_RESULT::Done);
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(words[i], (i & 1U) | 0x100U) << i;
    }
}

TEST_F(PatternTest, SwapOfOneEntryWithItselfRecordsAStepAndBadIndexesFail) {
    Prepare(100, 0x7);
    const std::vector<SWAP_ENTRY> list = CChannelSwap::SignalList(CChannelTable::MakeDefault("Signal"));
    ASSERT_EQ(CChannelSwap::Swap(m_document.GeneratingMemory(), m_history, list, 2, 2), PATTERN_OUTCOME::Applied);
    EXPECT_TRUE(m_history.CanUndo());
    EXPECT_EQ(m_document.GeneratingMemory().Data()[40], 0x7U);

    m_history.Clear();
    EXPECT_EQ(CChannelSwap::Swap(m_document.GeneratingMemory(), m_history, list, 0, -1), PATTERN_OUTCOME::Failed);
    EXPECT_EQ(CChannelSwap::Swap(m_document.GeneratingMemory(), m_history, list, 32, 0), PATTERN_OUTCOME::Failed);
    const std::vector<SWAP_ENTRY> outside = {{0, "0:a"}, {40, "40:b"}};  // a row from a file, not a channel
    EXPECT_EQ(CChannelSwap::Swap(m_document.GeneratingMemory(), m_history, outside, 0, 1), PATTERN_OUTCOME::Failed);
    EXPECT_FALSE(m_history.CanUndo());
    EXPECT_EQ(m_document.GeneratingMemory().Data()[40], 0x7U);
}

TEST(PatternEntry, ReadsLeadingDigitsAndChecksChannelAndPeriod) {
    EXPECT_EQ(CPatternEntry::Number("12abc"), 12U);
    EXPECT_EQ(CPatternEntry::Number("-5"), 0U);
    EXPECT_EQ(CPatternEntry::Number(""), 0U);
    EXPECT_EQ(CPatternEntry::Number("99999999999999"), 0xFFFFFFFFU);
    EXPECT_TRUE(CPatternEntry::ChannelProblem(31).empty());
    EXPECT_EQ(CPatternEntry::ChannelProblem(32), "Enter an integer between 0 and 31.");
    EXPECT_TRUE(CPatternEntry::PeriodProblem(2, 3).empty());
    EXPECT_EQ(CPatternEntry::PeriodProblem(0, 0), "Enter an integer between 1 and 100000000.");
    EXPECT_EQ(CPatternEntry::PeriodProblem(100000000, 1), "Enter an integer between 1 and 100000000.");
}
