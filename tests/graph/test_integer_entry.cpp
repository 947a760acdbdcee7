#include <gtest/gtest.h>

#include "graph/CIntegerEntry.h"
#include "resources/CStringTable.h"

TEST(IntegerEntry, ScaleFieldTakesOneToTenThousand) {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    const CIntegerEntry scale(1, 10000);
    int32_t value = -1;
    EXPECT_EQ(scale.Check("250", value), CIntegerEntry::CHECK::Valid);
    EXPECT_EQ(value, 250);
    EXPECT_EQ(scale.Check("1", value), CIntegerEntry::CHECK::Valid);
    EXPECT_EQ(scale.Check("10000", value), CIntegerEntry::CHECK::Valid);
    EXPECT_EQ(value, 10000);
    value = 7;
    EXPECT_EQ(scale.Check("0", value), CIntegerEntry::CHECK::OutOfRange);
    EXPECT_EQ(scale.Check("10001", value), CIntegerEntry::CHECK::OutOfRange);
    EXPECT_EQ(value, 7);  // unchanged by a refused entry
    EXPECT_EQ(scale.Message(CIntegerEntry::CHECK::OutOfRange), "Enter an integer between 1 and 10000.");
    EXPECT_EQ(scale.Check("", value), CIntegerEntry::CHECK::NotInteger);
    EXPECT_EQ(scale.Check("12a", value), CIntegerEntry::CHECK::NotInteger);
    EXPECT_EQ(scale.Check("99999999999", value), CIntegerEntry::CHECK::NotInteger);
    EXPECT_EQ(scale.Message(CIntegerEntry::CHECK::NotInteger), "Enter an integer.");
    EXPECT_EQ(scale.Message(CIntegerEntry::CHECK::Valid), "");
}

TEST(IntegerEntry, JapaneseMessages) {
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    const CIntegerEntry scale(1, 10000);
    EXPECT_EQ(scale.Message(CIntegerEntry::CHECK::OutOfRange), "1 から 10000 までの整数を入力してください。");
    EXPECT_EQ(scale.Message(CIntegerEntry::CHECK::NotInteger), "整数を入力してください。");
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
}
