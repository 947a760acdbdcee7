#include <gtest/gtest.h>

#include "graph/CGraphGeometry.h"

namespace {

CGraphGeometry LaidOut(float s, int cx, int cy, int lastClock = 999) {
    CGraphGeometry geometry(s);
    geometry.Layout(cx, cy);
    geometry.SetLastClock(lastClock);
    geometry.SetRowCount(32);
    return geometry;
}

}  // namespace

TEST(GraphScale, ScaleFactorFromDpi) {
    EXPECT_FLOAT_EQ(CGraphGeometry::ScaleFromDpi(96), 1.0f);
    EXPECT_FLOAT_EQ(CGraphGeometry::ScaleFromDpi(120), 1.2f);
    EXPECT_FLOAT_EQ(CGraphGeometry::ScaleFromDpi(144), 1.5f);
    EXPECT_FLOAT_EQ(CGraphGeometry::ScaleFromDpi(110), 1.1f);  // 1.1458 rounds down
}

TEST(GraphScale, StripsAtEachScale) {
    const CGraphGeometry g96 = LaidOut(1.0f, 800, 600);
    EXPECT_EQ(g96.Ruler(), (GRAPH_RECT{0, 0, 800, 20}));
    EXPECT_EQ(g96.GraphArea().top, 26);
    EXPECT_DOUBLE_EQ(g96.PixelsPerClock(), 10.0);
    EXPECT_EQ(g96.ScrollStrip(), (GRAPH_RECT{0, 540, 800, 600}));
    EXPECT_EQ(g96.InfoStrip(), (GRAPH_RECT{0, 486, 800, 540}));
    EXPECT_EQ(g96.ResultStrip(), (GRAPH_RECT{0, 460, 800, 480}));
    EXPECT_EQ(g96.InfoBox(0), (GRAPH_RECT{0, 486, 266, 540}));
    EXPECT_EQ(g96.InfoBox(1), (GRAPH_RECT{266, 486, 532, 540}));
    EXPECT_EQ(g96.InfoBox(2), (GRAPH_RECT{532, 486, 800, 540}));
    // graph bottom 459 lowered to a whole number of rows: 26 + 14 * 30 = 446
    EXPECT_EQ(g96.GraphArea().bottom, 446);
    EXPECT_EQ(g96.RowsPerPage(), 14);
    EXPECT_EQ(g96.ClocksPerPage(), 80);

    const CGraphGeometry g120 = LaidOut(1.2f, 800, 600);
    EXPECT_EQ(g120.Ruler().bottom, 24);
    EXPECT_EQ(g120.GraphArea().top, 30);
    EXPECT_NEAR(g120.PixelsPerClock(), 12.0, 1e-5);
    EXPECT_EQ(g120.InfoStrip().Height(), 54 + 16);

    const CGraphGeometry g144 = LaidOut(1.5f, 800, 600);
    EXPECT_EQ(g144.Ruler().bottom, 30);
    EXPECT_EQ(g144.InfoStrip().Height(), 94);
    EXPECT_EQ(g144.ResultStrip().Height(), 30);
    EXPECT_DOUBLE_EQ(g144.PixelsPerClock(), 15.0);
}

TEST(GraphScale, GraphHeightIsWholeRows) {
    // result strip top = cy - 140 at s = 1; graph height 95 needs cy = 26 + 95 + 1 + 140
    const CGraphGeometry geometry = LaidOut(1.0f, 400, 262);
    EXPECT_EQ(geometry.GraphArea().Height(), 90);
    EXPECT_EQ(geometry.RowsPerPage(), 3);
}

