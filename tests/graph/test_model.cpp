#include <gtest/gtest.h>

#include <map>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/IBlockReader.h"

namespace {

// Reads a block by filling the sampling memory with the block's number.
class CFakeBlockReader : public IBlockReader {
public:
    explicit CFakeBlockReader(CLogicDocument& document) : m_document(document) {}
    bool ReadBlock(const std::string& path, bool binary) override {
        reads[path] = binary;
        if (path == "bad") {
            return false;
        }
        CLogicMemory& memory = m_document.SamplingMemory();
        const uint32_t value = static_cast<uint32_t>(path.back() - '0');
        for (uint32_t i = 0; i < memory.Length(); ++i) {
            memory.Data()[i] = value;
        }
        m_document.LastCount = memory.Length();
        return true;
    }
    std::map<std::string, bool> reads;

private:
    CLogicDocument& m_document;
};

class GraphModelTest : public ::testing::Test {
protected:
    GraphModelTest() : records("Signal"), model(document, records, 1.0f) {
        model.Layout(800, 600);  // 80 clocks per page, 14 rows per page
        model.OnDocumentUpdate();
    }
    void UseSamplingBlocks(uint32_t size) {
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.Condition().AutoSave = 1;
        ASSERT_TRUE(document.SetBufferSize(size));
        document.AutoSavedFiles = {"block0", "block1", "block2", "block3"};
        document.LastCount = size;
        model.OnDocumentUpdate();
    }

    CLogicDocument document{"/tmp"};
    CWindowRecords records;
    CGraphModel model;
};

}  // namespace

TEST_F(GraphModelTest, BindsTheGeneratingMemory) {
    EXPECT_EQ(model.Direction(), DIRECTION_GENERATING);
    EXPECT_EQ(model.LastClock(), 999);
    EXPECT_EQ(model.ValidLength(), 1000);
    EXPECT_EQ(model.AbsoluteOffset(), 0);
    EXPECT_EQ(model.Geometry().RowCount(), 32);
    EXPECT_EQ(model.Memory(), &document.GeneratingMemory());
    EXPECT_EQ(model.Table(), &records.GeneratingTable);
    EXPECT_FALSE(model.BlockButtonsShown());
}

TEST_F(GraphModelTest, BindsTheSamplingMemoryByTransferCount) {
    document.Condition().Direction = DIRECTION_SAMPLING;
    model.OnDocumentUpdate();
    EXPECT_EQ(model.LastClock(), 999999);  // nothing transferred yet
    EXPECT_EQ(model.ValidLength(), 0);
    document.LastCount = 1500000;
    model.OnDocumentUpdate();
    EXPECT_EQ(model.LastClock(), 499999);
    EXPECT_EQ(model.ValidLength(), 500000);
    document.LastCount = 2000000;
    model.OnDocumentUpdate();
    EXPECT_EQ(model.LastClock(), 999999);
    EXPECT_EQ(model.ValidLength(), 1000000);
    document.LastCount = 300;
    document.IsRunning = 1;
    model.OnDocumentUpdate();
    EXPECT_EQ(model.LastClock(), 999999);
    EXPECT_EQ(model.ValidLength(), 300);
    // Hidden rows are not counted.
    records.SamplingTable[3].IsShown = 0;
    model.RecountRows();
    EXPECT_EQ(model.Geometry().RowCount(), 31);
    EXPECT_EQ(model.ShownRows()[3], 4u);
}

TEST_F(GraphModelTest, DocumentUpdateClampsCellsAndPage) {
    model.SetCurrent({900, 31});
    model.SetAnchor({950, 20});
    model.Geometry().SetFirstVisibleClock(950);
    ASSERT_TRUE(document.SetSize(DIRECTION_GENERATING, 100, 1));
    records.GeneratingTable.SetSize(10);
    for (LOGIC_DATA& row : records.GeneratingTable) {
        row.IsShown = 1;
    }
    model.OnDocumentUpdate();
    EXPECT_EQ(model.Current(), (GRAPH_CELL{99, 9}));
    EXPECT_EQ(model.Anchor(), (GRAPH_CELL{99, 9}));
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 20);
    document.Condition().ReadOnly = 1;
    model.OnDocumentUpdate();
    EXPECT_TRUE(model.EditDisabled());
}

TEST_F(GraphModelTest, GraphUnitAndRuler) {
    EXPECT_EQ(model.UnitText(), "Clock");
    EXPECT_TRUE(model.SetGraphUnit(1));
    EXPECT_EQ(model.UnitText(), "Sec");
    EXPECT_EQ(model.UnitPrefix(), "m");  // default 1 ms clock
    EXPECT_FALSE(model.SetGraphUnit(2));
    EXPECT_EQ(model.GraphUnit(), 1);
    document.SetClock(DIRECTION_GENERATING, 5, 3);
    model.OnDocumentUpdate();
    EXPECT_EQ(model.UnitPrefix(), "u");
    EXPECT_EQ(model.ClockValue(), 5u);
}

