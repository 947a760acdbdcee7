#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "document/CLogicDocument.h"
#include "graph/CEditHistory.h"
#include "graph/CMaskedWords.h"
#include "graph/LOGIC_MEMORY.h"

namespace {

std::vector<uint32_t> Snapshot(const CLogicMemory& memory) {
    return {memory.Data(), memory.Data() + memory.Length()};
}

void FillRandom(CLogicMemory& memory, unsigned seed) {
    std::mt19937 random(seed);
    for (uint32_t i = 0; i < memory.Length(); ++i) {
        memory.Data()[i] = random();
    }
}

// Compares every word; reports the first difference.
::testing::AssertionResult SameWords(const std::vector<uint32_t>& expected, const CLogicMemory& memory) {
    if (expected.size() != memory.Length()) {
        return ::testing::AssertionFailure() << "length " << memory.Length() << " != " << expected.size();
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != memory.Data()[i]) {
            return ::testing::AssertionFailure() << "word " << i << ": " << std::hex << memory.Data()[i]
                                                 << " != " << expected[i];
        }
    }
    return ::testing::AssertionSuccess();
}

class EditHistoryTest : public ::testing::Test {
protected:
    EditHistoryTest() : history(document) {
        FillRandom(memory(), 7);
        document.Saved = 1;
    }
    CLogicMemory& memory() { return document.GeneratingMemory(); }

    CLogicDocument document{"/tmp"};
    CEditHistory history;
};

}  // namespace

TEST(MaskedWords, CaptureAndRestoreKeepOnlyTheChannelsNamed) {
    std::vector<uint32_t> words(300);
    std::mt19937 random(3);
    for (auto& w : words) {
        w = random();
    }
    for (uint32_t set : {0x1U, 0x80000000U, 0x00F0F001U, 0xFFFFFFFFU, 0x7FFFFFFFU}) {
        LOGIC_MEMORY record;
        record.Start = 5;
        record.End = 204;  // 200 clocks: three full planes words and a part
        record.ChannelSet = set;
        CMaskedWords::Capture(words.data(), 0, record);
        for (uint32_t i = 0; i < record.Length(); ++i) {
            for (int c = 0; c < 32; ++c) {
                if ((set >> c) & 1U) {
                    ASSERT_EQ(CMaskedWords::SavedBit(record, c, i), (words[5 + i] >> c) & 1U) << set << " " << c;
                }
            }
        }
        std::vector<uint32_t> changed = words;
        for (auto& w : changed) {
            w = ~w;
        }
        CMaskedWords::Restore(record, changed.data(), set);
        for (std::size_t i = 0; i < words.size(); ++i) {
            const bool inside = i >= 5 && i <= 204;
            const uint32_t expected = inside ? (words[i] & set) | (~words[i] & ~set) : ~words[i];
            ASSERT_EQ(changed[i], expected) << "set " << set << " word " << i;
        }
    }
}

TEST(MaskedWords, ShiftsMoveOnlyTheMaskBits) {
    std::vector<uint32_t> words(50);
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = static_cast<uint32_t>(i) * 0x01010101U;
    }
    const std::vector<uint32_t> before = words;
    const uint32_t mask = 0x0000FF00U;
    CMaskedWords::PullTowardStart(words.data(), 50, 10, 5, mask);
    for (std::size_t j = 0; j < 50; ++j) {
        const uint32_t source = (j >= 10 && j < 45) ? before[j + 5] : before[j];
        EXPECT_EQ(words[j], (before[j] & ~mask) | (source & mask)) << j;
    }
    words = before;
    CMaskedWords::PushTowardEnd(words.data(), 50, 10, 5, mask);
    for (std::size_t j = 0; j < 50; ++j) {
        const uint32_t source = j >= 15 ? before[j - 5] : before[j];
        EXPECT_EQ(words[j], (before[j] & ~mask) | (source & mask)) << j;
    }
    words = before;
    CMaskedWords::SwapChannels(words.data(), 50, 0, 31);
    for (std::size_t j = 0; j < 50; ++j) {
        const uint32_t b0 = before[j] & 1U;
        const uint32_t b31 = before[j] >> 31;
        EXPECT_EQ(words[j], (before[j] & 0x7FFFFFFEU) | (b0 << 31) | b31) << j;
    }
}

TEST_F(EditHistoryTest, OverwriteUndoRedoRestoreTheRecordedChannelsOnly) {
    const auto original = Snapshot(memory());
    ASSERT_EQ(history.RecordEdit(100, 399, 0x00000009U, EDIT_MODE::Overwrite), EDIT_RESULT::Done);
    EXPECT_EQ(document.Saved.load(), 0);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    CMaskedWords::Invert(memory().Data(), 100, 300, 0x00000009U);
    const auto edited = Snapshot(memory());
    // Another channel changes outside the history: Undo must leave it alone.
    memory().Data()[200] ^= 0x100U;
    auto expected = original;
    expected[200] ^= 0x100U;
    document.Saved = 1;
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(expected, memory()));
    EXPECT_EQ(document.Saved.load(), 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.CanRedo());
    ASSERT_EQ(history.Redo(), EDIT_RESULT::Done);
    auto redone = edited;
    redone[200] ^= 0x100U;
    EXPECT_TRUE(SameWords(redone, memory()));
    EXPECT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(expected, memory()));
    EXPECT_EQ(history.Undo(), EDIT_RESULT::Nothing);
}

