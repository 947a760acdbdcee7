#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphKeyController.h"
#include "graph/CGraphModel.h"
#include "graph/CGraphMouseController.h"
#include "graph/IGraphViewHost.h"

namespace {

// Records what the controllers ask of the window.
class CRecordingHost : public IGraphViewHost {
public:
    explicit CRecordingHost(CGraphModel& model) : m_model(model) {}
    void Invalidate(unsigned parts) override { invalidated |= parts; }
    void PlaceCaret() override { ++caretPlaced; }
    void RefreshView() override {
        ++refreshed;
        invalidated |= GRAPH_PART_ALL;
    }
    void ScrollSignalRowsTo(int row) override {
        m_model.Geometry().SetFirstVisibleRow(row);
        rowsScrolledTo.push_back(row);
    }
    BLOCK_LOAD LoadSavedBlock(std::size_t block) override {
        blocksLoaded.push_back(block);
        return BLOCK_LOAD::Loaded;
    }
    void StartRepeat() override { repeating = true; }
    void StopRepeat() override { repeating = false; }
    void SetPointerShape(POINTER_SHAPE shape) override { pointer = shape; }
    void ShowContextMenu(int x, int y) override { menus.push_back({x, y}); }
    void RequestCommand(int commandId) override { commands.push_back(commandId); }
    void SetZoom(double zoom) override { m_model.SetZoom(zoom); }
    void SetInsertMode(bool insert) override { m_model.SetInsertMode(insert); }

    unsigned invalidated = 0;
    int caretPlaced = 0;
    int refreshed = 0;
    std::vector<int> rowsScrolledTo;
    std::vector<std::size_t> blocksLoaded;
    bool repeating = false;
    POINTER_SHAPE pointer = POINTER_SHAPE::Arrow;
    std::vector<GRAPH_POINT> menus;
    std::vector<int> commands;

private:
    CGraphModel& m_model;
};

// A mode that writes down what it was told.
class CTracingMode : public IGraphMouseMode {
public:
    explicit CTracingMode(std::string& trace) : m_trace(trace) {}
    void Press(CGraphModel& model, IGraphViewHost&, int, int) override {
        m_trace += "press@" + std::to_string(model.Current().clock) + ";";
    }
    void Move(CGraphModel& model, IGraphViewHost&, int, int, bool buttonDown) override {
        if (buttonDown) {
            m_trace += "move@" + std::to_string(model.Current().clock) + ";";
        }
    }
    void Release(CGraphModel&, IGraphViewHost&, int, int, bool inGraph) override {
        m_trace += inGraph ? "release-in;" : "release-out;";
    }
    [[nodiscard]] bool PaintsSelection() const override { return false; }

private:
    std::string& m_trace;
};

// A key group that takes the digits.
class CDigitKeys : public IGraphKeyCommand {
public:
    bool KeyDown(CGraphModel&, IGraphViewHost&, const GRAPH_KEY_EVENT& key) override {
        if (key.key == GRAPH_KEY::Character && key.character >= '0' && key.character <= '9') {
            typed += key.character;
            return true;
        }
        return false;
    }
    std::string typed;
};

// Generating memory of 1000 words on a 1000 by 600 client at s = 1: graph
// area from y 26, ten pixels per clock, 100 clocks per page.
class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() : records("Signal"), model(document, records, 1.0f), host(model), mouse(model, host), keys(model, host) {
        model.Layout(1000, 600);
        model.OnDocumentUpdate();
    }
    [[nodiscard]] GRAPH_POINT Cell(int clock, int row) const {
        const GRAPH_POINT p = model.Geometry().CellToPoint(clock, row);
        return {p.x + 3, p.y + 3};
    }
    void Drag(GRAPH_POINT from, GRAPH_POINT to) {
        mouse.LeftDown(from.x, from.y);
        mouse.Move(to.x, to.y);
        mouse.LeftUp(to.x, to.y);
    }
    static GRAPH_KEY_EVENT Key(GRAPH_KEY key, bool shift = false, bool ctrl = false, bool alt = false,
                               char character = 0) {
        return {key, character, {shift, ctrl, alt}};
    }

    CLogicDocument document{"/tmp"};
    CWindowRecords records;
    CGraphModel model;
    CRecordingHost host;
    CGraphMouseController mouse;
    CGraphKeyController keys;
};

}  // namespace

