#include <gtest/gtest.h>

#include "document/CImproperArgument.h"
#include "document/CLogicDocument.h"

TEST(LogicMemory, ResizeKeepsWordsZeroesNewOnesAndDropsTheRest) {
    CLogicMemory memory(1000);
    for (uint32_t i = 0; i < 1000; ++i) {
        memory.SetWord(i, i + 1);
    }
    ASSERT_TRUE(memory.Resize(10));
    EXPECT_EQ(memory.Length(), 10u);
    ASSERT_TRUE(memory.Resize(1000));
    for (uint32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(memory.Word(i), i + 1);
    }
    for (uint32_t i = 10; i < 1000; ++i) {
        ASSERT_EQ(memory.Word(i), 0u) << i;
    }
    EXPECT_FALSE(memory.Resize(0));
    EXPECT_EQ(memory.Length(), 1000u);
}

TEST(LogicMemory, BitsChangeOnlyTheirBit) {
    CLogicMemory memory(4);
    memory.SetWord(2, 0xF0F0F0F0);
    memory.SetBit(2, 0);
    memory.ClearBit(2, 31);
    memory.InvertBit(2, 4);
    EXPECT_EQ(memory.Word(2), 0x70F0F0E1u);
    EXPECT_EQ(memory.Bit(2, 0), 1);
    EXPECT_EQ(memory.Bit(2, 4), 0);
    EXPECT_EQ(memory.Word(1), 0u);
    EXPECT_EQ(memory.Word(3), 0u);
}

TEST(LogicMemory, PositionsOutsideThrowAndChangeNothing) {
    CLogicMemory memory(4);
    EXPECT_THROW((void)memory.Word(4), CImproperArgument);
    EXPECT_THROW(memory.SetWord(4, 1), CImproperArgument);
    EXPECT_THROW(memory.SetBit(0, 32), CImproperArgument);
    EXPECT_THROW(memory.InvertBit(0, -1), CImproperArgument);
    EXPECT_EQ(memory.Word(0), 0u);
}

TEST(LogicMemory, ValidLengthFollowsTheCount) {
    EXPECT_EQ(CLogicDocument::ValidLength(0, 1000000), 0u);
    EXPECT_EQ(CLogicDocument::ValidLength(999999, 1000000), 999999u);
    EXPECT_EQ(CLogicDocument::ValidLength(1000000, 1000000), 1000000u);
    EXPECT_EQ(CLogicDocument::ValidLength(1500000, 1000000), 500000u);
    EXPECT_EQ(CLogicDocument::ValidLength(2000000, 1000000), 1000000u);
    EXPECT_EQ(CLogicDocument::ValidLength(0xFFFFFFFF, 1000000), 0xFFFFFFFFu % 1000000u);

    CLogicDocument doc("");
    doc.Condition().Direction = 1;
    EXPECT_EQ(doc.ValidLengthOf(1), 0u);
    doc.LastCount = 1500000;
    EXPECT_EQ(doc.ValidSamplingLength(), 500000u);
    EXPECT_EQ(doc.ValidLengthOf(2), 1000u);
    EXPECT_EQ(doc.ValidLengthOf(0), 0u);
}

TEST(LogicMemory, AbsolutePositionsWithBlocks) {
    CLogicDocument doc("");
    doc.CurrentBlock = 2;
    EXPECT_EQ(doc.AbsolutePosition(5), 5u);  // generating direction
    doc.Condition().Direction = 1;
    EXPECT_EQ(doc.AbsolutePosition(5), 5u);  // no auto-save
    doc.Condition().AutoSave = 1;
    EXPECT_EQ(doc.AbsolutePosition(5), 2000005u);
    doc.CurrentBlock = 3;
    EXPECT_EQ(doc.AbsolutePosition(5), 3000005u);
    // Beyond 32 bits the position is still exact.
    ASSERT_TRUE(doc.SetBufferSize(100000000));
    doc.CurrentBlock = 50;
    EXPECT_EQ(doc.AbsolutePosition(7), 5000000007ull);
}

TEST(LogicMemory, SwapExchangesTheBlocksWithoutCopyingAndMarksBothReplaced) {
    CLogicMemory a(3);
    CLogicMemory b(5);
    a.SetWord(2, 0xA);
    b.SetWord(4, 0xB);
    const uint32_t* blockOfA = a.Data();
    const uint64_t generationA = a.Generation();
    const uint64_t generationB = b.Generation();
    a.Swap(b);
    EXPECT_EQ(a.Length(), 5U);
    EXPECT_EQ(b.Length(), 3U);
    EXPECT_EQ(b.Data(), blockOfA);
    EXPECT_EQ(a.Word(4), 0xBU);
    EXPECT_EQ(b.Word(2), 0xAU);
    EXPECT_NE(a.Generation(), generationA);
    EXPECT_NE(b.Generation(), generationB);
    EXPECT_TRUE(a.Resize(6));  // the block taken over grows as its own
    EXPECT_EQ(a.Word(4), 0xBU);
    EXPECT_EQ(a.Word(5), 0U);
}
