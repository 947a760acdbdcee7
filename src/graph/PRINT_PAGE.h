#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/GRAPH_RECT.h"

// The two fonts of the printed page: "Tahoma" 20 and 10 units high.
enum class PRINT_FONT { Large, Small };
enum class PRINT_ALIGN { Left, Right, Centre };

// One text of the page, drawn in `box` on one line, vertically centred
// unless it hangs from the box's top.
struct PRINT_TEXT {
    std::string text;
    GRAPH_RECT box;
    PRINT_FONT font = PRINT_FONT::Small;
    PRINT_ALIGN align = PRINT_ALIGN::Left;
    bool top = false;     // the text's top at the box's top
    bool opaque = false;  // drawn on a white background
    int width = 0;        // measured width of the text

    // The rectangle the text's ink occupies: its width placed by the
    // alignment inside the box, the box's height.
    [[nodiscard]] GRAPH_RECT Extent() const;
};

struct PRINT_LINE {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const PRINT_LINE&) const = default;
};

// A cursor on the page: a handle with its letter and a line down to the
// graph bottom inside the visible range, an edge triangle outside it.
struct PRINT_CURSOR {
    bool shown = false;
    bool inside = false;
    int x = 0;
    std::vector<GRAPH_POINT> polygon;
    PRINT_LINE line;
    PRINT_TEXT letter;
};

// Everything drawn on the one printed page, in logical units (screen pixels).
struct PRINT_PAGE {
    int pageWidth = 0;   // PW
    int pageHeight = 0;  // PH
    GRAPH_RECT printable;
    int largeLine = 0;  // LH
    int smallLine = 0;  // SH

    PRINT_TEXT date;
    GRAPH_RECT frame;  // GT, GB and the margins
    std::vector<PRINT_TEXT> names;
    int nameRowHeight = 0;  // RS
    int graphLeft = 0;      // GL

    GRAPH_RECT ruler;
    std::vector<PRINT_LINE> rulerEdges;  // left and bottom edge
    std::vector<PRINT_LINE> ticks;
    std::vector<PRINT_TEXT> tickLabels;
    PRINT_TEXT unitLabel;
    float tickSpacing = 1;

    GRAPH_RECT waveArea;
    float pixelsPerClock = 1;
    int busHalfWidth = 0;
    int rowHeight = 1;
    int firstClock = 0;  // visible clocks [firstClock, endClock)
    int endClock = 0;
    int rowCount = 0;

    std::array<PRINT_CURSOR, 2> cursors;
    std::vector<PRINT_TEXT> info;
    PRINT_TEXT footer;

    // Every text of the page.
    [[nodiscard]] std::vector<const PRINT_TEXT*> Texts() const;
    // The information block's text that reads `text`, nullptr without one.
    [[nodiscard]] const PRINT_TEXT* InfoText(const std::string& text) const;
};
