#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SignalTestSupport.h"
#include "resources/CStringTable.h"

using ::testing::ElementsAre;

namespace {
std::vector<int> Range(int from, int to) {
    std::vector<int> values;
    for (int i = from; i <= to; ++i) {
        values.push_back(i);
    }
    return values;
}
}  // namespace

TEST(SignalTreeRebuild, LabelsItemsAndNotice) {
    SIGNAL_FIXTURE f;
    ASSERT_EQ(f.Tree.Roots().size(), 32u);
    EXPECT_EQ(f.Tree.Roots()[3].Label, "3: Signal3");
    EXPECT_EQ(f.Host.Posted, 1);
    for (std::size_t i = 0; i < f.Table.Size(); ++i) {
        EXPECT_EQ(f.Table[i].TreeItem, f.Tree.Roots()[i].Handle);
        EXPECT_EQ(f.Table[i].ParentItem, 0u);
    }
    // Handles are never reused: a second build names new items.
    const TreeHandle before = f.Tree.Roots()[0].Handle;
    f.Tree.RebuildSignalTree();
    EXPECT_NE(f.Tree.Roots()[0].Handle, before);
    EXPECT_EQ(f.Tree.Rebuilt(before), f.Tree.Roots()[0].Handle);
    EXPECT_EQ(f.Host.Posted, 2);
}

TEST(SignalTreeRebuild, NoTableLeavesTheTreeEmpty) {
    SIGNAL_FIXTURE f;
    f.Tree.SetTableSource([] { return nullptr; });
    f.Tree.RebuildSignalTree();
    EXPECT_TRUE(f.Tree.Roots().empty());
    EXPECT_FALSE(f.Tree.Bus());
    EXPECT_FALSE(f.Tree.NonBus());
    EXPECT_EQ(f.Tree.CountSelectedChannels(), 0);
}

TEST(SignalTreeRebuild, TableIsSortedIntoTreeOrder) {
    SIGNAL_FIXTURE f;
    // A bus over channels 5 and 2 placed at row 1: its members move up behind it,
    // in their table order.
    f.Table.InsertAt(1, BusRow(0, (1u << 5) | (1u << 2)));
    f.Tree.RebuildSignalTree();
    EXPECT_EQ(f.Table.Size(), 33u);
    EXPECT_THAT(f.FirstChannels(6), ElementsAre(0, 100, 2, 5, 1, 3));
    ASSERT_EQ(f.Tree.Roots()[1].Children.size(), 2u);
    EXPECT_EQ(f.Tree.Roots()[1].Label, "Bus signal0");
    EXPECT_EQ(f.Tree.Roots()[1].Children[0].Label, "2: Signal2");
    EXPECT_EQ(f.Table[2].ParentItem, f.Table[1].TreeItem);
    // Rows are displayed one to one with the visible items.
    EXPECT_EQ(f.Tree.VisibleItems().size(), f.Table.DisplayedRows().size());
}

TEST(SignalTreeRebuild, BusWithoutMembersStaysInTheTableButIsNotDisplayed) {
    SIGNAL_FIXTURE f;
    // Members ahead of their bus and a mask naming nothing: no member item.
    f.Table.Append(BusRow(0, 1u << 3));
    f.Table.Append(BusRow(1, 0));
    f.Tree.RebuildSignalTree();
    EXPECT_EQ(f.Table.Size(), 34u);
    EXPECT_EQ(f.Tree.Roots().size(), 32u);
    EXPECT_EQ(f.Table[32].IsBus, 1);
    EXPECT_EQ(f.Table[32].IsShown, 0);
    EXPECT_EQ(f.Table[32].TreeItem, 0u);
    EXPECT_EQ(f.Table.DisplayedRows().size(), 32u);
}

TEST(SignalTreeRebuild, ChannelsOutsideTheWordNeverJoin) {
    SIGNAL_FIXTURE f;
    f.Table.At(4).DeviceChannel = 40;
    f.Table.At(5).DeviceChannel = -3;
    f.Table.InsertAt(0, BusRow(0, 0xFFFFFFFFu));
    f.Tree.RebuildSignalTree();
    const SIGNAL_ITEM& bus = f.Tree.Roots()[0];
    EXPECT_EQ(bus.Children.size(), 30u);
    EXPECT_EQ(f.Tree.Roots()[1].Label, "40: Signal4");
    EXPECT_EQ(f.Tree.Roots()[2].Label, "-3: Signal5");
}

// ---------------------------------------------------------------- Bus

