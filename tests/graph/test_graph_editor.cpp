#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "document/DATA_PATTERN.h"
#include "graph/CEditHistory.h"
#include "graph/CGraphEditor.h"
#include "graph/CGraphModel.h"
#include "graph/CShiftBitDrag.h"

namespace {

uint32_t BitOf(uint32_t word, int channel) { return (word >> channel) & 1U; }

// A generating memory of 1000 random words on a graph 1000 px wide: 100
// clocks and 14 rows per page, the 32 default rows (row i on channel i).
class GraphEditorTest : public ::testing::Test {
protected:
    GraphEditorTest()
        : records("Signal"), model(document, records, 1.0f), history(document), editor(model, history) {
        std::mt19937 random(11);
        for (uint32_t i = 0; i < memory().Length(); ++i) {
            memory().Data()[i] = random();
        }
        model.Layout(1000, 600);
        model.OnDocumentUpdate();
        original = Words();
    }
    CLogicMemory& memory() { return document.GeneratingMemory(); }
    std::vector<uint32_t> Words() { return {memory().Data(), memory().Data() + memory().Length()}; }
    void Select(int anchorClock, int anchorRow, int clock, int row) {
        model.SetAnchor({anchorClock, anchorRow});
        model.SetCurrent({clock, row});
    }
    void Rebind() { model.OnDocumentUpdate(); }
    // Words equal `expected` everywhere.
    ::testing::AssertionResult Is(const std::vector<uint32_t>& expected) {
        for (uint32_t i = 0; i < memory().Length(); ++i) {
            if (memory().Data()[i] != expected[i]) {
                return ::testing::AssertionFailure()
                       << "word " << i << ": " << std::hex << memory().Data()[i] << " != " << expected[i];
            }
        }
        return ::testing::AssertionSuccess();
    }

    CLogicDocument document{"/tmp"};
    CWindowRecords records;
    CGraphModel model;
    CEditHistory history;
    CGraphEditor editor;
    std::vector<uint32_t> original;
};

}  // namespace

TEST_F(GraphEditorTest, OverwriteKeysWriteTheSelectionAndMoveRight) {
    Select(5, 0, 7, 1);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 1).Result, EDIT_RESULT::Done);
    auto expected = original;
    for (int i = 5; i <= 7; ++i) {
        expected[i] |= 0x3U;
    }
    EXPECT_TRUE(Is(expected));
    EXPECT_EQ(model.Current().clock, 8);
    EXPECT_EQ(model.Anchor(), model.Current());
    EXPECT_EQ(history.UndoCount(), 1U);
    EXPECT_EQ(document.Saved.load(), 0);
    // Space inverts in place and the caret stays; 0 clears.
    Select(20, 4, 29, 4);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Space).Result, EDIT_RESULT::Done);
    for (int i = 20; i <= 29; ++i) {
        expected[i] ^= 1U << 4;
    }
    EXPECT_TRUE(Is(expected));
    EXPECT_EQ(model.Current().clock, 29);
    // A hexadecimal digit off a bus does nothing.
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 7).Result, EDIT_RESULT::Nothing);
    EXPECT_EQ(history.UndoCount(), 2U);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_TRUE(editor.CanRedo());
}

TEST_F(GraphEditorTest, InsertAtTheLastClocksPushesBitsOutAndUndoBringsThemBack) {
    editor.SetInsertMode(true);
    Select(998, 3, 998, 3);
    ASSERT_EQ(editor.DataKey(DATA_KEY::Digit, 1).Result, EDIT_RESULT::Done);
    auto expected = original;
    expected[999] = (original[999] & ~8U) | (original[998] & 8U);
    expected[998] |= 8U;
    EXPECT_TRUE(Is(expected));
    EXPECT_EQ(model.Current().clock, 999);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    // At the very last clock nothing moves, the last bit is replaced.
    Select(999, 3, 999, 3);
    ASSERT_EQ(editor.DataKey(DATA_KEY::Digit, 0).Result, EDIT_RESULT::Done);
    expected = original;
    expected[999] &= ~8U;
    EXPECT_TRUE(Is(expected));
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    // Space in insert mode inserts the inverted values of the selection.
    Select(10, 2, 14, 2);
    ASSERT_EQ(editor.DataKey(DATA_KEY::Space).Result, EDIT_RESULT::Done);
    for (int j = 0; j < 1000; ++j) {
        uint32_t bit = BitOf(original[j], 2);
        if (j >= 10 && j <= 14) {
            bit = BitOf(original[j], 2) ^ 1U;
        } else if (j >= 15) {
            bit = BitOf(original[j - 5], 2);
        }
        ASSERT_EQ(memory().Data()[j], (original[j] & ~4U) | (bit << 2)) << j;
    }
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, DeleteAndBackspacePullTheChannelTowardStart) {
    Select(0, 6, 9, 6);
    ASSERT_EQ(editor.DataKey(DATA_KEY::Delete).Result, EDIT_RESULT::Done);
    for (int j = 0; j < 1000; ++j) {
        const uint32_t bit = j < 990 ? BitOf(original[j + 10], 6) : 0U;
        ASSERT_EQ(memory().Data()[j], (original[j] & ~(1U << 6)) | (bit << 6)) << j;
    }
    EXPECT_EQ(model.Current().clock, 9);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    Select(0, 6, 0, 6);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Backspace).Result, EDIT_RESULT::Nothing);
    EXPECT_FALSE(editor.CanUndo());
    Select(300, 6, 5, 6);  // the selection's clocks are not used
    ASSERT_EQ(editor.DataKey(DATA_KEY::Backspace).Result, EDIT_RESULT::Done);
    for (int j = 0; j < 1000; ++j) {
        const uint32_t bit = j < 4 ? BitOf(original[j], 6) : (j < 999 ? BitOf(original[j + 1], 6) : 0U);
        ASSERT_EQ(memory().Data()[j], (original[j] & ~(1U << 6)) | (bit << 6)) << j;
    }
    EXPECT_EQ(model.Current().clock, 4);
    EXPECT_EQ(model.Anchor().clock, 4);
}

