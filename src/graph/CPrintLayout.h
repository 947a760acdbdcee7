#pragma once
#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "graph/PRINT_PAGE.h"

class CGraphModel;

// The printer as the page sees it. Sizes are the printable area's.
struct PRINT_DEVICE {
    int printerDpiX = 600;
    int printerDpiY = 600;
    int horzRes = 0;     // printable width in printer dots
    int vertRes = 0;     // printable height in printer dots
    int horzSizeMm = 0;  // printable width in millimetres
    int vertSizeMm = 0;
    int screenDpiX = 0;  // 0: no screen; the printer's dpi serve for both
    int screenDpiY = 0;
};

// A shown row: its name and whether it sits inside a bus of the signal tree.
struct PRINT_ROW {
    std::string name;
    bool inBus = false;
};

// The graph's state at print time.
struct PRINT_GRAPH {
    int direction = 2;
    std::string title;
    std::string deviceName;
    float scale = 1.0f;  // the screen's display scale factor
    double zoom = 1.0;
    int firstVisibleClock = 0;  // in the shown memory
    int clocksPerPage = 1;
    int validLength = 0;
    int64_t absoluteOffset = 0;
    int tickCount = 1;  // tick intervals of the screen ruler
    double step = 1;    // ruler value per tick
    double firstValue = 0;
    std::string unitLabel = "[ Clock ]";
    std::array<bool, 2> cursorShown{};
    std::array<int64_t, 2> cursorPosition{};
    // The four lines of the Cursor A and Cursor B boxes.
    std::array<std::array<std::string, 4>, 2> cursorLines;
    std::vector<PRINT_ROW> rows;
    std::string dateLine;  // "yyyy/mm/dd hh:mm:ss Print Out"
};

// Widths of texts in the two page fonts, in logical units.
class IPrintMeasure {
public:
    virtual ~IPrintMeasure() = default;
    [[nodiscard]] virtual int TextWidth(const std::string& text, PRINT_FONT font) const = 0;
};

// The layout of the printed page: from the printer's metrics, the two line
// heights and the graph's state, every rectangle, tick, text and line of the
// one page in logical units, which are screen pixels.
class CPrintLayout {
public:
    static constexpr int MarginMm = 20;
    static constexpr int HandleHalfWidth = 6;
    static constexpr int HandleHeight = 13;
    static constexpr const char* Hidden = "xxxxx";

    CPrintLayout(const PRINT_DEVICE& device, int largeLine, int smallLine, const IPrintMeasure& measure);

    [[nodiscard]] PRINT_PAGE Compute(const PRINT_GRAPH& graph) const;

    // The graph's state now: ranges, ruler, cursors and their box lines, rows.
    [[nodiscard]] static PRINT_GRAPH GraphFrom(CGraphModel& model, const std::string& title);
    // "%04d/%02d/%02d %02d:%02d:%02d Print Out".
    [[nodiscard]] static std::string DateLine(const std::tm& local);
    // Tick intervals the screen ruler draws over `width` pixels at `spacing`.
    [[nodiscard]] static int ScreenTickCount(int width, int spacing);

private:
    void PlacePage(PRINT_PAGE& page) const;
    void PlaceNames(PRINT_PAGE& page, const PRINT_GRAPH& graph) const;
    void PlaceRuler(PRINT_PAGE& page, const PRINT_GRAPH& graph) const;
    void PlaceWaveArea(PRINT_PAGE& page, const PRINT_GRAPH& graph) const;
    void PlaceCursors(PRINT_PAGE& page, const PRINT_GRAPH& graph) const;
    void PlaceInfo(PRINT_PAGE& page, const PRINT_GRAPH& graph) const;
    [[nodiscard]] PRINT_TEXT MakeText(std::string text, GRAPH_RECT box, PRINT_FONT font, PRINT_ALIGN align) const;
    // The text shortened with "..." to fit `width`.
    [[nodiscard]] std::string Fit(const std::string& text, int width, PRINT_FONT font) const;

    PRINT_DEVICE m_device;
    int m_largeLine;
    int m_smallLine;
    const IPrintMeasure& m_measure;
};
