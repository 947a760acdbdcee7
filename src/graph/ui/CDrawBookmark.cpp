#include "graph/ui/CDrawBookmark.h"

#include <QPainter>

const QColor CDrawBookmark::CurrentColour = ToQColor(graph_colour::CurrentBookmark);
const QColor CDrawBookmark::OtherColour = ToQColor(graph_colour::OtherBookmark);

CDrawBookmark::CDrawBookmark(float scale, int64_t position)
    : CDrawCursor(scale, CurrentColour, Qt::SolidLine, QString()) {
    SetPosition(position);
}

void CDrawBookmark::SetCurrent(bool current) {
    m_current = current;
    SetColour(current ? CurrentColour : OtherColour);
}

void CDrawBookmark::Draw(QPainter& painter) {
    const GRAPH_RECT& band = Rect();
    painter.save();
    painter.setClipRect(QRect(band.left, band.top, band.Width() + 1, band.Height()));
    painter.setBrush(Colour());
    painter.setPen(Colour());
    painter.drawPolygon(ToPolygon(Markers().Bookmark(Position())));
    painter.restore();
}
