#pragma once

// Heights of the four rows of a document window's left column.
struct LEFT_COLUMN_ROWS {
    int Header = 24;
    int Signals = 0;
    int Workspace = 20;
    int Status = 130;

    bool operator==(const LEFT_COLUMN_ROWS&) const = default;
};

// The sizes of a document window's panes. The display scale factor s is the
// screen's horizontal dots per inch / 96 rounded down to one decimal; it is
// kept here in tenths so that the row arithmetic is exact.
class CChildFrameLayout {
public:
    static constexpr int LeftColumnWidth = 200;
    static constexpr int GraphWidth = 400;
    static constexpr int GraphMinimumWidth = 200;
    static constexpr int TreeWidth = 120;
    static constexpr int ListWidth = 80;
    static constexpr int MiddleMinimumWidth = 10;
    // Header, workspace and status rows together at s = 1.
    static constexpr int FixedRowsHeight = 174;

    // s in tenths: 96 dpi gives 10, 120 gives 12, 144 gives 15.
    [[nodiscard]] static int ScaleTenths(int dotsPerInch);
    [[nodiscard]] static float ScaleFactor(int dotsPerInch) { return static_cast<float>(ScaleTenths(dotsPerInch)) / 10.0f; }

    // The rows for a frame client height: header 24 + c, workspace 20 + c,
    // status 130 + d and the signal row the rest (at least 0), with
    // c = trunc(20 (s - 1)) and d = trunc(80 (s - 1)).
    [[nodiscard]] static LEFT_COLUMN_ROWS LeftColumnRows(int scaleTenths, int clientHeight);
};