TEST_F(EditHistoryTest, InsertIsOneStepWithItsTail) {
    // Insert one clock of 1 at clock 3 on channel 3, as the 1 key does in insert mode.
    const auto original = Snapshot(memory());
    const uint32_t mask = 1U << 3;
    ASSERT_EQ(history.RecordInsert(3, 3, mask), EDIT_RESULT::Done);
    CMaskedWords::PushTowardEnd(memory().Data(), memory().Length(), 3, 1, mask);
    CMaskedWords::Fill(memory().Data(), 3, 1, mask, true);
    const auto edited = Snapshot(memory());
    EXPECT_EQ(history.UndoCount(), 1U);
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(original, memory()));
    EXPECT_FALSE(history.CanUndo());
    ASSERT_EQ(history.Redo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(edited, memory()));
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(original, memory()));
}

TEST_F(EditHistoryTest, DeleteUndoRedoOverTwoChannels) {
    // Cut clocks 10..19 of channels 0 and 1.
    const auto original = Snapshot(memory());
    const uint32_t mask = 0x3U;
    const uint32_t length = memory().Length();
    ASSERT_EQ(history.RecordEdit(10, 19, mask, EDIT_MODE::Delete), EDIT_RESULT::Done);
    CMaskedWords::PullTowardStart(memory().Data(), length, 10, 10, mask);
    CMaskedWords::Fill(memory().Data(), length - 10, 10, mask, false);
    const auto edited = Snapshot(memory());
    for (uint32_t j = 0; j < length; ++j) {
        const uint32_t source = j < 10 ? original[j] : (j < length - 10 ? original[j + 10] : 0U);
        ASSERT_EQ(edited[j], (original[j] & ~mask) | (source & mask)) << j;
    }
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(original, memory()));
    ASSERT_EQ(history.Redo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(edited, memory()));
}

TEST_F(EditHistoryTest, SwapThroughTheRecorderInterface) {
    IEditRecorder& recorder = history;
    const auto original = Snapshot(memory());
    ASSERT_EQ(recorder.RecordSwap(4, 7), EDIT_RESULT::Done);
    CMaskedWords::SwapChannels(memory().Data(), memory().Length(), 4, 7);
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(original, memory()));
    EXPECT_EQ(recorder.RecordSwap(4, 4), EDIT_RESULT::ImproperArgument);
    EXPECT_EQ(recorder.RecordSwap(-1, 4), EDIT_RESULT::ImproperArgument);
    EXPECT_EQ(recorder.RecordSwap(4, 32), EDIT_RESULT::ImproperArgument);
}

TEST_F(EditHistoryTest, RecorderChecksBothEndsAndRecordsNothingBad) {
    IEditRecorder& recorder = history;
    const uint32_t last = memory().Length() - 1;
    EXPECT_EQ(recorder.RecordOverwrite(0x1U, 0, last + 1), EDIT_RESULT::ImproperArgument);
    EXPECT_EQ(recorder.RecordOverwrite(0x1U, 10, 9), EDIT_RESULT::ImproperArgument);
    EXPECT_EQ(recorder.RecordOverwrite(0x0U, 0, 9), EDIT_RESULT::ImproperArgument);
    EXPECT_EQ(history.RecordInsert(0, last + 1, 0x1U), EDIT_RESULT::ImproperArgument);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(document.Saved.load(), 1);
    // A whole-memory pattern on one channel, as pattern creation records it.
    const auto original = Snapshot(memory());
    ASSERT_EQ(recorder.RecordOverwrite(1U << 31, 0, last), EDIT_RESULT::Done);
    CMaskedWords::Fill(memory().Data(), 0, last + 1, 1U << 31, true);
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(SameWords(original, memory()));
}

TEST_F(EditHistoryTest, ReplacedOrResizedMemoryEmptiesTheHistory) {
    ASSERT_EQ(history.RecordOverwrite(0x1U, 0, 9), EDIT_RESULT::Done);
    ASSERT_TRUE(memory().Resize(memory().Length()));  // a file read into the same size
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(), EDIT_RESULT::Nothing);
    ASSERT_EQ(history.RecordOverwrite(0x1U, 0, 9), EDIT_RESULT::Done);
    ASSERT_EQ(history.Undo(), EDIT_RESULT::Done);
    ASSERT_TRUE(history.CanRedo());
    ASSERT_TRUE(memory().Resize(500));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Redo(), EDIT_RESULT::Nothing);
    ASSERT_EQ(history.RecordOverwrite(0x1U, 0, 9), EDIT_RESULT::Done);
    memory().MarkReplaced();  // a data pattern read
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(EditHistoryTest, RecordsKeepBitsNotWords) {
    const uint32_t last = memory().Length() - 1;
    ASSERT_EQ(history.RecordOverwrite(1U << 5, 0, last), EDIT_RESULT::Done);
    // 1000 clocks of one channel: 16 64-bit words.
    EXPECT_LE(history.Bytes(), 16 * sizeof(uint64_t) + 64);
}
