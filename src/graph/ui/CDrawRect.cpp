#include "graph/ui/CDrawRect.h"

#include <QPainter>
#include <QRect>
#include <QStringList>

void CDrawRect::Draw(QPainter& painter) {
    painter.fillRect(ToQRect(m_rect), m_fill);
    DrawFrame3D(painter, m_rect, m_border, m_border);
}

QFont CDrawRect::MakeFont(const QString& face, int pixelHeight, int weight) {
    QFont font;
    font.setFamilies({face, QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
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