TEST_F(ControllerTest, SelectionDragFollowsThePointerAndClearsCompareResults) {
    records.ComparePositions.Append({1, 2, 3, 4});
    Drag(Cell(10, 2), Cell(4, 5));
    EXPECT_EQ(model.Anchor(), (GRAPH_CELL{10, 2}));
    EXPECT_EQ(model.Current(), (GRAPH_CELL{4, 5}));
    EXPECT_TRUE(records.ComparePositions.Empty());
    EXPECT_GE(host.caretPlaced, 2);
    // the page and the Current box repaint, not the scroll bar
    EXPECT_EQ(host.invalidated, GRAPH_PART_PAGE | GRAPH_PART_INFO);
    EXPECT_EQ(mouse.Drag(), GRAPH_DRAG::None);
    EXPECT_FALSE(mouse.ButtonDown());
    // a move without a press changes nothing
    mouse.Move(Cell(20, 1).x, Cell(20, 1).y);
    EXPECT_EQ(model.Current(), (GRAPH_CELL{4, 5}));
}

TEST_F(ControllerTest, CursorHandlesDragOnlyWhereTheyAre) {
    model.SetCurrent({3, 0});
    model.ToggleCursor(0);
    const GRAPH_RECT handle = mouse.CursorHandleBox(0);
    EXPECT_TRUE(handle.Contains(30, 5));
    // away from the handle the ruler does nothing
    mouse.LeftDown(300, 5);
    EXPECT_EQ(mouse.Drag(), GRAPH_DRAG::None);
    mouse.LeftUp(300, 5);
    mouse.Move(30, 5);
    EXPECT_EQ(host.pointer, POINTER_SHAPE::SizeWestEast);
    mouse.LeftDown(30, 5);
    EXPECT_EQ(mouse.Drag(), GRAPH_DRAG::CursorA);
    mouse.Move(125, 5);
    EXPECT_EQ(model.Cursor(0).position, 12);
    mouse.LeftUp(125, 5);
    mouse.Move(600, 300);
    EXPECT_EQ(host.pointer, POINTER_SHAPE::Arrow);
    // a hidden cursor has no handle to grab
    mouse.LeftDown(Cell(7, 0).x, 5);
    EXPECT_EQ(mouse.Drag(), GRAPH_DRAG::None);
}

TEST_F(ControllerTest, ScrollBarButtonsThumbAndHover) {
    const CScrollBarGeometry& bar = model.Geometry().ScrollBar();
    const GRAPH_RECT right = bar.ScrollRight();
    mouse.LeftDown(right.left + 7, right.top + 7, {true, false, false});  // Shift: ten clocks
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 10);
    EXPECT_TRUE(host.repeating);
    mouse.RepeatStep({false, true, false}, true);  // Ctrl: five
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 15);
    mouse.RepeatStep({}, false);  // the button is up: the repeat ends
    EXPECT_FALSE(host.repeating);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 15);

    // hovering the thumb repaints the scroll bar alone
    host.invalidated = 0;
    const GRAPH_RECT thumb = bar.Thumb();
    mouse.Move(thumb.left + 2, thumb.top + 2);
    EXPECT_EQ(mouse.Hover(), SCROLL_ELEMENT::Thumb);
    EXPECT_EQ(host.invalidated, static_cast<unsigned>(GRAPH_PART_SCROLL_BAR));
    host.invalidated = 0;
    mouse.Move(thumb.left + 3, thumb.top + 2);
    EXPECT_EQ(host.invalidated, 0u);
    mouse.Leave();
    EXPECT_EQ(mouse.Hover(), SCROLL_ELEMENT::None);

    mouse.LeftDown(thumb.left + 2, thumb.top + 2);
    EXPECT_EQ(mouse.Drag(), GRAPH_DRAG::Thumb);
    const int middle = bar.Track().left + bar.Track().Width() / 2;
    mouse.Move(middle, thumb.top + 2);
    EXPECT_EQ(mouse.Hover(), SCROLL_ELEMENT::None);  // no hover while the thumb is dragged
    mouse.LeftUp(middle, thumb.top + 2);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), model.Geometry().ThumbDragClock(middle, 2));
}

