#pragma once
#include <cstdint>
#include <vector>

// One pixel column of the visible page: the clocks whose right edges fall on
// the same x, summarised for all 32 bits at once.
struct WAVE_COLUMN {
    int x = 0;              // right edge shared by the column's clocks
    uint32_t first = 0;     // word of the column's first clock
    uint32_t last = 0;      // word of the column's last clock
    uint32_t changed = 0;   // bits that are 0 in some clock and 1 in another
};

// The change summary of the visible page. The page never holds more than
// eight clocks per pixel (the zoom floor is 0.0125 at 10 px per clock), so
// one pass over the page's words per repaint serves every row: a signal row
// then costs one step per pixel column, whatever the memory's length.
class CWaveformColumns {
public:
    // Clocks [first, end) of words; right edge of clock i is
    // int((i - first + 1) * p) + x0 in single precision.
    void Build(const uint32_t* words, int first, int end, float pixelsPerClock, int x0);

    [[nodiscard]] const std::vector<WAVE_COLUMN>& Columns() const { return m_columns; }
    [[nodiscard]] int StartX() const { return m_x0; }
    [[nodiscard]] int FirstClock() const { return m_first; }
    [[nodiscard]] int EndClock() const { return m_end; }

    // The lines of one signal bit between the high level yHigh and the low
    // level yLow, as sink(x1, y1, x2, y2) calls: level runs as single
    // horizontal lines, a vertical line at each change, a full-height line in
    // each column whose clocks differ.
    template <class Sink>
    void SignalLines(int bit, int yHigh, int yLow, Sink&& sink) const;

private:
    std::vector<WAVE_COLUMN> m_columns;
    int m_x0 = 0;
    int m_first = 0;
    int m_end = 0;
};

template <class Sink>
void CWaveformColumns::SignalLines(int bit, int yHigh, int yLow, Sink&& sink) const {
    if (m_columns.empty()) {
        return;
    }
    const auto level = [bit](uint32_t word) { return static_cast<int>((word >> bit) & 1U); };
    const auto y = [yHigh, yLow](int high) { return high != 0 ? yHigh : yLow; };
    int runLevel = level(m_columns.front().first);
    int runStart = m_x0;
    int penX = m_x0;
    for (const WAVE_COLUMN& column : m_columns) {
        const int firstLevel = level(column.first);
        if (firstLevel != runLevel) {
            if (penX > runStart) {
                sink(runStart, y(runLevel), penX, y(runLevel));
            }
            sink(penX, yHigh, penX, yLow);
            runStart = penX;
            runLevel = firstLevel;
        }
        if (((column.changed >> bit) & 1U) != 0) {
            sink(column.x, yHigh, column.x, yLow);
            const int lastLevel = level(column.last);
            if (lastLevel != runLevel) {
                if (column.x > runStart) {
                    sink(runStart, y(runLevel), column.x, y(runLevel));
                }
                runStart = column.x;
                runLevel = lastLevel;
            }
        }
        penX = column.x;
    }
    if (penX > runStart) {
        sink(runStart, y(runLevel), penX, y(runLevel));
    }
}