TEST(SignalTreeBus, NineSelectedSignalsMakeABusOfEight) {
    SIGNAL_FIXTURE f;
    f.Host.CurrentRow = 4;
    f.SelectRows(Range(2, 10));
    EXPECT_EQ(f.Tree.CountSelectedChannels(), 9);
    ASSERT_TRUE(f.Tree.Bus());
    EXPECT_EQ(f.Table.Size(), 33u);
    const LOGIC_DATA& bus = f.Table[2];
    EXPECT_EQ(bus.IsBus, 1);
    EXPECT_EQ(bus.DeviceChannel, 0);
    EXPECT_EQ(bus.ChannelName, "Bus signal0");
    EXPECT_EQ(bus.BusChannel, 0x3FCu);
    EXPECT_EQ(bus.IsEnable, 1);
    EXPECT_EQ(f.Tree.Roots()[2].Children.size(), 8u);
    // The ninth stays at top level, right after the bus and its members.
    EXPECT_EQ(f.Table[11].DeviceChannel, 10);
    EXPECT_EQ(f.Table[11].ParentItem, 0u);
    EXPECT_EQ(f.Tree.Roots()[3].Label, "10: Signal10");
    // The graph's current row is selected again and the list refreshed.
    EXPECT_THAT(f.Host.Selected, ElementsAre(4));
    EXPECT_EQ(f.Host.ValuesShown, 1);
    EXPECT_EQ(f.Host.Posted, 2);
}

TEST(SignalTreeBus, FirstBusNameInJapanese) {
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    SIGNAL_FIXTURE f;
    f.SelectRows({0, 1});
    ASSERT_TRUE(f.Tree.Bus());
    EXPECT_EQ(f.Table[0].ChannelName, "バス信号0");
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
}

TEST(SignalTreeBus, BusNumbersCountTheBusesWithMembers) {
    SIGNAL_FIXTURE f;
    f.SelectRows({0, 1});
    ASSERT_TRUE(f.Tree.Bus());
    // Visible now: bus0, 0, 1, 2, 3 ...
    f.SelectRows({3, 4});
    ASSERT_TRUE(f.Tree.Bus());
    f.SelectRows({7});
    ASSERT_TRUE(f.Tree.Bus());
    EXPECT_EQ(f.Table[7].ChannelName, "Bus signal2");
    EXPECT_EQ(f.Table[7].DeviceChannel, 2);
    // After a release a number may repeat.
    f.SelectRows({0});
    ASSERT_TRUE(f.Tree.NonBus());
    f.SelectRows({10});
    ASSERT_TRUE(f.Tree.Bus());
    int named2 = 0;
    for (const LOGIC_DATA& row : f.Table) {
        named2 += row.ChannelName == "Bus signal2" ? 1 : 0;
    }
    EXPECT_EQ(named2, 2);
}

TEST(SignalTreeBus, SelectedMemberWithoutItsBusChangesNothing) {
    SIGNAL_FIXTURE f;
    f.SelectRows({0, 1});
    ASSERT_TRUE(f.Tree.Bus());
    const CChannelTable before = f.Table;
    f.SelectRows({1, 5});  // member Signal0 and top-level Signal4
    EXPECT_FALSE(f.Tree.Bus());
    EXPECT_EQ(f.Table, before);
}

TEST(SignalTreeBus, MergeAddsTopLevelSignalsUpToEight) {
    SIGNAL_FIXTURE f;
    f.SelectRows({4, 5, 6});  // channels 4..6
    ASSERT_TRUE(f.Tree.Bus());
    // Visible: 0 1 2 3 bus 4 5 6 7 ... ; select 1, the bus, 8..13.
    f.SelectRows({1, 4, 9, 10, 11, 12, 13, 14});
    ASSERT_TRUE(f.Tree.Bus());
    // Channel 1 (above the bus) moves right after the bus; three existing
    // members and five new ones make eight; channels 12 and 13 stay out.
    EXPECT_THAT(f.FirstChannels(14),
                ElementsAre(0, 2, 3, 100, 1, 4, 5, 6, 8, 9, 10, 11, 7, 12));
    EXPECT_EQ(f.Table[3].BusChannel, 0xF72u);
    EXPECT_EQ(f.Tree.Roots()[3].Children.size(), 8u);
}

TEST(SignalTreeBus, MergeNeverTakesMembersOfAnotherBus) {
    SIGNAL_FIXTURE f;
    f.SelectRows({0, 1});
    ASSERT_TRUE(f.Tree.Bus());  // bus0: 0, 1 at rows 0..2
    f.SelectRows({3, 4});
    ASSERT_TRUE(f.Tree.Bus());  // bus1: 2, 3 at rows 3..5
    f.SelectRows({0, 4, 5, 6});  // bus0, members 2 and 3 of bus1, Signal4
    ASSERT_TRUE(f.Tree.Bus());
    EXPECT_EQ(f.Table[0].BusChannel, 0x13u);
    EXPECT_EQ(f.Table[4].BusChannel, 0x0Cu);
    EXPECT_EQ(f.Tree.Roots()[0].Children.size(), 3u);
    EXPECT_EQ(f.Tree.Roots()[1].Children.size(), 2u);
}

TEST(SignalTreeBus, NonBusNeedsExactlyOneBus) {
    SIGNAL_FIXTURE f;
    f.SelectRows({2, 3});
    ASSERT_TRUE(f.Tree.Bus());
    const CChannelTable bus = f.Table;
    f.SelectRows({2, 5});
    EXPECT_FALSE(f.Tree.NonBus());
    f.SelectRows({5});
    EXPECT_FALSE(f.Tree.NonBus());
    EXPECT_EQ(f.Table, bus);
    f.SelectRows({2});
    ASSERT_TRUE(f.Tree.NonBus());
    EXPECT_EQ(f.ChannelsInOrder(), Range(0, 31));
    EXPECT_EQ(f.Tree.Roots().size(), 32u);
}

