#include "graph/CGraphGeometry.h"

#include <algorithm>
#include <cmath>

float CGraphGeometry::ScaleFromDpi(int dpi) {
    const float tenths = std::floor(static_cast<float>(dpi) / 96.0f * 10.0f);
    return std::max(1.0f, tenths) / 10.0f;
}

int CGraphGeometry::Scaled(float s, int size) {
    return static_cast<int>(static_cast<float>(size) * s);
}

int CGraphGeometry::BusHalfWidthFor(double p) {
    if (p < 1) {
        return 0;
    }
    if (p < 5) {
        return 1;
    }
    if (p < 10) {
        return 2;
    }
    if (p < 20) {
        return 3;
    }
    if (p < 40) {
        return 4;
    }
    return 6;
}

CGraphGeometry::CGraphGeometry(float scale) : m_scale(scale) {
    ComputeScale();
    m_clocksPerPage = 1;
}

void CGraphGeometry::Layout(int cx, int cy) {
    m_cx = std::max(0, cx);
    m_cy = std::max(0, cy);
    const int stripHeight = Scaled(m_scale, 20);
    const int boxGrowth = static_cast<int>((m_scale - 1.0f) * 80.0f);
    m_ruler = {0, 0, m_cx, stripHeight};
    m_scrollStrip = {0, m_cy - ScrollStripHeight, m_cx, m_cy};
    m_infoStrip = {0, (m_cy - ScrollStripHeight) + StripGap - boxGrowth - ScrollStripHeight, m_cx,
                   m_cy - ScrollStripHeight};
    const int resultBottom = m_infoStrip.top - StripGap;
    m_resultStrip = {0, resultBottom - stripHeight, m_cx, resultBottom};
    m_graph.left = 0;
    m_graph.top = StripGap + stripHeight;
    m_graph.right = m_cx;
    m_graph.bottom = m_resultStrip.top - 1;
    if (m_graph.bottom < m_graph.top) {
        m_graph.bottom = m_graph.top;
    }
    m_graph.bottom -= (m_graph.bottom - m_graph.top) % RowHeight;
    m_scrollBar.Layout(m_scrollStrip);
    ComputeScale();
    m_rowsPerPage = m_graph.Height() / RowHeight;
    ClampFirstRow();
    UpdateScrollBar();
}

GRAPH_RECT CGraphGeometry::InfoBox(int index) const {
    const int third = m_cx / 3;
    const int lefts[] = {0, third, 2 * third};
    const int rights[] = {third, 2 * third, m_cx};
    const int i = std::clamp(index, 0, 2);
    return {lefts[i], m_infoStrip.top, rights[i], m_infoStrip.bottom};
}

GRAPH_RECT CGraphGeometry::MarkerBand() const {
    const int right = static_cast<int>(std::floor((m_clocksPerPage - 1) * m_pixelsPerClock));
    return {0, 0, right, m_graph.bottom};
}

void CGraphGeometry::ComputeScale() {
    m_pixelsPerClock = 10.0 * static_cast<double>(m_scale) * m_zoom;
    const double width = m_graph.Width();
    m_clocksPerPage = std::max(1, static_cast<int>(std::ceil(width / m_pixelsPerClock)));
}

void CGraphGeometry::SetZoom(double zoom, int currentClock) {
    m_zoom = std::clamp(zoom, MinimumZoom, MaximumZoom);
    ComputeScale();
    const int half = (m_clocksPerPage + 1) / 2;
    if (half < currentClock) {
        m_firstClock = currentClock - static_cast<int>(std::floor((m_clocksPerPage + 1) * 0.5));
    } else {
        m_firstClock = 0;
    }
    UpdateScrollBar();
}

void CGraphGeometry::SetFirstVisibleClock(int clock) {
    m_firstClock = std::max(0, clock);
    UpdateScrollBar();
}

void CGraphGeometry::ScrollToClock(int64_t clock) {
    const int64_t limit = static_cast<int64_t>(m_lastClock) - m_clocksPerPage + 1;
    int64_t first = std::min(clock, limit);
    first = std::max<int64_t>(first, 0);
    m_firstClock = static_cast<int>(first);
    UpdateScrollBar();
}

void CGraphGeometry::ClampFirstVisibleClock() {
    const int limit = m_lastClock + 1 - m_clocksPerPage;
    if (m_firstClock > limit) {
        m_firstClock = limit;
    }
    if (m_firstClock < 0) {
        m_firstClock = 0;
    }
    UpdateScrollBar();
}

bool CGraphGeometry::StepLeft(int step) {
    if (step - 1 < m_firstClock) {
        m_firstClock -= step;
        UpdateScrollBar();
        return true;
    }
    return false;
}

bool CGraphGeometry::StepRight(int step) {
    if (m_firstClock < m_lastClock - m_clocksPerPage - step) {
        m_firstClock += step;
        UpdateScrollBar();
        return true;
    }
    return false;
}

