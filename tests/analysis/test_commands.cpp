// The analysis commands on a document and a channel table, and the texts the
// result box and nivara-cli print.
#include <gtest/gtest.h>

#include "analysis/CAnalysisCommands.h"
#include "analysis/CResultTexts.h"
#include "document/CChannelTable.h"
#include "document/CLogicDocument.h"

namespace {

class AnalysisCommandsTest : public ::testing::Test {
protected:
    AnalysisCommandsTest() : table(CChannelTable::MakeDefault("Signal")) {
        for (LOGIC_DATA& row : table) {
            row.IsShown = 1;
            row.IsEnable = 1;
        }
    }

    // Alternating 0,1,0,1,... on a channel of the current direction's memory.
    void Alternate(int channel) {
        CLogicMemory& memory = *document.Memory(document.Condition().Direction);
        for (uint32_t i = 0; i < memory.Length(); ++i) {
            memory.Data()[i] |= static_cast<uint32_t>(i & 1U) << channel;
        }
    }

    CLogicDocument document{"/tmp"};
    CChannelTable table;
    CResultPages pages;
};

}  // namespace

TEST_F(AnalysisCommandsTest, RiseAndFallOverTenClocksAndAOneClockSelection) {
    Alternate(4);
    const CAnalysisCommands commands(document, table);
    ASSERT_EQ(commands.PulseCount(EDGE_KIND::Rising, {9, 4, 0, 4}, pages), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(*pages.PulseCount(), (PULSE_COUNT_RESULT{EDGE_KIND::Rising, 4, 0, 9, 5}));
    ASSERT_EQ(commands.PulseCount(EDGE_KIND::Falling, {0, 4, 9, 4}, pages), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(pages.PulseCount()->Count, 4u);
    ASSERT_EQ(commands.PulseCount(EDGE_KIND::Rising, {6, 4, 6, 4}, pages), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(pages.PulseCount()->Count, 0u);
    EXPECT_EQ(commands.PulseCount(EDGE_KIND::Falling, {6, 4, 6, 4}, pages), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(pages.PulseCount()->Count, 0u);
}

TEST_F(AnalysisCommandsTest, FrequencyOfTenMicrosecondClocks) {
    Alternate(2);
    document.Condition().GeneratingGroup.Clock = 10;
    document.Condition().GeneratingGroup.ClockUnit = 3;
    const CAnalysisCommands commands(document, table);
    ASSERT_EQ(commands.Frequency({0, 2, 10, 2}, pages), ANALYSIS_OUTCOME::Done);
    // Clocks 0..10 hold 5 rising edges over 11 clocks; 0..9 over 10 clocks.
    ASSERT_EQ(commands.Frequency({0, 2, 9, 2}, pages), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(CResultTexts::FrequencyTitle(*pages.Frequency()), "FREQUENCY: 50000.00[Hz]");
    EXPECT_EQ(CResultTexts::RangeLine(pages.Frequency()->Channel, pages.Frequency()->Start, pages.Frequency()->End),
              "Channel: 2 Start: 0[Clock] End: 9[Clock]");
    // An external clock leaves the command without a result.
    document.Condition().GeneratingGroup.ClockType = 2;
    CResultPages fresh;
    EXPECT_EQ(commands.Frequency({0, 2, 9, 2}, fresh), ANALYSIS_OUTCOME::Nothing);
    EXPECT_FALSE(fresh.Frequency().has_value());
}

TEST_F(AnalysisCommandsTest, AutoSavedBlocksOffsetTheShownClocks) {
    document.Condition().Direction = DIRECTION_SAMPLING;
    document.Condition().AutoSave = 1;
    document.CurrentBlock = 2;
    document.LastCount = 1000000;
    const CAnalysisCommands commands(document, table);
    ASSERT_EQ(commands.PulseCount(EDGE_KIND::Rising, {5, 0, 20, 0}, pages), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(CResultTexts::RangeLine(pages.PulseCount()->Channel, pages.PulseCount()->Start,
                                      pages.PulseCount()->End),
              "Channel: 0 Start: 2000005[Clock] End: 2000020[Clock]");
    // Positions past 32 bits are written in full.
    EXPECT_EQ(CResultTexts::RangeLine(1, 5000000005LL, 5000000020LL),
              "Channel: 1 Start: 5000000005[Clock] End: 5000000020[Clock]");
}

TEST_F(AnalysisCommandsTest, BusRowsDoNothingAndRowsOutsideAreImproper) {
    table[3].IsBus = 1;
    table[3].DeviceChannel = 0;  // a bus number
    const CAnalysisCommands commands(document, table);
    EXPECT_EQ(commands.PulseCount(EDGE_KIND::Rising, {0, 3, 9, 3}, pages), ANALYSIS_OUTCOME::Nothing);
    EXPECT_EQ(commands.Frequency({0, 3, 9, 3}, pages), ANALYSIS_OUTCOME::Nothing);
    EXPECT_EQ(commands.PulseCount(EDGE_KIND::Rising, {0, 32, 9, 32}, pages), ANALYSIS_OUTCOME::ImproperArgument);
    EXPECT_EQ(commands.PulseCount(EDGE_KIND::Rising, {0, -1, 9, 0}, pages), ANALYSIS_OUTCOME::ImproperArgument);
    EXPECT_FALSE(pages.PulseCount().has_value());
    // Another direction value does nothing.
    document.Condition().Direction = 0;
    EXPECT_EQ(commands.PulseCount(EDGE_KIND::Rising, {0, 0, 9, 0}, pages), ANALYSIS_OUTCOME::Nothing);
}

TEST_F(AnalysisCommandsTest, NotNeedsExactlyOneChannelAndTheOthersMoreThanOne) {
    EXPECT_TRUE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::Not, DIRECTION_GENERATING, 1));
    EXPECT_FALSE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::Not, DIRECTION_GENERATING, 2));
    EXPECT_FALSE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::Not, DIRECTION_GENERATING, 0));
    EXPECT_FALSE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::And, DIRECTION_GENERATING, 1));
    EXPECT_TRUE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::Xor, DIRECTION_GENERATING, 2));
    EXPECT_FALSE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::Or, DIRECTION_SAMPLING, 3));
    EXPECT_FALSE(CAnalysisCommands::CanLogic(LOGIC_OPERATION::Not, DIRECTION_SAMPLING, 1));
    EXPECT_TRUE(CAnalysisCommands::CanFrequency(1));
    EXPECT_FALSE(CAnalysisCommands::CanFrequency(2));
    EXPECT_TRUE(CAnalysisCommands::CanFrequency(3));
}

