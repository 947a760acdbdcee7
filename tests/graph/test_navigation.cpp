#include <gtest/gtest.h>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/CGraphNavigator.h"

namespace {

// Generating memory of 1000 words (Z = 999) on a graph 1000 px wide: P = 100.
class NavigationTest : public ::testing::Test {
protected:
    NavigationTest() : records("Signal"), model(document, records, 1.0f), navigator(model) {
        model.Layout(1000, 600);  // 14 rows per page, 32 rows
        model.OnDocumentUpdate();
    }
    void At(int clock, int first) {
        model.SetCurrent({clock, 0});
        model.SetAnchor({clock, 0});
        model.Geometry().SetFirstVisibleClock(first);
    }

    CLogicDocument document{"/tmp"};
    CWindowRecords records;
    CGraphModel model;
    CGraphNavigator navigator;
};

}  // namespace

TEST_F(NavigationTest, Pages) {
    ASSERT_EQ(model.Geometry().ClocksPerPage(), 100);
    At(100, 0);
    navigator.PageTowardStart(false);
    EXPECT_EQ(model.Current().clock, 0);
    At(101, 0);
    navigator.PageTowardStart(false);
    EXPECT_EQ(model.Current().clock, 1);
    EXPECT_EQ(model.Anchor().clock, 1);
    At(899, 850);
    navigator.PageTowardEnd(true);
    EXPECT_EQ(model.Current().clock, 999);
    EXPECT_EQ(model.Anchor().clock, 899);  // extended
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 900);
    At(100, 700);
    navigator.PageTowardEnd(false);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 800);
    EXPECT_EQ(model.Current().clock, 200);
}

TEST_F(NavigationTest, Ends) {
    At(500, 450);
    navigator.ToEnd(false);
    EXPECT_EQ(model.Current().clock, 999);
    EXPECT_EQ(model.Anchor().clock, 999);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 900);
    At(500, 450);
    navigator.ToStart(true);
    EXPECT_EQ(model.Current().clock, 0);
    EXPECT_EQ(model.Anchor().clock, 500);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 0);
}

TEST_F(NavigationTest, ArrowsScrollByOne) {
    At(10, 0);
    for (int i = 0; i < 3; ++i) {
        navigator.Right();  // Shift held: the anchor stays
    }
    EXPECT_EQ(model.Current().clock, 13);
    EXPECT_EQ(model.Anchor().clock, 10);
    navigator.Left();
    navigator.Collapse();
    EXPECT_EQ(model.Current().clock, 12);
    EXPECT_EQ(model.Anchor().clock, 12);

    At(0, 0);
    navigator.Left();
    EXPECT_EQ(model.Current().clock, 0);
    At(999, 900);
    navigator.Right();
    EXPECT_EQ(model.Current().clock, 999);
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 900);
    At(99, 0);
    navigator.Right();
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 1);
    At(50, 50);
    navigator.Left();
    EXPECT_EQ(model.Geometry().FirstVisibleClock(), 49);
}

TEST_F(NavigationTest, RowsScrollWithTheCaret) {
    model.SetCurrent({0, 5});
    EXPECT_FALSE(navigator.Down());
    EXPECT_EQ(model.Current().row, 6);
    model.SetCurrent({0, 13});
    EXPECT_TRUE(navigator.Down());  // row 14 is below the page: the rows scroll by one
    EXPECT_EQ(model.Geometry().FirstVisibleRow(), 1);
    EXPECT_EQ(model.Current().row, 14);
    model.SetCurrent({0, 2});
    EXPECT_FALSE(navigator.Up());
    EXPECT_TRUE(navigator.Up());
    EXPECT_EQ(model.Geometry().FirstVisibleRow(), 0);
    EXPECT_FALSE(navigator.Up());
    EXPECT_EQ(model.Current().row, 0);
    model.SetCurrent({0, 31});
    model.Geometry().SetFirstVisibleRow(18);
    EXPECT_FALSE(navigator.Down());
    EXPECT_EQ(model.Current().row, 31);
}