int CGraphGeometry::ThumbDragClock(int x, int grabOffset) const {
    const GRAPH_RECT& track = m_scrollBar.Track();
    const int width = std::max(1, track.right - track.left);
    const float fraction = static_cast<float>(x - grabOffset - track.left) / static_cast<float>(width);
    int first = static_cast<int>(fraction * static_cast<float>(m_lastClock));
    first = std::min(first, m_lastClock + 1 - m_clocksPerPage);
    return std::max(first, 0);
}

void CGraphGeometry::SetRowCount(int rows) {
    m_rowCount = std::max(0, rows);
    ClampFirstRow();
}

void CGraphGeometry::ClampFirstRow() {
    if (m_firstRow + m_rowsPerPage > m_rowCount) {
        m_firstRow = std::max(0, m_rowCount - m_rowsPerPage);
    }
    m_rowScrollPosition = ClampRowScroll(m_firstRow);
}

int CGraphGeometry::ClampRowScroll(int position) const {
    // The scroll bar keeps its position in [minimum, maximum - page + 1].
    const int top = std::max(0, RowScrollMaximum() - m_rowsPerPage + 1);
    return std::clamp(position, 0, top);
}

void CGraphGeometry::SetFirstVisibleRow(int row) {
    m_firstRow = std::max(0, row);
    m_rowScrollPosition = ClampRowScroll(m_firstRow);
}

std::optional<int> CGraphGeometry::ScrollRows(ROW_SCROLL request, int trackPosition) {
    const int p = m_rowScrollPosition;
    const int page = m_rowsPerPage;
    const int maximum = RowScrollMaximum();
    int position = p;
    int first = m_firstRow;
    switch (request) {
        case ROW_SCROLL::LineUp:
            position = p - 1;
            if (first > 0) {
                --first;
            }
            break;
        case ROW_SCROLL::LineDown:
            position = p + 1;
            if (first <= maximum - page) {
                ++first;
            }
            break;
        case ROW_SCROLL::PageUp:
            position = p - page;
            first = first > page ? first - page : 0;
            break;
        case ROW_SCROLL::PageDown:
            position = p + page;
            first = first < maximum - 2 * page ? first + page : maximum - page + 1;
            break;
        case ROW_SCROLL::ThumbTrack:
            position = trackPosition;
            first = trackPosition;
            break;
        case ROW_SCROLL::Top:
            position = 0;
            first = 0;
            break;
        case ROW_SCROLL::Bottom:
            position = maximum;
            first = maximum - page + 1;
            break;
        case ROW_SCROLL::Other:
            return std::nullopt;
    }
    position = ClampRowScroll(position);
    if (position == p) {
        return std::nullopt;
    }
    first = std::clamp(first, 0, std::max(0, maximum));
    SetFirstVisibleRow(first);
    return m_firstRow;
}

GRAPH_CELL CGraphGeometry::HitTestCell(int x, int y) const {
    GRAPH_CELL cell;
    cell.clock = ClockAt(x);
    int row = m_firstRow + static_cast<int>(std::floor(static_cast<double>(y - m_graph.top) / RowHeight));
    if (row >= m_rowCount) {
        row = m_rowCount - 1;
    }
    cell.row = std::max(row, 0);
    return cell;
}

int CGraphGeometry::ClockAt(int x) const {
    const double offset = std::floor(static_cast<double>(x - m_graph.left) / m_pixelsPerClock);
    const double clock = static_cast<double>(m_firstClock) + offset;
    if (clock > m_lastClock) {
        return m_lastClock;
    }
    if (clock < 0) {
        return 0;
    }
    return static_cast<int>(clock);
}

GRAPH_POINT CGraphGeometry::CellToPoint(int clock, int row) const {
    GRAPH_POINT point;
    point.x = m_graph.left + static_cast<int>((clock - m_firstClock) * m_pixelsPerClock);
    point.y = m_graph.top + (row - m_firstRow) * RowHeight;
    return point;
}

GRAPH_POINT CGraphGeometry::SnapToCell(int x, int y) const {
    GRAPH_POINT point{x, y};
    const int whole = static_cast<int>(m_pixelsPerClock);
    const int ceiling = static_cast<int>(std::ceil(m_pixelsPerClock));
    if (whole > 0 && x % ceiling != 0) {
        point.x = x - (x % whole);
    }
    const int remainder = (y - m_graph.top) % RowHeight;
    if (remainder != 0) {
        point.y = y - remainder;
    }
    return point;
}

void CGraphGeometry::UpdateScrollBar() {
    m_scrollBar.SetRange(m_absoluteOffset, m_absoluteOffset + m_lastClock, m_absoluteOffset + m_firstClock,
                         m_clocksPerPage);
}
