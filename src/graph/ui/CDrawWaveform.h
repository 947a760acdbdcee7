#pragma once
#include <QImage>
#include <QLine>
#include <QVector>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph/CGraphModel.h"
#include "graph/CWaveformColumns.h"
#include "graph/ui/CDrawRect.h"

class CChannelTable;

// How the rows look: the screen's 30-pixel rows on black, or the printed
// page's rows of any height on white.
struct WAVE_STYLE {
    int rowHeight = 30;
    int margin = 4;  // the levels lie this far inside the row
    QColor background = ToQColor(graph_colour::Background);
    QColor separator = ToQColor(graph_colour::RowSeparator);
    bool frame = true;            // the 3-D border
    bool bandFullWidth = false;   // bus bands across the whole area, not only the clocks
    bool glyphImages = true;      // bus values from pre-rendered images (a pixel surface)
};

// The signal and bus rows of the graph area. Paint cost follows pixels: the
// visible page is summarised once per repaint into pixel columns shared by
// every row, lines are collected per pen and drawn in one call each, the bus
// band with its transition marks is drawn once and copied to every bus row,
// and bus value texts come from pre-rendered glyph images.
class CDrawWaveform : public CDrawRect {
public:
    explicit CDrawWaveform(float scale);

    // The row look and the font of the bus values.
    void SetStyle(const WAVE_STYLE& style, const QFont& font);

    // Visible clocks [first, end) with end = first + clocks per page + 1.
    void SetClocks(int firstClock, int endClock, float pixelsPerClock, int busHalfWidth);
    // Visible rows [first, last).
    void SetRows(int firstRow, int lastRow);
    // The data: words and valid length of the shown memory, the channel table
    // with its shown rows; a null table or memory draws the empty area.
    void SetData(const uint32_t* words, int validLength, const CChannelTable* table,
                 const std::vector<std::size_t>* shownRows);
    void SetTyping(const TYPING_STATE& typing) { m_typing = typing; }

    void Draw(QPainter& painter) override;

private:
    struct BUS_ROW {
        int y = 0;
        int row = 0;
        std::array<int8_t, 32> members{};
        int memberCount = 0;
    };
    void CollectRows(int lastClock);
    void DrawBusBands(QPainter& painter, int lastClock);
    void DrawBusTexts(QPainter& painter, int lastClock);
    // The labels of clocks first..last that hold one value.
    void DrawRun(QPainter& painter, int y, int firstClock, int lastClock, uint32_t value);
    void DrawLabel(QPainter& painter, int y, int left, double width, uint32_t value, const QImage* glyph);
    [[nodiscard]] uint32_t BusValue(const BUS_ROW& bus, int clock) const;
    [[nodiscard]] int CellLeft(int clock) const;
    [[nodiscard]] static QString TextOf(uint32_t value);
    [[nodiscard]] const QImage& BandStrip(int clocks);
    void CutMarks(int clocks);
    void PlotLines(QPainter& painter, const QVector<QLine>& lines, const QColor& colour);
    [[nodiscard]] const QImage* Glyph(uint32_t value);

    [[nodiscard]] int BandHeight() const { return m_style.rowHeight - 7; }

    float m_scale;
    WAVE_STYLE m_style;
    QFont m_font;
    int m_firstClock = 0;
    int m_endClock = 0;
    float m_pixelsPerClock = 10;
    int m_halfWidth = 2;
    int m_firstRow = 0;
    int m_lastRow = 0;
    const uint32_t* m_words = nullptr;
    int m_validLength = 0;
    const CChannelTable* m_table = nullptr;
    const std::vector<std::size_t>* m_shownRows = nullptr;
    TYPING_STATE m_typing;

    CWaveformColumns m_columns;
    QVector<QLine> m_signalLines;
    QVector<QLine> m_separatorLines;
    std::vector<BUS_ROW> m_busRows;

    QImage m_band;
    int m_bandClocks = -1;
    float m_bandPixelsPerClock = -1;
    int m_bandHalfWidth = -1;
    int m_bandWidth = -1;
    std::array<QImage, 256> m_glyphs;
};