TEST_F(AnalysisCommandsTest, LogicTakesTheChannelsOfTheRowsInOrder) {
    table[0].DeviceChannel = 7;
    table[5].DeviceChannel = 0;
    document.GeneratingMemory().Data()[3] = 1U << 7;
    const CAnalysisCommands commands(document, table);
    ASSERT_EQ(commands.Logic(LOGIC_OPERATION::Or, {0, 5}, pages), ANALYSIS_OUTCOME::Done);
    const LOGIC_RESULT& result = *pages.Logic();
    EXPECT_EQ(result.Channels, (std::vector<int16_t>{7, 0}));
    EXPECT_EQ(result.Bits.Length(), document.GeneratingMemory().Length());
    EXPECT_EQ(result.Bits.CountOnes(), 1u);
    EXPECT_EQ(result.Bits.Bit(3), 1);
    EXPECT_EQ(CResultTexts::LogicTitle(result.Operation), "LOGIC OR:");
    EXPECT_EQ(CResultTexts::LogicChannels(result.Channels), "Channel: 7, 0");
}

TEST_F(AnalysisCommandsTest, CompareFollowsTheShownRowsAndAppends) {
    // Rows 0 and 1 show channels 9 and 4 after a reorder.
    table[0].DeviceChannel = 9;
    table[1].DeviceChannel = 4;
    table[9].DeviceChannel = 0;
    table[4].DeviceChannel = 1;
    document.GeneratingMemory().Data()[5] = 1U << 9;
    document.GeneratingMemory().Data()[7] = 1U << 4;
    document.GeneratingMemory().Data()[8] = 1U << 0;  // bits 0 and 1 are not the rows compared
    CCompareList list;
    const CAnalysisCommands commands(document, table);
    ASSERT_EQ(commands.Compare({0, 0, 9, 1}, list), ANALYSIS_OUTCOME::Done);
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(list[0], (COMPARE_POSITION{0, 1, 5, 5}));
    EXPECT_EQ(list[1], (COMPARE_POSITION{0, 1, 7, 7}));
    ASSERT_EQ(commands.Compare({9, 1, 0, 0}, list), ANALYSIS_OUTCOME::Done);
    EXPECT_EQ(list.Size(), 4u);
    EXPECT_EQ(commands.Compare({0, 1, 9, 1}, list), ANALYSIS_OUTCOME::Nothing);
    EXPECT_EQ(list.Size(), 4u);
}

TEST(ResultTexts, PagesOneToThree) {
    EXPECT_EQ(CResultTexts::PulseCountTitle({EDGE_KIND::Rising, 0, 0, 9, 5}), "PULSECOUNT(RISING): 5[Dec]");
    EXPECT_EQ(CResultTexts::PulseCountTitle({EDGE_KIND::Falling, 0, 0, 9, 4}), "PULSECOUNT(FALLING): 4[Dec]");
    EXPECT_EQ(CResultTexts::LogicTitle(LOGIC_OPERATION::Not), "LOGIC NOT:");
    const auto hex = CResultTexts::SearchTexts({0, 3, 1, 2, 8, 0xA5});
    ASSERT_EQ(hex.size(), 3u);
    EXPECT_EQ(hex[0], "Mode: \tClock (Horizontal Axis)");
    EXPECT_EQ(hex[1], "Channel: \t3");
    EXPECT_EQ(hex[2], "Data: \tA5[Hex] Bits: 8");
    const auto bin = CResultTexts::SearchTexts({1, 4, 0, 5, 5, 0x5});
    EXPECT_EQ(bin[0], "Mode: \tChannel (Vertical Axis)");
    EXPECT_EQ(bin[1], "Start Channel: \t4");
    EXPECT_EQ(bin[2], "Data: \t00101[Bin]");
}