TEST_F(GraphModelTest, CursorsAndBoxTexts) {
    document.GeneratingMemory().SetWord(7, 0x1234ABCD);
    document.GeneratingMemory().SetWord(2, 0x55);
    model.SetCurrent({7, 0});
    model.ToggleCursor(0);
    model.SetCurrent({2, 0});
    auto current = model.BoxLines(INFO_BOX::Current);
    EXPECT_EQ(current[0], "Current:");
    EXPECT_EQ(current[1], "Data: 00000055[Hex]");
    EXPECT_EQ(current[2], "Position: 2[Clock]");
    EXPECT_EQ(current[3], "");
    auto a = model.BoxLines(INFO_BOX::CursorA);
    EXPECT_EQ(a[0], "Cursor A:");
    EXPECT_EQ(a[1], "Data: 1234ABCD[Hex]");
    EXPECT_EQ(a[2], "Position: 7[Clock]");
    EXPECT_EQ(a[3], "");  // cursor B hidden
    model.ToggleCursor(1);
    EXPECT_EQ(model.BoxLines(INFO_BOX::CursorA)[3], "[A]-[B]: 5[Clock]");
    EXPECT_EQ(model.BoxLines(INFO_BOX::CursorB)[3], "[B]-[A]: -5[Clock]");
    // Hiding moves the cursor to the current clock before toggling.
    model.ToggleCursor(0);
    EXPECT_FALSE(model.Cursor(0).shown);
    EXPECT_EQ(model.Cursor(0).position, 2);
    // Generating cursor positions are taken modulo the buffer size.
    model.SetCursorPosition(1, 1007);
    EXPECT_EQ(model.BoxValue(INFO_BOX::CursorB, 1007), 0x1234ABCDu);
}

TEST_F(GraphModelTest, SamplingBoxValuesAreCachedOutsideThePage) {
    document.Condition().Direction = DIRECTION_SAMPLING;
    document.LastCount = 1000000;
    document.SamplingMemory().SetWord(10, 0xA);
    document.SamplingMemory().SetWord(5000, 0xB);
    model.OnDocumentUpdate();
    EXPECT_EQ(model.BoxValue(INFO_BOX::CursorA, 10), 0xAu);
    // 5000 is outside the page: the box keeps its last value
    EXPECT_EQ(model.BoxValue(INFO_BOX::CursorA, 5000), 0xAu);
    model.ScrollToClock(4990);
    EXPECT_EQ(model.BoxValue(INFO_BOX::CursorA, 5000), 0xBu);
    EXPECT_EQ(model.BoxValue(INFO_BOX::CursorB, 10), 0u);
}

TEST_F(GraphModelTest, ShowingACursorInABlockUsesAbsolutePositions) {
    UseSamplingBlocks(1000);
    CFakeBlockReader reader(document);
    ASSERT_EQ(model.LoadSavedBlock(3, &reader), BLOCK_LOAD::Loaded);
    EXPECT_EQ(model.AbsoluteOffset(), 3000);
    EXPECT_TRUE(model.BlockButtonsShown());
    model.SetCurrent({120, 0});
    model.ToggleCursor(0);
    EXPECT_EQ(model.Cursor(0).position, 3120);
    EXPECT_EQ(model.BoxLines(INFO_BOX::Current)[2], "Position: 3120[Clock]");
    EXPECT_EQ(model.Geometry().ScrollBar().Minimum(), 3000);
    EXPECT_EQ(model.Geometry().ScrollBar().Maximum(), 3999);
}

TEST_F(GraphModelTest, JumpToClockLoadsTheRightBlock) {
    UseSamplingBlocks(1000);
    CFakeBlockReader reader(document);
    document.Condition().AutoSaveFileType = 1;
    model.JumpToClock(2500, &reader);
    EXPECT_EQ(model.ShownBlock(), 2);
    EXPECT_TRUE(reader.reads.at("block2"));
    EXPECT_EQ(model.Current().clock, 500);
    EXPECT_EQ(model.Anchor().clock, 500);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 500);
    EXPECT_EQ(document.SamplingMemory().Word(0), 2u);
    // Within the shown block nothing is read again; the page stops at the end.
    reader.reads.clear();
    model.JumpToClock(2990, &reader);
    EXPECT_TRUE(reader.reads.empty());
    EXPECT_EQ(model.Current().clock, 990);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 920);
    // Beyond the recording: no block, the clock is the remainder.
    model.JumpToClock(9005, &reader);
    EXPECT_TRUE(reader.reads.empty());
    EXPECT_EQ(model.Current().clock, 5);
}

TEST_F(GraphModelTest, LoadSavedBlockRefusals) {
    CFakeBlockReader reader(document);
    document.AutoSavedFiles = {"block0"};
    EXPECT_EQ(model.LoadSavedBlock(0, &reader), BLOCK_LOAD::NotApplicable);  // generating
    UseSamplingBlocks(1000);
    document.AutoSavedFiles = {"block0", "", "bad"};
    EXPECT_EQ(model.LoadSavedBlock(1, &reader), BLOCK_LOAD::NotApplicable);
    EXPECT_EQ(model.LoadSavedBlock(3, &reader), BLOCK_LOAD::ImproperIndex);
    EXPECT_EQ(model.LoadSavedBlock(2, &reader), BLOCK_LOAD::ReadFailed);
    EXPECT_EQ(model.ShownBlock(), 0);
    EXPECT_TRUE(reader.reads.count("bad"));
    EXPECT_FALSE(reader.reads.at("bad"));  // text reader for AutoSaveFileType 0
    document.AutoSavedFiles.clear();
    EXPECT_EQ(model.LoadSavedBlock(0, &reader), BLOCK_LOAD::NotApplicable);
}

TEST_F(GraphModelTest, ZoomKeepsTheCurrentClockCentred) {
    model.SetCurrent({500, 0});
    model.SetZoom(2.0);
    EXPECT_EQ(model.Geometry().ClocksPerPage(), 40);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 480);
    model.SetZoom(1000);
    EXPECT_DOUBLE_EQ(model.Geometry().Zoom(), 128);
}
