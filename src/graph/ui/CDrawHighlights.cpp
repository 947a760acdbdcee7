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
    m_clocksPerPage = geometry.ClocksPerPage();
    m_rowsPerPage = geometry.RowsPerPage();
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
        const int64_t firstClock = m_firstClock;
        const int64_t lastClock = firstClock + m_clocksPerPage;
        const int64_t firstRow = m_firstRow;
        const int64_t lastRow = firstRow + m_rowsPerPage;
        for (const COMPARE_POSITION& mark : *m_marks) {
            if (mark.FirstClock == mark.LastClock && mark.FirstRow == mark.LastRow) {
                continue;
            }
            const int64_t low = std::max<int64_t>(std::min(mark.FirstClock, mark.LastClock), firstClock);
            const int64_t high = std::min<int64_t>(std::max(mark.FirstClock, mark.LastClock), lastClock);
            const int64_t top = std::max<int64_t>(std::min(mark.FirstRow, mark.LastRow), firstRow);
            const int64_t bottom = std::min<int64_t>(std::max(mark.FirstRow, mark.LastRow), lastRow);
            if (low <= high && top <= bottom) {
                InvertCells(painter, static_cast<int>(low), static_cast<int>(high), static_cast<int>(top),
                            static_cast<int>(bottom));
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
    painter.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(graph_colour::Highlight));
}
