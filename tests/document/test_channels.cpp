#include <gtest/gtest.h>

#include "document/BOOKMARK_DATA.h"
#include "document/CImproperArgument.h"
#include "document/CWindowRecords.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

LOGIC_DATA BusRow(int16_t number, uint32_t mask) {
    LOGIC_DATA row;
    row.DeviceChannel = number;
    row.ChannelName = "Bus signal" + std::to_string(number);
    row.IsEnable = 1;
    row.IsBus = 1;
    row.BusChannel = mask;
    row.IsShown = 1;
    return row;
}

}  // namespace

TEST(ChannelTable, DefaultTablesInBothLanguages) {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    CWindowRecords records(LoadText(IDS_SIGNAL_NAME_BASE));
    for (const CChannelTable* table : {&records.SamplingTable, &records.GeneratingTable}) {
        ASSERT_EQ(table->Size(), 32u);
        for (std::size_t i = 0; i < 32; ++i) {
            const LOGIC_DATA& row = table->At(i);
            EXPECT_EQ(row.DeviceChannel, static_cast<int16_t>(i));
            EXPECT_EQ(row.ChannelName, "Signal" + std::to_string(i));
            EXPECT_EQ(row.IsEnable, 1);
            EXPECT_EQ(row.IsBus, 0);
            EXPECT_EQ(row.IsShown, 1);
            EXPECT_EQ(row.TreeItem, 0u);
        }
    }
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    CWindowRecords japanese(LoadText(IDS_SIGNAL_NAME_BASE));
    EXPECT_EQ(japanese.SamplingTable[0].ChannelName, "信号0");
    EXPECT_EQ(japanese.GeneratingTable[31].ChannelName, "信号31");
    EXPECT_EQ(LoadText(IDS_BUS_NAME_BASE) + "0", "バス信号0");
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
}

TEST(ChannelTable, BusValueTakesMembersInTableOrder) {
    CChannelTable table = CChannelTable::MakeDefault("Signal");
    // Move channel 5's row in front of channel 2's row.
    const LOGIC_DATA five = table[5];
    table.RemoveAt(5);
    table.InsertAt(2, five);
    table.InsertAt(0, BusRow(0, (1u << 5) | (1u << 2)));
    EXPECT_EQ(table.BusValue(0, 1u << 5), 1u);
    EXPECT_EQ(table.BusValue(0, 1u << 2), 2u);
    EXPECT_EQ(table.BusValue(0, 0xFFFFFFFF), 3u);
    EXPECT_EQ(table.BusValue(0, 0xFFFFFFDB), 0u);
    EXPECT_EQ(table.SignalBit(3, 1u << 5), 1);  // row 3 is channel 5 now
}

TEST(ChannelTable, SignalChannelIsTheRowsDeviceChannelAndNoneForABus) {
    CChannelTable table = CChannelTable::MakeDefault("Signal");
    const LOGIC_DATA nine = table[9];
    table.RemoveAt(9);
    table.InsertAt(0, nine);
    table.InsertAt(1, BusRow(3, (1u << 9) | (1u << 0)));
    EXPECT_EQ(table.SignalChannel(0), 9);
    EXPECT_EQ(table.SignalChannel(1), CChannelTable::NoSignal);  // bus 3, never channel 3
    EXPECT_EQ(table.SignalChannel(2), 0);
    EXPECT_EQ(table.SignalChannel(10), 8);
    EXPECT_EQ(table.SignalChannel(-1), CChannelTable::NoSignal);
    EXPECT_EQ(table.SignalChannel(34), CChannelTable::NoSignal);
    table[2].DeviceChannel = 40;  // passed on: the caller refuses it
    EXPECT_EQ(table.SignalChannel(2), 40);
}

TEST(ChannelTable, HiddenMembersStillCountAndMissingChannelsContributeNothing) {
    CChannelTable table;
    for (int16_t channel : {3, 7}) {
        LOGIC_DATA row;
        row.DeviceChannel = channel;
        row.IsShown = 0;
        table.Append(row);
    }
    table.InsertAt(0, BusRow(0, (1u << 3) | (1u << 7) | (1u << 20)));
    EXPECT_EQ(table.BusValue(0, (1u << 7) | (1u << 20)), 2u);
    const std::vector<std::size_t> shown = table.DisplayedRows();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], 0u);
}

TEST(ChannelTable, IndexesOutsideThrowAndChangeNothing) {
    CChannelTable table = CChannelTable::MakeDefault("S");
    EXPECT_THROW(table.RemoveAt(32), CImproperArgument);
    EXPECT_THROW(table.InsertAt(33, LOGIC_DATA{}), CImproperArgument);
    EXPECT_THROW((void)table.BusValue(40, 0), CImproperArgument);
    EXPECT_EQ(table.Size(), 32u);
    table.SetSize(34);
    EXPECT_EQ(table[33].ChannelName, "");
    EXPECT_EQ(table[33].IsShown, 0);
}

TEST(Records, PerDirectionListsAndTheSharedCompareList) {
    CWindowRecords records("Signal");
    records.Bookmarks(1)->Append({5, "five", 1});
    records.Bookmarks(2)->Append({9, "", 0});
    EXPECT_EQ(records.Bookmarks(1)->At(0).BookmarkMemo, "five");
    EXPECT_EQ(records.Bookmarks(2)->At(0).BookmarkAbsolutePosition, 9u);
    EXPECT_EQ(records.Bookmarks(0), nullptr);
    EXPECT_EQ(records.Table(3), nullptr);
    BOOKMARK_DATA copy = records.Bookmarks(1)->At(0);
    copy.BookmarkMemo = "changed";
    EXPECT_EQ(records.Bookmarks(1)->At(0).BookmarkMemo, "five");
    records.ComparePositions.SetSize(2);
    EXPECT_EQ(records.ComparePositions[1], COMPARE_POSITION{});
    EXPECT_THROW(records.ComparePositions.RemoveAt(2), CImproperArgument);
}
