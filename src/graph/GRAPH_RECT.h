#pragma once

// A pixel rectangle of the graph: left and top inside, right and bottom
// outside, as the strips and scroll bar elements are given.
struct GRAPH_RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] int Width() const { return right - left; }
    [[nodiscard]] int Height() const { return bottom - top; }
    [[nodiscard]] bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const GRAPH_RECT&) const = default;
};

// A pixel point of the graph.
struct GRAPH_POINT {
    int x = 0;
    int y = 0;
    bool operator==(const GRAPH_POINT&) const = default;
};

// A cell of the graph: a clock position and a shown-row index.
struct GRAPH_CELL {
    int clock = 0;
    int row = 0;
    bool operator==(const GRAPH_CELL&) const = default;
};
