#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "graph/CEditHistory.h"
#include "resources/CStringTable.h"
#include "shell/CConditionGrid.h"
#include "shell/CConditionText.h"
#include "resources/StringIds.h"
#include "shell/IConditionGridHost.h"
#include "support/CScriptedMessages.h"

namespace {

using P = GridProperty;

class GridHost : public IConditionGridHost {
public:
    void OnDirectionChanged() override { ++DirectionChanges; }
    void OnMemoryResized(int direction) override { Resized.push_back(direction); }
    int DirectionChanges = 0;
    std::vector<int> Resized;
};

class ConditionGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        CStringTable::SetLanguage(LANGUAGE_ENGLISH);
        messages.DefaultAnswer = MessageAnswer::No;
        grid.BuildDefaultGrid("/home/user/Documents/Nivara");
        document.SetViewNotifier([this] { ++notifications; });
        grid.RefreshGrid(document);
    }

    void Edit(P property, const std::string& text) { grid.OnConditionChanged(document, host, property, text); }
    std::string Shown(P property) const { return grid.Item(property)->Value; }
    DIRECTION_GROUP& Group() { return *document.Condition().ActiveGroup(); }
    void SetModel(const char* type) { document.SetDevice(type, "DIO000"); }
    void Sampling() { Edit(P::Mode, "Sampling"); }

    CScriptedMessages messages;
    GridHost host;
    CConditionGrid grid{messages};
    CLogicDocument document{"/home/user/Documents/Nivara"};
    int notifications = 0;
};

TEST_F(ConditionGridTest, DefaultGridHasTheGenerationLayout) {
    ASSERT_EQ(grid.Groups().size(), 7U);
    const std::vector<int> names = {IDS_GRID_MODE,          IDS_GRID_CLOCK_GROUP,    IDS_GRID_START, IDS_GRID_STOP,
                                    IDS_GRID_MONITOR_GROUP, IDS_GRID_AUTOSAVE_GROUP, IDS_GRID_BUFFER_GROUP};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(grid.Groups()[i].NameId, names[i]);
    }
    EXPECT_EQ(Shown(P::Mode), "Generating");
    EXPECT_EQ(Shown(P::ClockUnit), "mSec");
    EXPECT_EQ(Shown(P::StopCondition), "Transfer completed with specified number");
    EXPECT_EQ(Shown(P::StopPosition), "999");
    EXPECT_EQ(Shown(P::BufferSize), "1000");
    EXPECT_FALSE(grid.GroupOf(P::MonitorMode)->Shown);
    EXPECT_FALSE(grid.GroupOf(P::AutoSave)->Shown);
    EXPECT_TRUE(grid.GroupOf(P::BufferSize)->Shown);
    EXPECT_FALSE(grid.Item(P::StartPattern)->Shown);
    EXPECT_EQ(grid.Item(P::StartCondition)->OptionIds.size(), 3U);
    EXPECT_EQ(grid.Item(P::AutoSavePath)->Kind, GridValueKind::Folder);
    EXPECT_EQ(grid.Item(P::AutoSaveFileType)->Kind, GridValueKind::TextWithOptions);
}

