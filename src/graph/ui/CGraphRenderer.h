#pragma once
#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graph/CGraphModel.h"
#include "graph/CScrollBarGeometry.h"
#include "graph/GRAPH_INPUT.h"

class CGraphGeometry;
class CGraphModel;
class CDrawRect;
class CDrawRuler;
class CDrawScrollBar;
class CDrawWaveform;
class CDrawCursor;
class CDrawCursorInfo;
class CDrawBookmark;
class CDrawHighlights;

// Where an added drawing object is painted: in the result strip's place of
// the painting order (after the scroll bar, before the waveforms), or on top
// of everything.
enum class DRAW_LAYER { Result, Overlay };

// What the painting needs besides the model.
struct GRAPH_PAINT_STATE {
    SCROLL_ELEMENT hover = SCROLL_ELEMENT::None;
    bool bookmarksShown = false;
    bool paintSelection = true;
};

// The painting of the graph: owns the drawing objects (ruler, clock scroll
// bar, waveforms, cursors, info boxes, bookmark markers, highlights) and one
// off-screen surface the size of the client area. Changes mark parts of the
// graph dirty (GRAPH_PART); Render repaints only the dirty parts into the
// surface, and the window copies only the rectangle it is asked for. Each
// drawing object lies inside one part and is drawn, in the painting order,
// whenever its part is repainted; objects from other subsystems join with
// AddDrawObject and are repainted with the part their rectangle lies in.
class CGraphRenderer {
public:
    explicit CGraphRenderer(float scale);
    ~CGraphRenderer();
    CGraphRenderer(const CGraphRenderer&) = delete;
    CGraphRenderer& operator=(const CGraphRenderer&) = delete;

    // Re-creates the surface at the client size; everything becomes dirty.
    void Resize(int cx, int cy);
    [[nodiscard]] const QImage& Surface() const { return m_surface; }

    // Marks parts dirty; returns their rectangle in window coordinates.
    QRect Invalidate(unsigned parts, const CGraphGeometry& geometry);
    [[nodiscard]] unsigned Dirty() const { return m_dirty; }
    // The rectangle of some parts in window coordinates.
    [[nodiscard]] static QRect PartsRect(unsigned parts, const CGraphGeometry& geometry);
    // Repaints the dirty parts from the model; returns the rectangle repainted.
    QRect Render(CGraphModel& model, const GRAPH_PAINT_STATE& state);

    // --- drawing objects from elsewhere (the analysis result box); not owned.
    void AddDrawObject(CDrawRect* object, DRAW_LAYER layer = DRAW_LAYER::Result);
    void RemoveDrawObject(CDrawRect* object);

    // --- bookmark markers (absolute positions); new markers are current-coloured
    void AddBookmark(int64_t position);
    void HighlightBookmark(int64_t position);
    void RemoveBookmark(int64_t position);
    void RemoveAllBookmarks();
    [[nodiscard]] std::size_t BookmarkCount() const { return m_bookmarks.size(); }

private:
    struct LAYER_OBJECT {
        CDrawRect* object = nullptr;
        DRAW_LAYER layer = DRAW_LAYER::Result;
    };
    void Prepare(CGraphModel& model, const GRAPH_PAINT_STATE& state, unsigned parts);
    void PrepareWaveform(const CGraphModel& model);
    void PrepareBox(CGraphModel& model, CDrawCursorInfo& box, INFO_BOX which);
    // The objects to paint, in painting order.
    [[nodiscard]] std::vector<CDrawRect*> PaintOrder(const CGraphModel& model, const GRAPH_PAINT_STATE& state) const;

    float m_scale;
    QImage m_surface;
    unsigned m_dirty = GRAPH_PART_ALL;
    std::unique_ptr<CDrawRuler> m_ruler;
    std::unique_ptr<CDrawScrollBar> m_scrollBar;
    std::unique_ptr<CDrawWaveform> m_waveform;
    std::unique_ptr<CDrawCursor> m_cursorA;
    std::unique_ptr<CDrawCursor> m_cursorB;
    std::unique_ptr<CDrawCursorInfo> m_currentBox;
    std::unique_ptr<CDrawCursorInfo> m_cursorABox;
    std::unique_ptr<CDrawCursorInfo> m_cursorBBox;
    std::unique_ptr<CDrawHighlights> m_highlights;
    std::vector<std::unique_ptr<CDrawBookmark>> m_bookmarks;
    std::vector<LAYER_OBJECT> m_added;
};
