#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/CGraphGeometry.h"
#include "graph/CRulerScale.h"
#include "graph/GRAPH_INPUT.h"

class CChannelTable;
class CLogicDocument;
class CLogicMemory;
class CWindowRecords;
class IBlockReader;

// Which info box a value belongs to.
enum class INFO_BOX { Current = 0, CursorA = 1, CursorB = 2 };

// Result of loading an auto-saved block.
enum class BLOCK_LOAD {
    Loaded,           // the block is read and shown
    NotApplicable,    // generating direction, no auto-saved files or an empty name
    ReadFailed,       // the reader failed; the shown block index is unchanged
    ImproperIndex,    // beyond the list of auto-saved files: message 61477
};

// A shown cursor: its flag and absolute clock position.
struct GRAPH_CURSOR {
    bool shown = false;
    int64_t position = 0;
};

// A bus value being typed into a cell (set by the edit commands).
struct TYPING_STATE {
    bool active = false;
    int clock = 0;
    int row = 0;
    uint32_t value = 0;
};

// The graph of one document window without its window: the geometry, the
// memory, channel table and block bound for the current direction, the
// current and anchor cells, the two cursors and the info box contents.
class CGraphModel {
public:
    CGraphModel(CLogicDocument& document, CWindowRecords& records, float scale);
    CGraphModel(const CGraphModel&) = delete;
    CGraphModel& operator=(const CGraphModel&) = delete;

    [[nodiscard]] CGraphGeometry& Geometry() { return m_geometry; }
    [[nodiscard]] const CGraphGeometry& Geometry() const { return m_geometry; }
    [[nodiscard]] CLogicDocument& Document() { return m_document; }
    [[nodiscard]] CWindowRecords& Records() { return m_records; }
    [[nodiscard]] const CWindowRecords& Records() const { return m_records; }

    // --- binding of the shown memory
    // Memory, channel table, last clock, valid length, absolute offset and the
    // ruler's clock of the current direction; recounts the shown rows.
    void Bind();
    // Bind, copy the edit-disabled flag, clamp the cells and the page.
    void OnDocumentUpdate();
    // Recounts the shown rows of the bound table and clamps the first row.
    void RecountRows();
    void Layout(int cx, int cy);

    [[nodiscard]] int Direction() const { return m_direction; }
    [[nodiscard]] const CLogicMemory* Memory() const { return m_memory; }
    [[nodiscard]] const CChannelTable* Table() const { return m_table; }
    // Table indexes of the shown rows, in display order.
    [[nodiscard]] const std::vector<std::size_t>& ShownRows() const { return m_shownRows; }
    [[nodiscard]] int ValidLength() const { return m_validLength; }
    [[nodiscard]] int LastClock() const { return m_geometry.LastClock(); }
    [[nodiscard]] int64_t AbsoluteOffset() const { return m_geometry.AbsoluteOffset(); }
    [[nodiscard]] int64_t AbsoluteFirstVisible() const {
        return m_geometry.AbsoluteOffset() + m_geometry.FirstVisibleClock();
    }
    // The block buttons show in sampling direction with auto-save valid.
    [[nodiscard]] bool BlockButtonsShown() const;
    [[nodiscard]] bool EditDisabled() const { return m_editDisabled; }
    void SetEditDisabled(bool disabled) { m_editDisabled = disabled; }

    // --- modes
    // MOUSE_MODE_SELECT, _INVERT_BIT or _SHIFT_BIT; false for any other value.
    bool SetMouseMode(int mode);
    [[nodiscard]] int MouseMode() const { return m_mouseMode; }
    void SetInsertMode(bool insert) { m_insertMode = insert; }
    [[nodiscard]] bool InsertMode() const { return m_insertMode; }

    // --- scale and unit
    void SetZoom(double zoom);
    // 0 clock, 1 time; false (nothing changed) for any other value.
    [[nodiscard]] bool SetGraphUnit(int unit);
    [[nodiscard]] int GraphUnit() const { return m_graphUnit; }
    [[nodiscard]] std::string UnitText() const { return CRulerScale::UnitText(m_graphUnit); }
    [[nodiscard]] const std::string& UnitPrefix() const { return m_unitPrefix; }
    [[nodiscard]] uint32_t ClockValue() const { return m_clockValue; }
    [[nodiscard]] int ClockUnit() const { return m_clockUnit; }
    [[nodiscard]] CRulerScale Ruler() const;

    // --- cells
    [[nodiscard]] GRAPH_CELL Current() const { return m_current; }
    [[nodiscard]] GRAPH_CELL Anchor() const { return m_anchor; }
    void SetCurrent(GRAPH_CELL cell) { m_current = cell; }
    void SetAnchor(GRAPH_CELL cell) { m_anchor = cell; }
    [[nodiscard]] bool SelectionIsSingleCell() const { return m_current == m_anchor; }
    [[nodiscard]] TYPING_STATE& Typing() { return m_typing; }
    [[nodiscard]] const TYPING_STATE& Typing() const { return m_typing; }

    // --- cursors (0 = A, 1 = B)
    [[nodiscard]] const GRAPH_CURSOR& Cursor(int which) const { return m_cursors[which == 0 ? 0 : 1]; }
    void SetCursorPosition(int which, int64_t position) { m_cursors[which == 0 ? 0 : 1].position = position; }
    // The cursor moves to absolute offset + current clock, then its shown flag toggles.
    void ToggleCursor(int which);

    // --- navigation
    void ScrollToClock(int64_t clock);
    // Moves the current position to an absolute clock, loading another
    // auto-saved block first when the clock lies in one.
    void JumpToClock(uint32_t absoluteClock, IBlockReader* reader);
    // Shows block n of an auto-saved sampling run.
    [[nodiscard]] BLOCK_LOAD LoadSavedBlock(std::size_t block, IBlockReader* reader);
    [[nodiscard]] std::size_t BlockCount() const;
    [[nodiscard]] int ShownBlock() const;

    // --- info boxes
    // The word shown for an absolute position in a box (cached per box in
    // sampling direction while the position is outside the visible page).
    [[nodiscard]] uint32_t BoxValue(INFO_BOX box, int64_t absolutePosition);
    // The four lines of a box, as the graph paints them.
    [[nodiscard]] std::array<std::string, 4> BoxLines(INFO_BOX box);

private:
    void ClampCells();

    CLogicDocument& m_document;
    CWindowRecords& m_records;
    CGraphGeometry m_geometry;

    int m_direction = 0;
    CLogicMemory* m_memory = nullptr;
    CChannelTable* m_table = nullptr;
    std::vector<std::size_t> m_shownRows;
    int m_validLength = 0;
    bool m_editDisabled = false;
    int m_mouseMode = MOUSE_MODE_SELECT;
    bool m_insertMode = false;

    int m_graphUnit = GRAPH_UNIT_CLOCK;
    std::string m_unitPrefix;
    uint32_t m_clockValue = 1;
    int m_clockUnit = 2;

    GRAPH_CELL m_current;
    GRAPH_CELL m_anchor;
    TYPING_STATE m_typing;
    std::array<GRAPH_CURSOR, 2> m_cursors{};
    std::array<uint32_t, 3> m_boxCache{};
};
