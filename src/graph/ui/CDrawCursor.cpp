#include "graph/ui/CDrawCursor.h"

#include <QPainter>
#include <QPolygon>

#include "graph/CGraphGeometry.h"

CDrawCursor::CDrawCursor(float scale, const QColor& colour, Qt::PenStyle lineStyle, const QString& label)
    : m_colour(colour),
      m_lineStyle(lineStyle),
      m_label(label),
      m_handleWidth(CGraphGeometry::Scaled(scale, 12)),
      m_handleHeight(CGraphGeometry::Scaled(scale, 14)),
      m_font(MakeFont(QStringLiteral("Tahoma"), CGraphGeometry::Scaled(scale, 12), 100)) {}

void CDrawCursor::SetBand(const GRAPH_RECT& band, int64_t minimum, int64_t maximum) {
    SetRect(band);
    m_minimum = minimum;
    m_maximum = maximum;
}

CMarkerGeometry CDrawCursor::Markers() const {
    return CMarkerGeometry(Rect(), m_minimum, m_maximum, m_handleWidth, m_handleHeight);
}

GRAPH_RECT CDrawCursor::HandleBox() const {
    return Markers().HandleBox(m_position);
}

QPolygon CDrawCursor::ToPolygon(const MARKER_SHAPE& shape) {
    QPolygon polygon;
    for (int i = 0; i < shape.count; ++i) {
        polygon << QPoint(shape.points[static_cast<std::size_t>(i)].x, shape.points[static_cast<std::size_t>(i)].y);
    }
    return polygon;
}

void CDrawCursor::Draw(QPainter& painter) {
    const GRAPH_RECT& band = Rect();
    painter.save();
    painter.setClipRect(QRect(band.left, band.top, band.Width() + 1, band.Height()));
    painter.setBrush(m_colour);
    painter.setPen(m_colour);
    const MARKER_SHAPE shape = Markers().Cursor(m_position);
    painter.drawPolygon(ToPolygon(shape));
    if (shape.place == MARKER_PLACE::Inside) {
        painter.setPen(Qt::black);
        painter.setFont(m_font);
        painter.drawText(ToQRect(shape.box), Qt::AlignCenter | Qt::TextSingleLine, m_label);
        QPen line(m_colour, 0, m_lineStyle);
        painter.setPen(line);
        painter.drawLine(shape.tip.x, shape.tip.y, shape.tip.x, band.top + band.Height());
    }
    painter.restore();
}
