#include "graph/ui/CDrawHighlights.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "graph/CGraphGeometry.h"

void CDrawHighlights::SetGeometry(const CGraphGeometry& geometry) {
    SetRect(geometry.GraphArea());
    m_pixelsPerClock = geometry.PixelsPerClock();
    m_firstClock = geometry.FirstVisibleClock();
    m_firstRow = geometry.FirstVisibleRow();
}

void CDrawHighlights::Draw(QPainter& painter) {
    if (!m_shown) {
        return;
    }
    const GRAPH_RECT& area = Rect();
    painter.save();
    painter.setClipRect(ToQRect(area), Qt::IntersectClip);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    if (m_marks != nullptr) {
        for (const COMPARE_POSITION& mark : *m_marks) {
            if (mark.FirstClock != mark.LastClock || mark.FirstRow != mark.LastRow) {
                InvertCells(painter, static_cast<int>(mark.FirstClock), static_cast<int>(mark.LastClock),
                            static_cast<int>(mark.FirstRow), static_cast<int>(mark.LastRow));
            }
        }
    }
    if (m_anchor != m_current) {
        InvertCells(painter, m_anchor.clock, m_current.clock, m_anchor.row, m_current.row);
    }
    painter.restore();
}

void CDrawHighlights::InvertCells(QPainter& painter, int clockA, int clockB, int rowA, int rowB) const {
    const GRAPH_RECT& area = Rect();
    const double p = m_pixelsPerClock;
    const int left = area.left + static_cast<int>((std::min(clockA, clockB) - m_firstClock) * p);
    const int right = area.left + static_cast<int>((std::max(clockA, clockB) - m_firstClock) * p) +
                      static_cast<int>(std::ceil(p));
    const int top = area.top + CGraphGeometry::RowHeight * (std::min(rowA, rowB) - m_firstRow);
    const int bottom = area.top + CGraphGeometry::RowHeight * (std::max(rowA, rowB) - m_firstRow) +
                       CGraphGeometry::RowHeight;
    painter.fillRect(QRect(left, top, right - left, bottom - top), Qt::white);
}
