#include "graph/ui/CDrawWaveform.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "document/CChannelTable.h"
#include "graph/CGraphGeometry.h"

namespace {
const QColor SignalGreen = ToQColor(graph_colour::SignalLevel);
const QColor BusOrange = ToQColor(graph_colour::BusBand);
const QColor BusText = ToQColor(graph_colour::BusText);
}  // namespace

CDrawWaveform::CDrawWaveform(float scale)
    : m_scale(scale), m_font(MakeFont(QStringLiteral("ＭＳ Ｐゴシック"), CGraphGeometry::Scaled(scale, 12), 700)) {
    SetColors(Qt::black, Qt::black);
}

void CDrawWaveform::SetStyle(const WAVE_STYLE& style, const QFont& font) {
    m_style = style;
    // Rows keep the height they are given, so they stay beside their names;
    // a row too low for its margins draws its levels closer to its edges.
    m_style.rowHeight = std::max(1, style.rowHeight);
    m_style.margin = std::clamp(style.margin, 0, (m_style.rowHeight - 1) / 2);
    m_font = font;
    m_glyphs = {};
    m_bandClocks = -1;
}

void CDrawWaveform::SetClocks(int firstClock, int endClock, float pixelsPerClock, int busHalfWidth) {
    m_firstClock = std::max(0, firstClock);
    m_endClock = endClock;
    m_pixelsPerClock = pixelsPerClock;
    m_halfWidth = busHalfWidth;
}

void CDrawWaveform::SetRows(int firstRow, int lastRow) {
    m_firstRow = std::max(0, firstRow);
    m_lastRow = lastRow;
}

void CDrawWaveform::SetData(const uint32_t* words, int validLength, const CChannelTable* table,
                            const std::vector<std::size_t>* shownRows) {
    m_words = words;
    m_validLength = validLength;
    m_table = table;
    m_shownRows = shownRows;
}

void CDrawWaveform::Draw(QPainter& painter) {
    const GRAPH_RECT& area = Rect();
    painter.fillRect(ToQRect(area), m_style.background);
    if (m_style.frame) {
        DrawFrame3D(painter, area, Qt::black, Qt::black);
    }
    if (m_table == nullptr || m_words == nullptr || m_shownRows == nullptr) {
        return;
    }
    m_separatorLines.clear();
    const int rowHeight = m_style.rowHeight;
    for (int i = 1; i <= area.Height() / rowHeight; ++i) {
        const int y = area.top + rowHeight * i;
        m_separatorLines.append(QLine(area.left, y, area.right, y));
    }
    painter.setPen(m_style.separator);
    painter.drawLines(m_separatorLines);
    if (m_validLength <= 0) {
        return;
    }
    const int end = std::min(m_endClock, m_validLength);
    if (m_firstClock >= end) {
        return;
    }
    const int lastClock = end - 1;
    m_columns.Build(m_words, m_firstClock, end, m_pixelsPerClock, area.left);
    CollectRows(lastClock);
    PlotLines(painter, m_signalLines, SignalGreen);
    DrawBusBands(painter, lastClock);
    DrawBusTexts(painter, lastClock);
}

void CDrawWaveform::CollectRows(int /*lastClock*/) {
    const GRAPH_RECT& area = Rect();
    m_signalLines.clear();
    m_busRows.clear();
    const std::vector<std::size_t>& shown = *m_shownRows;
    const int count = static_cast<int>(shown.size());
    for (int r = m_firstRow; r < count && r < m_lastRow; ++r) {
        const LOGIC_DATA& row = m_table->Items()[shown[static_cast<std::size_t>(r)]];
        if (row.IsEnable == 0) {
            continue;
        }
        const int rowTop = area.top + (r - m_firstRow) * m_style.rowHeight;
        const int yLow = rowTop + m_style.rowHeight - m_style.margin;
        const int yHigh = rowTop + m_style.margin;
        if (row.IsBus == 0) {
            if (row.DeviceChannel < 0 || row.DeviceChannel > 31) {
                continue;
            }
            m_columns.SignalLines(row.DeviceChannel, yHigh, yLow, [this](int x1, int y1, int x2, int y2) {
                m_signalLines.append(QLine(x1, y1, x2, y2));
            });
            continue;
        }
        BUS_ROW bus;
        bus.y = yHigh;
        bus.row = r;
        for (const LOGIC_DATA& member : m_table->Items()) {
            if (member.IsBus != 1 && member.DeviceChannel >= 0 && member.DeviceChannel <= 31 &&
                ((row.BusChannel >> member.DeviceChannel) & 1U) != 0 && bus.memberCount < 32) {
                bus.members[static_cast<std::size_t>(bus.memberCount++)] = static_cast<int8_t>(member.DeviceChannel);
            }
        }
        m_busRows.push_back(bus);
    }
}

