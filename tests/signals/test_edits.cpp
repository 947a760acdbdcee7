#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SignalTestSupport.h"
#include "resources/CStringTable.h"
#include "signals/CSignalNames.h"

using ::testing::ElementsAre;

// ---------------------------------------------------------------- rename

TEST(SignalTreeRename, EditStartsWithTheNameAlone) {
    SIGNAL_FIXTURE f;
    f.Table.At(12).ChannelName = "Clock";
    f.Table.At(13).ChannelName = "a:b: c";
    f.Tree.RebuildSignalTree();
    EXPECT_EQ(f.Tree.EditText(f.Tree.VisibleItem(12)), "Clock");
    EXPECT_EQ(f.Tree.EditText(f.Tree.VisibleItem(13)), "a:b: c");
    f.SelectRows({0, 1});
    ASSERT_TRUE(f.Tree.Bus());
    EXPECT_EQ(f.Tree.EditText(f.Tree.VisibleItem(0)), "Bus signal0");
}

TEST(SignalTreeRename, RenameWritesTheRowOfTheItem) {
    SIGNAL_FIXTURE f;
    f.SelectRows({3, 4});
    ASSERT_TRUE(f.Tree.Bus());  // bus at row 3 over channels 3 and 4
    const TreeHandle bus = f.Tree.VisibleItem(3);
    f.Tree.SetExpanded(bus, false);
    // Visible row 4 is now Signal5; its row lies behind the hidden members.
    f.Host.Selected.clear();
    ASSERT_TRUE(f.Tree.Rename(f.Tree.VisibleItem(4), "Data0"));
    EXPECT_EQ(f.Table[6].ChannelName, "Data0");
    EXPECT_EQ(f.Table[4].ChannelName, "Signal3");
    EXPECT_EQ(f.Tree.Roots()[4].Label, "5: Data0");
    EXPECT_THAT(f.Host.Selected, ElementsAre(4));
    // An empty name is accepted; a bus is renamed as typed.
    EXPECT_TRUE(f.Tree.Rename(f.Tree.VisibleItem(4), ""));
    EXPECT_EQ(f.Tree.Roots()[4].Label, "5: ");
    EXPECT_TRUE(f.Tree.Rename(f.Tree.VisibleItem(3), "Address"));
    EXPECT_EQ(f.Table[3].ChannelName, "Address");
    EXPECT_TRUE(f.Messages.Texts().empty());
}

TEST(SignalTreeRename, NamesAFileCannotHoldAreRefused) {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    SIGNAL_FIXTURE f;
    const CChannelTable before = f.Table;
    for (const std::string& name : {std::string(256, 'x'), std::string("a,b"), std::string("a\rb"),
                                    std::string("a\nb"), std::string("Data"), std::string("BookmarkAbsolutePosition"),
                                    std::string("IsCurrentBookmark"), std::string("BookmarkMemo")}) {
        EXPECT_FALSE(f.Tree.Rename(f.Tree.VisibleItem(2), name)) << name;
    }
    EXPECT_EQ(f.Messages.Texts().size(), 8u);
    EXPECT_NE(f.Messages.Texts()[0].find("255 bytes"), std::string::npos);
    EXPECT_EQ(f.Messages.Icons()[0], MessageIcon::Warning);
    for (std::size_t i = 0; i < before.Size(); ++i) {
        EXPECT_EQ(f.Table[i].ChannelName, before[i].ChannelName);
    }
    EXPECT_EQ(f.Tree.Roots()[2].Label, "2: Signal2");
    EXPECT_TRUE(CSignalNames::IsStorable(std::string(255, 'x')));
    EXPECT_TRUE(CSignalNames::IsStorable("data"));
    EXPECT_TRUE(CSignalNames::IsStorable("Clock:Data"));
}

TEST(SignalTreeRename, CancelRestoresTheLabel) {
    SIGNAL_FIXTURE f;
    f.Host.Selected.clear();
    f.Tree.CancelRename(f.Tree.VisibleItem(7));
    EXPECT_EQ(f.Tree.Roots()[7].Label, "7: Signal7");
    EXPECT_THAT(f.Host.Selected, ElementsAre(7));
}

// ---------------------------------------------------------------- drag and drop

namespace {
// A bus over channels 0..members-1 at row 0; the other signals follow.
void MakeBus(SIGNAL_FIXTURE& f, int members) {
    std::vector<int> rows;
    for (int i = 0; i < members; ++i) {
        rows.push_back(i);
    }
    f.SelectRows(rows);
    ASSERT_TRUE(f.Tree.Bus());
}
}  // namespace