TEST_F(ConditionGridTest, SamplingShowsMonitorAndAutoSaveAndHidesTheBufferSize) {
    Sampling();
    EXPECT_EQ(document.Condition().Direction, DIRECTION_SAMPLING);
    EXPECT_EQ(host.DirectionChanges, 1);
    EXPECT_TRUE(grid.GroupOf(P::MonitorMode)->Shown);
    EXPECT_TRUE(grid.GroupOf(P::AutoSave)->Shown);
    EXPECT_FALSE(grid.GroupOf(P::BufferSize)->Shown);
    EXPECT_EQ(grid.Item(P::StartCondition)->OptionIds.size(), 4U);
    EXPECT_TRUE(grid.Item(P::StartPattern)->Shown);
    EXPECT_FALSE(grid.Item(P::StartPattern)->Enabled);
    Edit(P::StartCondition, "Pattern match");
    EXPECT_EQ(Group().StartTrigger, 4);
    EXPECT_TRUE(grid.Item(P::StartPattern)->Enabled);
    EXPECT_TRUE(grid.Item(P::PatternMask)->Enabled);
    // Monitor fields follow the mode; the ratio only for the graph update.
    EXPECT_FALSE(grid.Item(P::MonitorData)->Enabled);
    Edit(P::MonitorMode, "Stop sampling");
    EXPECT_TRUE(grid.Item(P::MonitorData)->Enabled);
    EXPECT_FALSE(grid.Item(P::MonitorPercentage)->Enabled);
    Edit(P::MonitorMode, "Graph automatic update");
    EXPECT_EQ(document.Condition().MonitorMode, 2);
    EXPECT_TRUE(grid.Item(P::MonitorPercentage)->Enabled);
    // Back to generating: both groups kept their values.
    Edit(P::Mode, "Generating");
    EXPECT_EQ(document.Condition().SamplingGroup.StartTrigger, 4);
    EXPECT_EQ(document.Condition().GeneratingGroup.StartTrigger, 1);
    EXPECT_EQ(Shown(P::StartCondition), "Software");
    EXPECT_EQ(host.DirectionChanges, 2);
}

TEST_F(ConditionGridTest, ClockValueIsLimitedByModelAndUnit) {
    SetModel("QDX-32A-PE");
    Edit(P::ClockUnit, "nSec");
    EXPECT_EQ(Group().Clock, 1U) << "a unit change does not limit the clock again";
    EXPECT_EQ(Group().ClockUnit, 4);
    Edit(P::ClockValue, "60");
    EXPECT_EQ(Group().Clock, 75U);
    Edit(P::ClockValue, "10");
    EXPECT_EQ(Group().Clock, 50U);
    Edit(P::ClockValue, "125");
    EXPECT_EQ(Group().Clock, 125U);
    EXPECT_EQ(Shown(P::ClockValue), "125");
    SetModel("QDX-32C-PE");
    Edit(P::ClockValue, "61");
    EXPECT_EQ(Group().Clock, 65U);
    Edit(P::ClockValue, "7");
    EXPECT_EQ(Group().Clock, 20U);
    SetModel("QDX-32A(PCI)");
    Edit(P::ClockUnit, "Sec");
    Edit(P::ClockValue, "500");
    EXPECT_EQ(Group().Clock, 107U);
    Edit(P::ClockValue, "0");
    EXPECT_EQ(Group().Clock, 1U);
    Edit(P::ClockValue, "abc");
    EXPECT_EQ(Group().Clock, 1U) << "text that is not a number reads as 0";
}

TEST_F(ConditionGridTest, AnotherClockTypeDisablesAndKeepsTheClockShown) {
    Edit(P::ClockValue, "40");
    Edit(P::ClockType, "External clock");
    EXPECT_EQ(Group().ClockType, 2);
    EXPECT_FALSE(grid.Item(P::ClockValue)->Enabled);
    EXPECT_FALSE(grid.Item(P::ClockUnit)->Enabled);
    Group().Clock = 77;
    grid.RefreshGrid(document);
    EXPECT_EQ(Shown(P::ClockValue), "40");
    Edit(P::ClockType, "Internal clock");
    EXPECT_EQ(Shown(P::ClockValue), "77");
}

TEST_F(ConditionGridTest, PositionsStayInsideTheMemory) {
    Edit(P::StopPosition, "5000");
    EXPECT_EQ(Group().StopPosition, 999U);
    Edit(P::StartPosition, "999");
    EXPECT_EQ(Group().StartPosition, 998U);
    Edit(P::StartPosition, "10");
    Edit(P::StopPosition, "3");
    EXPECT_EQ(Group().StopPosition, 11U);
    EXPECT_EQ(Shown(P::StopPosition), "11");
}

