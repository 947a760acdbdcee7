#include "graph/CGraphMouseController.h"

#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/CMarkerGeometry.h"
#include "graph/IGraphViewHost.h"

CGraphMouseController::CGraphMouseController(CGraphModel& model, IGraphViewHost& host)
    : m_model(model), m_host(host) {}

CGraphMouseController::~CGraphMouseController() = default;

void CGraphMouseController::SetMode(int mode, std::unique_ptr<IGraphMouseMode> handler) {
    if (mode >= 0 && mode < MOUSE_MODE_COUNT) {
        m_modes[static_cast<std::size_t>(mode)] = std::move(handler);
    }
}

IGraphMouseMode* CGraphMouseController::Mode(int mode) const {
    return mode >= 0 && mode < MOUSE_MODE_COUNT ? m_modes[static_cast<std::size_t>(mode)].get() : nullptr;
}

IGraphMouseMode* CGraphMouseController::ActiveMode() const { return Mode(m_model.MouseMode()); }

bool CGraphMouseController::PaintsSelection() const {
    if (const IGraphMouseMode* mode = ActiveMode()) {
        return mode->PaintsSelection();
    }
    return m_model.MouseMode() != MOUSE_MODE_SHIFT_BIT;
}

GRAPH_RECT CGraphMouseController::CursorHandleBox(int which) const {
    const CGraphGeometry& geometry = m_model.Geometry();
    const int64_t minimum = m_model.AbsoluteFirstVisible();
    const CMarkerGeometry markers(geometry.MarkerBand(), minimum, minimum + geometry.ClocksPerPage() - 1,
                                  CGraphGeometry::Scaled(geometry.Scale(), 12),
                                  CGraphGeometry::Scaled(geometry.Scale(), 14));
    return markers.HandleBox(m_model.Cursor(which).position);
}

// --------------------------------------------------------------------- press

void CGraphMouseController::LeftDown(int x, int y, const KEY_STATE& keys) {
    const CGraphGeometry& geometry = m_model.Geometry();
    m_drag = GRAPH_DRAG::None;
    if (geometry.GraphArea().Contains(x, y)) {
        PressGraph(x, y);
    } else if (geometry.Ruler().Contains(x, y)) {
        PressRuler(x, y);
    } else if (geometry.ScrollStrip().Contains(x, y)) {
        PressScrollBar(x, y, keys);
    } else if (geometry.ResultStrip().Contains(x, y)) {
        m_drag = GRAPH_DRAG::Result;
        if (m_strip != nullptr) {
            m_strip->Press(x, y);
        }
    }
}

void CGraphMouseController::PressGraph(int x, int y) {
    m_model.Typing().active = false;
    m_model.Records().ComparePositions.RemoveAll();
    const GRAPH_CELL cell = m_model.Geometry().HitTestCell(x, y);
    m_model.SetCurrent(cell);
    m_model.SetAnchor(cell);
    m_drag = GRAPH_DRAG::Selecting;
    m_buttonDown = true;
    if (IGraphMouseMode* mode = ActiveMode()) {
        mode->Press(m_model, m_host, x, y);
    }
    m_host.PlaceCaret();
    m_host.Invalidate(GRAPH_PART_PAGE | GRAPH_PART_INFO);
}

void CGraphMouseController::PressRuler(int x, int y) {
    const int clock = m_model.Geometry().HitTestCell(x, y).clock;
    for (int which = 0; which < 2; ++which) {
        if (m_model.Cursor(which).shown && CursorHandleBox(which).Contains(x, y)) {
            m_model.SetCursorPosition(which, m_model.AbsoluteOffset() + clock);
            m_drag = which == 0 ? GRAPH_DRAG::CursorA : GRAPH_DRAG::CursorB;
            m_host.Invalidate(GRAPH_PART_PAGE | GRAPH_PART_INFO);
            return;
        }
    }
}

void CGraphMouseController::PressScrollBar(int x, int y, const KEY_STATE& keys) {
    const CScrollBarGeometry& bar = m_model.Geometry().ScrollBar();
    m_hover = SCROLL_ELEMENT::None;
    const SCROLL_ELEMENT element = bar.HitTest(x, y, m_model.BlockButtonsShown());
    switch (element) {
        case SCROLL_ELEMENT::Thumb:
            m_grabOffset = x - bar.Thumb().left;
            m_drag = GRAPH_DRAG::Thumb;
            break;
        case SCROLL_ELEMENT::ScrollLeft:
        case SCROLL_ELEMENT::ScrollRight:
            m_held = element;
            RepeatStep(keys, true);
            m_host.StartRepeat();
            break;
        default:
            PressBlockButton(element);
            break;
    }
    m_host.Invalidate(GRAPH_PART_SCROLL_BAR);
}

void CGraphMouseController::PressBlockButton(SCROLL_ELEMENT element) {
    const int shown = m_model.ShownBlock();
    const int count = static_cast<int>(m_model.BlockCount());
    switch (element) {
        case SCROLL_ELEMENT::FirstBlock:
            if (shown > 0) {
                (void)m_host.LoadSavedBlock(0);
            }
            break;
        case SCROLL_ELEMENT::PreviousBlock:
            if (shown > 0) {
                (void)m_host.LoadSavedBlock(static_cast<std::size_t>(shown - 1));
            }
            break;
        case SCROLL_ELEMENT::NextBlock:
            if (shown < count - 1) {
                (void)m_host.LoadSavedBlock(static_cast<std::size_t>(shown + 1));
            }
            break;
        case SCROLL_ELEMENT::LastBlock:
            if (shown < count - 1) {
                (void)m_host.LoadSavedBlock(static_cast<std::size_t>(count - 1));
            }
            break;
        default:
            break;
    }
}

