// Bookmark commands on a graph: the current rule, Next and Previous with
// blocks and clamping, the list's write-back and the markers.
#include <gtest/gtest.h>

#include <map>

#include "SearchTestSupport.h"
#include "analysis/CBookmarkCommands.h"
#include "analysis/IBookmarkMarkers.h"

namespace {

// The markers as the graph would draw them: position -> current colour.
class CMarkers : public IBookmarkMarkers {
public:
    void AddMarker(int64_t position) override { Colours[position] = true; }
    void HighlightMarker(int64_t position) override {
        for (auto& [p, current] : Colours) {
            current = p == position;
        }
    }
    void RemoveMarker(int64_t position) override { Colours.erase(position); }
    void RemoveAllMarkers() override { Colours.clear(); }
    void SetMarkersShown(bool shown) override { Shown = shown; }

    std::map<int64_t, bool> Colours;
    bool Shown = false;
};

struct BOOKMARKS {
    explicit BOOKMARKS(int direction = DIRECTION_GENERATING, uint32_t words = 1000) : f(direction, words) {}
    CSearchFixture f;
    CMarkers markers;
    CBookmarkCommands commands{f.Model, markers, &f.Reader};

    void At(int clock) { f.Select(clock, 3, clock, 3); }
    void ToggleAt(int clock) {
        At(clock);
        commands.Toggle();
    }
    [[nodiscard]] std::vector<uint32_t> Positions() const {
        std::vector<uint32_t> positions;
        for (const BOOKMARK_DATA& mark : *commands.List()) {
            positions.push_back(mark.BookmarkAbsolutePosition);
        }
        return positions;
    }
    [[nodiscard]] std::vector<uint32_t> Current() const {
        std::vector<uint32_t> current;
        for (const BOOKMARK_DATA& mark : *commands.List()) {
            if (mark.IsCurrentBookmark != 0) current.push_back(mark.BookmarkAbsolutePosition);
        }
        return current;
    }
};

}  // namespace

TEST(BookmarkCommands, ToggleKeepsTheListInOrderWithOneCurrent) {
    BOOKMARKS b;
    b.ToggleAt(50);
    b.ToggleAt(10);
    b.ToggleAt(30);
    EXPECT_EQ(b.Positions(), (std::vector<uint32_t>{10, 30, 50}));
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{30}));
    EXPECT_TRUE(b.markers.Shown);
    EXPECT_EQ(b.markers.Colours, (std::map<int64_t, bool>{{10, false}, {30, true}, {50, false}}));
    // Removing the current one makes the lowest current; removing another keeps one current.
    b.ToggleAt(30);
    EXPECT_EQ(b.Positions(), (std::vector<uint32_t>{10, 50}));
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{10}));
    EXPECT_EQ(b.markers.Colours, (std::map<int64_t, bool>{{10, true}, {50, false}}));
    b.ToggleAt(50);
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{10}));
    // Toggling again adds it back with an empty memo.
    b.commands.List()->At(0).BookmarkMemo = "start";
    b.ToggleAt(10);
    EXPECT_TRUE(b.commands.List()->Empty());
    b.ToggleAt(10);
    EXPECT_EQ(b.commands.List()->At(0).BookmarkMemo, "");
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{10}));
    b.commands.Clear();
    EXPECT_TRUE(b.commands.List()->Empty());
    EXPECT_TRUE(b.markers.Colours.empty());
}