TEST(GraphZoom, ClampsAndBusHalfWidth) {
    CGraphGeometry geometry = LaidOut(1.0f, 800, 600);
    geometry.SetZoom(100 * 2, 0);
    EXPECT_DOUBLE_EQ(geometry.Zoom(), 128.0);
    geometry.SetZoom(0.02 * 0.5, 0);
    EXPECT_DOUBLE_EQ(geometry.Zoom(), 0.0125);
    geometry.SetZoom(1 / 100.0, 0);  // Any Scale 1 %
    EXPECT_DOUBLE_EQ(geometry.Zoom(), 0.0125);
    EXPECT_DOUBLE_EQ(geometry.PixelsPerClock(), 0.125);
    EXPECT_EQ(geometry.ClocksPerPage(), 6400);

    EXPECT_EQ(CGraphGeometry::BusHalfWidthFor(0.99), 0);
    EXPECT_EQ(CGraphGeometry::BusHalfWidthFor(4.9), 1);
    EXPECT_EQ(CGraphGeometry::BusHalfWidthFor(5), 2);
    EXPECT_EQ(CGraphGeometry::BusHalfWidthFor(19.9), 3);
    EXPECT_EQ(CGraphGeometry::BusHalfWidthFor(39.9), 4);
    EXPECT_EQ(CGraphGeometry::BusHalfWidthFor(40), 6);
}

TEST(GraphZoom, RecentresOnTheCurrentClock) {
    // graph width 100 at 10 px per clock: 10 clocks per page
    CGraphGeometry geometry = LaidOut(1.0f, 100, 600, 100000);
    geometry.SetZoom(1.0, 3);
    EXPECT_EQ(geometry.ClocksPerPage(), 10);
    EXPECT_EQ(geometry.FirstVisibleClock(), 0);
    // width 1010 gives 101 clocks per page
    CGraphGeometry wide = LaidOut(1.0f, 1010, 600, 100000);
    wide.SetZoom(1.0, 500);
    EXPECT_EQ(wide.ClocksPerPage(), 101);
    EXPECT_EQ(wide.FirstVisibleClock(), 449);
}

TEST(GraphHitTest, CellsPointsAndSnap) {
    CGraphGeometry geometry = LaidOut(1.0f, 800, 600, 999);
    geometry.SetFirstVisibleClock(100);
    EXPECT_EQ(geometry.HitTestCell(-5, 10), (GRAPH_CELL{99, 0}));
    EXPECT_EQ(geometry.HitTestCell(25, 26 + 45), (GRAPH_CELL{102, 1}));
    geometry.SetFirstVisibleClock(0);
    EXPECT_EQ(geometry.HitTestCell(-5, 30).clock, 0);
    geometry.SetFirstVisibleClock(990);
    EXPECT_EQ(geometry.HitTestCell(700, 30).clock, 999);
    EXPECT_EQ(geometry.HitTestCell(10, 5000).row, 31);
    EXPECT_EQ(geometry.CellToPoint(995, 2), (GRAPH_POINT{50, 86}));
    EXPECT_EQ(geometry.SnapToCell(57, 99), (GRAPH_POINT{50, 86}));
    EXPECT_EQ(geometry.SnapToCell(60, 86), (GRAPH_POINT{60, 86}));
    geometry.SetZoom(0.05, 0);  // half a pixel per clock: x never snaps
    EXPECT_EQ(geometry.SnapToCell(57, 86).x, 57);
}

TEST(GraphRows, FewRowsAndScrollRequests) {
    CGraphGeometry geometry = LaidOut(1.0f, 800, 600);  // 14 rows per page, 32 rows
    geometry.SetRowCount(5);
    EXPECT_EQ(geometry.FirstVisibleRow(), 0);
    EXPECT_FALSE(geometry.ScrollRows(ROW_SCROLL::LineDown, 0).has_value());

    geometry.SetRowCount(32);
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::LineDown, 0), 1);
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::PageDown, 0), 15);
    // scroll maximum 31, page 14: the position stops at 18
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::Bottom, 0), 18);
    EXPECT_FALSE(geometry.ScrollRows(ROW_SCROLL::LineDown, 0).has_value());
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::PageUp, 0), 4);
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::LineUp, 0), 3);
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::ThumbTrack, 10), 10);
    EXPECT_EQ(geometry.ScrollRows(ROW_SCROLL::Top, 0), 0);
    EXPECT_FALSE(geometry.ScrollRows(ROW_SCROLL::LineUp, 0).has_value());
    EXPECT_FALSE(geometry.ScrollRows(ROW_SCROLL::Other, 0).has_value());
    // Fewer rows after a table change: the first row comes back into range.
    geometry.SetFirstVisibleRow(18);
    geometry.SetRowCount(20);
    EXPECT_EQ(geometry.FirstVisibleRow(), 6);
}

