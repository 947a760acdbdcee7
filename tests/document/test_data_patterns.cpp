#include <gtest/gtest.h>

#include "document/CDataPatternList.h"
#include "document/CWindowRecords.h"

TEST(DataPatternList, MakePatternTakesLengthFromTheText) {
    const DATA_PATTERN pattern = CDataPatternList::MakePattern(1, "00111");
    EXPECT_EQ(pattern.Kind, 1);
    EXPECT_EQ(pattern.Length, 5);
    EXPECT_EQ(pattern.Bits, "00111");
    EXPECT_EQ(pattern.SlotLeft, 0);
    EXPECT_EQ(pattern.SlotRight, 0);
}

TEST(DataPatternList, ASixthPatternPushesTheOldestOut) {
    CDataPatternList list;
    for (int i = 1; i <= 6; ++i) {
        list.Add(CDataPatternList::MakePattern(0, std::string(static_cast<std::size_t>(i), '1')));
    }
    ASSERT_EQ(list.Size(), CDataPatternList::MaxEntries);
    for (std::size_t i = 0; i < list.Size(); ++i) {
        EXPECT_EQ(list.At(i)->Length, static_cast<int32_t>(i + 2)) << i;
    }
}

TEST(DataPatternList, RemoveAndAccessOutsideChangeNothing) {
    CDataPatternList list;
    list.Add(CDataPatternList::MakePattern(0, "01"));
    list.Add(CDataPatternList::MakePattern(1, "0011"));
    EXPECT_EQ(list.At(2), nullptr);
    EXPECT_FALSE(list.RemoveAt(2));
    EXPECT_EQ(list.Size(), 2u);
    EXPECT_TRUE(list.RemoveAt(0));
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.At(0)->Bits, "0011");
}

TEST(DataPatternList, SlotAtFindsOnlyDrawnSlots) {
    CDataPatternList list;
    list.Add(CDataPatternList::MakePattern(0, "01"));
    list.Add(CDataPatternList::MakePattern(0, "0011"));
    EXPECT_EQ(list.SlotAt(0), -1);  // never drawn: both ranges are 0..0
    list.At(0)->SlotLeft = 10;
    list.At(0)->SlotRight = 50;
    list.At(1)->SlotLeft = 52;
    list.At(1)->SlotRight = 92;
    EXPECT_EQ(list.SlotAt(10), 0);
    EXPECT_EQ(list.SlotAt(50), 0);
    EXPECT_EQ(list.SlotAt(51), -1);
    EXPECT_EQ(list.SlotAt(92), 1);
    EXPECT_EQ(list.SlotAt(93), -1);
}

TEST(DataPatternList, EachWindowKeepsItsOwnList) {
    CWindowRecords first("Signal");
    CWindowRecords second("Signal");
    first.DataPatterns.Add(CDataPatternList::MakePattern(0, "01"));
    EXPECT_EQ(first.DataPatterns.Size(), 1u);
    EXPECT_TRUE(second.DataPatterns.Empty());
}