TEST(BookmarkCommands, NextAndPreviousStopAtTheEnds) {
    BOOKMARKS b(DIRECTION_GENERATING, 100000);
    for (const int clock : {10, 2000, 40000}) {
        b.ToggleAt(clock);
    }
    // Next with the caret exactly on a bookmark goes to the following one, in the middle of the page.
    b.At(2000);
    ASSERT_TRUE(b.commands.Next());
    EXPECT_EQ(b.f.Model.Current(), (GRAPH_CELL{40000, 0}));
    EXPECT_EQ(b.f.Model.Anchor(), (GRAPH_CELL{40000, 0}));
    EXPECT_EQ(b.f.Model.Geometry().FirstVisibleClock(), 40000 - b.f.Model.Geometry().ClocksPerPage() / 2);
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{40000}));
    EXPECT_TRUE(b.markers.Colours[40000]);
    // Next at the last bookmark: nothing, no wrap-around.
    EXPECT_FALSE(b.commands.Next());
    EXPECT_EQ(b.f.Model.Current().clock, 40000);
    ASSERT_TRUE(b.commands.Previous());
    EXPECT_EQ(b.f.Model.Current().clock, 2000);
    ASSERT_TRUE(b.commands.Previous());
    EXPECT_EQ(b.f.Model.Current().clock, 10);
    EXPECT_EQ(b.f.Model.Geometry().FirstVisibleClock(), 0);  // below half a page
    EXPECT_FALSE(b.commands.Previous());
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{10}));
    b.At(99999);
    EXPECT_FALSE(b.commands.Next());
}

TEST(BookmarkCommands, NextLoadsTheBlockOfTheBookmark) {
    BOOKMARKS b;
    const std::vector<uint32_t> words(1000, 0);
    b.f.MakeBlocks({words, words, words}, 1000);
    // A bookmark at 2,000,500 of a 1,000,000-word run is block 2 clock 500; here 2,500 of 1,000-word blocks.
    b.commands.List()->Append({2500, "far", 0});
    b.commands.List()->Append({900, "near", 1});
    b.commands.RebuildMarkers();
    EXPECT_EQ(b.Positions(), (std::vector<uint32_t>{900, 2500}));
    b.At(950);
    ASSERT_TRUE(b.commands.Next());
    EXPECT_EQ(b.f.Model.ShownBlock(), 2);
    EXPECT_EQ(b.f.Model.Current().clock, 500);
    EXPECT_EQ(b.commands.CurrentPosition(), 2500u);
    ASSERT_TRUE(b.commands.Previous());
    EXPECT_EQ(b.f.Model.ShownBlock(), 0);
    EXPECT_EQ(b.f.Model.Current().clock, 900);
    // Toggle in block 1 stores the absolute position.
    b.commands.Jump(1005);
    EXPECT_EQ(b.f.Model.ShownBlock(), 1);
    EXPECT_EQ(b.f.Model.Current().clock, 5);
    EXPECT_EQ(b.f.Model.Geometry().FirstVisibleClock(), 5);  // Jump: the left edge
    b.commands.Toggle();
    EXPECT_EQ(b.Positions(), (std::vector<uint32_t>{900, 1005, 2500}));
    // A block that cannot be read: nothing moves, the current flag stays.
    b.f.Reader.Files.erase("block2.vpb");
    EXPECT_FALSE(b.commands.Next());
    EXPECT_EQ(b.f.Model.ShownBlock(), 1);
    EXPECT_EQ(b.f.Model.Current().clock, 5);
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{1005}));
}

TEST(BookmarkCommands, BookmarksBeyondTheDataPutTheCaretOnTheLastClock) {
    // A sampling memory with 600 valid words and a bookmark at 800 (left by a shrink).
    BOOKMARKS sampling(DIRECTION_SAMPLING, 1000);
    sampling.f.Document.LastCount.store(600);
    sampling.f.Model.OnDocumentUpdate();
    sampling.commands.List()->Append({800, "", 1});
    sampling.At(10);
    ASSERT_TRUE(sampling.commands.Next());
    EXPECT_EQ(sampling.f.Model.Current().clock, 599);
    // A generating memory longer than the sampling buffer: no reduction modulo the buffer.
    BOOKMARKS generating(DIRECTION_GENERATING, 3000);
    (void)generating.f.Document.SetBufferSize(1000);
    generating.f.Model.OnDocumentUpdate();
    generating.ToggleAt(2500);
    generating.At(0);
    ASSERT_TRUE(generating.commands.Next());
    EXPECT_EQ(generating.f.Model.Current().clock, 2500);
    generating.commands.List()->Append({7000, "", 0});
    ASSERT_TRUE(generating.commands.Next());
    EXPECT_EQ(generating.f.Model.Current().clock, 2999);
    EXPECT_EQ(generating.Current(), (std::vector<uint32_t>{7000}));
}