void CGraphMouseController::RepeatStep(const KEY_STATE& keys, bool leftButtonDown) {
    if (m_held == SCROLL_ELEMENT::None) {
        return;
    }
    if (!leftButtonDown) {
        StopHeld();
        return;
    }
    const int step = keys.shift ? 10 : keys.ctrl ? 5 : 1;
    CGraphGeometry& geometry = m_model.Geometry();
    const bool moved = m_held == SCROLL_ELEMENT::ScrollLeft ? geometry.StepLeft(step) : geometry.StepRight(step);
    if (moved) {
        m_host.RefreshView();
    }
}

void CGraphMouseController::StopHeld() {
    if (m_held != SCROLL_ELEMENT::None) {
        m_held = SCROLL_ELEMENT::None;
        m_host.StopRepeat();
    }
}

// ---------------------------------------------------------------------- move

void CGraphMouseController::UpdateHover(int x, int y) {
    SCROLL_ELEMENT hover = SCROLL_ELEMENT::None;
    const CGraphGeometry& geometry = m_model.Geometry();
    if (m_drag != GRAPH_DRAG::Thumb && geometry.ScrollStrip().Contains(x, y)) {
        hover = geometry.ScrollBar().HitTest(x, y, m_model.BlockButtonsShown());
        if (hover == SCROLL_ELEMENT::Track) {
            hover = SCROLL_ELEMENT::None;
        }
    }
    if (hover != m_hover) {
        m_hover = hover;
        m_host.Invalidate(GRAPH_PART_SCROLL_BAR);
    }
}

bool CGraphMouseController::OverCursorHandle(int x, int y) const {
    if (!m_model.Geometry().Ruler().Contains(x, y)) {
        return false;
    }
    return (m_model.Cursor(0).shown && CursorHandleBox(0).Contains(x, y)) ||
           (m_model.Cursor(1).shown && CursorHandleBox(1).Contains(x, y));
}

void CGraphMouseController::Move(int x, int y) {
    CGraphGeometry& geometry = m_model.Geometry();
    UpdateHover(x, y);
    const bool draggingCursor = m_drag == GRAPH_DRAG::CursorA || m_drag == GRAPH_DRAG::CursorB;
    m_host.SetPointerShape(draggingCursor || OverCursorHandle(x, y) ? POINTER_SHAPE::SizeWestEast
                                                                    : POINTER_SHAPE::Arrow);
    switch (m_drag) {
        case GRAPH_DRAG::Selecting:
            m_model.SetCurrent(geometry.HitTestCell(x, y));
            m_host.PlaceCaret();
            m_host.Invalidate(GRAPH_PART_PAGE | GRAPH_PART_INFO);
            break;
        case GRAPH_DRAG::CursorA:
        case GRAPH_DRAG::CursorB:
            m_model.SetCursorPosition(m_drag == GRAPH_DRAG::CursorA ? 0 : 1,
                                      m_model.AbsoluteOffset() + geometry.ClockAt(x));
            m_host.Invalidate(GRAPH_PART_PAGE | GRAPH_PART_INFO);
            break;
        case GRAPH_DRAG::Thumb:
            geometry.SetFirstVisibleClock(geometry.ThumbDragClock(x, m_grabOffset));
            m_host.RefreshView();
            break;
        default:
            break;
    }
    if (IGraphMouseMode* mode = ActiveMode()) {
        mode->Move(m_model, m_host, x, y, m_buttonDown);
    }
}

// ------------------------------------------------------------------- release

void CGraphMouseController::LeftUp(int x, int y) {
    const GRAPH_DRAG drag = m_drag;
    const bool pressedInGraph = m_buttonDown;
    m_drag = GRAPH_DRAG::None;
    m_buttonDown = false;
    StopHeld();
    if (pressedInGraph) {
        if (IGraphMouseMode* mode = ActiveMode()) {
            mode->Release(m_model, m_host, x, y, m_model.Geometry().GraphArea().Contains(x, y));
        }
    }
    if (drag == GRAPH_DRAG::Result && m_strip != nullptr && m_model.Geometry().ResultStrip().Contains(x, y)) {
        m_strip->Release(x, y);
    }
    if (drag == GRAPH_DRAG::Thumb) {
        m_host.Invalidate(GRAPH_PART_SCROLL_BAR);
    }
}

void CGraphMouseController::RightUp(int x, int y) {
    const CGraphGeometry& geometry = m_model.Geometry();
    if (geometry.GraphArea().Contains(x, y)) {
        m_host.ShowContextMenu(x, y);
    } else if (geometry.ResultStrip().Contains(x, y) && m_strip != nullptr) {
        m_strip->RightRelease(x, y);
    }
}

void CGraphMouseController::Leave() {
    if (m_hover != SCROLL_ELEMENT::None) {
        m_hover = SCROLL_ELEMENT::None;
        m_host.Invalidate(GRAPH_PART_SCROLL_BAR);
    }
}

void CGraphMouseController::Wheel(int delta) {
    const ROW_SCROLL request = delta > 0 ? ROW_SCROLL::LineUp : ROW_SCROLL::LineDown;
    const std::optional<int> first = m_model.Geometry().ScrollRows(request, 0);
    if (first.has_value()) {
        m_host.ScrollSignalRowsTo(*first);
    }
}
