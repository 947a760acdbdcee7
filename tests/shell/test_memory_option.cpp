#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "shell/CMemoryOption.h"
#include "support/CScriptedMessages.h"

namespace {

TEST(MemoryOptionTest, OpensWithTheMultiplierOfTheBufferSize) {
    EXPECT_EQ(CMemoryOption(1000000).Multiplier(), 1);
    EXPECT_EQ(CMemoryOption(1000).Multiplier(), 1);
    EXPECT_EQ(CMemoryOption(5999999).Multiplier(), 5);
    EXPECT_EQ(CMemoryOption(4000000000U).Multiplier(), 100);
}

TEST(MemoryOptionTest, EntriesOutsideTheRangeBecomeTen) {
    CMemoryOption option(1000000);
    EXPECT_FALSE(option.OnEditChanged("0"));
    EXPECT_EQ(option.EditText(), "10");
    EXPECT_EQ(option.Size(), 10000000U);
    EXPECT_TRUE(option.OnEditChanged("7"));
    EXPECT_EQ(option.Size(), 7000000U);
    EXPECT_FALSE(option.OnEditChanged("101"));
    EXPECT_EQ(option.Size(), 10000000U);
    EXPECT_TRUE(option.OnEditChanged("100"));
    EXPECT_EQ(option.Size(), 100000000U);
    EXPECT_FALSE(option.OnEditChanged(""));
    EXPECT_EQ(option.Multiplier(), 10);
}

TEST(MemoryOptionTest, SpinWrapsAroundAtTheEnds) {
    CMemoryOption option(100000000);
    option.Step(1);
    EXPECT_EQ(option.Multiplier(), 1);
    option.Step(-1);
    EXPECT_EQ(option.Multiplier(), 100);
    option.Step(-99);
    EXPECT_EQ(option.Multiplier(), 1);
}

TEST(MemoryOptionTest, OkWithoutAChangeLeavesTheMemory) {
    CLogicDocument document("/tmp");
    int notified = 0;
    document.SetViewNotifier([&] { ++notified; });
    const uint32_t* words = document.SamplingMemory().Data();
    document.AutoSavedFiles = {"a.vpb"};
    CScriptedMessages messages;
    ASSERT_TRUE(CMemoryOption(1000000).Apply(document, messages));
    EXPECT_EQ(document.SamplingMemory().Data(), words);
    EXPECT_EQ(document.AutoSavedFiles.size(), 1U);
    EXPECT_EQ(notified, 1) << "the views are updated in every case";
}

TEST(MemoryOptionTest, OkResizesTheSamplingMemoryAndDropsTheSavedBlocks) {
    CLogicDocument document("/tmp");
    ASSERT_TRUE(document.SetBufferSize(1000));
    document.Condition().SamplingGroup.RepeatCount = 4;
    document.AutoSavedFiles = {"a.vpb", "b.vpb"};
    document.CurrentBlock.store(1);
    CScriptedMessages messages;
    CMemoryOption option(document.Condition().SamplingBufferSize);
    EXPECT_EQ(option.Multiplier(), 1);
    ASSERT_TRUE(option.Apply(document, messages));
    EXPECT_EQ(document.Condition().SamplingBufferSize, 1000000U);
    EXPECT_EQ(document.SamplingMemory().Length(), 1000000U);
    EXPECT_EQ(document.Condition().SamplingGroup.RepeatCount, 4U);
    EXPECT_TRUE(document.AutoSavedFiles.empty());
    EXPECT_EQ(document.CurrentBlock.load(), 0);
    EXPECT_TRUE(messages.Shown.empty()) << "no confirmation, unlike the generating buffer";
}

TEST(MemoryOptionTest, ReducingDropsTheWordsBeyondTheNewSize) {
    CLogicDocument document("/tmp");
    ASSERT_TRUE(document.SetBufferSize(5000000));
    document.SamplingMemory().Data()[1999999] = 0x11;
    document.SamplingMemory().Data()[4000000] = 0x22;
    CScriptedMessages messages;
    CMemoryOption option(document.Condition().SamplingBufferSize);
    ASSERT_TRUE(option.OnEditChanged("2"));
    ASSERT_TRUE(option.Apply(document, messages));
    EXPECT_EQ(document.SamplingMemory().Length(), 2000000U);
    EXPECT_EQ(document.SamplingMemory().Data()[1999999], 0x11U);
    ASSERT_TRUE(option.OnEditChanged("5"));
    ASSERT_TRUE(option.Apply(document, messages));
    EXPECT_EQ(document.SamplingMemory().Data()[4000000], 0U);
}

TEST(MemoryOptionTest, RefusedWhileTheDocumentRuns) {
    CLogicDocument document("/tmp");
    document.IsRunning.store(1);
    CScriptedMessages messages;
    CMemoryOption option(document.Condition().SamplingBufferSize);
    ASSERT_TRUE(option.OnEditChanged("3"));
    EXPECT_FALSE(option.Apply(document, messages));
    EXPECT_EQ(document.SamplingMemory().Length(), 1000000U);
}

}  // namespace