TEST_F(GraphEditorTest, EnterOffABusMovesLeftAndDown) {
    Select(10, 2, 10, 2);
    const EDIT_OUTCOME outcome = editor.DataKey(DATA_KEY::Enter);
    EXPECT_EQ(outcome.Result, EDIT_RESULT::Nothing);
    EXPECT_EQ(model.Current(), (GRAPH_CELL{9, 3}));
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, BusEntryTypesTwoDigitsIntoTheMembersInTableOrder) {
    // Members in table order: channels 9, 2, 5 (rows 9, 2 and 5 moved to the top).
    CChannelTable& table = records.GeneratingTable;
    std::vector<LOGIC_DATA> rows = table.Items();
    std::vector<LOGIC_DATA> reordered{rows[9], rows[2], rows[5]};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i != 9 && i != 2 && i != 5) {
            reordered.push_back(rows[i]);
        }
    }
    LOGIC_DATA bus;
    bus.DeviceChannel = 0;
    bus.ChannelName = "Bus signal0";
    bus.IsBus = 1;
    bus.IsEnable = 1;
    bus.IsShown = 1;
    bus.BusChannel = (1U << 2) | (1U << 5) | (1U << 9);
    reordered.insert(reordered.begin(), bus);
    table.Assign(reordered);
    Rebind();
    Select(40, 0, 41, 0);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 1).Result, EDIT_RESULT::Nothing);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 0xF).Result, EDIT_RESULT::Nothing);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 3).Result, EDIT_RESULT::Nothing);  // would exceed 255
    EXPECT_TRUE(model.Typing().active);
    EXPECT_EQ(model.Typing().value, 0x1FU);
    EXPECT_TRUE(Is(original));
    ASSERT_EQ(editor.DataKey(DATA_KEY::Enter).Result, EDIT_RESULT::Done);
    auto expected = original;
    expected[40] |= bus.BusChannel;
    expected[41] |= bus.BusChannel;
    EXPECT_TRUE(Is(expected));
    EXPECT_FALSE(model.Typing().active);
    EXPECT_EQ(model.Current().clock, 42);
    // Value 5 = members 0 and 2 in table order: channels 9 and 5, not 2.
    Select(50, 0, 50, 0);
    (void)editor.DataKey(DATA_KEY::Digit, 5);
    ASSERT_EQ(editor.DataKey(DATA_KEY::Enter).Result, EDIT_RESULT::Done);
    expected[50] = (expected[50] & ~bus.BusChannel) | (1U << 9) | (1U << 5);
    EXPECT_TRUE(Is(expected));
    // Backspace drops a digit; placing the caret drops the typed value.
    Select(60, 0, 60, 0);
    (void)editor.DataKey(DATA_KEY::Digit, 0xA);
    (void)editor.DataKey(DATA_KEY::Digit, 0xB);
    (void)editor.DataKey(DATA_KEY::Backspace);
    EXPECT_EQ(model.Typing().value, 0xAU);
    model.SetCurrent({61, 0});
    EXPECT_EQ(editor.DataKey(DATA_KEY::Enter).Result, EDIT_RESULT::Nothing);
    // Editing disabled: digits and Enter change nothing.
    model.SetEditDisabled(true);
    Select(70, 0, 70, 0);
    (void)editor.DataKey(DATA_KEY::Digit, 1);
    EXPECT_FALSE(model.Typing().active);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Enter).Result, EDIT_RESULT::Nothing);
    EXPECT_TRUE(Is(expected));
}

