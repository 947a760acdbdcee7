#pragma once
#include <QString>
#include <cstdint>

#include "graph/CMarkerGeometry.h"
#include "graph/ui/CDrawRect.h"

// The marker of cursor A or B: a handle in the ruler with its label and a
// line down through the graph (A solid, B dotted), or an edge triangle
// pointing toward a cursor outside the visible range.
class CDrawCursor : public CDrawRect {
public:
    CDrawCursor(float scale, const QColor& colour, Qt::PenStyle lineStyle, const QString& label);

    // The marker band and the visible absolute range [minimum, maximum].
    void SetBand(const GRAPH_RECT& band, int64_t minimum, int64_t maximum);
    void SetPosition(int64_t position) { m_position = position; }
    [[nodiscard]] int64_t Position() const { return m_position; }
    // The hit area of the handle (position clamped to the range).
    [[nodiscard]] GRAPH_RECT HandleBox() const;

    void Draw(QPainter& painter) override;

protected:
    [[nodiscard]] CMarkerGeometry Markers() const;
    [[nodiscard]] const QColor& Colour() const { return m_colour; }
    void SetColour(const QColor& colour) { m_colour = colour; }
    [[nodiscard]] static QPolygon ToPolygon(const MARKER_SHAPE& shape);

private:
    QColor m_colour;
    Qt::PenStyle m_lineStyle;
    QString m_label;
    int m_handleWidth;
    int m_handleHeight;
    int64_t m_minimum = 0;
    int64_t m_maximum = 0;
    int64_t m_position = 0;
    QFont m_font;
};
