#include "graph/ui/CDrawRect.h"

#include <QPainter>
#include <QRect>
#include <QStringList>

#include "resources/ui/CInterfaceFont.h"

void CDrawRect::Draw(QPainter& painter) {
    painter.fillRect(ToQRect(m_rect), m_fill);
    DrawFrame3D(painter, m_rect, m_border, m_border);
}

QFont CDrawRect::MakeFont(const QString& face, int pixelHeight, int weight) {
    return CInterfaceFont::Make(face, pixelHeight, weight);
}

QRect CDrawRect::ToQRect(const GRAPH_RECT& rect) {
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void CDrawRect::DrawFrame3D(QPainter& painter, const GRAPH_RECT& rect, const QColor& topLeft,
                            const QColor& bottomRight) {
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    painter.setPen(topLeft);
    painter.drawLine(rect.left, rect.top, right, rect.top);
    painter.drawLine(rect.left, rect.top, rect.left, bottom);
    painter.setPen(bottomRight);
    painter.drawLine(rect.left, bottom, right, bottom);
    painter.drawLine(right, rect.top, right, bottom);
}
