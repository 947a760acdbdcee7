#pragma once
#include <array>

#include "graph/CScrollBarGeometry.h"
#include "graph/ui/CDrawRect.h"

// The clock scroll bar at the bottom of the graph: track, scale with clock
// labels, thumb, scroll buttons and, for auto-saved recordings, block buttons.
class CDrawScrollBar : public CDrawRect {
public:
    explicit CDrawScrollBar(float scale);

    void SetGeometry(const CScrollBarGeometry& geometry);
    void SetBlockButtonsShown(bool shown) { m_blockButtons = shown; }
    // Clears every hover flag, then sets the one of `element`.
    void SetHover(SCROLL_ELEMENT element) { m_hover = element; }
    [[nodiscard]] SCROLL_ELEMENT Hover() const { return m_hover; }

    void Draw(QPainter& painter) override;

private:
    enum class ARROW { Left, Right };
    void DrawScale(QPainter& painter) const;
    void DrawGradientBox(QPainter& painter, const GRAPH_RECT& rect, const QColor& from, const QColor& to,
                         bool hovered) const;
    void DrawButton(QPainter& painter, const GRAPH_RECT& rect, ARROW arrow, int bars, bool hovered) const;

    CScrollBarGeometry m_geometry;
    bool m_blockButtons = false;
    SCROLL_ELEMENT m_hover = SCROLL_ELEMENT::None;
    QFont m_font;
};