TEST(BookmarkCommands, ToggleAboveTheLargestFilePositionDoesNothing) {
    BOOKMARKS b;
    const std::vector<uint32_t> words(1000, 0);
    b.f.MakeBlocks({words}, 1000);
    b.f.Document.CurrentBlock.store(5000000);  // absolute offset 5,000,000,000
    b.f.Model.OnDocumentUpdate();
    b.At(3);
    EXPECT_GT(b.commands.CurrentPosition(), CBookmarkCommands::LargestPosition);
    b.commands.Toggle();
    EXPECT_TRUE(b.commands.List()->Empty());
    EXPECT_TRUE(b.markers.Colours.empty());
}

TEST(BookmarkCommands, ListsFromFilesAreNormalisedAndWrittenBack) {
    BOOKMARKS b;
    CBookmarkList& list = *b.commands.List();
    list.Assign({{40, "b", 1}, {10, "a", 0}, {40, "dup", 0}, {20, "c", 1}});
    b.commands.RebuildMarkers();
    EXPECT_EQ(b.Positions(), (std::vector<uint32_t>{10, 20, 40}));
    EXPECT_EQ(list.At(2).BookmarkMemo, "b");
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{20}));
    EXPECT_EQ(b.markers.Colours, (std::map<int64_t, bool>{{10, false}, {20, true}, {40, false}}));
    EXPECT_TRUE(b.markers.Shown);
    // The list's OK: the copy with its memos and current mark replaces the list.
    std::vector<BOOKMARK_DATA> copy = list.Items();
    copy[0].BookmarkMemo = "edited";
    copy[1].IsCurrentBookmark = 0;
    copy[2].IsCurrentBookmark = 1;
    b.commands.WriteBack(copy);
    EXPECT_EQ(list.At(0).BookmarkMemo, "edited");
    EXPECT_EQ(b.Current(), (std::vector<uint32_t>{40}));
    EXPECT_TRUE(b.markers.Colours[40]);
    // The other direction keeps its own list.
    b.f.Document.Condition().Direction = DIRECTION_SAMPLING;
    EXPECT_TRUE(b.commands.List()->Empty());
}

TEST(BookmarkCommands, MemosThePulseTextFileCannotHoldAreRefused) {
    EXPECT_TRUE(CBookmarkCommands::MemoFits(""));
    EXPECT_TRUE(CBookmarkCommands::MemoFits(std::string(255, 'x')));
    EXPECT_FALSE(CBookmarkCommands::MemoFits(std::string(256, 'x')));
    EXPECT_FALSE(CBookmarkCommands::MemoFits("a,b"));
    EXPECT_FALSE(CBookmarkCommands::MemoFits("a\rb"));
    EXPECT_FALSE(CBookmarkCommands::MemoFits("a\nb"));
    EXPECT_TRUE(CBookmarkCommands::MemoFits("測定 start"));
}

TEST(BookmarkCommands, AListWithoutACurrentMarkKeepsTheColourOfNewMarkers) {
    BOOKMARKS b;
    b.commands.List()->Assign({{10, "a", 0}, {20, "b", 0}, {30, "c", 0}});
    b.commands.RebuildMarkers();
    EXPECT_EQ(b.markers.Colours, (std::map<int64_t, bool>{{10, true}, {20, true}, {30, true}}));
    EXPECT_TRUE(b.Current().empty());
    // The next command makes one current again.
    b.At(15);
    ASSERT_TRUE(b.commands.Next());
    EXPECT_EQ(b.markers.Colours, (std::map<int64_t, bool>{{10, false}, {20, true}, {30, false}}));
}
