// A search request run against a graph: rows, start clocks, hits as the
// selection, misses as messages, Search All through blocks.
#include <gtest/gtest.h>

#include "SearchTestSupport.h"
#include "analysis/CPatternSearch.h"
#include "analysis/CSearchCommand.h"
#include "resources/CStringTable.h"

namespace {

SEARCH_REQUEST Horizontal(const std::string& text, SEARCH_RADIX radix, int channel, int bitCount = 4) {
    SEARCH_REQUEST request;
    request.Text = text;
    request.TextLength = static_cast<int16_t>(text.size());
    request.Radix = radix;
    request.Value = ParsePatternText(text, radix);
    request.StartChannel = static_cast<int16_t>(channel);
    request.BitCount = static_cast<int16_t>(bitCount);
    return request;
}

SEARCH_REQUEST Vertical(const std::string& text, SEARCH_RADIX radix, int channel, int count) {
    SEARCH_REQUEST request = Horizontal(text, radix, channel);
    request.Type = SEARCH_TYPE::Vertical;
    request.ChannelCount = static_cast<int16_t>(count);
    return request;
}

// Repeats the search (F3 or Shift+F3) until it misses; the anchor clocks of the hits.
std::vector<int> Repeat(CSearchFixture& f, const SEARCH_REQUEST& request, SEARCH_DIRECTION direction) {
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    std::vector<int> hits;
    while (command.Run(request, direction, false) == SEARCH_OUTCOME::Hit && hits.size() < 100) {
        hits.push_back(f.Model.Anchor().clock);
    }
    return hits;
}

}  // namespace

TEST(SearchCommand, BinaryAndHexadecimalFindTheSameWindows) {
    CSearchFixture f;
    // Channel 2 reads 0110 at clocks 20..23 and 50..53, 0111 at 80..83.
    f.SetBits(2, {21, 22, 51, 52, 81, 82, 83});
    const std::vector<int> binary = Repeat(f, Horizontal("0110", SEARCH_RADIX::Binary, 2), SEARCH_DIRECTION::Forward);
    f.Select(0, 0, 0, 0);
    const std::vector<int> hex = Repeat(f, Horizontal("6", SEARCH_RADIX::Hexadecimal, 2), SEARCH_DIRECTION::Forward);
    EXPECT_EQ(binary, (std::vector<int>{20, 50}));
    EXPECT_EQ(hex, binary);
    // The hit is the selection: the window on the searched row, earliest clock as anchor.
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{50, 2}));
    EXPECT_EQ(f.Model.Current(), (GRAPH_CELL{53, 2}));
    // Both ended with the forward miss message, warning icon, text as typed.
    ASSERT_EQ(f.Messages.Shown.size(), 2u);
    EXPECT_EQ(f.Messages.Shown[0].first, "Horizontal axis (CH2), '0110' is not found in the forward search");
    EXPECT_EQ(f.Messages.Shown[1].first, "Horizontal axis (CH2), '6' is not found in the forward search");
    EXPECT_EQ(f.Messages.Shown[1].second, MessageIcon::Warning);
    // The miss leaves the selection as it was.
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{50, 2}));
}

