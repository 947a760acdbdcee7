#pragma once
#include <QFont>
#include <QFontMetrics>
#include <string>

#include "graph/CPrintLayout.h"
#include "graph/ui/CDrawWaveform.h"

class CGraphModel;
class QPainter;

// Widths of texts in the page fonts, as the painter draws them.
class CPrintMeasure : public IPrintMeasure {
public:
    CPrintMeasure(const QFont& large, const QFont& small) : m_large(large), m_small(small) {}
    [[nodiscard]] int TextWidth(const std::string& text, PRINT_FONT font) const override;

private:
    QFontMetrics m_large;
    QFontMetrics m_small;
};

// Draws a laid-out page with a painter whose units are screen pixels. The
// waveforms are the screen's drawing object in the page's row style.
class CPrintPainter {
public:
    explicit CPrintPainter(float scale);

    // "Tahoma" 20 and 10 units high; a sans font with Japanese glyphs when
    // the face is missing.
    [[nodiscard]] static QFont LargeFont();
    [[nodiscard]] static QFont SmallFont();

    void Paint(QPainter& painter, const PRINT_PAGE& page, const CGraphModel& model);

private:
    void DrawText(QPainter& painter, const PRINT_TEXT& text) const;
    void DrawRuler(QPainter& painter, const PRINT_PAGE& page) const;
    void DrawWaveforms(QPainter& painter, const PRINT_PAGE& page, const CGraphModel& model);
    void DrawCursors(QPainter& painter, const PRINT_PAGE& page) const;

    QFont m_large;
    QFont m_small;
    CDrawWaveform m_waveform;
};
