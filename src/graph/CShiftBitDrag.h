#pragma once
#include <cstdint>
#include <vector>

#include "graph/EDIT_RESULT.h"
#include "graph/GRAPH_RECT.h"

class CEditHistory;
class CGraphEditor;
class CGraphModel;

// A shift-bit drag in the graph: the level of the pressed clock is stretched
// to the pointer, and clocks the pointer gives back take the opposite level,
// so dragging next to an edge moves the edge. The words of the visible page
// are copied at the press; the release records the touched range from that
// copy. The drag edits only when it starts on a signal row while editing is
// allowed, and only inside the page it copied.
class CShiftBitDrag {
public:
    CShiftBitDrag(CGraphModel& model, const CGraphEditor& editor, CEditHistory& history);
    CShiftBitDrag(const CShiftBitDrag&) = delete;
    CShiftBitDrag& operator=(const CShiftBitDrag&) = delete;

    // The press at the current cell (already placed): copies the page.
    void Press();
    // True when there is a level change between the clock under the pointer
    // and the next one on a signal row (the pointer becomes a sizing arrow).
    [[nodiscard]] bool EdgeAt(GRAPH_CELL cell) const;
    // The pointer over cell (button down): true when bits changed.
    bool Move(GRAPH_CELL cell);
    // The release: records what the drag wrote (Done), or, when the record
    // cannot be made, puts the copied bits back and refuses (OutOfMemory).
    [[nodiscard]] EDIT_RESULT Release();
    [[nodiscard]] bool Active() const { return m_active; }

private:
    [[nodiscard]] int ChannelOfRow(int row) const;
    void SetLevel(int first, int last, uint32_t level);

    CGraphModel& m_model;
    const CGraphEditor& m_editor;
    CEditHistory& m_history;
    bool m_active = false;
    int m_pressed = 0;
    int m_channel = 0;
    int m_high = 0;
    int m_low = 0;
    int m_touchedHigh = 0;
    int m_touchedLow = 0;
    int m_pageFirst = 0;
    std::vector<uint32_t> m_page;
};
