// Binding failure: no library beside the executable nor on the system path.
#include <gtest/gtest.h>

#include "DriverTestSupport.h"

namespace {

void ExpectNoFileMessage(const char* locale, const std::string& expected)
{
    const CScopedLanguage language(locale);
    CScriptedMessages messages;
    CDriverBinding binding(messages, QDX_TEST_EMPTY_FOLDER);
    binding.BindDriver();
    EXPECT_FALSE(binding.DriverBound());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], expected);
    EXPECT_EQ(messages.Icons()[0], MessageIcon::Warning);
    EXPECT_TRUE(binding.DeviceEntries().empty());
    EXPECT_EQ(binding.SelectedIndex(), -1);
    for (std::size_t row = 0; row < CDriverBinding::TABLE_ROWS; ++row) {
        EXPECT_EQ(*binding.Table()[row].Slot, nullptr);
    }
    EXPECT_FALSE(binding.RunCalls().Complete());
    int16_t id = 0;
    EXPECT_EQ(binding.Call(&QDX_ENTRY_POINTS::DioInit, "DIO000", &id), CDriverBinding::DRIVER_NOT_BOUND);
}

TEST(MissingLibrary, EnglishMessageNamesTheFile) { ExpectNoFileMessage("C", "No file : libqdxapi.so"); }

TEST(MissingLibrary, JapaneseMessageNamesTheFile)
{
    ExpectNoFileMessage("ja_JP.UTF-8", "ファイルがありません。<libqdxapi.so>");
}

TEST(MissingLibrary, BindDriverFunctionEmptiesTheSlotAndSetsTheMessage)
{
    const CScopedLanguage language("C");
    CScriptedMessages messages;
    CDriverBinding binding(messages, QDX_TEST_EMPTY_FOLDER);
    void* slot = &messages;
    std::string message = "before";
    EXPECT_FALSE(binding.BindDriverFunction("libqdxapi.so", "DioInit", &slot, message, "1.00"));
    EXPECT_EQ(slot, nullptr);
    EXPECT_EQ(message, "No file : libqdxapi.so");
}

}  // namespace
