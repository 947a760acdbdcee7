#include <gtest/gtest.h>

#include "files/CCsvFileRW.h"
#include "files/CNumberText.h"

TEST(NumberText, DecimalStopsAtTheFirstNonDigitAndWrapsLikeItsField) {
    EXPECT_EQ(CNumberText::Decimal("  42abc"), 42);
    EXPECT_EQ(CNumberText::Decimal("-7"), -7);
    EXPECT_EQ(CNumberText::Decimal("+8"), 8);
    EXPECT_EQ(CNumberText::Decimal(""), 0);
    EXPECT_EQ(CNumberText::Decimal("x1"), 0);
    EXPECT_EQ(static_cast<uint32_t>(CNumberText::Decimal("-1294967296")), 3000000000u);
}

TEST(NumberText, UnsignedTakesTheHexAndOctalPrefixes) {
    EXPECT_EQ(CNumberText::UnsignedAuto("0x00000055"), 0x55u);
    EXPECT_EQ(CNumberText::UnsignedAuto("0XfF"), 0xFFu);
    EXPECT_EQ(CNumberText::UnsignedAuto("017"), 15u);
    EXPECT_EQ(CNumberText::UnsignedAuto("019"), 1u);
    EXPECT_EQ(CNumberText::UnsignedAuto("85"), 85u);
    EXPECT_EQ(CNumberText::UnsignedAuto("0x"), 0u);
    EXPECT_EQ(CNumberText::UnsignedAuto("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(CNumberText::UnsignedAuto("0x1FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(CNumberText::UnsignedAuto("99999999999999999999999"), 0xFFFFFFFFu);
}

TEST(NumberText, HexCellsAndTheFormatter) {
    EXPECT_EQ(CNumberText::Hex("DEADbeef"), 0xDEADBEEFu);
    EXPECT_EQ(CNumberText::Hex(" 0x12"), 0x12u);
    EXPECT_EQ(CNumberText::Hex("12G4"), 0x12u);
    EXPECT_EQ(CNumberText::Hex(""), 0u);
    char text[9] = {};
    CNumberText::Hex8(text, 0x0A1B2C3D);
    EXPECT_STREQ(text, "0A1B2C3D");
    CNumberText::Hex8(text, 0xFFFFFFFF);
    EXPECT_STREQ(text, "FFFFFFFF");
}

TEST(NumberText, DataLineFastAndGeneralCellsAgree) {
    uint32_t words[16] = {};
    ASSERT_EQ(CCsvFileRW::ParseDataLine("0000000A,ffffffff,1,,0x10,1234567G,  00000002", words, 16), 7u);
    const uint32_t expected[7] = {0xA, 0xFFFFFFFF, 1, 0, 0x10, 0x1234567, 2};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(words[i], expected[i]) << i;
    }
    EXPECT_EQ(CCsvFileRW::ParseDataLine("00000001,00000002,00000003", words, 2), 2u);
    EXPECT_EQ(CCsvFileRW::ParseDataLine("00000001,", words, 16), 2u);  // the empty last cell is a word 0
    EXPECT_EQ(words[1], 0u);
    EXPECT_EQ(CCsvFileRW::ParseDataLine("123456789", words, 16), 1u);
    EXPECT_EQ(words[0], 0xFFFFFFFFu);
}
