#include <gtest/gtest.h>

#include <vector>

#include "graph/CMarkerGeometry.h"
#include "graph/CRulerScale.h"
#include "graph/CWaveformColumns.h"

namespace {

struct LINE {
    int x1, y1, x2, y2;
    bool operator==(const LINE&) const = default;
};

std::vector<LINE> Lines(const CWaveformColumns& columns, int bit) {
    std::vector<LINE> lines;
    columns.SignalLines(bit, 4, 26, [&](int x1, int y1, int x2, int y2) { lines.push_back({x1, y1, x2, y2}); });
    return lines;
}

}  // namespace

TEST(RulerScale, TickSpacingInClockUnit) {
    const CRulerScale zoom1(GRAPH_UNIT_CLOCK, 1.0, 10, 1, 0);
    EXPECT_EQ(zoom1.Spacing(), 10);
    EXPECT_DOUBLE_EQ(zoom1.Step(), 1);
    const CRulerScale zoom4(GRAPH_UNIT_CLOCK, 0.25, 10, 1, 0);
    EXPECT_EQ(zoom4.Spacing(), 40);
    EXPECT_DOUBLE_EQ(zoom4.Step(), 1);
    const CRulerScale half(GRAPH_UNIT_CLOCK, 2.0, 10, 1, 300);
    EXPECT_EQ(half.Spacing(), 10);
    EXPECT_DOUBLE_EQ(half.Label(10), 320);
    EXPECT_TRUE(CRulerScale::IsLabelled(20));
    EXPECT_FALSE(CRulerScale::IsLabelled(5));
    EXPECT_EQ(CRulerScale::TickLength(0, 1.0f, 20), 20);
    EXPECT_EQ(CRulerScale::TickLength(5, 1.0f, 20), 9);
    EXPECT_EQ(CRulerScale::TickLength(3, 1.0f, 20), 6);
    EXPECT_EQ(CRulerScale::TickLength(5, 1.5f, 30), 13);
}

TEST(RulerScale, TimeUnitAndLabels) {
    // 5 us clock at zoom 1: a tick every 10 px, 5 us per tick, from 5 * first
    const CRulerScale time(GRAPH_UNIT_TIME, 1.0, 10, 5, 100);
    EXPECT_EQ(time.Spacing(), 10);
    EXPECT_DOUBLE_EQ(time.Step(), 5);
    EXPECT_DOUBLE_EQ(time.Label(10), 550);
    // 1 unit clock at zoom 4: c * d = 0.25 < 1
    const CRulerScale fine(GRAPH_UNIT_TIME, 0.25, 10, 1, 0);
    EXPECT_EQ(fine.Spacing(), 40);
    // A zero clock value from a file still gives a usable spacing.
    const CRulerScale zero(GRAPH_UNIT_TIME, 1.0, 10, 0, 0);
    EXPECT_GE(zero.Spacing(), 1);
    EXPECT_EQ(CRulerScale::UnitLabel(GRAPH_UNIT_TIME, "u"), "[ uSec ]");
    EXPECT_EQ(CRulerScale::UnitLabel(GRAPH_UNIT_TIME, ""), "[ Sec ]");
    EXPECT_EQ(CRulerScale::UnitLabel(GRAPH_UNIT_CLOCK, "m"), "[ Clock ]");
    EXPECT_EQ(CRulerScale::UnitPrefix(1), "");
    EXPECT_EQ(CRulerScale::UnitPrefix(0), "");
    EXPECT_EQ(CRulerScale::UnitPrefix(4), "n");
    EXPECT_EQ(CRulerScale::LabelText(1234.0), "1234");
}

