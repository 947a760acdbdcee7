#pragma once

class CGraphModel;
class IGraphViewHost;

// What one mouse mode (select, invert bit, shift bit) adds to the selection
// handling of the graph area. The mouse controller has already placed the
// current and anchor cells when Press is called, and moves the current cell
// with the pointer before Move is called; a mode adds its edit.
class IGraphMouseMode {
public:
    virtual ~IGraphMouseMode() = default;

    // The left button went down in the graph area.
    virtual void Press(CGraphModel& /*model*/, IGraphViewHost& /*host*/, int /*x*/, int /*y*/) {}
    // The pointer moved anywhere in the view; buttonDown while the press
    // that started in the graph area is held.
    virtual void Move(CGraphModel& /*model*/, IGraphViewHost& /*host*/, int /*x*/, int /*y*/, bool /*buttonDown*/) {}
    // The left button came up after a press in the graph area; inGraph when
    // the release point lies in the graph area.
    virtual void Release(CGraphModel& /*model*/, IGraphViewHost& /*host*/, int /*x*/, int /*y*/, bool /*inGraph*/) {}
    // False for a mode that paints neither the selection nor the compare
    // highlights (shift bit).
    [[nodiscard]] virtual bool PaintsSelection() const { return true; }
};

// What a press and release in the result strip do (the analysis result box
// and its data-pattern list).
class IGraphStripHandler {
public:
    virtual ~IGraphStripHandler() = default;
    virtual void Press(int x, int y) = 0;
    virtual void Release(int x, int y) = 0;
    virtual void RightRelease(int x, int y) = 0;
};
