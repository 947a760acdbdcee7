#include "graph/CMarkerGeometry.h"

#include <algorithm>

CMarkerGeometry::CMarkerGeometry(const GRAPH_RECT& band, int64_t minimum, int64_t maximum, int hw, int hh)
    : m_band(band), m_minimum(minimum), m_maximum(maximum), m_hw(hw), m_hh(hh) {}

double CMarkerGeometry::XOf(int64_t position) const {
    // A one-clock page has no width to divide: it maps everything to X0.
    const int64_t span = std::max<int64_t>(1, m_maximum - m_minimum);
    return static_cast<double>(position - m_minimum) * m_band.Width() / static_cast<double>(span) + m_band.left;
}

bool CMarkerGeometry::EdgeTriangle(int64_t position, MARKER_SHAPE& shape) const {
    const int x0 = m_band.left;
    const int y0 = m_band.top;
    const int half = m_hw / 2;
    if (position > m_maximum) {
        const int right = m_band.right;
        shape.place = MARKER_PLACE::AfterRange;
        shape.points[0] = {right - half, y0};
        shape.points[1] = {right, y0 + (m_hh - 1) / 2};
        shape.points[2] = {right - half, y0 + m_hh - 1};
        shape.count = 3;
        shape.box = {right - half, y0, right, y0 + m_hh};
        return true;
    }
    if (position < m_minimum) {
        shape.place = MARKER_PLACE::BeforeRange;
        shape.points[0] = {x0 + half, y0};
        shape.points[1] = {x0, y0 + (m_hh - 1) / 2};
        shape.points[2] = {x0 + half, y0 + m_hh - 1};
        shape.count = 3;
        shape.box = {x0, y0, x0 + half, y0 + m_hh};
        return true;
    }
    return false;
}

MARKER_SHAPE CMarkerGeometry::Cursor(int64_t position) const {
    MARKER_SHAPE shape;
    if (EdgeTriangle(position, shape)) {
        return shape;
    }
    const double x = XOf(position);
    const int half = m_hw / 2;
    const int left = static_cast<int>(x - half);
    const int right = static_cast<int>(x + half);
    const int centre = (left + right) / 2;
    const int y0 = m_band.top;
    shape.place = MARKER_PLACE::Inside;
    shape.x = x;
    shape.points[0] = {left, y0};
    shape.points[1] = {right, y0};
    shape.points[2] = {right, y0 + m_hh - 1 - half};
    shape.points[3] = {centre, y0 + m_hh - 1};
    shape.points[4] = {left, y0 + m_hh - 1 - half};
    shape.count = 5;
    shape.tip = {centre, y0 + m_hh - 1};
    shape.box = {left, y0, right, y0 + m_hh};
    return shape;
}

MARKER_SHAPE CMarkerGeometry::Bookmark(int64_t position) const {
    MARKER_SHAPE shape;
    if (EdgeTriangle(position, shape)) {
        return shape;
    }
    const double x = XOf(position);
    const int half = m_hw / 2;
    const int left = static_cast<int>(x - half);
    const int right = static_cast<int>(x + half);
    const int y0 = m_band.top;
    shape.place = MARKER_PLACE::Inside;
    shape.x = x;
    shape.points[0] = {left, y0};
    shape.points[1] = {right, y0};
    shape.points[2] = {(left + right) / 2, y0 + m_hh - 1};
    shape.count = 3;
    shape.tip = shape.points[2];
    shape.box = {left, y0, right, y0 + m_hh};
    return shape;
}

GRAPH_RECT CMarkerGeometry::HandleBox(int64_t position) const {
    const int64_t clamped = std::clamp(position, m_minimum, std::max(m_minimum, m_maximum));
    const double x = XOf(clamped);
    const int half = m_hw / 2;
    return {static_cast<int>(x - half), m_band.top, static_cast<int>(x + half), m_band.top + m_hh};
}
