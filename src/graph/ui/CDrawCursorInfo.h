#pragma once
#include <QString>
#include <QStringList>

#include "graph/ui/CDrawRect.h"

// One of the three information boxes under the graph (Current, Cursor A,
// Cursor B): lines of white text on black, top to bottom.
class CDrawCursorInfo : public CDrawRect {
public:
    static constexpr int LineCount = 100;

    explicit CDrawCursorInfo(float scale);

    void SetLine(int index, const QString& text);
    [[nodiscard]] const QString& Line(int index) const;

    void Draw(QPainter& painter) override;

private:
    QStringList m_lines;
    QColor m_text = ToQColor(graph_colour::InfoText);
    QFont m_font;
};
