#pragma once
#include <array>
#include <cstdint>

#include "graph/GRAPH_RECT.h"

// Where a marker stands relative to the visible range.
enum class MARKER_PLACE { Inside, BeforeRange, AfterRange };

// The outline of a cursor or bookmark marker in the ruler.
struct MARKER_SHAPE {
    MARKER_PLACE place = MARKER_PLACE::Inside;
    double x = 0;                         // the position's x inside the range
    std::array<GRAPH_POINT, 5> points{};  // polygon, `count` points used
    int count = 0;
    GRAPH_POINT tip;                      // where the cursor line starts
    GRAPH_RECT box;                       // bounding box of the handle
};

// Maps absolute clock positions to x inside the marker band and builds the
// handle outlines of cursors and bookmarks.
class CMarkerGeometry {
public:
    // band: the marker band; [minimum, maximum]: the visible absolute range;
    // hw, hh: handle width and height.
    CMarkerGeometry(const GRAPH_RECT& band, int64_t minimum, int64_t maximum, int hw, int hh);

    // x = (position - minimum) * W / (maximum - minimum) + X0.
    [[nodiscard]] double XOf(int64_t position) const;
    // A cursor: a pentagon handle inside the range, an edge triangle outside.
    [[nodiscard]] MARKER_SHAPE Cursor(int64_t position) const;
    // A bookmark: a downward triangle inside the range, an edge triangle outside.
    [[nodiscard]] MARKER_SHAPE Bookmark(int64_t position) const;
    // The mouse hit area of a cursor handle, the position clamped to the range.
    [[nodiscard]] GRAPH_RECT HandleBox(int64_t position) const;

private:
    [[nodiscard]] bool EdgeTriangle(int64_t position, MARKER_SHAPE& shape) const;

    GRAPH_RECT m_band;
    int64_t m_minimum;
    int64_t m_maximum;
    int m_hw;
    int m_hh;
};