TEST_F(ConditionGridTest, RepeatIsHeldToTheBoardLimitOverTheSpan) {
    SetModel("QDX-32A-PE");
    Edit(P::Repeat, "100000000");
    EXPECT_EQ(Group().RepeatCount, 16777U);
    SetModel("QDX-32C-PE");
    Edit(P::Repeat, "100000000");
    EXPECT_EQ(Group().RepeatCount, 536870U);
    Edit(P::Repeat, "-4");
    EXPECT_EQ(Group().RepeatCount, 1U);
    EXPECT_EQ(document.GeneratingMemory().Length(), 1000U);
}

TEST_F(ConditionGridTest, SmallerBufferSizeAsksFirst) {
    messages.Answers = {MessageAnswer::No};
    Edit(P::BufferSize, "500");
    ASSERT_EQ(messages.Shown.size(), 1U);
    EXPECT_EQ(messages.Shown[0].first, LoadText(IDS_BUFFER_SHRINK_QUERY));
    EXPECT_EQ(messages.Shown[0].second, MessageIcon::Warning);
    EXPECT_EQ(document.GeneratingMemory().Length(), 1000U);
    EXPECT_EQ(Group().StopPosition, 999U);
    EXPECT_EQ(Shown(P::BufferSize), "1000");
    EXPECT_TRUE(host.Resized.empty());

    Group().RepeatCount = 3;
    messages.Answers = {MessageAnswer::Yes};
    Edit(P::BufferSize, "500");
    EXPECT_EQ(document.GeneratingMemory().Length(), 500U);
    EXPECT_EQ(Group().StopPosition, 499U);
    EXPECT_EQ(Group().RepeatCount, 3U);
    EXPECT_EQ(Shown(P::BufferSize), "500");
    EXPECT_EQ(host.Resized, std::vector<int>{DIRECTION_GENERATING});
}

TEST_F(ConditionGridTest, LargerOrZeroBufferSizeAsksNothing) {
    document.GeneratingMemory().Data()[999] = 0xABCD;
    Edit(P::BufferSize, "2000");
    EXPECT_TRUE(messages.Shown.empty());
    EXPECT_EQ(document.GeneratingMemory().Length(), 2000U);
    EXPECT_EQ(document.GeneratingMemory().Data()[999], 0xABCDU);
    EXPECT_EQ(document.GeneratingMemory().Data()[1999], 0U);
    EXPECT_EQ(Group().StopPosition, 999U) << "growing keeps the positions";
    messages.Answers = {MessageAnswer::Yes};
    Edit(P::BufferSize, "0");
    EXPECT_EQ(document.GeneratingMemory().Length(), 1U);
    EXPECT_EQ(Group().StartPosition, 0U);
    EXPECT_EQ(Group().StopPosition, 0U);
}

