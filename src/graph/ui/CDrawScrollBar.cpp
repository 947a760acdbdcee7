#include "graph/ui/CDrawScrollBar.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QVector>

#include "graph/CGraphGeometry.h"

namespace {
const QColor ScaleWhite(255, 255, 255);
const QColor GlyphWhite(250, 250, 250);
}  // namespace

CDrawScrollBar::CDrawScrollBar(float scale)
    : m_font(MakeFont(QStringLiteral("ＭＳ Ｐゴシック"), CGraphGeometry::Scaled(scale, 10), 700)) {}

void CDrawScrollBar::SetGeometry(const CScrollBarGeometry& geometry) {
    m_geometry = geometry;
    SetRect(geometry.Strip());
}

void CDrawScrollBar::Draw(QPainter& painter) {
    const GRAPH_RECT& strip = Rect();
    QLinearGradient background(strip.left, 0, strip.right, 0);
    background.setColorAt(0.0, QColor(150, 150, 150));
    background.setColorAt(0.1, QColor(150, 150, 150));
    background.setColorAt(1.0, QColor(50, 50, 50));
    painter.fillRect(ToQRect(strip), background);
    const GRAPH_RECT& track = m_geometry.Track();
    DrawFrame3D(painter, track, QColor(40, 40, 40), QColor(100, 100, 100));

    DrawScale(painter);
    DrawGradientBox(painter, m_geometry.Thumb(), QColor(80, 20, 0), QColor(250, 200, 100),
                    m_hover == SCROLL_ELEMENT::Thumb);
    DrawButton(painter, m_geometry.ScrollLeft(), ARROW::Left, 0, m_hover == SCROLL_ELEMENT::ScrollLeft);
    DrawButton(painter, m_geometry.ScrollRight(), ARROW::Right, 0, m_hover == SCROLL_ELEMENT::ScrollRight);
    if (m_blockButtons) {
        DrawButton(painter, m_geometry.FirstBlock(), ARROW::Left, 2, m_hover == SCROLL_ELEMENT::FirstBlock);
        DrawButton(painter, m_geometry.PreviousBlock(), ARROW::Left, 1, m_hover == SCROLL_ELEMENT::PreviousBlock);
        DrawButton(painter, m_geometry.NextBlock(), ARROW::Right, 1, m_hover == SCROLL_ELEMENT::NextBlock);
        DrawButton(painter, m_geometry.LastBlock(), ARROW::Right, 2, m_hover == SCROLL_ELEMENT::LastBlock);
    }
}

void CDrawScrollBar::DrawScale(QPainter& painter) const {
    const GRAPH_RECT& area = m_geometry.ScaleArea();
    painter.setPen(ScaleWhite);
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font);
    QVector<QLine> lines;
    lines.append(QLine(area.left, area.top + 5, area.right, area.top + 5));
    int lastRight = area.right;
    for (int i = 0; i <= 10; ++i) {
        const int x = m_geometry.TickX(i);
        lines.append(QLine(x, area.top, x, area.top + 10));
        const QString label = QString::number(m_geometry.TickValue(i));
        const int width = metrics.horizontalAdvance(label);
        const QRect box(x - width / 2, area.top + 10, width, metrics.height());
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, label);
        lastRight = box.right() + 1;
    }
    painter.drawLines(lines);
    const QString unit = QStringLiteral(" [ Clock ] ");
    painter.drawText(QRect(lastRight, area.top + 10, metrics.horizontalAdvance(unit), metrics.height()),
                     Qt::AlignLeft | Qt::TextSingleLine, unit);
}

void CDrawScrollBar::DrawGradientBox(QPainter& painter, const GRAPH_RECT& rect, const QColor& from,
                                     const QColor& to, bool hovered) const {
    QLinearGradient gradient(0, rect.top, 0, rect.bottom);
    gradient.setColorAt(0.0, from);
    gradient.setColorAt(0.5, from);
    gradient.setColorAt(1.0, to);
    painter.fillRect(ToQRect(rect), gradient);
    if (hovered) {
        QColor highlight = QPalette().color(QPalette::Highlight);
        highlight.setAlpha(110);
        painter.fillRect(ToQRect(rect), highlight);
    }
}

void CDrawScrollBar::DrawButton(QPainter& painter, const GRAPH_RECT& rect, ARROW arrow, int bars,
                                bool hovered) const {
    DrawGradientBox(painter, rect, QColor(50, 50, 50), QColor(150, 150, 150), hovered);
    const int inset = 4;
    const int left = rect.left + inset;
    const int right = rect.right - 1 - inset;
    const int top = rect.top + inset;
    const int bottom = rect.bottom - 1 - inset;
    const int middle = (top + bottom) / 2;
    QVector<QLine> glyph;
    // The bars stand at the far end the arrow points to; the arrow head fills the rest.
    const int barSpace = bars * 2;
    if (arrow == ARROW::Left) {
        for (int b = 0; b < bars; ++b) {
            glyph.append(QLine(left + 2 * b, top, left + 2 * b, bottom));
        }
        const int tip = left + barSpace;
        glyph.append(QLine(tip, middle, right, top));
        glyph.append(QLine(tip, middle, right, bottom));
        glyph.append(QLine(right, top, right, bottom));
    } else {
        for (int b = 0; b < bars; ++b) {
            glyph.append(QLine(right - 2 * b, top, right - 2 * b, bottom));
        }
        const int tip = right - barSpace;
        glyph.append(QLine(tip, middle, left, top));
        glyph.append(QLine(tip, middle, left, bottom));
        glyph.append(QLine(left, top, left, bottom));
    }
    painter.setPen(GlyphWhite);
    painter.drawLines(glyph);
}
