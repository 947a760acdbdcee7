#include <gtest/gtest.h>

#include <vector>

#include "analysis/CDataPatternDetail.h"

namespace {

DATA_PATTERN Pattern(const std::string& bits) {
    DATA_PATTERN pattern;
    pattern.Length = static_cast<int32_t>(bits.size());
    pattern.Bits = bits;
    return pattern;
}

constexpr int Height = 42;
constexpr int Low = Height - 2;
constexpr int High = Height - 17;

}  // namespace

TEST(DataPatternDetail, DrawsTwoLowBitsAStepAndTwoHighBits) {
    const CDataPatternDetail detail(Pattern("0011"), 1.0f);
    EXPECT_EQ(detail.ScrollMaximum(), 40);
    EXPECT_EQ(detail.Position(), 0);
    EXPECT_EQ(detail.BitWidth(), 10);
    const std::vector<GRAPH_POINT> line = detail.StepLine(200, Height);
    const std::vector<GRAPH_POINT> expected{{0, Low}, {10, Low}, {20, Low}, {20, High}, {30, High}, {40, High}};
    EXPECT_EQ(line, expected);
}

TEST(DataPatternDetail, LineScrollsMoveByTenWithinTheRange) {
    CDataPatternDetail detail(Pattern("0011"), 1.0f);
    EXPECT_FALSE(detail.Scroll(DETAIL_SCROLL::LineLeft));  // already at the minimum
    EXPECT_TRUE(detail.Scroll(DETAIL_SCROLL::LineRight));
    EXPECT_EQ(detail.Position(), 10);
    EXPECT_EQ(detail.FirstBit(), 1);
    // The drawing starts with the second bit.
    const std::vector<GRAPH_POINT> line = detail.StepLine(200, Height);
    ASSERT_GE(line.size(), 3U);
    EXPECT_EQ(line[0], (GRAPH_POINT{0, Low}));
    EXPECT_EQ(line[1], (GRAPH_POINT{10, Low}));
    EXPECT_EQ(line[2], (GRAPH_POINT{10, High}));
    EXPECT_TRUE(detail.Scroll(DETAIL_SCROLL::LineLeft));
    EXPECT_EQ(detail.FirstBit(), 0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(detail.Scroll(DETAIL_SCROLL::LineRight));
    }
    EXPECT_FALSE(detail.Scroll(DETAIL_SCROLL::LineRight));  // at the limit
    EXPECT_EQ(detail.Position(), 40);
    EXPECT_EQ(detail.FirstBit(), 3);  // never beyond the last bit
}

TEST(DataPatternDetail, TheThumbSetsAMultipleOfTenAndPagesDoNothing) {
    CDataPatternDetail detail(Pattern("0101100111"), 1.0f);
    EXPECT_TRUE(detail.Scroll(DETAIL_SCROLL::ThumbTrack, 37));
    EXPECT_EQ(detail.Position(), 30);
    EXPECT_EQ(detail.FirstBit(), 3);
    EXPECT_FALSE(detail.Scroll(DETAIL_SCROLL::PageRight));
    EXPECT_FALSE(detail.Scroll(DETAIL_SCROLL::PageLeft));
    EXPECT_FALSE(detail.Scroll(DETAIL_SCROLL::Other));
    EXPECT_EQ(detail.Position(), 30);
    // Dragged to the far right: the last bit at the left edge.
    EXPECT_TRUE(detail.Scroll(DETAIL_SCROLL::ThumbPosition, detail.ScrollMaximum()));
    EXPECT_EQ(detail.FirstBit(), 9);
    const std::vector<GRAPH_POINT> line = detail.StepLine(200, Height);
    EXPECT_EQ(line, (std::vector<GRAPH_POINT>{{0, High}, {10, High}}));
    EXPECT_TRUE(detail.Scroll(DETAIL_SCROLL::ThumbTrack, -5));
    EXPECT_EQ(detail.Position(), 0);
}

TEST(DataPatternDetail, TheBitWidthAndRangeFollowTheScale) {
    CDataPatternDetail detail(Pattern("0110"), 1.5f);
    EXPECT_EQ(detail.BitWidth(), 15);
    EXPECT_EQ(detail.ScrollMaximum(), 60);
    const std::vector<GRAPH_POINT> line = detail.StepLine(1000, Height);
    EXPECT_EQ(line.back(), (GRAPH_POINT{60, Low}));
    // A long pattern stops at the client's right edge.
    CDataPatternDetail longOne(Pattern(std::string(5000, '1')), 1.0f);
    EXPECT_LE(longOne.StepLine(100, Height).back().x, 110);
    // An empty pattern draws nothing and cannot scroll.
    CDataPatternDetail empty(Pattern(""), 1.0f);
    EXPECT_TRUE(empty.StepLine(100, Height).empty());
    EXPECT_FALSE(empty.Scroll(DETAIL_SCROLL::LineRight));
}

TEST(DataPatternDetail, SitsAboveTheGraphAtTheSlot) {
    EXPECT_EQ(CDataPatternDetail::Placement(300, 200, 120, 60), (GRAPH_POINT{419, 139}));
    EXPECT_EQ(CDataPatternDetail::HorizontalUnits(145, 6), 217);
    EXPECT_EQ(CDataPatternDetail::VerticalUnits(26, 13), 42);
}
