// The search dialog's field rules and its prefill from the graph selection.
#include <gtest/gtest.h>

#include "SearchTestSupport.h"
#include "analysis/CSearchFields.h"

TEST(SearchFields, CountsAndChannelsKeepToTheirRanges) {
    CSearchFields fields;
    EXPECT_EQ(fields.BitCountText(), "4");
    EXPECT_EQ(fields.StartChannelText(), "0");
    fields.SetBitCount("0");
    EXPECT_EQ(fields.BitCountText(), "1");
    fields.SetBitCount("40");
    EXPECT_EQ(fields.BitCountText(), "32");
    fields.SetBitCount("");
    EXPECT_EQ(fields.BitCountText(), "1");
    fields.SetStartChannel("-3");
    EXPECT_EQ(fields.StartChannelText(), "0");
    fields.SetStartChannel("32");
    EXPECT_EQ(fields.StartChannelText(), "31");
    // Vertical: start channel 30 with count 5 is cut to 2, in either order.
    fields.SetType(SEARCH_TYPE::Vertical);
    fields.SetStartChannel("30");
    fields.SetChannelCount("5");
    EXPECT_EQ(fields.ChannelCountText(), "2");
    fields.SetStartChannel("0");
    fields.SetChannelCount("8");
    fields.SetStartChannel("30");
    EXPECT_EQ(fields.ChannelCountText(), "2");
    fields.SetChannelCount("0");
    EXPECT_EQ(fields.ChannelCountText(), "1");
    EXPECT_EQ(fields.Request().ChannelCount, 1);
    EXPECT_EQ(fields.Request().StartChannel, 30);
}

TEST(SearchFields, WhatIsEnabledFollowsTypeRadixAndText) {
    CSearchFields fields;
    EXPECT_FALSE(fields.SearchEnabled());
    EXPECT_FALSE(fields.BitCountEnabled());
    EXPECT_FALSE(fields.ChannelCountEnabled());
    fields.SetPattern("1");
    EXPECT_TRUE(fields.SearchEnabled());
    fields.SetRadix(SEARCH_RADIX::Hexadecimal);
    EXPECT_TRUE(fields.BitCountEnabled());
    fields.SetType(SEARCH_TYPE::Vertical);
    EXPECT_FALSE(fields.BitCountEnabled());
    EXPECT_TRUE(fields.ChannelCountEnabled());
    fields.SetPattern("");
    EXPECT_FALSE(fields.SearchEnabled());
}

TEST(SearchFields, TheKeyFilterTakesTheDigitsOfTheRadix) {
    CSearchFields fields;
    for (const char key : {'0', '1', '\b', '\r'}) {
        EXPECT_TRUE(fields.AcceptsKey(key)) << key;
    }
    for (const char key : {'2', 'A', 'f', '.', ' ', '-'}) {
        EXPECT_FALSE(fields.AcceptsKey(key)) << key;
    }
    fields.SetRadix(SEARCH_RADIX::Hexadecimal);
    for (const char key : {'0', '9', 'A', 'F', 'a', 'f', '\b'}) {
        EXPECT_TRUE(fields.AcceptsKey(key)) << key;
    }
    for (const char key : {'G', 'g', '.', 'x'}) {
        EXPECT_FALSE(fields.AcceptsKey(key)) << key;
    }
}

TEST(SearchFields, TheRadixButtonsConvertTheText) {
    CSearchFields fields;
    fields.SetPattern("0110");
    EXPECT_EQ(fields.Value(), 6u);
    fields.SetRadix(SEARCH_RADIX::Hexadecimal);
    EXPECT_EQ(fields.Pattern(), "6");
    EXPECT_EQ(fields.PatternLimit(), 8);
    fields.SetRadix(SEARCH_RADIX::Hexadecimal);  // no real change
    EXPECT_EQ(fields.Pattern(), "6");
    fields.SetRadix(SEARCH_RADIX::Binary);  // the low bit-count (4) bits
    EXPECT_EQ(fields.Pattern(), "0110");
    fields.SetRadix(SEARCH_RADIX::Hexadecimal);
    fields.SetPattern("1F");
    fields.SetType(SEARCH_TYPE::Vertical);
    fields.SetChannelCount("3");
    fields.SetRadix(SEARCH_RADIX::Binary);  // the low channel-count (3) bits
    EXPECT_EQ(fields.Pattern(), "111");
    EXPECT_EQ(fields.PatternLimit(), 32);
    fields.SetPattern(std::string(40, '1'));
    EXPECT_EQ(fields.Pattern().size(), 32u);
    const SEARCH_REQUEST request = fields.Request();
    EXPECT_EQ(request.Value, 0xFFFFFFFFu);
    EXPECT_EQ(request.TextLength, 32);
    EXPECT_EQ(request.Type, SEARCH_TYPE::Vertical);
}

TEST(SearchFields, AHorizontalSelectionPrefillsAndIsTrimmedTo32Clocks) {
    CSearchFixture f;
    std::swap(f.Records.GeneratingTable.At(4), f.Records.GeneratingTable.At(20));  // row 4 shows channel 20
    f.Model.OnDocumentUpdate();
    f.SetBits(20, {100, 102, 103, 131, 135});
    f.Select(100, 4, 139, 6);  // 40 clocks over three rows
    CSearchFields fields;
    ASSERT_TRUE(fields.Prefill(f.Model));
    EXPECT_EQ(f.Model.Anchor(), (GRAPH_CELL{100, 4}));
    EXPECT_EQ(f.Model.Current(), (GRAPH_CELL{131, 4}));
    EXPECT_EQ(fields.Type(), SEARCH_TYPE::Horizontal);
    EXPECT_EQ(fields.BitCountText(), "32");
    EXPECT_EQ(fields.StartChannelText(), "20");
    EXPECT_EQ(fields.Pattern(), "10110000000000000000000000000001");
    // Hexadecimal: the earliest clock is the most significant bit.
    CSearchFields hex;
    hex.SetRadix(SEARCH_RADIX::Hexadecimal);
    f.Select(100, 4, 103, 4);
    ASSERT_TRUE(hex.Prefill(f.Model));
    EXPECT_EQ(hex.Pattern(), "B");
    EXPECT_EQ(hex.BitCountText(), "4");
    // Backwards selections read in time order too.
    f.Select(103, 4, 100, 4);
    ASSERT_TRUE(hex.Prefill(f.Model));
    EXPECT_EQ(hex.Pattern(), "B");
}

TEST(SearchFields, AVerticalSelectionPrefillsTheBlock) {
    CSearchFixture f;
    f.SetBits(5, {7});
    f.SetBits(7, {7});
    f.Select(7, 8, 7, 5);  // rows 5..8 at clock 7: upper row is bit 0
    CSearchFields fields;
    ASSERT_TRUE(fields.Prefill(f.Model));
    EXPECT_EQ(fields.Type(), SEARCH_TYPE::Vertical);
    EXPECT_EQ(fields.StartChannelText(), "5");
    EXPECT_EQ(fields.ChannelCountText(), "4");
    EXPECT_EQ(fields.BitCountText(), "1");
    EXPECT_EQ(fields.Pattern(), "0101");  // the lowest row's digit first
    EXPECT_EQ(fields.Value(), 5u);
    // No prefill under a bus row: the start channel shows the current row.
    f.Records.GeneratingTable.At(2).IsBus = 1;
    f.Model.OnDocumentUpdate();
    f.Select(7, 2, 9, 3);
    CSearchFields none;
    EXPECT_FALSE(none.Prefill(f.Model));
    EXPECT_EQ(none.StartChannelText(), "3");
    EXPECT_EQ(none.Pattern(), "");
}
