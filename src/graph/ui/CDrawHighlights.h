#pragma once
#include "document/COMPARE_POSITION.h"
#include "graph/GRAPH_RECT.h"
#include "graph/ui/CDrawRect.h"

class CGraphGeometry;

// The inverted cells over the graph area: the compare results that are more
// than one cell, then the selection when it is more than one cell. Only the
// visible part of a compare run is inverted, so long runs and long lists cost
// only what is on the page.
class CDrawHighlights : public CDrawRect {
public:
    // The graph area, the visible page and the scale the cells map through.
    void SetGeometry(const CGraphGeometry& geometry);
    void SetCompare(const CCompareList* marks) { m_marks = marks; }
    // Anchor and current cell; a single cell paints nothing.
    void SetSelection(const GRAPH_CELL& anchor, const GRAPH_CELL& current) {
        m_anchor = anchor;
        m_current = current;
    }
    // Shift-bit mode paints neither compare results nor the selection.
    void SetShown(bool shown) { m_shown = shown; }

    void Draw(QPainter& painter) override;

private:
    void InvertCells(QPainter& painter, int clockA, int clockB, int rowA, int rowB) const;

    double m_pixelsPerClock = 10;
    int m_firstClock = 0;
    int m_firstRow = 0;
    int m_clocksPerPage = 1;
    int m_rowsPerPage = 1;
    const CCompareList* m_marks = nullptr;
    GRAPH_CELL m_anchor;
    GRAPH_CELL m_current;
    bool m_shown = true;
};