TEST(SignalTreeBus, NonBusOfACollapsedBusShowsItsMembersAgain) {
    SIGNAL_FIXTURE f;
    f.SelectRows({2, 3});
    ASSERT_TRUE(f.Tree.Bus());
    f.Tree.SetExpanded(f.Tree.VisibleItem(2), false);
    EXPECT_EQ(f.Table.DisplayedRows().size(), 31u);
    f.SelectRows({2});
    ASSERT_TRUE(f.Tree.NonBus());
    EXPECT_EQ(f.Table.DisplayedRows().size(), 32u);
}

// ---------------------------------------------------------------- expand and collapse

TEST(SignalTreeExpand, CollapseHidesMembersAndRebuildKeepsIt) {
    SIGNAL_FIXTURE f;
    f.SelectRows({5, 3});
    ASSERT_TRUE(f.Tree.Bus());  // bus at row 3 over channels 3 and 5
    const TreeHandle bus = f.Tree.VisibleItem(3);
    f.Host.Selected.clear();
    f.Host.CurrentRow = 1;
    const int posted = f.Host.Posted;
    f.Tree.SetExpanded(bus, false);
    EXPECT_EQ(f.Table[4].IsShown, 0);
    EXPECT_EQ(f.Table[5].IsShown, 0);
    EXPECT_EQ(f.Tree.VisibleItems().size(), 31u);
    EXPECT_EQ(f.Table.DisplayedRows().size(), 31u);
    EXPECT_EQ(f.Host.Posted, posted + 1);
    EXPECT_THAT(f.Host.Selected, ElementsAre(1));
    // The bus value stays computable from the hidden members.
    EXPECT_EQ(f.Table.BusValue(3, 1u << 3), 1u);
    f.Tree.RebuildSignalTree();
    EXPECT_FALSE(f.Tree.Roots()[3].Expanded);
    EXPECT_EQ(f.Tree.VisibleItems().size(), 31u);
    f.Tree.SetExpanded(f.Tree.Roots()[3].Handle, true);
    EXPECT_EQ(f.Table.DisplayedRows().size(), 33u);
}

// ---------------------------------------------------------------- selection

TEST(SignalTreeSelection, ClickCtrlShiftAndArrows) {
    SIGNAL_FIXTURE f;
    auto rows = [&f] {
        std::vector<int> selected;
        for (TreeHandle item : f.Tree.SelectedItems()) {
            selected.push_back(f.Tree.VisibleIndex(item));
        }
        return selected;
    };
    f.Tree.Click(f.Tree.VisibleItem(2), false, false);
    f.Tree.Click(f.Tree.VisibleItem(5), true, false);
    EXPECT_THAT(rows(), ElementsAre(2, 5));
    f.Tree.Click(f.Tree.VisibleItem(8), false, true);
    EXPECT_THAT(rows(), ElementsAre(5, 6, 7, 8));
    f.Tree.Click(f.Tree.VisibleItem(6), false, true);  // from the focused 8 back to 6
    EXPECT_THAT(rows(), ElementsAre(6, 7, 8));
    f.Tree.Click(f.Tree.VisibleItem(7), true, false);  // toggled off, but focused
    EXPECT_THAT(rows(), ElementsAre(6, 8));
    EXPECT_TRUE(f.Tree.MoveFocus(1, true));
    EXPECT_TRUE(f.Tree.MoveFocus(1, true));
    EXPECT_THAT(rows(), ElementsAre(6, 7, 8, 9));
    EXPECT_EQ(f.Tree.VisibleIndex(f.Tree.Focused()), 9);
    EXPECT_TRUE(f.Tree.MoveFocus(-1, false));
    EXPECT_THAT(rows(), ElementsAre(8));
    f.Tree.SelectVisibleRow(0);
    EXPECT_FALSE(f.Tree.MoveFocus(-1, false));
    EXPECT_THAT(rows(), ElementsAre(0));
}

TEST(SignalTreeSelection, SelectedChannelsGiveBusMembersOnce) {
    SIGNAL_FIXTURE f;
    f.SelectRows({4, 2});
    ASSERT_TRUE(f.Tree.Bus());  // bus at row 2 over channels 2 and 4: rows 3, 4
    // The bus, its member on channel 4 and Signal3.
    f.SelectRows({2, 4, 5});
    EXPECT_THAT(f.Tree.GetSelectedChannels(), ElementsAre(3u, 4u, 5u));
    EXPECT_EQ(f.Tree.CountSelectedChannels(), 3);
    // Hidden members are never selected.
    f.SelectRows({3, 6});
    f.Tree.SetExpanded(f.Tree.VisibleItem(2), false);
    EXPECT_THAT(f.Tree.GetSelectedChannels(), ElementsAre(6u));
}
