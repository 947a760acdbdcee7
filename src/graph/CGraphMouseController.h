#pragma once
#include <array>
#include <memory>

#include "graph/CScrollBarGeometry.h"
#include "graph/GRAPH_INPUT.h"
#include "graph/GRAPH_RECT.h"
#include "graph/IGraphMouseMode.h"

class CGraphModel;
class IGraphViewHost;

// The mouse of the graph without its window: which strip a press lands in,
// the selection drag in the graph area, dragging cursors A and B by their
// handles in the ruler, the clock scroll bar (thumb drag, held scroll
// buttons, block buttons, hover), the result strip and the wheel. The graph
// area work of each mouse mode is an IGraphMouseMode: select needs none, the
// editing modes are registered with SetMode.
class CGraphMouseController {
public:
    static constexpr int RepeatIntervalMs = 100;

    CGraphMouseController(CGraphModel& model, IGraphViewHost& host);
    ~CGraphMouseController();
    CGraphMouseController(const CGraphMouseController&) = delete;
    CGraphMouseController& operator=(const CGraphMouseController&) = delete;

    // The handler of mouse mode `mode` (MOUSE_MODE_*); nullptr: selection only.
    void SetMode(int mode, std::unique_ptr<IGraphMouseMode> handler);
    [[nodiscard]] IGraphMouseMode* Mode(int mode) const;
    // The handler of the mouse mode the model is in (nullptr: selection only).
    [[nodiscard]] IGraphMouseMode* ActiveMode() const;
    // Whether the active mode paints the selection and the compare highlights.
    [[nodiscard]] bool PaintsSelection() const;
    void SetStripHandler(IGraphStripHandler* handler) { m_strip = handler; }

    void LeftDown(int x, int y, const KEY_STATE& keys = {});
    void Move(int x, int y);
    void LeftUp(int x, int y);
    void RightUp(int x, int y);
    // The pointer left the view: no element of the scroll bar stays hovered.
    void Leave();
    // One line up for a positive delta, one line down otherwise.
    void Wheel(int delta);
    // A step of the held scroll-left or scroll-right button: 10 with Shift,
    // 5 with Ctrl, else 1. Ends the repeat when the left button is up.
    void RepeatStep(const KEY_STATE& keys, bool leftButtonDown);

    [[nodiscard]] GRAPH_DRAG Drag() const { return m_drag; }
    [[nodiscard]] bool ButtonDown() const { return m_buttonDown; }
    [[nodiscard]] SCROLL_ELEMENT Hover() const { return m_hover; }
    [[nodiscard]] SCROLL_ELEMENT Held() const { return m_held; }
    [[nodiscard]] int GrabOffset() const { return m_grabOffset; }
    // The hit box of a shown cursor's handle (0 A, 1 B), as painted.
    [[nodiscard]] GRAPH_RECT CursorHandleBox(int which) const;

private:
    void PressGraph(int x, int y);
    void PressRuler(int x, int y);
    void PressScrollBar(int x, int y, const KEY_STATE& keys);
    void PressBlockButton(SCROLL_ELEMENT element);
    void UpdateHover(int x, int y);
    [[nodiscard]] bool OverCursorHandle(int x, int y) const;
    void StopHeld();

    CGraphModel& m_model;
    IGraphViewHost& m_host;
    std::array<std::unique_ptr<IGraphMouseMode>, MOUSE_MODE_COUNT> m_modes;
    IGraphStripHandler* m_strip = nullptr;
    GRAPH_DRAG m_drag = GRAPH_DRAG::None;
    bool m_buttonDown = false;
    int m_grabOffset = 0;
    SCROLL_ELEMENT m_held = SCROLL_ELEMENT::None;
    SCROLL_ELEMENT m_hover = SCROLL_ELEMENT::None;
};