TEST_F(ControllerTest, BlockButtonsAskForTheNeighbouringBlocks) {
    document.Condition().Direction = DIRECTION_SAMPLING;
    document.Condition().AutoSave = 1;
    document.AutoSavedFiles = {"a", "b", "c"};
    model.OnDocumentUpdate();
    ASSERT_TRUE(model.BlockButtonsShown());
    const CScrollBarGeometry& bar = model.Geometry().ScrollBar();
    const auto click = [this](const GRAPH_RECT& r) {
        mouse.LeftDown(r.left + 7, r.top + 7);
        mouse.LeftUp(r.left + 7, r.top + 7);
    };
    document.CurrentBlock = 0;
    click(bar.PreviousBlock());
    click(bar.FirstBlock());
    EXPECT_TRUE(host.blocksLoaded.empty());
    click(bar.NextBlock());
    click(bar.LastBlock());
    document.CurrentBlock = 2;
    click(bar.NextBlock());
    click(bar.PreviousBlock());
    click(bar.FirstBlock());
    EXPECT_EQ(host.blocksLoaded, (std::vector<std::size_t>{1, 2, 1, 0}));
}

TEST_F(ControllerTest, ModesGetTheGraphAreaAndTheRightButtonTheMenu) {
    std::string trace;
    mouse.SetMode(MOUSE_MODE_INVERT_BIT, std::make_unique<CTracingMode>(trace));
    Drag(Cell(5, 1), Cell(8, 1));
    EXPECT_EQ(trace, "");  // select mode: no mode handler
    EXPECT_TRUE(mouse.PaintsSelection());
    ASSERT_TRUE(model.SetMouseMode(MOUSE_MODE_INVERT_BIT));
    EXPECT_FALSE(model.SetMouseMode(7));
    EXPECT_FALSE(mouse.PaintsSelection());
    Drag(Cell(5, 1), Cell(8, 1));
    mouse.LeftDown(Cell(2, 1).x, Cell(2, 1).y);
    mouse.LeftUp(500, 590);  // released outside the graph area
    EXPECT_EQ(trace, "press@5;move@8;release-in;press@2;release-out;");
    // shift-bit mode without a handler paints no selection either
    ASSERT_TRUE(model.SetMouseMode(MOUSE_MODE_SHIFT_BIT));
    EXPECT_FALSE(mouse.PaintsSelection());

    mouse.RightUp(Cell(3, 0).x, Cell(3, 0).y);
    mouse.RightUp(50, 5);  // the ruler: no menu
    ASSERT_EQ(host.menus.size(), 1u);
    EXPECT_EQ(host.menus[0], Cell(3, 0));
}

TEST_F(ControllerTest, WheelScrollsOneRowWhateverTheDelta) {
    mouse.Wheel(-360);
    EXPECT_EQ(model.Geometry().FirstVisibleRow(), 1);
    mouse.Wheel(120);
    mouse.Wheel(120);
    EXPECT_EQ(model.Geometry().FirstVisibleRow(), 0);
    EXPECT_EQ(host.rowsScrolledTo, (std::vector<int>{1, 0}));
}

TEST_F(ControllerTest, KeysMoveZoomAndAskForCommands) {
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Right, true)));
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Right, true)));
    EXPECT_EQ(model.Current().clock, 2);
    EXPECT_EQ(model.Anchor().clock, 0);
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Left)));
    EXPECT_EQ(model.Current().clock, 1);
    EXPECT_EQ(model.Anchor().clock, 1);
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::End)));
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 900);
    EXPECT_TRUE(keys.Move(GRAPH_KEY::Home, true));  // Expand Selection To Start Of Channel
    EXPECT_EQ(model.Current().clock, 0);
    EXPECT_EQ(model.Anchor().clock, 999);
    EXPECT_FALSE(keys.Move(GRAPH_KEY::Insert, false));

    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Right, false, false, true)));
    EXPECT_EQ(model.Geometry().Zoom(), 2.0);
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Home, false, false, true)));
    EXPECT_EQ(model.Geometry().Zoom(), 1.0);
    EXPECT_FALSE(keys.KeyDown(Key(GRAPH_KEY::Up, false, false, true)));

    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Character, false, true, false, 'J')));
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Character, false, true, false, 'W')));
    EXPECT_EQ(host.commands, (std::vector<int>{32842, 32833}));
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Insert)));
    EXPECT_TRUE(model.InsertMode());

    // an added key group is asked before the moves; what it leaves goes on
    auto digits = std::make_unique<CDigitKeys>();
    CDigitKeys* added = digits.get();
    keys.AddCommand(std::move(digits));
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Character, false, false, false, '7')));
    EXPECT_FALSE(keys.KeyDown(Key(GRAPH_KEY::Character, false, false, false, 'Q')));
    EXPECT_EQ(added->typed, "7");
    EXPECT_TRUE(keys.KeyDown(Key(GRAPH_KEY::Down)));
    EXPECT_EQ(model.Current().row, 1);
}