TEST(SearchCommand, AValueWiderThanTheBitCountNeverMatches) {
    CSearchFixture f;
    f.SetBits(0, {10, 11, 12, 13, 14});
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    EXPECT_EQ(command.Run(Horizontal("1F", SEARCH_RADIX::Hexadecimal, 0, 4), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Miss);
    EXPECT_EQ(command.Run(Horizontal("1F", SEARCH_RADIX::Hexadecimal, 0, 5), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Anchor().clock, 10);
}

TEST(SearchCommand, StartClocksFollowTheSelection) {
    CSearchFixture f;
    f.SetBits(1, {10, 30});  // "1" on channel 1 at 10 and 30
    const SEARCH_REQUEST one = Horizontal("1", SEARCH_RADIX::Binary, 1);
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    // A selection starting at clock 10 searches from 11.
    f.Select(10, 1, 12, 1);
    ASSERT_EQ(command.Run(one, SEARCH_DIRECTION::Forward, false), SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Anchor().clock, 30);
    // A selection ending at clock 30 searches backward from the window ending at 29.
    f.Select(25, 1, 30, 1);
    ASSERT_EQ(command.Run(one, SEARCH_DIRECTION::Backward, false), SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Anchor().clock, 10);
    // Backward from clock 0 reads nothing before the memory: a miss.
    f.Select(0, 1, 0, 1);
    EXPECT_EQ(command.Run(one, SEARCH_DIRECTION::Backward, false), SEARCH_OUTCOME::Miss);
    EXPECT_EQ(f.Messages.Shown.back().first, "Horizontal axis (CH1), '1' is not found in the backward search");
    // Repeated Shift+F3 steps from hit to hit too.
    f.SetBits(1, {500});
    f.Select(999, 1, 999, 1);
    EXPECT_EQ(Repeat(f, one, SEARCH_DIRECTION::Backward), (std::vector<int>{500, 30, 10}));
}

TEST(SearchCommand, TheLastWindowStartsAtNMinusTheLength) {
    CSearchFixture f(DIRECTION_SAMPLING, 2000);
    f.Document.LastCount.store(1000);  // N = 1000 valid words
    f.Model.OnDocumentUpdate();
    f.SetBits(0, {992, 993, 994, 995, 996, 997, 998, 999});
    f.SetBits(0, {1000});  // beyond the valid words
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    ASSERT_EQ(command.Run(Horizontal("11111111", SEARCH_RADIX::Binary, 0), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Anchor().clock, 992);
    EXPECT_EQ(f.Model.Current().clock, 999);
    f.Select(0, 0, 0, 0);
    EXPECT_EQ(command.Run(Horizontal("111111111", SEARCH_RADIX::Binary, 0), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Miss);
}

TEST(SearchCommand, TheRowIsTheFirstShownSignalOnTheChannel) {
    CSearchFixture f;
    CChannelTable& table = f.Records.GeneratingTable;
    // Row 0 becomes a bus numbered 5; the signal on channel 5 stays at row 5.
    table.At(0).IsBus = 1;
    table.At(0).DeviceChannel = 5;
    table.At(0).BusChannel = 0x3;
    f.Model.OnDocumentUpdate();
    f.SetBits(5, {40});
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    ASSERT_EQ(command.Run(Horizontal("1", SEARCH_RADIX::Binary, 5), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{40, 5}));
    // No signal on the channel: the anchor row is searched.
    table.At(7).DeviceChannel = 9;  // channel 7 is nowhere now
    f.Model.OnDocumentUpdate();
    f.SetBits(9, {60});
    f.Select(0, 7, 0, 7);
    ASSERT_EQ(command.Run(Horizontal("1", SEARCH_RADIX::Binary, 7), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{60, 7}));
}

TEST(SearchCommand, VerticalBlocksReadEachRowsChannel) {
    CSearchFixture f;
    CChannelTable& table = f.Records.GeneratingTable;
    // Rows 3, 4, 5; row 4 is a bus numbered 10: its row reads bit 10.
    table.At(4).IsBus = 1;
    table.At(4).DeviceChannel = 10;
    f.Model.OnDocumentUpdate();
    f.SetBits(3, {70, 90});
    f.SetBits(10, {70});
    f.SetBits(4, {90});
    f.SetBits(5, {70, 90});
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    // Value 111: row 3 is bit 0, the bus row bit 1, row 5 bit 2.
    const SEARCH_REQUEST block = Vertical("111", SEARCH_RADIX::Binary, 3, 3);
    ASSERT_EQ(command.Run(block, SEARCH_DIRECTION::Forward, false), SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Current(), (GRAPH_CELL{70, 3}));
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{70, 5}));
    EXPECT_EQ(command.Run(block, SEARCH_DIRECTION::Forward, false), SEARCH_OUTCOME::Miss);
    EXPECT_EQ(f.Messages.Shown.back().first, "Vertical axis (CH3-CH5), '111' is not found in the forward search");
    // Hexadecimal 5 = 101 at clock 90 only (the bus row reads bit 10, 0 there).
    ASSERT_EQ(command.Run(Vertical("5", SEARCH_RADIX::Hexadecimal, 3, 3), SEARCH_DIRECTION::Backward, false),
              SEARCH_OUTCOME::Miss);
    f.Select(100, 3, 100, 3);
    ASSERT_EQ(command.Run(Vertical("5", SEARCH_RADIX::Hexadecimal, 3, 3), SEARCH_DIRECTION::Backward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Current().clock, 90);
    // Backward from clock 0 is a miss.
    f.Select(0, 3, 0, 3);
    EXPECT_EQ(command.Run(Vertical("0", SEARCH_RADIX::Binary, 3, 1), SEARCH_DIRECTION::Backward, false),
              SEARCH_OUTCOME::Miss);
}

TEST(SearchCommand, ABlockPastTheLastRowIsAnImproperArgument) {
    CSearchFixture f;
    f.Select(5, 0, 5, 0);
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    EXPECT_EQ(command.Run(Vertical("1", SEARCH_RADIX::Binary, 30, 3), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Improper);
    ASSERT_EQ(f.Messages.Shown.size(), 1u);
    EXPECT_EQ(f.Messages.Shown[0].first, "Encountered an improper argument.");
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{5, 0}));
    // An empty text searches nothing and says nothing.
    EXPECT_EQ(command.Run(Horizontal("", SEARCH_RADIX::Binary, 0), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Nothing);
    EXPECT_EQ(f.Messages.Shown.size(), 1u);
}

TEST(SearchCommand, HitsScrollToTheMiddleOfThePage) {
    CSearchFixture f(DIRECTION_GENERATING, 100000);
    f.SetBits(0, {50000});
    const int half = f.Model.Geometry().ClocksPerPage() / 2;
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    ASSERT_EQ(command.Run(Horizontal("1", SEARCH_RADIX::Binary, 0), SEARCH_DIRECTION::Forward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Geometry().FirstVisibleClock(), 50000 - half);
    f.SetBits(0, {3});
    ASSERT_EQ(command.Run(Horizontal("1", SEARCH_RADIX::Binary, 0), SEARCH_DIRECTION::Backward, false),
              SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.Geometry().FirstVisibleClock(), 0);
}

TEST(SearchCommand, SearchAllGoesOnThroughTheBlocks) {
    CSearchFixture f;
    std::vector<uint32_t> a(100, 0), b(100, 0), c(60, 0);
    b[98] = b[99] = 1;   // a window across the end of block 1 and into block 2 never counts
    c[0] = 1;
    c[40] = 1;
    f.MakeBlocks({a, b, c}, 100);
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    const SEARCH_REQUEST ones = Horizontal("111", SEARCH_RADIX::Binary, 0);
    const SEARCH_REQUEST one = Horizontal("1", SEARCH_RADIX::Binary, 0);
    // Without Search All the shown block only.
    EXPECT_EQ(command.Run(one, SEARCH_DIRECTION::Forward, false), SEARCH_OUTCOME::Miss);
    EXPECT_TRUE(f.Reader.Reads.empty());
    // Forward: block 1 then block 2 from its clock 0.
    ASSERT_EQ(command.Run(one, SEARCH_DIRECTION::Forward, true), SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.ShownBlock(), 1);
    EXPECT_EQ(f.Model.Anchor().clock, 98);
    ASSERT_EQ(command.Run(one, SEARCH_DIRECTION::Forward, true), SEARCH_OUTCOME::Hit);
    ASSERT_EQ(command.Run(one, SEARCH_DIRECTION::Forward, true), SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.ShownBlock(), 2);
    EXPECT_EQ(f.Model.Anchor().clock, 0);
    // Backward from block 2 clock 0: the last valid clock of block 1.
    ASSERT_EQ(command.Run(one, SEARCH_DIRECTION::Backward, true), SEARCH_OUTCOME::Hit);
    EXPECT_EQ(f.Model.ShownBlock(), 1);
    EXPECT_EQ(f.Model.Anchor().clock, 99);
    // A miss shows the block of the start again, at the first visible clock of the start.
    f.Reader.Reads.clear();
    f.Model.Geometry().SetFirstVisibleClock(0);
    EXPECT_EQ(command.Run(ones, SEARCH_DIRECTION::Forward, true), SEARCH_OUTCOME::Miss);
    EXPECT_EQ(f.Reader.Reads, (std::vector<std::string>{"block2.vpb", "block1.vpb"}));
    EXPECT_EQ(f.Model.ShownBlock(), 1);
    EXPECT_EQ(f.Messages.Shown.back().first, "Horizontal axis (CH0), '111' is not found in the forward search");
}

TEST(SearchCommand, SearchAllThatCannotReadABlockShowsTheStartBlockAgain) {
    CSearchFixture f;
    std::vector<uint32_t> a(100, 0);
    a[10] = 1;
    f.MakeBlocks({a, a, a}, 100);
    f.Reader.Files.erase("block1.vpb");
    f.Select(50, 0, 50, 0);
    CSearchCommand command(f.Model, &f.Reader, f.Messages);
    EXPECT_EQ(command.Run(Horizontal("1", SEARCH_RADIX::Binary, 0), SEARCH_DIRECTION::Forward, true),
              SEARCH_OUTCOME::Miss);
    EXPECT_EQ(f.Reader.Reads, (std::vector<std::string>{"block1.vpb", "block0.vpb"}));
    EXPECT_EQ(f.Model.ShownBlock(), 0);
    EXPECT_EQ(f.Document.SamplingMemory().Word(10), 1u);  // the garbage of the failed read is gone
    ASSERT_EQ(f.Messages.Shown.size(), 2u);
    EXPECT_EQ(f.Messages.Shown[0].first, "Search All cannot read the file block1.vpb.");
    EXPECT_EQ(f.Messages.Shown[1].first, "Horizontal axis (CH0), '1' is not found in the forward search");
}

TEST(SearchCommand, MissTextsInBothLanguages) {
    EXPECT_EQ(CSearchCommand::MissText(SEARCH_TYPE::Vertical, SEARCH_DIRECTION::Backward, 4, 7, "1010"),
              "Vertical axis (CH4-CH7), '1010' is not found in the backward search");
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    EXPECT_EQ(CSearchCommand::MissText(SEARCH_TYPE::Horizontal, SEARCH_DIRECTION::Forward, 3, 3, "0110"),
              "横軸（CH3）で前方に”0110”が見つかりません");
    EXPECT_EQ(CSearchCommand::MissText(SEARCH_TYPE::Horizontal, SEARCH_DIRECTION::Backward, 3, 3, "A"),
              "横軸（CH3）で後方に”A”が見つかりません");
    EXPECT_EQ(CSearchCommand::MissText(SEARCH_TYPE::Vertical, SEARCH_DIRECTION::Forward, 0, 2, "7"),
              "縦軸（CH0～CH2）で前方に”7”が見つかりません");
    EXPECT_EQ(CSearchCommand::MissText(SEARCH_TYPE::Vertical, SEARCH_DIRECTION::Backward, 0, 2, "7"),
              "縦軸（CH0～CH2）で後方に”7”が見つかりません");
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
}
