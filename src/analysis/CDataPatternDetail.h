#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/DATA_PATTERN.h"
#include "graph/GRAPH_RECT.h"

// Scroll requests of the details window's horizontal scroll bar.
enum class DETAIL_SCROLL { LineLeft, LineRight, PageLeft, PageRight, ThumbTrack, ThumbPosition, Other };

// The data pattern details window without its window: the pattern shown,
// the scroll position and the first bit shown, the step line of the bits and
// where the window goes above the graph.
class CDataPatternDetail {
public:
    static constexpr int LineStep = 10;    // scroll units per line
    static constexpr int StepHeight = 15;  // from the low to the high level
    static constexpr int ClientWidthUnits = 145;  // dialog units
    static constexpr int ClientHeightUnits = 26;

    CDataPatternDetail(const DATA_PATTERN& pattern, float scale);

    [[nodiscard]] const DATA_PATTERN& Pattern() const { return m_pattern; }
    [[nodiscard]] int BitCount() const { return static_cast<int>(m_pattern.Bits.size()); }
    // 10 x s pixels (truncated), at least 1.
    [[nodiscard]] int BitWidth() const { return m_bitWidth; }
    // The scroll range: 0 .. 10 x s x bit count.
    [[nodiscard]] int ScrollMaximum() const { return m_maximum; }
    [[nodiscard]] int Position() const { return m_position; }
    [[nodiscard]] int FirstBit() const { return m_firstBit; }

    // A scroll request; true when the window is to be redrawn.
    bool Scroll(DETAIL_SCROLL request, int thumbPosition = 0);

    // The step line from x = 0 with the first bit shown, bit b at
    // y = client height - 15 b - 2, as points joined by straight lines. Bits
    // right of the client width are left out.
    [[nodiscard]] std::vector<GRAPH_POINT> StepLine(int clientWidth, int clientHeight) const;

    // Top-left of a window of `height` whose left edge is one pixel left of
    // graph left + slot left and whose bottom edge is one pixel above the graph's top.
    [[nodiscard]] static GRAPH_POINT Placement(int graphLeft, int graphTop, int slotLeft, int height);
    // Dialog units to pixels: horizontal units are a quarter of the average
    // character width, vertical ones an eighth of the character height.
    [[nodiscard]] static int HorizontalUnits(int units, int averageCharWidth) { return units * averageCharWidth / 4; }
    [[nodiscard]] static int VerticalUnits(int units, int charHeight) { return units * charHeight / 8; }

private:
    void SetPosition(int position);

    DATA_PATTERN m_pattern;
    int m_bitWidth = 10;
    int m_maximum = 0;
    int m_position = 0;
    int m_firstBit = 0;
};
