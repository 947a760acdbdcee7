#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SignalTestSupport.h"
#include "document/CLogicMemory.h"
#include "signals/CChannelTreeProperties.h"
#include "signals/CChannelValues.h"

using ::testing::ElementsAre;

TEST(ChannelTreeProperties, DownThenApplyExchangesTwoRows) {
    SIGNAL_FIXTURE f;
    CChannelTreeProperties props(f.Table);
    ASSERT_EQ(props.Count(), 32);
    EXPECT_EQ(props.Down(0), 1);
    EXPECT_EQ(props.Up(0), -1);
    EXPECT_EQ(props.Down(31), -1);
    props.Apply(f.Table);
    EXPECT_EQ(f.Table[0].DeviceChannel, 1);
    EXPECT_EQ(f.Table[0].ChannelName, "Signal1");
    EXPECT_EQ(f.Table[1].DeviceChannel, 0);
    EXPECT_EQ(f.Table[1].ChannelName, "Signal0");
}

TEST(ChannelTreeProperties, UpAndDownNeverMixBusNumbersAndChannels) {
    SIGNAL_FIXTURE f;
    f.SelectRows({2, 3});
    ASSERT_TRUE(f.Tree.Bus());  // rows: 0 1 bus 2 3 4 ...
    CChannelTreeProperties props(f.Table);
    EXPECT_EQ(props.Up(2), -1);
    EXPECT_EQ(props.Down(1), -1);
    EXPECT_EQ(props.Down(2), -1);
    EXPECT_EQ(props.Up(3), -1);
    EXPECT_EQ(props.Channel(2), 0);
    EXPECT_TRUE(props.IsBus(2));
    // A member and a top-level signal exchange: the bus keeps its member row,
    // and its mask follows the member's new channel.
    EXPECT_EQ(props.Down(4), 5);
    EXPECT_TRUE(props.Rename(0, "Strobe", &f.Messages));
    props.Apply(f.Table);
    EXPECT_EQ(f.Table[2].IsBus, 1);
    EXPECT_EQ(f.Table[2].DeviceChannel, 0);
    EXPECT_EQ(f.Table[2].BusChannel, (1u << 2) | (1u << 4));
    EXPECT_EQ(f.Table[4].DeviceChannel, 4);
    EXPECT_EQ(f.Table[5].DeviceChannel, 3);
    EXPECT_EQ(f.Table[0].ChannelName, "Strobe");
    f.Tree.RebuildSignalTree();
    ASSERT_EQ(f.Tree.Roots()[2].Children.size(), 2u);
    EXPECT_EQ(f.Tree.Roots()[2].Children[1].Label, "4: Signal4");
    EXPECT_EQ(f.Tree.Roots()[3].Label, "3: Signal3");
}

TEST(ChannelTreeProperties, RefusedNamesAndUntouchedFields) {
    SIGNAL_FIXTURE f;
    f.Tree.SetExpanded(f.Tree.VisibleItem(0), false);  // not a bus: nothing happens
    CChannelTreeProperties props(f.Table);
    EXPECT_FALSE(props.Rename(3, "x,y", &f.Messages));
    EXPECT_FALSE(props.Rename(40, "fine", &f.Messages));
    EXPECT_EQ(props.Name(3), "Signal3");
    EXPECT_EQ(f.Messages.Texts().size(), 1u);
    const CChannelTable before = f.Table;
    props.Apply(f.Table);
    EXPECT_EQ(f.Table, before);
}

// ---------------------------------------------------------------- channel values

TEST(ChannelValues, BusAndSignalTexts) {
    CChannelTable table;
    table.Append(BusRow(0, (1u << 3) | (1u << 5)));
    table.Append(SignalRow(3, "A"));
    table.Append(SignalRow(5, "B"));
    EXPECT_THAT(CChannelValues::Texts(table, 1u << 3), ElementsAre("01", "1", "0"));
    EXPECT_THAT(CChannelValues::Texts(table, (1u << 3) | (1u << 5)), ElementsAre("03", "1", "1"));
    table.At(1).IsShown = 0;
    table.At(2).IsShown = 0;
    EXPECT_THAT(CChannelValues::Texts(table, 1u << 5), ElementsAre("02"));
    EXPECT_THAT(CChannelValues::Texts(table, std::nullopt), ElementsAre("-"));
}

TEST(ChannelValues, SamplingKeepsTheLastWordReadWhileVisible) {
    CLogicMemory memory(100);
    for (uint32_t i = 0; i < 100; ++i) {
        memory.Data()[i] = i;
    }
    CChannelValues values;
    EXPECT_EQ(values.WordAt(1, &memory, 15, {10, 20}), 15u);
    EXPECT_EQ(values.WordAt(1, &memory, 40, {10, 20}), 15u);  // not visible
    EXPECT_EQ(values.WordAt(1, &memory, 29, {10, 20}), 29u);
    EXPECT_EQ(values.WordAt(1, &memory, 30, {10, 20}), 29u);
    // Generating reads the word at the position whatever is visible.
    EXPECT_EQ(values.WordAt(2, &memory, 40, {10, 20}), 40u);
    EXPECT_EQ(values.WordAt(2, &memory, 100, {10, 20}), std::nullopt);
    EXPECT_EQ(values.WordAt(3, &memory, 15, {10, 20}), std::nullopt);
}