TEST_F(GraphEditorTest, InvertTouchesOnlySignalRowsAndRecordsOnce) {
    CChannelTable& table = records.GeneratingTable;
    // Row 3 becomes a bus, row 4 another row on channel 2.
    table.At(3).IsBus = 1;
    table.At(3).BusChannel = 0xFF;
    table.At(4).DeviceChannel = 2;
    Rebind();
    Select(100, 2, 109, 5);
    ASSERT_EQ(editor.InvertSelection(), EDIT_RESULT::Done);
    auto expected = original;
    for (int i = 100; i <= 109; ++i) {
        expected[i] ^= (1U << 2) | (1U << 5);
    }
    EXPECT_TRUE(Is(expected));
    EXPECT_EQ(history.UndoCount(), 1U);
    Select(100, 3, 109, 3);
    EXPECT_EQ(editor.InvertSelection(), EDIT_RESULT::Nothing);
    EXPECT_EQ(history.UndoCount(), 1U);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, UndoAfterARowReorderRestoresTheRecordedChannels) {
    Select(10, 0, 19, 1);  // channels 0 and 1
    ASSERT_EQ(editor.Cut(), EDIT_RESULT::Done);
    // The tree moves channel 0's row to the end and hides channel 1.
    CChannelTable& table = records.GeneratingTable;
    std::vector<LOGIC_DATA> rows = table.Items();
    std::rotate(rows.begin(), rows.begin() + 1, rows.end());
    rows[0].IsShown = 0;
    table.Assign(rows);
    Rebind();
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    ASSERT_EQ(editor.Redo(), EDIT_RESULT::Done);
    for (int j = 0; j < 1000; ++j) {
        const uint32_t source = j < 10 ? original[j] : (j < 990 ? original[j + 10] : 0U);
        ASSERT_EQ(memory().Data()[j], (original[j] & ~3U) | (source & 3U)) << j;
    }
}

