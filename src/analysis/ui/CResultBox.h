#pragma once
#include <QColor>
#include <QFont>
#include <QStringList>

#include "graph/ui/CDrawRect.h"

class CDataPatternList;
class CGraphModel;
class CResultPages;

// The analysis result box in the graph's result strip: a grey rounded box
// showing the selected page of the result pages (logical operation, pulse
// count, frequency, search request, data patterns). It takes the strip and
// the visible clocks from the graph model on every paint and draws only the
// visible clocks of a logical-operation result.
class CResultBox : public CDrawRect {
public:
    static constexpr int SlotCount = 5;
    static constexpr int SlotMargin = 2;
    static constexpr int TruncationMark = 8;  // pixels at a slot's right edge

    CResultBox(const CGraphModel& model, const CResultPages& pages, CDataPatternList& patterns, float scale);

    void Draw(QPainter& painter) override;

    // The texts the selected page shows, in drawing order (empty before its
    // first result): page 0 title and channels, pages 1 and 2 their two
    // lines, page 3 its three texts.
    [[nodiscard]] QStringList Texts() const;
    // Width of one data-pattern slot for a box width.
    [[nodiscard]] static int SlotWidth(int boxWidth) { return (boxWidth - 4 * SlotMargin) / SlotCount; }
    // Whether a pattern of `length` bits fits its slot at a clock width.
    [[nodiscard]] static bool PatternFits(int boxWidth, int length, double pixelsPerClock);

private:
    void DrawLogic(QPainter& painter, const GRAPH_RECT& box) const;
    void DrawTwoTexts(QPainter& painter, const GRAPH_RECT& box, const QStringList& texts) const;
    void DrawSearch(QPainter& painter, const GRAPH_RECT& box) const;
    void DrawPatterns(QPainter& painter, const GRAPH_RECT& box);
    void DrawPatternBits(QPainter& painter, const GRAPH_RECT& slot, const QString& bits, bool fits) const;

    const CGraphModel& m_model;
    const CResultPages& m_pages;
    CDataPatternList& m_patterns;
    float m_scale;
    QFont m_font;
    int m_titleWidth;
};
