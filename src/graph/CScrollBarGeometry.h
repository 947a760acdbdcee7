#pragma once
#include <cstdint>

#include "graph/GRAPH_RECT.h"

// The elements of the clock scroll bar that a point can hit.
enum class SCROLL_ELEMENT {
    None,
    Thumb,
    ScrollLeft,
    ScrollRight,
    FirstBlock,
    PreviousBlock,
    NextBlock,
    LastBlock,
    Track,
};

// The clock scroll bar at the bottom of the graph: its track, buttons, scale
// area and thumb. It maps the absolute range [minimum, maximum] of the shown
// memory onto the track.
class CScrollBarGeometry {
public:
    static constexpr int ButtonSize = 15;
    static constexpr int ButtonGap = 5;
    static constexpr int MinimumThumbWidth = 5;

    // Places every element inside the scroll bar strip.
    void Layout(const GRAPH_RECT& strip);

    // The range shown on the track and the visible page, in absolute clocks.
    void SetRange(int64_t minimum, int64_t maximum, int64_t firstVisible, int clocksPerPage);

    [[nodiscard]] const GRAPH_RECT& Strip() const { return m_strip; }
    [[nodiscard]] const GRAPH_RECT& Track() const { return m_track; }
    [[nodiscard]] const GRAPH_RECT& ScrollLeft() const { return m_left; }
    [[nodiscard]] const GRAPH_RECT& ScrollRight() const { return m_right; }
    [[nodiscard]] const GRAPH_RECT& PreviousBlock() const { return m_previous; }
    [[nodiscard]] const GRAPH_RECT& FirstBlock() const { return m_first; }
    [[nodiscard]] const GRAPH_RECT& NextBlock() const { return m_next; }
    [[nodiscard]] const GRAPH_RECT& LastBlock() const { return m_last; }
    [[nodiscard]] const GRAPH_RECT& ScaleArea() const { return m_scale; }
    [[nodiscard]] const GRAPH_RECT& Thumb() const { return m_thumb; }
    [[nodiscard]] int64_t Minimum() const { return m_minimum; }
    [[nodiscard]] int64_t Maximum() const { return m_maximum; }

    // The element under a point; block buttons count only when shown.
    [[nodiscard]] SCROLL_ELEMENT HitTest(int x, int y, bool blockButtonsShown) const;

    // Label of scale tick i (0..10): minimum + floor((maximum - minimum + 1) / 10 * i)
    // for the first ten, maximum + 1 for the last.
    [[nodiscard]] int64_t TickValue(int i) const;
    // x of scale tick i: scale left + (scale width * i) / 10.
    [[nodiscard]] int TickX(int i) const;

private:
    void PlaceThumb();

    GRAPH_RECT m_strip;
    GRAPH_RECT m_track;
    GRAPH_RECT m_left;
    GRAPH_RECT m_right;
    GRAPH_RECT m_previous;
    GRAPH_RECT m_first;
    GRAPH_RECT m_next;
    GRAPH_RECT m_last;
    GRAPH_RECT m_scale;
    GRAPH_RECT m_thumb;
    int64_t m_minimum = 0;
    int64_t m_maximum = 0;
    int64_t m_firstVisible = 0;
    int m_clocksPerPage = 1;
};