TEST(GraphClockScroll, ScrollToStepsAndThumb) {
    CGraphGeometry geometry = LaidOut(1.0f, 800, 600, 999);  // 80 clocks per page
    geometry.ScrollToClock(5000);
    EXPECT_EQ(geometry.FirstVisibleClock(), 920);
    geometry.ScrollToClock(-3);
    EXPECT_EQ(geometry.FirstVisibleClock(), 0);
    EXPECT_FALSE(geometry.StepLeft(1));
    EXPECT_TRUE(geometry.StepRight(10));
    EXPECT_EQ(geometry.FirstVisibleClock(), 10);
    EXPECT_FALSE(geometry.StepLeft(11));
    EXPECT_TRUE(geometry.StepLeft(10));
    geometry.SetFirstVisibleClock(999 - 80 - 5);
    EXPECT_FALSE(geometry.StepRight(5));

    const GRAPH_RECT track = geometry.ScrollBar().Track();
    EXPECT_EQ(geometry.ThumbDragClock(track.left + 3, 3), 0);
    EXPECT_EQ(geometry.ThumbDragClock(track.left + track.Width() / 2, 0), 499);
    EXPECT_EQ(geometry.ThumbDragClock(track.right + 50, 0), 920);
}

TEST(GraphClockScroll, ScrollBarElements) {
    CGraphGeometry geometry = LaidOut(1.0f, 1000, 600, 999);
    const CScrollBarGeometry& bar = geometry.ScrollBar();
    EXPECT_EQ(bar.Track(), (GRAPH_RECT{100, 540, 900, 555}));
    EXPECT_EQ(bar.ScrollLeft(), (GRAPH_RECT{85, 540, 100, 555}));
    EXPECT_EQ(bar.ScrollRight(), (GRAPH_RECT{900, 540, 915, 555}));
    EXPECT_EQ(bar.PreviousBlock(), (GRAPH_RECT{60, 540, 75, 555}));
    EXPECT_EQ(bar.FirstBlock(), (GRAPH_RECT{45, 540, 60, 555}));
    EXPECT_EQ(bar.NextBlock(), (GRAPH_RECT{925, 540, 940, 555}));
    EXPECT_EQ(bar.LastBlock(), (GRAPH_RECT{940, 540, 955, 555}));
    EXPECT_EQ(bar.ScaleArea(), (GRAPH_RECT{100, 560, 900, 595}));
    // 100 clocks per page of 999: int(100 * 800 / 999) = 80 px
    EXPECT_EQ(bar.Thumb(), (GRAPH_RECT{100, 540, 180, 555}));
    EXPECT_EQ(bar.HitTest(150, 545, false), SCROLL_ELEMENT::Thumb);
    EXPECT_EQ(bar.HitTest(50, 545, false), SCROLL_ELEMENT::None);
    EXPECT_EQ(bar.HitTest(50, 545, true), SCROLL_ELEMENT::FirstBlock);
    EXPECT_EQ(bar.HitTest(90, 545, false), SCROLL_ELEMENT::ScrollLeft);
    EXPECT_EQ(bar.TickValue(0), 0);
    EXPECT_EQ(bar.TickValue(5), 500);
    EXPECT_EQ(bar.TickValue(10), 1000);
    EXPECT_EQ(bar.TickX(10), 900);

    // A one-clock page on a long memory still shows a 5-pixel thumb; at the
    // end of the range it stays inside the track.
    CGraphGeometry zoomed = LaidOut(1.0f, 1000, 600, 99999999);
    zoomed.SetZoom(128, 0);
    zoomed.SetFirstVisibleClock(99999999);
    EXPECT_EQ(zoomed.ScrollBar().Thumb().left, 899);
    EXPECT_EQ(zoomed.ScrollBar().Thumb().right, 900);
    // One clock of memory: no division by an empty range.
    CGraphGeometry single = LaidOut(1.0f, 1000, 600, 0);
    single.UpdateScrollBar();
    EXPECT_EQ(single.ScrollBar().Thumb().left, 100);
    EXPECT_LE(single.ScrollBar().Thumb().right, 900);
}

TEST(GraphClockScroll, MarkerBand) {
    CGraphGeometry geometry = LaidOut(1.0f, 800, 600);
    EXPECT_EQ(geometry.MarkerBand(), (GRAPH_RECT{0, 0, 790, 446}));
}
