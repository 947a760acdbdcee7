#include "graph/CPrintLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "document/CChannelTable.h"
#include "document/CLogicDocument.h"
#include "graph/CGraphGeometry.h"
#include "graph/CGraphModel.h"
#include "graph/CRulerScale.h"
#include "resources/CStringTable.h"

namespace {

constexpr int DirectionSampling = 1;

// The margin of a side: 20 mm, or a tenth of the side on paper too small
// for two 20 mm margins.
float MarginOf(int sizeMm) {
    constexpr float smallest = 2.0f * CPrintLayout::MarginMm;
    return sizeMm > smallest ? static_cast<float>(CPrintLayout::MarginMm) : static_cast<float>(sizeMm) / 10.0f;
}

// The part of a box line after its label, "" when the line is shorter.
std::string After(const std::string& line, std::size_t label) {
    return line.size() > label ? line.substr(label) : std::string();
}

// Index of the start of the last UTF-8 character before `end`.
std::size_t PreviousCharacter(const std::string& text, std::size_t end) {
    std::size_t i = end;
    while (i > 0) {
        --i;
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            break;
        }
    }
    return i;
}

}  // namespace

CPrintLayout::CPrintLayout(const PRINT_DEVICE& device, int largeLine, int smallLine, const IPrintMeasure& measure)
    : m_device(device), m_largeLine(std::max(1, largeLine)), m_smallLine(std::max(1, smallLine)), m_measure(measure) {
    m_device.printerDpiX = std::max(1, m_device.printerDpiX);
    m_device.printerDpiY = std::max(1, m_device.printerDpiY);
    if (m_device.screenDpiX <= 0 || m_device.screenDpiY <= 0) {
        m_device.screenDpiX = m_device.printerDpiX;
        m_device.screenDpiY = m_device.printerDpiY;
    }
    m_device.horzSizeMm = std::max(1, m_device.horzSizeMm);
    m_device.vertSizeMm = std::max(1, m_device.vertSizeMm);
}