TEST_F(ConditionGridTest, OnlyANewBufferSizeEmptiesTheEditHistory) {
    CEditHistory history(document);
    (void)history.RecordOverwrite(0xFF, 0, 9);
    ASSERT_TRUE(history.CanUndo());
    Edit(P::Repeat, "5");
    EXPECT_EQ(Group().RepeatCount, 5U);
    EXPECT_TRUE(history.CanUndo()) << "a repeat count keeps the words and their history";
    Edit(P::BufferSize, "1200");
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(ConditionGridTest, PatternAndMaskReadAsHexadecimal) {
    Sampling();
    Edit(P::PatternMask, "ffffffff");
    EXPECT_EQ(document.Condition().PatternMask, 0xFFFFFFFFU);
    Edit(P::StartPattern, "1g");
    EXPECT_EQ(document.Condition().StartPattern, 1U);
    Edit(P::PatternMask, "00F0");
    EXPECT_EQ(document.Condition().PatternMask, 0xF0U);
    EXPECT_EQ(Shown(P::PatternMask), "f0");
    Edit(P::StartPattern, "123456789");
    EXPECT_EQ(document.Condition().StartPattern, 0xFFFFFFFFU) << "too large gives the largest word";
}

TEST_F(ConditionGridTest, ComparePatternFollowsTheRadix) {
    Sampling();
    Edit(P::MonitorMode, "Stop sampling");
    Edit(P::MonitorDataBase, "Binary");
    EXPECT_EQ(Shown(P::MonitorData), "01010101");
    Edit(P::MonitorData, "0101");
    EXPECT_EQ(document.Condition().MonitorData, 5U);
    EXPECT_EQ(Shown(P::MonitorData), "00000101");
    Edit(P::MonitorDataBase, "Hexadecimal");
    EXPECT_EQ(Shown(P::MonitorData), "5");
    Edit(P::MonitorData, "1f");
    EXPECT_EQ(document.Condition().MonitorData, 0x1FU);
}

TEST_F(ConditionGridTest, MonitorNumbersAreHeldToTheirRanges) {
    Sampling();
    Edit(P::MonitorPercentage, "150%");
    EXPECT_EQ(document.Condition().MonitorPercentage, 100);
    EXPECT_EQ(Shown(P::MonitorPercentage), "100%");
    Edit(P::MonitorPercentage, "-5");
    EXPECT_EQ(document.Condition().MonitorPercentage, 0);
    Edit(P::MonitorPercentage, " 42 %");
    EXPECT_EQ(document.Condition().MonitorPercentage, 42);
    Edit(P::MonitorBitNumbers, "0");
    EXPECT_EQ(document.Condition().MonitorDataBitNumbers, 1);
    Edit(P::MonitorBitNumbers, "40");
    EXPECT_EQ(document.Condition().MonitorDataBitNumbers, 32);
    Edit(P::MonitorChannel, "-3");
    EXPECT_EQ(document.Condition().MonitorChannel, 0);
    Edit(P::MonitorChannel, "40");
    EXPECT_EQ(document.Condition().MonitorChannel, 31);
    Edit(P::MonitorMethod, "Vertical axis / Channel axis (in graph display order)");
    EXPECT_EQ(document.Condition().MonitorMethod, 1);
}

TEST_F(ConditionGridTest, AutoSaveTextsThatABlockFileCannotHoldAreRefused) {
    Sampling();
    Edit(P::AutoSave, "Valid");
    EXPECT_EQ(document.Condition().AutoSave, 1);
    EXPECT_TRUE(grid.Item(P::AutoSavePath)->Enabled);
    const std::string before = document.Condition().AutoSavePath;
    Edit(P::AutoSavePath, "/data/" + std::string(260, 'a'));
    EXPECT_EQ(document.Condition().AutoSavePath, before);
    EXPECT_EQ(Shown(P::AutoSavePath), before);
    Edit(P::AutoSavePath, "/data/a,b");
    EXPECT_EQ(document.Condition().AutoSavePath, before);
    Edit(P::AutoSaveFileName, "run/1");
    Edit(P::AutoSaveFileName, "..x");
    EXPECT_EQ(document.Condition().AutoSaveFileName, "LogicData");
    ASSERT_EQ(messages.Shown.size(), 4U);
    EXPECT_EQ(messages.Shown[0].first, LoadText(IDS_GRID_TEXT_TOO_LONG));
    EXPECT_EQ(messages.Shown[1].first, LoadText(IDS_GRID_TEXT_CSV_CHARACTERS));
    EXPECT_EQ(messages.Shown[2].first, LoadText(IDS_GRID_PREFIX_CHARACTERS));

    // Binary block files hold a comma; the text type is refused then.
    Edit(P::AutoSaveFileType, "*.vpb");
    EXPECT_EQ(document.Condition().AutoSaveFileType, 1);
    Edit(P::AutoSavePath, "/data/a,b");
    EXPECT_EQ(document.Condition().AutoSavePath, "/data/a,b");
    Edit(P::AutoSaveFileType, "*.csv");
    EXPECT_EQ(document.Condition().AutoSaveFileType, 1);
    EXPECT_EQ(Shown(P::AutoSaveFileType), "*.vpb");
    Edit(P::AutoSaveFileName, "Run 7");
    EXPECT_EQ(document.Condition().AutoSaveFileName, "Run 7");
    Edit(P::AutoSaveFileType, "anything typed");
    EXPECT_EQ(document.Condition().AutoSaveFileType, 1);
}

TEST_F(ConditionGridTest, NothingChangesWhileTheDocumentRuns) {
    document.IsRunning.store(1);
    Edit(P::StopPosition, "10");
    Edit(P::Mode, "Sampling");
    EXPECT_EQ(Group().StopPosition, 999U);
    EXPECT_EQ(document.Condition().Direction, DIRECTION_GENERATING);
    EXPECT_EQ(host.DirectionChanges, 0);
}

TEST_F(ConditionGridTest, ChangedPropertyIsFoundByItsNameInTheLanguage) {
    grid.OnConditionChanged(document, host, "Transfer stop position", "20");
    EXPECT_EQ(Group().StopPosition, 20U);
    EXPECT_TRUE(grid.Item(P::StopPosition)->Changed());
    EXPECT_FALSE(grid.Item(P::StartPosition)->Changed());
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    CConditionGrid japanese(messages);
    japanese.BuildDefaultGrid("/tmp");
    japanese.OnConditionChanged(document, host, LoadText(IDS_GRID_STOP_POSITION), "30");
    EXPECT_EQ(Group().StopPosition, 30U);
    japanese.OnConditionChanged(document, host, "Transfer stop position", "40");
    EXPECT_EQ(Group().StopPosition, 30U) << "an English name is no property of the Japanese grid";
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);

    grid.ResetToDefaults();
    EXPECT_EQ(Shown(P::StopPosition), "999");
    EXPECT_FALSE(grid.Item(P::StopPosition)->Changed());
}