TEST(SignalTreeDrop, TopLevelSignalBecomesTheEighthMember) {
    SIGNAL_FIXTURE f;
    MakeBus(f, 7);
    const TreeHandle source = f.ItemOfChannel(20);
    const TreeHandle target = f.ItemOfChannel(2);
    ASSERT_EQ(f.Tree.CheckDrop(source, target), CSignalTree::DropCheck::Allowed);
    f.Host.Selected.clear();
    ASSERT_TRUE(f.Tree.Drop(source, target));
    EXPECT_THAT(f.FirstChannels(10),
                ElementsAre(100, 0, 1, 2, 20, 3, 4, 5, 6, 7));
    EXPECT_EQ(f.Table[0].BusChannel, 0x10007Fu);
    EXPECT_EQ(f.Table[4].ParentItem, f.Table[0].TreeItem);
    EXPECT_THAT(f.Host.Selected, ElementsAre(4));
    // Bit 3 of the bus value comes from channel 20, placed after channel 2.
    EXPECT_EQ(f.Table.BusValue(0, 1u << 20), 0x8u);
    // The bus is full now: a drop on any member is refused and changes nothing.
    const CChannelTable full = f.Table;
    EXPECT_EQ(f.Tree.CheckDrop(f.ItemOfChannel(21), f.ItemOfChannel(0)), CSignalTree::DropCheck::FullBus);
    EXPECT_FALSE(f.Tree.Drop(f.ItemOfChannel(21), f.ItemOfChannel(0)));
    EXPECT_EQ(f.Table, full);
    // A drop on a top-level item is never refused for capacity.
    EXPECT_EQ(f.Tree.CheckDrop(f.ItemOfChannel(21), f.Tree.VisibleItem(0)), CSignalTree::DropCheck::Allowed);
    EXPECT_EQ(f.Tree.CheckDrop(f.ItemOfChannel(21), f.ItemOfChannel(25)), CSignalTree::DropCheck::Allowed);
}

TEST(SignalTreeDrop, DraggingTheLastMemberOutRemovesTheBus) {
    SIGNAL_FIXTURE f;
    MakeBus(f, 1);
    ASSERT_EQ(f.Table.Size(), 33u);
    ASSERT_TRUE(f.Tree.Drop(f.ItemOfChannel(0), f.ItemOfChannel(5)));
    EXPECT_EQ(f.Table.Size(), 32u);
    for (const LOGIC_DATA& row : f.Table) {
        EXPECT_EQ(row.IsBus, 0);
    }
    EXPECT_EQ(f.Tree.Roots().size(), 32u);
    EXPECT_THAT(f.FirstChannels(7),
                ElementsAre(1, 2, 3, 4, 5, 0, 6));
}

TEST(SignalTreeDrop, MemberLeavesForTopLevelAndAnotherBus) {
    SIGNAL_FIXTURE f;
    MakeBus(f, 3);                 // bus0: 0 1 2, rows 0..3
    f.SelectRows({4, 5});
    ASSERT_TRUE(f.Tree.Bus());     // bus1: 3 4, rows 4..6
    ASSERT_TRUE(f.Tree.Drop(f.ItemOfChannel(1), f.ItemOfChannel(4)));
    EXPECT_EQ(f.Table[0].BusChannel, 0x5u);
    EXPECT_EQ(f.Table[3].BusChannel, 0x1Au);
    EXPECT_THAT(f.FirstChannels(8),
                ElementsAre(100, 0, 2, 101, 3, 4, 1, 5));
    // Out again onto a top-level signal.
    ASSERT_TRUE(f.Tree.Drop(f.ItemOfChannel(1), f.ItemOfChannel(5)));
    EXPECT_EQ(f.Table[3].BusChannel, 0x18u);
    EXPECT_EQ(f.Tree.ParentOf(f.ItemOfChannel(1)), 0u);
}

TEST(SignalTreeDrop, BusMovesWithItsMembersAndNeverIntoABus) {
    SIGNAL_FIXTURE f;
    MakeBus(f, 2);  // bus0: 0 1
    TreeHandle bus = f.Tree.VisibleItem(0);
    EXPECT_EQ(f.Tree.CheckDrop(bus, f.ItemOfChannel(1)), CSignalTree::DropCheck::BusIntoBus);
    EXPECT_EQ(f.Tree.CheckDrop(bus, bus), CSignalTree::DropCheck::OnSource);
    EXPECT_EQ(f.Tree.CheckDrop(bus, 0), CSignalTree::DropCheck::NoItem);
    f.SelectRows({5, 6});
    ASSERT_TRUE(f.Tree.Bus());  // bus1: 4 5
    bus = f.Tree.VisibleItem(0);
    EXPECT_EQ(f.Tree.CheckDrop(bus, f.ItemOfChannel(5)), CSignalTree::DropCheck::BusIntoBus);
    // Dropped below: the members come along and the bus keeps them.
    ASSERT_TRUE(f.Tree.Drop(bus, f.ItemOfChannel(10)));
    EXPECT_THAT(f.FirstChannels(14),
                ElementsAre(2, 3, 101, 4, 5, 6, 7, 8, 9, 10, 100, 0, 1, 11));
    EXPECT_EQ(f.Tree.Roots()[8].Children.size(), 2u);
}

TEST(SignalTreeDrop, DropOnItselfOrOutsideTheWordChangesNothing) {
    SIGNAL_FIXTURE f;
    MakeBus(f, 2);
    f.Table.At(10).DeviceChannel = 44;
    f.Tree.RebuildSignalTree();
    const CChannelTable before = f.Table;
    EXPECT_FALSE(f.Tree.Drop(f.Tree.VisibleItem(5), f.Tree.VisibleItem(5)));
    EXPECT_EQ(f.Tree.CheckDrop(f.Tree.VisibleItem(10), f.ItemOfChannel(0)), CSignalTree::DropCheck::NoChannel);
    EXPECT_FALSE(f.Tree.Drop(f.Tree.VisibleItem(10), f.ItemOfChannel(0)));
    EXPECT_EQ(f.Table, before);
}