TEST_F(GraphEditorTest, CutAndPasteClippedAtTheLastRowAndClock) {
    Select(100, 0, 199, 2);  // three rows, 100 clocks
    ASSERT_EQ(editor.Copy(), EDIT_RESULT::Done);
    ASSERT_TRUE(editor.CanPaste());
    EXPECT_TRUE(Is(original));
    // Onto the last shown row, 50 clocks before the last clock.
    Select(949, 31, 949, 31);
    ASSERT_EQ(editor.Paste(), EDIT_RESULT::Done);
    auto expected = original;
    for (int x = 949; x <= 999; ++x) {
        expected[x] = (expected[x] & ~(1U << 31)) | (BitOf(original[100 + x - 949], 0) << 31);
    }
    EXPECT_TRUE(Is(expected));
    EXPECT_EQ(model.Current(), (GRAPH_CELL{949, 31}));
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    // Rows map by order: source rows 0..2 land on rows 10..12 (channels 10..12).
    editor.SetInsertMode(true);
    Select(500, 10, 500, 10);
    ASSERT_EQ(editor.Paste(), EDIT_RESULT::Done);
    for (int j = 0; j < 1000; ++j) {
        uint32_t word = original[j] & ~(0x7U << 10);
        for (int k = 0; k < 3; ++k) {
            uint32_t bit = BitOf(original[j], 10 + k);
            if (j >= 500 && j < 600) {
                bit = BitOf(original[100 + j - 500], k);
            } else if (j >= 600) {
                bit = BitOf(original[j - 100], 10 + k);
            }
            word |= bit << (10 + k);
        }
        ASSERT_EQ(memory().Data()[j], word) << j;
    }
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, SelectAllWithFortyRows) {
    CChannelTable& table = records.GeneratingTable;
    for (int i = 0; i < 8; ++i) {
        LOGIC_DATA row = table.At(static_cast<std::size_t>(i));
        table.Append(row);
    }
    model.Layout(1000, 26 + 25 * 30 + 1 + 26 + 6 + 60 + 54);
    Rebind();
    ASSERT_EQ(model.Geometry().RowsPerPage(), 25);
    ASSERT_TRUE(editor.SelectAll());
    EXPECT_EQ(model.Current(), (GRAPH_CELL{999, 39}));
    EXPECT_EQ(model.Anchor(), (GRAPH_CELL{0, 0}));
    EXPECT_EQ(model.Geometry().FirstVisibleRow(), 15);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 900);
    // Select All then Delete clears every channel.
    ASSERT_EQ(editor.DataKey(DATA_KEY::Delete).Result, EDIT_RESULT::Done);
    EXPECT_TRUE(Is(std::vector<uint32_t>(1000, 0U)));
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    // No shown rows: Select All and the keys do nothing.
    for (LOGIC_DATA& row : table) {
        row.IsShown = 0;
    }
    Rebind();
    EXPECT_FALSE(editor.SelectAll());
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 1).Result, EDIT_RESULT::Nothing);
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, DataPatternNearTheMemoryEnd) {
    DATA_PATTERN pattern;
    pattern.Length = 8;
    pattern.Bits = "10110011";
    Select(996, 7, 996, 7);
    ASSERT_EQ(editor.ApplyDataPattern(pattern), EDIT_RESULT::Done);
    auto expected = original;
    for (int j = 0; j < 4; ++j) {
        expected[996 + j] = (expected[996 + j] & ~(1U << 7)) | (static_cast<uint32_t>(pattern.Bits[j] - '0') << 7);
    }
    EXPECT_TRUE(Is(expected));
    EXPECT_EQ(model.Current().clock, 999);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    // Insert mode at clock 10: the channel moves 8 clocks on.
    editor.SetInsertMode(true);
    Select(10, 7, 10, 7);
    ASSERT_EQ(editor.ApplyDataPattern(pattern), EDIT_RESULT::Done);
    for (int j = 0; j < 1000; ++j) {
        uint32_t bit = BitOf(original[j], 7);
        if (j >= 10 && j < 18) {
            bit = static_cast<uint32_t>(pattern.Bits[static_cast<std::size_t>(j - 10)] - '0');
        } else if (j >= 18) {
            bit = BitOf(original[j - 8], 7);
        }
        ASSERT_EQ(memory().Data()[j], (original[j] & ~(1U << 7)) | (bit << 7)) << j;
    }
    EXPECT_EQ(model.Current().clock, 18);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    // A bus row stamps nothing; a broken pattern is refused.
    pattern.Bits = "1011x011";
    EXPECT_EQ(editor.ApplyDataPattern(pattern), EDIT_RESULT::ImproperArgument);
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, ShiftDragMovesAnEdgeOutAndBack) {
    // Channel 1: low at clocks 0..9, high from 10 to 30.
    for (int j = 0; j < 31; ++j) {
        memory().Data()[j] = (memory().Data()[j] & ~2U) | (j >= 10 ? 2U : 0U);
    }
    original = Words();
    CShiftBitDrag drag(model, editor, history);
    model.SetCurrent({9, 1});
    model.SetAnchor({9, 1});
    drag.Press();
    EXPECT_TRUE(drag.EdgeAt({9, 1}));
    EXPECT_FALSE(drag.EdgeAt({5, 1}));
    EXPECT_TRUE(drag.Move({14, 1}));
    for (int j = 0; j < 31; ++j) {
        ASSERT_EQ(BitOf(memory().Data()[j], 1), j >= 15 ? 1U : 0U) << j;
    }
    EXPECT_TRUE(drag.Move({12, 1}));
    for (int j = 0; j < 31; ++j) {
        ASSERT_EQ(BitOf(memory().Data()[j], 1), j >= 13 ? 1U : 0U) << j;
    }
    ASSERT_EQ(drag.Release(), EDIT_RESULT::Done);
    EXPECT_EQ(history.UndoCount(), 1U);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
    // On a bus row, or in sampling direction, the drag writes nothing.
    records.GeneratingTable.At(1).IsBus = 1;
    Rebind();
    drag.Press();
    EXPECT_FALSE(drag.Move({14, 1}));
    EXPECT_EQ(drag.Release(), EDIT_RESULT::Nothing);
    EXPECT_TRUE(Is(original));
}

TEST_F(GraphEditorTest, SamplingDirectionAndDisabledEditingChangeNothing) {
    Select(5, 0, 7, 1);
    ASSERT_EQ(editor.DataKey(DATA_KEY::Digit, 1).Result, EDIT_RESULT::Done);
    const auto edited = Words();
    document.Condition().Direction = DIRECTION_SAMPLING;
    Rebind();
    Select(5, 0, 7, 1);
    EXPECT_EQ(editor.DataKey(DATA_KEY::Digit, 0).Result, EDIT_RESULT::Nothing);
    EXPECT_EQ(editor.Cut(), EDIT_RESULT::Nothing);
    EXPECT_EQ(editor.Undo(), EDIT_RESULT::Nothing);
    EXPECT_EQ(history.UndoCount(), 1U);  // the record stays
    EXPECT_FALSE(editor.CanUndo());
    document.Condition().Direction = DIRECTION_GENERATING;
    Rebind();
    model.SetEditDisabled(true);
    EXPECT_EQ(editor.Undo(), EDIT_RESULT::Nothing);
    EXPECT_EQ(history.UndoCount(), 1U);
    EXPECT_EQ(editor.InvertSelection(), EDIT_RESULT::Nothing);
    EXPECT_TRUE(Is(edited));
    model.SetEditDisabled(false);
    ASSERT_EQ(editor.Undo(), EDIT_RESULT::Done);
    EXPECT_TRUE(Is(original));
}
