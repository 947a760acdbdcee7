#pragma once
#include <cstdint>

// A match the data monitor shows: the selection runs from the anchor cell to
// the caret cell (clock, displayed row), both included.
struct RUN_SELECTION {
    uint32_t AnchorClock = 0;
    int AnchorRow = 0;
    uint32_t CaretClock = 0;
    int CaretRow = 0;
};

// What a run asks of the graph of its document window. Called only on the
// window thread; worker threads post requests that the window thread applies.
class IRunGraph {
public:
    virtual ~IRunGraph() = default;
    // Drawing stops while a sampling run fills the memory.
    virtual void SuspendDrawing() = 0;
    virtual void ResumeDrawing() = 0;
    // The graph refuses edits while a run owns the document.
    virtual void SetEditDisabled(bool disabled) = 0;
    [[nodiscard]] virtual uint32_t ClocksPerPage() const = 0;
    // The last clock the graph can show (valid length - 1).
    [[nodiscard]] virtual uint32_t LastClock() const = 0;
    // Caret and first displayed clock at a position of the sampling memory.
    virtual void JumpToClock(uint32_t clock) = 0;
    virtual void SetSelection(const RUN_SELECTION& selection) = 0;
    // First displayed clock, already limited by the caller; then lay out and redraw.
    virtual void ScrollToClock(uint32_t firstClock) = 0;
    virtual void GiveFocus() = 0;
    // Every view of the document shows the document again.
    virtual void UpdateAllViews() = 0;
};