const QImage& CDrawWaveform::BandStrip(int clocks) {
    const int width = Rect().Width();
    if (clocks == m_bandClocks && m_pixelsPerClock == m_bandPixelsPerClock && m_halfWidth == m_bandHalfWidth &&
        width == m_bandWidth) {
        return m_band;
    }
    m_bandClocks = clocks;
    m_bandPixelsPerClock = m_pixelsPerClock;
    m_bandHalfWidth = m_halfWidth;
    m_bandWidth = width;
    // The band with its marks is the same in every bus row: drawn once here
    // (y 0 is the high level) and copied into each row.
    m_band = QImage(std::max(1, width), BandHeight() + 1, QImage::Format_RGB32);
    m_band.fill(m_style.background);
    QPainter painter(&m_band);
    const int bandWidth = m_style.bandFullWidth ? width : static_cast<int>(clocks * m_pixelsPerClock + 1);
    painter.fillRect(QRect(0, 0, bandWidth, BandHeight()), BusOrange);
    painter.end();
    CutMarks(clocks);
    return m_band;
}

void CDrawWaveform::CutMarks(int clocks) {
    const int k = m_halfWidth;
    if (k <= 0) {
        return;
    }
    // Each mark is the filled path (xs - k, 0), (xs + k, 23), (xs - k, 23),
    // (xs + k, 0): two triangles meeting in the middle of the band. Row y is
    // black between the two diagonals.
    const int width = m_band.width();
    const int bottom = BandHeight();  // the low level + 1
    for (int y = 0; y <= bottom && y < m_band.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_band.scanLine(y));
        const double along = static_cast<double>(y) / bottom;
        const double spread = k - 2.0 * k * along;  // +k at the top, -k at the bottom
        const int reach = static_cast<int>(std::lround(std::fabs(spread)));
        for (int i = 0; i < clocks; ++i) {
            const int xs = static_cast<int>(i * m_pixelsPerClock);
            const int from = std::max(0, xs - reach);
            const int to = std::min(width - 1, xs + reach);
            for (int x = from; x <= to; ++x) {
                line[x] = qRgb(0, 0, 0);
            }
        }
    }
}

void CDrawWaveform::PlotLines(QPainter& painter, const QVector<QLine>& lines, const QColor& colour) {
    auto* image = dynamic_cast<QImage*>(painter.device());
    const bool direct = image != nullptr && !painter.hasClipping() && painter.transform().isIdentity() &&
                        (image->format() == QImage::Format_RGB32 ||
                         image->format() == QImage::Format_ARGB32_Premultiplied);
    if (!direct) {
        painter.setPen(colour);
        painter.drawLines(lines);
        return;
    }
    // Every waveform line is horizontal or vertical: written straight into
    // the surface, both end points included, clipped to the graph area.
    const GRAPH_RECT& area = Rect();
    const int left = std::max(0, area.left);
    const int right = std::min(image->width(), area.right) - 1;
    const int top = std::max(0, area.top);
    const int bottom = std::min(image->height(), area.bottom) - 1;
    const QRgb rgb = colour.rgb();
    uchar* bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    const auto pixel = [bits, stride](int x, int y) {
        return reinterpret_cast<QRgb*>(bits + y * stride) + x;
    };
    for (const QLine& line : lines) {
        if (line.y1() == line.y2()) {
            const int y = line.y1();
            if (y < top || y > bottom) {
                continue;
            }
            const int from = std::max(left, std::min(line.x1(), line.x2()));
            const int to = std::min(right, std::max(line.x1(), line.x2()));
            QRgb* p = pixel(from, y);
            for (int x = from; x <= to; ++x) {
                *p++ = rgb;
            }
        } else {
            const int x = line.x1();
            if (x < left || x > right) {
                continue;
            }
            const int from = std::max(top, std::min(line.y1(), line.y2()));
            const int to = std::min(bottom, std::max(line.y1(), line.y2()));
            for (int y = from; y <= to; ++y) {
                *pixel(x, y) = rgb;
            }
        }
    }
}

