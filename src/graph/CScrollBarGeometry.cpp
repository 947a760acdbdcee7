#include "graph/CScrollBarGeometry.h"

#include <algorithm>
#include <cmath>

void CScrollBarGeometry::Layout(const GRAPH_RECT& strip) {
    m_strip = strip;
    const int x0 = strip.left;
    const int y0 = strip.top;
    const int width = strip.Width();
    const int g = width * 8 / 10;
    const int t = (width - g) / 2 + x0;
    const int m = ButtonSize;
    m_track = {t, y0, t + g, y0 + m};
    m_left = {t - m, y0, t, y0 + m};
    m_right = {t + g, y0, t + g + m, y0 + m};
    m_previous = {t - 40, y0, t - 25, y0 + m};
    m_first = {t - 55, y0, t - 40, y0 + m};
    m_next = {t + g + 25, y0, t + g + 40, y0 + m};
    m_last = {t + g + 40, y0, t + g + 55, y0 + m};
    m_scale = {t, y0 + 20, t + g, y0 + 55};
    PlaceThumb();
}

void CScrollBarGeometry::SetRange(int64_t minimum, int64_t maximum, int64_t firstVisible,
                                  int clocksPerPage) {
    m_minimum = minimum;
    m_maximum = maximum;
    m_firstVisible = firstVisible;
    m_clocksPerPage = clocksPerPage;
    PlaceThumb();
}

void CScrollBarGeometry::PlaceThumb() {
    // A one-clock memory has an empty range: the track then counts as one
    // clock wide instead of dividing by zero.
    const int64_t span = std::max<int64_t>(1, m_maximum - m_minimum);
    const double scale = static_cast<double>(m_track.right - m_track.left) / static_cast<double>(span);
    int x1 = m_track.left + static_cast<int>(static_cast<double>(m_firstVisible - m_minimum) * scale);
    int x2 = x1 + static_cast<int>(m_clocksPerPage * scale);
    if (x2 - x1 < MinimumThumbWidth) {
        x2 = x1 + MinimumThumbWidth;
    }
    x1 = std::clamp(x1, m_track.left, std::max(m_track.left, m_track.right - 1));
    x2 = std::min(x2, m_track.right);
    if (x2 <= m_track.left) {
        x2 = m_track.left + 1;
    }
    m_thumb = {x1, m_track.top, x2, m_track.bottom};
}

SCROLL_ELEMENT CScrollBarGeometry::HitTest(int x, int y, bool blockButtonsShown) const {
    if (m_thumb.Contains(x, y)) {
        return SCROLL_ELEMENT::Thumb;
    }
    if (m_left.Contains(x, y)) {
        return SCROLL_ELEMENT::ScrollLeft;
    }
    if (m_right.Contains(x, y)) {
        return SCROLL_ELEMENT::ScrollRight;
    }
    if (blockButtonsShown) {
        if (m_first.Contains(x, y)) {
            return SCROLL_ELEMENT::FirstBlock;
        }
        if (m_previous.Contains(x, y)) {
            return SCROLL_ELEMENT::PreviousBlock;
        }
        if (m_next.Contains(x, y)) {
            return SCROLL_ELEMENT::NextBlock;
        }
        if (m_last.Contains(x, y)) {
            return SCROLL_ELEMENT::LastBlock;
        }
    }
    if (m_track.Contains(x, y)) {
        return SCROLL_ELEMENT::Track;
    }
    return SCROLL_ELEMENT::None;
}

int64_t CScrollBarGeometry::TickValue(int i) const {
    if (i >= 10) {
        return m_maximum + 1;
    }
    const double step = static_cast<double>(m_maximum - m_minimum + 1) / 10.0;
    return m_minimum + static_cast<int64_t>(std::floor(step * i));
}

int CScrollBarGeometry::TickX(int i) const {
    return m_scale.left + (m_scale.Width() * i) / 10;
}
