#include "graph/ui/CDrawRuler.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVector>

#include "graph/CGraphGeometry.h"
#include "graph/CRulerScale.h"

namespace {
const QColor RulerGreen = ToQColor(graph_colour::Ruler);
}

CDrawRuler::CDrawRuler(float scale)
    : m_scale(scale),
      m_baseSpacing(CGraphGeometry::Scaled(scale, 10)),
      m_font(MakeFont(QStringLiteral("ＭＳ Ｐゴシック"), CGraphGeometry::Scaled(scale, 10), 700)) {
    SetColors(Qt::black, RulerGreen);
}

void CDrawRuler::SetRange(double firstClock, double clocksPerTick) {
    m_firstClock = firstClock;
    m_clocksPerTick = clocksPerTick;
}

void CDrawRuler::SetUnit(int graphUnit, uint32_t clockValue, const std::string& prefix) {
    m_graphUnit = graphUnit;
    m_clockValue = clockValue;
    m_prefix = prefix;
}

void CDrawRuler::Draw(QPainter& painter) {
    const GRAPH_RECT& r = Rect();
    const int x0 = r.left;
    const int y0 = r.top;
    const int w = r.Width();
    const int h = r.Height();
    painter.fillRect(ToQRect(r), Qt::black);
    painter.setPen(RulerGreen);
    const QPoint outline[] = {{x0, y0}, {x0, y0 + h}, {x0 + w, y0 + h}, {x0 + w, y0}};
    painter.drawPolyline(outline, 4);

    const CRulerScale scale(m_graphUnit, m_clocksPerTick, m_baseSpacing, m_clockValue,
                            static_cast<int64_t>(m_firstClock));
    const int f = scale.Spacing();
    QVector<QLine> ticks;
    ticks.reserve(w / f + 1);
    painter.setFont(m_font);
    const QFontMetrics metrics(m_font);
    const int labelOffset = CGraphGeometry::Scaled(m_scale, 5);
    const int labelTop = y0 + CGraphGeometry::Scaled(m_scale, 2);
    int tick = 0;
    for (int x = x0; x < x0 + w; x += f, ++tick) {
        const int length = CRulerScale::TickLength(tick, m_scale, h);
        ticks.append(QLine(x, y0 + h, x, y0 + h - length));
        if (CRulerScale::IsLabelled(tick)) {
            const QString text = QString::fromStdString(CRulerScale::LabelText(scale.Label(tick)));
            const QRect box(x + labelOffset, labelTop, metrics.horizontalAdvance(text), metrics.height());
            painter.fillRect(box, Qt::black);
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        }
    }
    painter.drawLines(ticks);

    const QString unit = QString::fromStdString(CRulerScale::UnitLabel(m_graphUnit, m_prefix));
    const int unitWidth = metrics.horizontalAdvance(unit);
    const QRect unitBox(x0 + w - labelOffset - unitWidth, labelTop, unitWidth, metrics.height());
    painter.fillRect(unitBox, Qt::black);
    painter.drawText(unitBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, unit);
}