void CDrawWaveform::DrawBusBands(QPainter& painter, int lastClock) {
    if (m_busRows.empty()) {
        return;
    }
    const QImage& band = BandStrip(lastClock - m_firstClock + 1);
    const int x0 = Rect().left;
    for (const BUS_ROW& bus : m_busRows) {
        painter.drawImage(x0, bus.y, band);
    }
}

const QImage* CDrawWaveform::Glyph(uint32_t value) {
    if (value >= m_glyphs.size() || !m_style.glyphImages) {
        return nullptr;
    }
    QImage& glyph = m_glyphs[value];
    if (glyph.isNull()) {
        const QString text = QString::number(value, 16).toUpper();
        const QFontMetrics metrics(m_font);
        glyph = QImage(std::max(1, metrics.horizontalAdvance(text)), metrics.height(),
                       QImage::Format_ARGB32_Premultiplied);
        glyph.fill(Qt::transparent);
        QPainter painter(&glyph);
        painter.setFont(m_font);
        painter.setPen(BusText);
        painter.drawText(glyph.rect(), Qt::AlignCenter | Qt::TextSingleLine, text);
    }
    return &glyph;
}

uint32_t CDrawWaveform::BusValue(const BUS_ROW& bus, int clock) const {
    if (m_typing.active && m_typing.clock == clock && m_typing.row == bus.row) {
        return m_typing.value;
    }
    const uint32_t word = m_words[clock];
    uint32_t value = 0;
    for (int j = 0; j < bus.memberCount; ++j) {
        value |= ((word >> bus.members[static_cast<std::size_t>(j)]) & 1U) << j;
    }
    return value;
}

void CDrawWaveform::DrawBusTexts(QPainter& painter, int lastClock) {
    if (m_busRows.empty()) {
        return;
    }
    painter.setPen(BusText);
    painter.setFont(m_font);
    // Consecutive clocks of one value form a run: a label that fits a cell
    // is drawn in every cell of the run, a wider one once across the run.
    for (const BUS_ROW& bus : m_busRows) {
        int runStart = m_firstClock;
        uint32_t runValue = BusValue(bus, runStart);
        for (int i = m_firstClock + 1; i <= lastClock; ++i) {
            const uint32_t value = BusValue(bus, i);
            if (value != runValue) {
                DrawRun(painter, bus.y, runStart, i - 1, runValue);
                runStart = i;
                runValue = value;
            }
        }
        DrawRun(painter, bus.y, runStart, lastClock, runValue);
    }
}

void CDrawWaveform::DrawRun(QPainter& painter, int y, int firstClock, int lastClock, uint32_t value) {
    const QImage* glyph = Glyph(value);
    const int width = glyph != nullptr ? glyph->width() : QFontMetrics(m_font).horizontalAdvance(TextOf(value));
    if (width <= m_pixelsPerClock) {
        for (int i = firstClock; i <= lastClock; ++i) {
            DrawLabel(painter, y, CellLeft(i), m_pixelsPerClock, value, glyph);
        }
        return;
    }
    const double runWidth = (lastClock - firstClock + 1) * static_cast<double>(m_pixelsPerClock);
    if (width <= runWidth) {
        DrawLabel(painter, y, CellLeft(firstClock), runWidth, value, glyph);
    }
}

int CDrawWaveform::CellLeft(int clock) const {
    return static_cast<int>((clock - m_firstClock) * m_pixelsPerClock + 1) + Rect().left;
}

QString CDrawWaveform::TextOf(uint32_t value) { return QString::number(value, 16).toUpper(); }

void CDrawWaveform::DrawLabel(QPainter& painter, int y, int left, double width, uint32_t value,
                              const QImage* glyph) {
    const int cellHeight = m_style.rowHeight - 2 * m_style.margin;
    if (glyph == nullptr) {
        // Wide buses loaded from files: drawn as text.
        painter.drawText(QRectF(left, y, width, cellHeight), Qt::AlignCenter | Qt::TextSingleLine, TextOf(value));
        return;
    }
    const int x = left + static_cast<int>((width - glyph->width()) / 2);
    painter.drawImage(x, y + (cellHeight - glyph->height()) / 2, *glyph);
}
