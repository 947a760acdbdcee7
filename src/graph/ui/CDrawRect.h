#pragma once
#include <QColor>
#include <QFont>

#include "graph/GRAPH_RECT.h"
#include "graph/GraphColours.h"

class QPainter;
class QRect;

// A graph colour as the painter takes it.
inline QColor ToQColor(const GRAPH_COLOUR& colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

// A drawable box of the graph: rectangle, fill colour and border colour. The
// graph view is the only caller of Draw; each object keeps its own copy of the
// geometry the view hands it.
class CDrawRect {
public:
    CDrawRect() = default;
    virtual ~CDrawRect() = default;
    CDrawRect(const CDrawRect&) = delete;
    CDrawRect& operator=(const CDrawRect&) = delete;

    void SetRect(const GRAPH_RECT& rect) { m_rect = rect; }
    [[nodiscard]] const GRAPH_RECT& Rect() const { return m_rect; }
    void SetColors(const QColor& fill, const QColor& border) {
        m_fill = fill;
        m_border = border;
    }
    [[nodiscard]] const QColor& Fill() const { return m_fill; }
    [[nodiscard]] const QColor& Border() const { return m_border; }

    // Fills the box and draws its 3-D border.
    virtual void Draw(QPainter& painter);

    // A font of the given face at a pixel height; faces the platform lacks
    // fall back to a sans font that also has Japanese glyphs.
    [[nodiscard]] static QFont MakeFont(const QString& face, int pixelHeight, int weight);
    [[nodiscard]] static QRect ToQRect(const GRAPH_RECT& rect);

protected:
    // A 1-pixel frame: top and left edges in one colour, bottom and right in the other.
    static void DrawFrame3D(QPainter& painter, const GRAPH_RECT& rect, const QColor& topLeft,
                            const QColor& bottomRight);

private:
    GRAPH_RECT m_rect;
    QColor m_fill{0, 0, 0};
    QColor m_border{0, 0, 0};
};