TEST(MarkerGeometry, InsideAndOutsideTheRange) {
    // band 0..790 for clocks 100..179 (10 px per clock); handle 12 x 14
    const CMarkerGeometry markers({0, 0, 790, 446}, 100, 179, 12, 14);
    const MARKER_SHAPE inside = markers.Cursor(110);
    EXPECT_EQ(inside.place, MARKER_PLACE::Inside);
    EXPECT_DOUBLE_EQ(inside.x, 100.0);
    EXPECT_EQ(inside.count, 5);
    EXPECT_EQ(inside.points[0], (GRAPH_POINT{94, 0}));
    EXPECT_EQ(inside.points[2], (GRAPH_POINT{106, 7}));
    EXPECT_EQ(inside.tip, (GRAPH_POINT{100, 13}));
    EXPECT_EQ(inside.box, (GRAPH_RECT{94, 0, 106, 14}));

    const MARKER_SHAPE after = markers.Cursor(500);
    EXPECT_EQ(after.place, MARKER_PLACE::AfterRange);
    EXPECT_EQ(after.count, 3);
    EXPECT_EQ(after.points[1], (GRAPH_POINT{790, 6}));
    const MARKER_SHAPE before = markers.Bookmark(3);
    EXPECT_EQ(before.place, MARKER_PLACE::BeforeRange);
    EXPECT_EQ(before.points[0], (GRAPH_POINT{6, 0}));
    EXPECT_EQ(before.points[1], (GRAPH_POINT{0, 6}));

    const MARKER_SHAPE bookmark = markers.Bookmark(179);
    EXPECT_EQ(bookmark.count, 3);
    EXPECT_EQ(bookmark.points[2], (GRAPH_POINT{790, 13}));
    // The hit box clamps the position to the range.
    EXPECT_EQ(markers.HandleBox(500), (GRAPH_RECT{784, 0, 796, 14}));
    // A page of one clock divides by no empty range.
    const CMarkerGeometry single({0, 0, 0, 100}, 7, 7, 12, 14);
    EXPECT_DOUBLE_EQ(single.XOf(7), 0.0);
}

TEST(WaveformColumns, OneColumnPerClockWhenZoomedIn) {
    const std::vector<uint32_t> words = {0, 1, 1, 0, 0};
    CWaveformColumns columns;
    columns.Build(words.data(), 0, 5, 10.0f, 0);
    ASSERT_EQ(columns.Columns().size(), 5u);
    EXPECT_EQ(columns.Columns()[0].x, 10);
    EXPECT_EQ(columns.Columns()[4].x, 50);
    const std::vector<LINE> lines = Lines(columns, 0);
    const std::vector<LINE> expected = {
        {0, 26, 10, 26}, {10, 4, 10, 26}, {10, 4, 30, 4}, {30, 4, 30, 26}, {30, 26, 50, 26}};
    EXPECT_EQ(lines, expected);
    // A bit that never changes is one line across the page.
    EXPECT_EQ(Lines(columns, 5), (std::vector<LINE>{{0, 26, 50, 26}}));
}

TEST(WaveformColumns, ClocksCollapseIntoPixelColumns) {
    // eight clocks per pixel: 0.125 px per clock
    std::vector<uint32_t> words(64, 0);
    words[20] = 1;                 // a pulse inside the column of clocks 15..22
    for (int i = 40; i < 64; ++i) {
        words[i] = 2;              // bit 1 rises at clock 40, inside the column of clocks 39..46
    }
    CWaveformColumns columns;
    columns.Build(words.data(), 0, 64, 0.125f, 100);
    const auto& list = columns.Columns();
    // clock 0 ends at int(0.125) = 0, clocks 0..6 share x 100, the last column is 108
    ASSERT_EQ(list.front().x, 100);
    ASSERT_EQ(list.back().x, 108);
    EXPECT_EQ(list.size(), 9u);
    const std::vector<LINE> bit0 = Lines(columns, 0);
    const std::vector<LINE> expected0 = {{102, 4, 102, 26}, {100, 26, 108, 26}};
    EXPECT_EQ(bit0, expected0);
    const std::vector<LINE> bit1 = Lines(columns, 1);
    const std::vector<LINE> expected1 = {{105, 4, 105, 26}, {100, 26, 105, 26}, {105, 4, 108, 4}};
    EXPECT_EQ(bit1, expected1);
}

TEST(WaveformColumns, EmptyPage) {
    CWaveformColumns columns;
    columns.Build(nullptr, 0, 10, 1.0f, 0);
    EXPECT_TRUE(columns.Columns().empty());
    EXPECT_TRUE(Lines(columns, 0).empty());
}
