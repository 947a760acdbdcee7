// Binding failure: a library without DioDmSetCountCallBackProc.
#include <gtest/gtest.h>

#include "DriverTestSupport.h"

namespace {

void ExpectMissingFunction(const char* locale, const std::string& expected)
{
    const CScopedLanguage language(locale);
    CScriptedMessages messages;
    CDriverBinding binding(messages, QDX_TEST_NOCOUNTCB_FOLDER);
    binding.BindDriver();
    EXPECT_FALSE(binding.DriverBound());
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], expected);
    EXPECT_EQ(messages.Icons()[0], MessageIcon::Warning);
    EXPECT_TRUE(binding.DeviceEntries().empty());
    // Every other row is bound, but nothing may be called.
    EXPECT_NE(binding.EntryPoints().DioQueryDeviceName, nullptr);
    EXPECT_EQ(binding.EntryPoints().DioDmSetCountCallBackProc, nullptr);
    char name[256];
    char type[256];
    EXPECT_EQ(binding.Call(&QDX_ENTRY_POINTS::DioQueryDeviceName, int16_t{0}, name, type),
              CDriverBinding::DRIVER_NOT_BOUND);
    EXPECT_FALSE(binding.RunCalls().Complete());
}

TEST(LibraryWithoutCountCallback, EnglishMessageNamesFunctionFileAndVersion)
{
    ExpectMissingFunction("C",
                          "Function <DioDmSetCountCallBackProc> is not included in DLL file <libqdxapi.so>\n"
                          "This function is supported from Ver.2.02");
}

TEST(LibraryWithoutCountCallback, JapaneseMessageNamesFileFunctionAndVersion)
{
    ExpectMissingFunction("ja_JP.UTF-8",
                          "ライブラリ<libqdxapi.so>に関数<DioDmSetCountCallBackProc>がありません。\n"
                          "この関数はバージョン 2.02 からサポートされています。");
}

TEST(LibraryWithoutCountCallback, AnEmptyVersionLeavesTheSecondLineOut)
{
    const CScopedLanguage language("C");
    CScriptedMessages messages;
    CDriverBinding binding(messages, QDX_TEST_NOCOUNTCB_FOLDER);
    void* slot = nullptr;
    std::string message;
    EXPECT_TRUE(binding.BindDriverFunction("libqdxapi.so", "DioInit", &slot, message, "1.00"));
    EXPECT_NE(slot, nullptr);
    EXPECT_EQ(message, "");
    EXPECT_FALSE(binding.BindDriverFunction("libqdxapi.so", "DioNoSuchFunction", &slot, message, ""));
    EXPECT_EQ(message, "Function <DioNoSuchFunction> is not included in DLL file <libqdxapi.so>");
}

}  // namespace