TEST_F(ConditionGridTest, ValuesFromAFileOutsideTheOptionsShowSafely) {
    Sampling();
    document.Condition().MonitorMode = 7;
    document.Condition().MonitorDataBase = 1;
    document.Condition().MonitorDataBitNumbers = 40;
    document.Condition().MonitorData = 0x80000001;
    Group().ClockType = 9;
    grid.RefreshGrid(document);
    EXPECT_EQ(Shown(P::MonitorMode), "Invalid");
    EXPECT_EQ(Shown(P::MonitorData), "10000000000000000000000000000001");
    EXPECT_EQ(Shown(P::ClockType), "");
    EXPECT_FALSE(grid.Item(P::ClockValue)->Enabled);
}

TEST(ConditionTextTest, NumbersReadLikeTypedText) {
    EXPECT_EQ(CConditionText::Number("  -12x"), -12);
    EXPECT_EQ(CConditionText::Number("+7"), 7);
    EXPECT_EQ(CConditionText::Number("x7"), 0);
    EXPECT_EQ(CConditionText::Number("99999999999"), 2147483647);
    EXPECT_EQ(CConditionText::Number("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(CConditionText::Unsigned("0x1F", 16), 0x1FU);
    EXPECT_EQ(CConditionText::Unsigned("0xg", 16), 0U);
    EXPECT_EQ(CConditionText::Unsigned("-1", 16), 0xFFFFFFFFU);
    EXPECT_EQ(CConditionText::Unsigned("1012", 2), 5U);
    EXPECT_EQ(CConditionText::Unsigned(std::string(33, '1'), 2), 0xFFFFFFFFU);
    EXPECT_EQ(CConditionText::Binary(5, 0), "1");
    EXPECT_EQ(CConditionText::Hex(0), "0");
}

}  // namespace