std::string CPrintLayout::DateLine(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d Print Out", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

int CPrintLayout::ScreenTickCount(int width, int spacing) {
    // Ticks at 0, f, 2f, ... while x < width.
    const int f = std::max(1, spacing);
    return std::max(1, (std::max(0, width) + f - 1) / f);
}

PRINT_GRAPH CPrintLayout::GraphFrom(CGraphModel& model, const std::string& title) {
    const CGraphGeometry& geometry = model.Geometry();
    PRINT_GRAPH graph;
    graph.direction = model.Direction();
    graph.title = title;
    graph.deviceName = model.Document().Condition().DeviceName;
    graph.scale = geometry.Scale();
    graph.zoom = geometry.Zoom();
    graph.firstVisibleClock = geometry.FirstVisibleClock();
    graph.clocksPerPage = geometry.ClocksPerPage();
    graph.validLength = model.ValidLength();
    graph.absoluteOffset = model.AbsoluteOffset();
    const CRulerScale ruler = model.Ruler();
    graph.tickCount = ScreenTickCount(geometry.Ruler().Width(), ruler.Spacing());
    graph.step = ruler.Step();
    graph.firstValue = ruler.FirstValue();
    graph.unitLabel = CRulerScale::UnitLabel(model.GraphUnit(), model.UnitPrefix());
    for (int which = 0; which < 2; ++which) {
        const GRAPH_CURSOR& cursor = model.Cursor(which);
        const auto index = static_cast<std::size_t>(which);
        graph.cursorShown[index] = cursor.shown;
        graph.cursorPosition[index] = cursor.position;
        if (cursor.shown) {
            graph.cursorLines[index] = model.BoxLines(which == 0 ? INFO_BOX::CursorA : INFO_BOX::CursorB);
        }
    }
    if (const CChannelTable* table = model.Table()) {
        for (const std::size_t row : model.ShownRows()) {
            const LOGIC_DATA& data = table->Items()[row];
            graph.rows.push_back({data.ChannelName, data.IsBus == 0 && data.ParentItem != 0});
        }
    }
    return graph;
}

PRINT_PAGE CPrintLayout::Compute(const PRINT_GRAPH& graph) const {
    PRINT_PAGE page;
    PlacePage(page);
    const GRAPH_RECT& p = page.printable;
    page.date = MakeText(graph.dateLine, {p.left, p.top, p.right, p.top + m_largeLine}, PRINT_FONT::Large,
                         PRINT_ALIGN::Right);
    const int gt = p.top + m_largeLine + 5;
    const int gb = std::max(p.bottom - 7 * m_smallLine - 2 * m_largeLine - 14, gt + (p.bottom - gt) / 2);
    page.frame = {p.left, gt, p.right, gb};
    PlaceNames(page, graph);
    PlaceRuler(page, graph);
    PlaceWaveArea(page, graph);
    PlaceCursors(page, graph);
    PlaceInfo(page, graph);
    page.footer = MakeText("- 1 -", {p.left, p.bottom - m_smallLine, p.right, p.bottom}, PRINT_FONT::Small,
                           PRINT_ALIGN::Centre);
    return page;
}

void CPrintLayout::PlacePage(PRINT_PAGE& page) const {
    const PRINT_DEVICE& d = m_device;
    page.pageWidth = static_cast<int>(static_cast<int64_t>(d.screenDpiX) * d.horzRes / d.printerDpiX);
    page.pageHeight = static_cast<int>(static_cast<int64_t>(d.screenDpiY) * d.vertRes / d.printerDpiY);
    const auto pw = static_cast<float>(page.pageWidth);
    const auto ph = static_cast<float>(page.pageHeight);
    const auto hs = static_cast<float>(d.horzSizeMm);
    const auto vs = static_cast<float>(d.vertSizeMm);
    const float mx = MarginOf(d.horzSizeMm);
    const float my = MarginOf(d.vertSizeMm);
    page.printable = {static_cast<int>(pw * mx / hs), static_cast<int>(ph * my / vs),
                      static_cast<int>((hs - mx) * pw / hs), static_cast<int>((vs - my) * ph / vs)};
    page.largeLine = m_largeLine;
    page.smallLine = m_smallLine;
}

void CPrintLayout::PlaceNames(PRINT_PAGE& page, const PRINT_GRAPH& graph) const {
    const GRAPH_RECT& p = page.printable;
    const int rulerHeight = CGraphGeometry::Scaled(graph.scale, 20);
    const int n = std::max(1, static_cast<int>(graph.rows.size()));
    const int top = page.frame.top + rulerHeight;
    page.nameRowHeight = std::max(1, (page.frame.bottom - top - 3) / n);
    // Names may take a third of the width at most; longer ones are shortened.
    const int widest = p.left + std::max(1, p.Width() / 3);
    int graphLeft = p.left;
    for (std::size_t i = 0; i < graph.rows.size(); ++i) {
        const PRINT_ROW& row = graph.rows[i];
        const int x = p.left + (row.inBus ? 12 : 2);
        const int rowTop = top + static_cast<int>(i) * page.nameRowHeight;
        const std::string text = Fit(row.name, widest - x, PRINT_FONT::Small);
        PRINT_TEXT name = MakeText(text, {x, rowTop, p.right, rowTop + page.nameRowHeight}, PRINT_FONT::Small,
                                   PRINT_ALIGN::Left);
        graphLeft = std::max(graphLeft, x + name.width);
        page.names.push_back(std::move(name));
    }
    page.graphLeft = std::min(graphLeft, widest);
}

void CPrintLayout::PlaceRuler(PRINT_PAGE& page, const PRINT_GRAPH& graph) const {
    const int gl = page.graphLeft;
    const int right = page.printable.right - 2;
    const int top = page.frame.top + 2;
    const int bottom = top + CGraphGeometry::Scaled(graph.scale, 20);
    page.ruler = {gl, top, right, bottom};
    page.rulerEdges = {{gl, top, gl, bottom}, {gl, bottom, right, bottom}};
    const int intervals = std::max(1, graph.tickCount);
    page.tickSpacing = static_cast<float>(right - gl) / static_cast<float>(intervals);
    page.unitLabel = MakeText(graph.unitLabel, {right - 5, top + 2, right - 5, bottom}, PRINT_FONT::Small,
                              PRINT_ALIGN::Right);
    page.unitLabel.box.left -= page.unitLabel.width;
    const double step = std::max(1.0, graph.step);
    for (int o = 0; o < intervals; ++o) {
        const int x = gl + static_cast<int>(static_cast<float>(o) * page.tickSpacing);
        if (x >= right) {
            break;
        }
        const int length = o % 10 == 0 ? bottom - top : (o % 5 == 0 ? 9 : 6);
        page.ticks.push_back({x, bottom, x, bottom - length});
        if (o % 10 != 0) {
            continue;
        }
        char value[48];
        std::snprintf(value, sizeof value, "%.0lf", std::floor(o * step + graph.firstValue));
        // The value's top-left corner is 5 units right of its tick and 2
        // below the ruler's top edge.
        PRINT_TEXT label = MakeText(value, {x + 5, top + 2, x + 5, top + 2 + m_smallLine}, PRINT_FONT::Small,
                                    PRINT_ALIGN::Left);
        label.box.right = label.box.left + label.width;
        label.top = true;
        label.opaque = true;
        // A label that would run into the unit label or past the end is left out.
        if (label.box.right < page.unitLabel.box.left) {
            page.tickLabels.push_back(std::move(label));
        }
    }
}

void CPrintLayout::PlaceWaveArea(PRINT_PAGE& page, const PRINT_GRAPH& graph) const {
    page.waveArea = {page.graphLeft, page.ruler.bottom, page.ruler.right, std::max(page.ruler.bottom, page.frame.bottom)};
    const double perClock = graph.zoom < 1.0 ? page.tickSpacing * graph.zoom : page.tickSpacing;
    page.pixelsPerClock = static_cast<float>(perClock);
    page.busHalfWidth = CGraphGeometry::BusHalfWidthFor(perClock);
    page.rowCount = static_cast<int>(graph.rows.size());
    page.rowHeight = std::max(1, (page.frame.bottom - page.waveArea.top - 1) / std::max(1, page.rowCount));
    page.firstClock = std::max(0, graph.firstVisibleClock);
    page.endClock = std::max(page.firstClock,
                             std::min(graph.firstVisibleClock + graph.clocksPerPage + 1, graph.validLength));
}

void CPrintLayout::PlaceCursors(PRINT_PAGE& page, const PRINT_GRAPH& graph) const {
    const int gl = page.graphLeft;
    const int right = page.printable.right - 2;
    const int gt = page.frame.top;
    const int64_t first = graph.absoluteOffset + graph.firstVisibleClock;
    const int64_t last = first + std::max(1, graph.clocksPerPage) - 1;
    const int64_t span = std::max<int64_t>(1, last - first);
    constexpr int w = HandleHalfWidth;
    constexpr int h = HandleHeight;
    for (std::size_t which = 0; which < 2; ++which) {
        PRINT_CURSOR& cursor = page.cursors[which];
        cursor.shown = graph.cursorShown[which];
        if (!cursor.shown) {
            continue;
        }
        const int64_t position = graph.cursorPosition[which];
        if (position < first) {
            cursor.polygon = {{gl + w, gt}, {gl, gt + h / 2}, {gl + w, gt + h}};
            continue;
        }
        if (position > last) {
            cursor.polygon = {{right - w, gt}, {right, gt + h / 2}, {right - w, gt + h}};
            continue;
        }
        const int x = gl + static_cast<int>(static_cast<int64_t>(right - gl) * (position - first) / span);
        cursor.inside = true;
        cursor.x = x;
        cursor.polygon = {{x - w, gt}, {x + w, gt}, {x + w, gt + 7}, {x, gt + h}, {x - w, gt + 7}};
        cursor.line = {x, gt + h, x, page.frame.bottom};
        cursor.letter = MakeText(which == 0 ? "A" : "B", {x - w, gt, x + w, gt + h}, PRINT_FONT::Small,
                                 PRINT_ALIGN::Centre);
    }
}

void CPrintLayout::PlaceInfo(PRINT_PAGE& page, const PRINT_GRAPH& graph) const {
    const GRAPH_RECT& p = page.printable;
    const int column = p.Width() / 4;
    // Lines 1 and 6 are headings in the large font. Each column keeps its
    // own line position: the two left columns print lines 1-4 and 6-8, the
    // two right columns lines 1-5; a column's second text of a line stands
    // beside its first.
    constexpr int lines = 8;
    const auto positions = [this, &page](bool leftColumns) {
        std::array<int, lines + 1> y{};
        int next = page.frame.bottom + 5;
        for (int i = 0; i < lines; ++i) {
            y[static_cast<std::size_t>(i)] = next;
            const bool printed = leftColumns ? i != 4 : i < 5;
            if (printed) {
                next += ((i == 0 || i == 5) ? m_largeLine : m_smallLine) + 1;
            }
        }
        y[lines] = next;
        return y;
    };
    const std::array<int, lines + 1> yLeft = positions(true);
    const std::array<int, lines + 1> yRight = positions(false);
    // A text keeps to its columns (`columns` wide); a heading's box spans to
    // the right margin.
    const auto put = [&](int line, int col, const std::string& text, int columns = 1) {
        const auto l = static_cast<std::size_t>(line - 1);
        const std::array<int, lines + 1>& y = col < 2 ? yLeft : yRight;
        const bool heading = line == 1 || line == 6;
        const PRINT_FONT font = heading ? PRINT_FONT::Large : PRINT_FONT::Small;
        const int height = heading ? m_largeLine : m_smallLine;
        const int left = p.left + col * column;
        const int right = heading ? p.right : left + column;
        const int room = col + columns >= 4 ? p.right - left : columns * column;
        const std::string fitted = Fit(text, room - 2, font);
        page.info.push_back(MakeText(fitted, {left, y[l], right, y[l] + height}, font, PRINT_ALIGN::Left));
    };
    const bool a = graph.cursorShown[0];
    const bool b = graph.cursorShown[1];
    const auto& linesA = graph.cursorLines[0];
    const auto& linesB = graph.cursorLines[1];
    const std::string hidden = Hidden;
    put(1, 0, LoadText(graph.direction == DirectionSampling ? IDS_PRINT_SAMPLING_INFO : IDS_PRINT_GENERATING_INFO),
        2);
    put(1, 2, LoadText(IDS_PRINT_CURSOR_INFO), 2);
    put(2, 0, LoadText(IDS_PRINT_FILE_NAME));
    put(2, 1, graph.title);
    put(3, 0, LoadText(IDS_PRINT_TOTAL_CHANNELS));
    put(3, 1, "32");
    put(4, 0, LoadText(IDS_PRINT_DEVICE_NAME));
    put(4, 1, graph.deviceName);
    put(2, 2, LoadText(IDS_PRINT_CURSOR_A_TIME));
    put(2, 3, a ? After(linesA[2], 10) : hidden);
    put(3, 2, LoadText(IDS_PRINT_CURSOR_B_TIME));
    put(3, 3, b ? After(linesB[2], 10) : hidden);
    put(4, 2, LoadText(IDS_PRINT_CURSOR_A_B_TIME));
    put(4, 3, a && b ? After(linesA[3], 9) : hidden);
    put(5, 2, LoadText(IDS_PRINT_CURSOR_B_A_TIME));
    put(5, 3, a && b ? After(linesB[3], 9) : hidden);
    // The heading shares its line with "Cursor B-A time": it keeps to the
    // two left columns.
    put(6, 0, LoadText(IDS_PRINT_CHANNEL_INFO), 2);
    put(7, 0, LoadText(IDS_PRINT_CURSOR_A_VALUE));
    put(7, 1, LoadText(IDS_PRINT_CURSOR_B_VALUE));
    put(8, 0, a ? After(linesA[1], 6) : hidden);
    put(8, 1, b ? After(linesB[1], 6) : hidden);
}

PRINT_TEXT CPrintLayout::MakeText(std::string text, GRAPH_RECT box, PRINT_FONT font, PRINT_ALIGN align) const {
    PRINT_TEXT made;
    made.width = m_measure.TextWidth(text, font);
    made.text = std::move(text);
    made.box = box;
    made.font = font;
    made.align = align;
    return made;
}

std::string CPrintLayout::Fit(const std::string& text, int width, PRINT_FONT font) const {
    if (m_measure.TextWidth(text, font) <= width) {
        return text;
    }
    std::string shortened = text;
    while (!shortened.empty()) {
        shortened.erase(PreviousCharacter(shortened, shortened.size()));
        if (m_measure.TextWidth(shortened + "...", font) <= width) {
            return shortened + "...";
        }
    }
    return {};
}
