#include "graph/ui/CPrintPainter.h"

#include <QPainter>
#include <QPolygon>

#include "document/CLogicMemory.h"
#include "graph/CGraphModel.h"
#include "graph/GraphColours.h"
#include "graph/ui/CDrawRect.h"

namespace {

const QColor CursorAColour = ToQColor(graph_colour::CursorA);
const QColor CursorBColour = ToQColor(graph_colour::CursorB);
const QColor SeparatorGrey = ToQColor(graph_colour::PrintRowSeparator);

QRect ToQRect(const GRAPH_RECT& rect) { return CDrawRect::ToQRect(rect); }

}  // namespace

int CPrintMeasure::TextWidth(const std::string& text, PRINT_FONT font) const {
    const QString string = QString::fromStdString(text);
    return (font == PRINT_FONT::Large ? m_large : m_small).horizontalAdvance(string);
}

CPrintPainter::CPrintPainter(float scale) : m_large(LargeFont()), m_small(SmallFont()), m_waveform(scale) {}

QFont CPrintPainter::LargeFont() { return CDrawRect::MakeFont(QStringLiteral("Tahoma"), 20, 400); }

QFont CPrintPainter::SmallFont() { return CDrawRect::MakeFont(QStringLiteral("Tahoma"), 10, 400); }

void CPrintPainter::Paint(QPainter& painter, const PRINT_PAGE& page, const CGraphModel& model) {
    painter.save();
    DrawText(painter, page.date);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(page.frame));
    for (const PRINT_TEXT& name : page.names) {
        DrawText(painter, name);
    }
    DrawRuler(painter, page);
    DrawWaveforms(painter, page, model);
    DrawCursors(painter, page);
    for (const PRINT_TEXT& text : page.info) {
        DrawText(painter, text);
    }
    DrawText(painter, page.footer);
    painter.restore();
}

void CPrintPainter::DrawText(QPainter& painter, const PRINT_TEXT& text) const {
    painter.setFont(text.font == PRINT_FONT::Large ? m_large : m_small);
    if (text.opaque) {
        painter.fillRect(ToQRect(text.Extent()), Qt::white);
    }
    painter.setPen(Qt::black);
    Qt::Alignment align = text.top ? Qt::AlignTop : Qt::AlignVCenter;
    switch (text.align) {
    case PRINT_ALIGN::Left: align |= Qt::AlignLeft; break;
    case PRINT_ALIGN::Right: align |= Qt::AlignRight; break;
    case PRINT_ALIGN::Centre: align |= Qt::AlignHCenter; break;
    }
    painter.drawText(ToQRect(text.box), static_cast<int>(align | Qt::TextSingleLine | Qt::TextDontClip),
                     QString::fromStdString(text.text));
}

void CPrintPainter::DrawRuler(QPainter& painter, const PRINT_PAGE& page) const {
    painter.fillRect(ToQRect(page.ruler), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    QVector<QLine> lines;
    for (const PRINT_LINE& line : page.rulerEdges) {
        lines.append(QLine(line.x1, line.y1, line.x2, line.y2));
    }
    for (const PRINT_LINE& tick : page.ticks) {
        lines.append(QLine(tick.x1, tick.y1, tick.x2, tick.y2));
    }
    painter.drawLines(lines);
    for (const PRINT_TEXT& label : page.tickLabels) {
        DrawText(painter, label);
    }
    DrawText(painter, page.unitLabel);
}

void CPrintPainter::DrawWaveforms(QPainter& painter, const PRINT_PAGE& page, const CGraphModel& model) {
    WAVE_STYLE style;
    style.rowHeight = page.rowHeight;
    style.background = Qt::white;
    style.separator = SeparatorGrey;
    style.frame = false;
    style.bandFullWidth = true;
    style.glyphImages = false;
    m_waveform.SetStyle(style, m_small);
    m_waveform.SetRect(page.waveArea);
    m_waveform.SetClocks(page.firstClock, page.endClock, page.pixelsPerClock, page.busHalfWidth);
    m_waveform.SetRows(0, page.rowCount);
    const CLogicMemory* memory = model.Memory();
    m_waveform.SetData(memory != nullptr ? memory->Data() : nullptr, model.ValidLength(), model.Table(),
                       &model.ShownRows());
    painter.save();
    painter.setClipRect(ToQRect(page.waveArea));
    m_waveform.Draw(painter);
    painter.restore();
}

void CPrintPainter::DrawCursors(QPainter& painter, const PRINT_PAGE& page) const {
    for (std::size_t which = 0; which < 2; ++which) {
        const PRINT_CURSOR& cursor = page.cursors[which];
        if (!cursor.shown) {
            continue;
        }
        const QColor& colour = which == 0 ? CursorAColour : CursorBColour;
        QPolygon polygon;
        for (const GRAPH_POINT& point : cursor.polygon) {
            polygon << QPoint(point.x, point.y);
        }
        painter.setPen(QPen(colour, 1, Qt::SolidLine));
        painter.setBrush(colour);
        painter.drawPolygon(polygon);
        if (!cursor.inside) {
            continue;
        }
        painter.setPen(QPen(colour, 1, which == 0 ? Qt::SolidLine : Qt::DashLine));
        painter.drawLine(cursor.line.x1, cursor.line.y1, cursor.line.x2, cursor.line.y2);
        DrawText(painter, cursor.letter);
    }
    painter.setBrush(Qt::NoBrush);
}
