#pragma once

class CGraphModel;

// Keyboard moves of the current cell: pages, ends, single clocks and rows.
// A jump collapses the selection onto the new current cell; an extension
// leaves the anchor where it is. Moves change no data and work while editing
// is disabled.
class CGraphNavigator {
public:
    explicit CGraphNavigator(CGraphModel& model) : m_model(model) {}

    // Page toward clock 0 (Page Up); the jump also sets the anchor.
    void PageTowardStart(bool extend);
    // Page toward the last clock (Page Down).
    void PageTowardEnd(bool extend);
    // Current clock 0, first visible clock 0; the jump sets the anchor to (0, row).
    void ToStart(bool extend);
    // Current clock = last clock; the page ends there.
    void ToEnd(bool extend);
    // One clock left or right; the page scrolls by one clock when the caret
    // would leave it.
    void Left();
    void Right();
    // One row up or down. True when the rows scrolled by one (the signal
    // panes must follow).
    [[nodiscard]] bool Up();
    [[nodiscard]] bool Down();
    // After a key move without Shift the anchor follows the current cell.
    void Collapse();

private:
    [[nodiscard]] bool CellVisible() const;

    CGraphModel& m_model;
};
