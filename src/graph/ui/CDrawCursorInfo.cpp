#include "graph/ui/CDrawCursorInfo.h"

#include <QFontMetrics>
#include <QPainter>

#include "graph/CGraphGeometry.h"

CDrawCursorInfo::CDrawCursorInfo(float scale)
    : m_font(MakeFont(QStringLiteral("ＭＳ Ｐゴシック"), CGraphGeometry::Scaled(scale, 12), 700)) {
    for (int i = 0; i < LineCount; ++i) {
        m_lines.append(QString());
    }
    SetColors(ToQColor(graph_colour::Background), ToQColor(graph_colour::Background));
}

void CDrawCursorInfo::SetLine(int index, const QString& text) {
    if (index >= 0 && index < m_lines.size()) {
        m_lines[index] = text;
    }
}

const QString& CDrawCursorInfo::Line(int index) const {
    static const QString none;
    return index >= 0 && index < m_lines.size() ? m_lines[index] : none;
}

void CDrawCursorInfo::Draw(QPainter& painter) {
    const GRAPH_RECT& box = Rect();
    painter.save();
    painter.fillRect(ToQRect(box), Fill());
    DrawFrame3D(painter, box, Border(), Border());
    painter.setClipRect(ToQRect(box));
    painter.setFont(m_font);
    painter.setPen(m_text);
    const int height = QFontMetrics(m_font).height();
    int top = box.top;
    for (const QString& line : m_lines) {
        if (top >= box.bottom) {
            break;
        }
        if (!line.isEmpty()) {
            painter.drawText(QRect(box.left + 2, top, box.Width() - 2, height),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
        }
        top += height;
    }
    painter.restore();
}
