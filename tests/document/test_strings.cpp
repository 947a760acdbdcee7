#include <gtest/gtest.h>

#include <cstdlib>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

TEST(StringTable, BothLanguagesHaveTheFoundationTexts) {
    for (int id : {49000, 49001, 61477, 64510, 64511}) {
        EXPECT_FALSE(CStringTable::Text(id, LANGUAGE_ENGLISH).empty()) << id;
        EXPECT_FALSE(CStringTable::Text(id, LANGUAGE_JAPANESE).empty()) << id;
    }
    EXPECT_EQ(CStringTable::Text(64510, LANGUAGE_ENGLISH), "Error occurs");
    EXPECT_EQ(CStringTable::Text(64511, LANGUAGE_ENGLISH),
              "Set a value smaller than the current buffer size. \r\nThe excess data will disappear. "
              "Do you want to continue?");
    EXPECT_EQ(CStringTable::Text(61477, LANGUAGE_ENGLISH), "Encountered an improper argument.");
    EXPECT_EQ(CStringTable::Text(64510, LANGUAGE_JAPANESE), "エラーが発生しました");
    EXPECT_EQ(CStringTable::Text(1, LANGUAGE_ENGLISH), "");
}

TEST(StringTable, FormatTextUsesPrintfOrNumberedInserts) {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    EXPECT_EQ(FormatText(IDS_ENTER_INTEGER_RANGE, 1, 21), "Enter an integer between 1 and 21.");
    EXPECT_EQ(LoadText(IDS_SIGNAL_NAME_BASE) + std::to_string(3), "Signal3");
    EXPECT_EQ(CStringTable::FormatPrintf("%s%d", LoadText(IDS_BUS_NAME_BASE).c_str(), 0), "Bus signal0");
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    EXPECT_EQ(FormatText(IDS_ENTER_INTEGER_RANGE, 1, 21), "1 から 21 までの整数を入力してください。");
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
}

TEST(StringTable, LanguageFromEnvironment) {
    const auto set = [](const char* all, const char* messages, const char* lang) {
        setenv("LC_ALL", all, 1);
        setenv("LC_MESSAGES", messages, 1);
        setenv("LANG", lang, 1);
        return CStringTable::LanguageFromEnvironment();
    };
    EXPECT_EQ(set("", "", "ja_JP.UTF-8"), LANGUAGE_JAPANESE);
    EXPECT_EQ(set("C", "", "ja_JP.UTF-8"), LANGUAGE_ENGLISH);
    EXPECT_EQ(set("", "ja_JP", "en_US.UTF-8"), LANGUAGE_JAPANESE);
    EXPECT_EQ(set("", "", ""), LANGUAGE_ENGLISH);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
}
