#pragma once
#include <cstdint>
#include <optional>

#include "graph/CScrollBarGeometry.h"
#include "graph/GRAPH_RECT.h"

// Vertical scroll requests of the graph's row scroll bar.
enum class ROW_SCROLL {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbTrack,
    Top,
    Bottom,
    Other,
};

// The coordinate model of the waveform graph: the strips of the client area,
// the clock axis (zoom, pixels per clock, first visible clock, clocks per
// page), the rows (first visible row, rows per page, row count), the mapping
// of points to cells and back, and the clock scroll bar. Positions are clock
// positions in the shown memory; the scroll bar works in absolute clocks.
class CGraphGeometry {
public:
    static constexpr int RowHeight = 30;
    static constexpr int RowMargin = 4;
    static constexpr int StripGap = 6;
    static constexpr int ScrollStripHeight = 60;
    static constexpr double MinimumZoom = 0.0125;
    static constexpr double MaximumZoom = 128.0;

    // floor(dpi / 96 * 10) / 10 as a single-precision float: 96 gives 1.0,
    // 120 gives 1.2, 144 gives 1.5. A dpi below 96 still gives at least 0.1.
    [[nodiscard]] static float ScaleFromDpi(int dpi);
    // A fixed size given for s = 1, multiplied by s and truncated.
    [[nodiscard]] static int Scaled(float s, int size);
    // Half-width of the bus transition marks for a number of pixels per clock.
    [[nodiscard]] static int BusHalfWidthFor(double pixelsPerClock);

    explicit CGraphGeometry(float scale = 1.0f);

    [[nodiscard]] float Scale() const { return m_scale; }

    // Recomputes every strip, the scroll bar and the page sizes for a client
    // area of cx by cy pixels, and clamps the first visible row.
    void Layout(int cx, int cy);

    // --- strips
    [[nodiscard]] GRAPH_RECT Client() const { return {0, 0, m_cx, m_cy}; }
    [[nodiscard]] const GRAPH_RECT& Ruler() const { return m_ruler; }
    [[nodiscard]] const GRAPH_RECT& ScrollStrip() const { return m_scrollStrip; }
    [[nodiscard]] const GRAPH_RECT& InfoStrip() const { return m_infoStrip; }
    // The three info boxes, 0 Current, 1 Cursor A, 2 Cursor B.
    [[nodiscard]] GRAPH_RECT InfoBox(int index) const;
    [[nodiscard]] const GRAPH_RECT& ResultStrip() const { return m_resultStrip; }
    [[nodiscard]] const GRAPH_RECT& GraphArea() const { return m_graph; }
    // (0, 0, floor((clocks per page - 1) * pixels per clock), graph bottom).
    [[nodiscard]] GRAPH_RECT MarkerBand() const;
    [[nodiscard]] const CScrollBarGeometry& ScrollBar() const { return m_scrollBar; }

    // --- clock axis
    // Clamps z to [0.0125, 128], recomputes the scale and re-centres the page
    // on the current clock.
    void SetZoom(double zoom, int currentClock);
    [[nodiscard]] double Zoom() const { return m_zoom; }
    [[nodiscard]] double PixelsPerClock() const { return m_pixelsPerClock; }
    [[nodiscard]] int ClocksPerPage() const { return m_clocksPerPage; }
    [[nodiscard]] int BusHalfWidth() const { return BusHalfWidthFor(m_pixelsPerClock); }
    [[nodiscard]] int FirstVisibleClock() const { return m_firstClock; }
    void SetFirstVisibleClock(int clock);
    [[nodiscard]] int LastClock() const { return m_lastClock; }
    void SetLastClock(int clock) {
        m_lastClock = clock;
        UpdateScrollBar();
    }
    [[nodiscard]] int64_t AbsoluteOffset() const { return m_absoluteOffset; }
    void SetAbsoluteOffset(int64_t offset) {
        m_absoluteOffset = offset;
        UpdateScrollBar();
    }

    // First visible clock = clock, at most last clock - clocks per page + 1, at least 0.
    void ScrollToClock(int64_t clock);
    // Keeps the page inside the data after the data changed: at most
    // last clock + 1 - clocks per page, at least 0.
    void ClampFirstVisibleClock();
    // The held scroll-left and scroll-right buttons: move by step when there is room.
    [[nodiscard]] bool StepLeft(int step);
    [[nodiscard]] bool StepRight(int step);
    // The first visible clock while the thumb is dragged to x with the grab offset.
    [[nodiscard]] int ThumbDragClock(int x, int grabOffset) const;

    // --- rows
    [[nodiscard]] int RowCount() const { return m_rowCount; }
    // Sets the number of shown rows and clamps the first visible row.
    void SetRowCount(int rows);
    [[nodiscard]] int RowsPerPage() const { return m_rowsPerPage; }
    [[nodiscard]] int FirstVisibleRow() const { return m_firstRow; }
    [[nodiscard]] int RowScrollPosition() const { return m_rowScrollPosition; }
    // Makes row the first visible row and the scroll position (clamped).
    void SetFirstVisibleRow(int row);
    // A vertical scroll request; the new first visible row when the scroll
    // position changed, nothing otherwise.
    [[nodiscard]] std::optional<int> ScrollRows(ROW_SCROLL request, int trackPosition);
    // The scroll bar's own limits: minimum 0, maximum row count - 1, page rows per page.
    [[nodiscard]] int RowScrollMaximum() const { return m_rowCount - 1; }

    // --- points and cells
    [[nodiscard]] GRAPH_CELL HitTestCell(int x, int y) const;
    [[nodiscard]] GRAPH_POINT CellToPoint(int clock, int row) const;
    [[nodiscard]] GRAPH_POINT SnapToCell(int x, int y) const;
    // The clock under x without the row, clamped to [0, last clock].
    [[nodiscard]] int ClockAt(int x) const;

    // Updates the scroll bar's range and thumb from the current state.
    void UpdateScrollBar();

private:
    void ComputeScale();
    void ClampFirstRow();
    [[nodiscard]] int ClampRowScroll(int position) const;

    float m_scale = 1.0f;
    int m_cx = 0;
    int m_cy = 0;
    GRAPH_RECT m_ruler;
    GRAPH_RECT m_scrollStrip;
    GRAPH_RECT m_infoStrip;
    GRAPH_RECT m_resultStrip;
    GRAPH_RECT m_graph;
    CScrollBarGeometry m_scrollBar;

    double m_zoom = 1.0;
    double m_pixelsPerClock = 10.0;
    int m_clocksPerPage = 1;
    int m_firstClock = 0;
    int m_lastClock = 0;
    int64_t m_absoluteOffset = 0;

    int m_rowsPerPage = 1;
    int m_firstRow = 0;
    int m_rowCount = 1;
    int m_rowScrollPosition = 0;
};
