#include "graph/ui/CGraphRenderer.h"

#include <QPainter>
#include <algorithm>
#include <array>

#include "document/CLogicMemory.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/ui/CDrawBookmark.h"
#include "graph/ui/CDrawCursor.h"
#include "graph/ui/CDrawCursorInfo.h"
#include "graph/ui/CDrawHighlights.h"
#include "graph/ui/CDrawRuler.h"
#include "graph/ui/CDrawScrollBar.h"
#include "graph/ui/CDrawWaveform.h"

namespace {
const QColor CursorAColour = ToQColor(graph_colour::CursorA);
const QColor CursorBColour = ToQColor(graph_colour::CursorB);
constexpr std::array<unsigned, 4> Parts{GRAPH_PART_PAGE, GRAPH_PART_RESULT, GRAPH_PART_INFO,
                                        GRAPH_PART_SCROLL_BAR};
}  // namespace

CGraphRenderer::CGraphRenderer(float scale)
    : m_scale(scale),
      m_ruler(std::make_unique<CDrawRuler>(scale)),
      m_scrollBar(std::make_unique<CDrawScrollBar>(scale)),
      m_waveform(std::make_unique<CDrawWaveform>(scale)),
      m_cursorA(std::make_unique<CDrawCursor>(scale, CursorAColour, Qt::SolidLine, QStringLiteral(" A"))),
      m_cursorB(std::make_unique<CDrawCursor>(scale, CursorBColour, Qt::DotLine, QStringLiteral(" B"))),
      m_currentBox(std::make_unique<CDrawCursorInfo>(scale)),
      m_cursorABox(std::make_unique<CDrawCursorInfo>(scale)),
      m_cursorBBox(std::make_unique<CDrawCursorInfo>(scale)),
      m_highlights(std::make_unique<CDrawHighlights>()) {}

CGraphRenderer::~CGraphRenderer() = default;

void CGraphRenderer::Resize(int cx, int cy) {
    if (m_surface.size() != QSize(cx, cy)) {
        m_surface = QImage(cx, cy, QImage::Format_RGB32);
        m_surface.fill(Qt::black);
    }
    m_dirty = GRAPH_PART_ALL;
}

QRect CGraphRenderer::PartsRect(unsigned parts, const CGraphGeometry& geometry) {
    if ((parts & GRAPH_PART_ALL) == GRAPH_PART_ALL) {
        return CDrawRect::ToQRect(geometry.Client());
    }
    QRect rect;
    if ((parts & GRAPH_PART_PAGE) != 0) {
        rect |= QRect(0, 0, geometry.Client().Width(), std::max(0, geometry.GraphArea().bottom));
    }
    if ((parts & GRAPH_PART_RESULT) != 0) {
        rect |= CDrawRect::ToQRect(geometry.ResultStrip());
    }
    if ((parts & GRAPH_PART_INFO) != 0) {
        rect |= CDrawRect::ToQRect(geometry.InfoStrip());
    }
    if ((parts & GRAPH_PART_SCROLL_BAR) != 0) {
        rect |= CDrawRect::ToQRect(geometry.ScrollStrip());
    }
    return rect;
}

QRect CGraphRenderer::Invalidate(unsigned parts, const CGraphGeometry& geometry) {
    m_dirty |= parts & GRAPH_PART_ALL;
    return PartsRect(parts, geometry);
}

QRect CGraphRenderer::Render(CGraphModel& model, const GRAPH_PAINT_STATE& state) {
    if (m_surface.isNull() || m_dirty == GRAPH_PART_NONE) {
        return {};
    }
    const unsigned parts = m_dirty;
    m_dirty = GRAPH_PART_NONE;
    Prepare(model, state, parts);
    const std::vector<CDrawRect*> order = PaintOrder(model, state);
    QPainter painter(&m_surface);
    if (parts == GRAPH_PART_ALL) {
        painter.fillRect(m_surface.rect(), Qt::black);
        for (CDrawRect* object : order) {
            object->Draw(painter);
        }
        return m_surface.rect();
    }
    const CGraphGeometry& geometry = model.Geometry();
    QRect repainted;
    for (const unsigned part : Parts) {
        const QRect area = PartsRect(part & parts, geometry) & m_surface.rect();
        if (area.isEmpty()) {
            continue;
        }
        painter.fillRect(area, Qt::black);
        for (CDrawRect* object : order) {
            const QRect bounds = CDrawRect::ToQRect(object->Rect());
            if (!bounds.intersects(area)) {
                continue;
            }
            if (area.contains(bounds)) {
                object->Draw(painter);
                continue;
            }
            painter.save();
            painter.setClipRect(area);
            object->Draw(painter);
            painter.restore();
        }
        repainted |= area;
    }
    return repainted;
}

void CGraphRenderer::Prepare(CGraphModel& model, const GRAPH_PAINT_STATE& state, unsigned parts) {
    const CGraphGeometry& geometry = model.Geometry();
    m_ruler->SetRect(geometry.Ruler());
    m_ruler->SetRange(static_cast<double>(model.AbsoluteFirstVisible()), 1.0 / geometry.Zoom());
    m_ruler->SetUnit(model.GraphUnit(), model.ClockValue(), model.UnitPrefix());

    m_scrollBar->SetGeometry(geometry.ScrollBar());
    m_scrollBar->SetBlockButtonsShown(model.BlockButtonsShown());
    m_scrollBar->SetHover(state.hover);

    PrepareWaveform(model);

    const int64_t minimum = model.AbsoluteFirstVisible();
    const int64_t maximum = minimum + geometry.ClocksPerPage() - 1;
    m_cursorA->SetBand(geometry.MarkerBand(), minimum, maximum);
    m_cursorA->SetPosition(model.Cursor(0).position);
    m_cursorB->SetBand(geometry.MarkerBand(), minimum, maximum);
    m_cursorB->SetPosition(model.Cursor(1).position);
    for (const auto& marker : m_bookmarks) {
        marker->SetBand(geometry.MarkerBand(), minimum, maximum);
    }
    if ((parts & (GRAPH_PART_INFO | GRAPH_PART_PAGE)) != 0) {
        PrepareBox(model, *m_currentBox, INFO_BOX::Current);
        PrepareBox(model, *m_cursorABox, INFO_BOX::CursorA);
        PrepareBox(model, *m_cursorBBox, INFO_BOX::CursorB);
    }

    m_highlights->SetGeometry(geometry);
    m_highlights->SetCompare(&model.Records().ComparePositions);
    m_highlights->SetSelection(model.Anchor(), model.Current());
    m_highlights->SetShown(state.paintSelection);
}

void CGraphRenderer::PrepareWaveform(const CGraphModel& model) {
    const CGraphGeometry& geometry = model.Geometry();
    m_waveform->SetRect(geometry.GraphArea());
    const int first = geometry.FirstVisibleClock();
    m_waveform->SetClocks(first, first + geometry.ClocksPerPage() + 1, static_cast<float>(geometry.PixelsPerClock()),
                          geometry.BusHalfWidth());
    m_waveform->SetRows(geometry.FirstVisibleRow(), geometry.FirstVisibleRow() + geometry.RowsPerPage());
    const CLogicMemory* memory = model.Memory();
    m_waveform->SetData(memory != nullptr ? memory->Data() : nullptr, model.ValidLength(), model.Table(),
                        &model.ShownRows());
    m_waveform->SetTyping(model.Typing());
}

void CGraphRenderer::PrepareBox(CGraphModel& model, CDrawCursorInfo& box, INFO_BOX which) {
    box.SetRect(model.Geometry().InfoBox(static_cast<int>(which)));
    if (which != INFO_BOX::Current && !model.Cursor(which == INFO_BOX::CursorA ? 0 : 1).shown) {
        return;
    }
    const std::array<std::string, 4> lines = model.BoxLines(which);
    for (int i = 0; i < 4; ++i) {
        box.SetLine(i, QString::fromStdString(lines[static_cast<std::size_t>(i)]));
    }
}

std::vector<CDrawRect*> CGraphRenderer::PaintOrder(const CGraphModel& model, const GRAPH_PAINT_STATE& state) const {
    std::vector<CDrawRect*> order{m_ruler.get(), m_scrollBar.get()};
    for (const LAYER_OBJECT& added : m_added) {
        if (added.layer == DRAW_LAYER::Result) {
            order.push_back(added.object);
        }
    }
    order.push_back(m_waveform.get());
    order.push_back(m_currentBox.get());
    if (model.Cursor(1).shown) {
        order.push_back(m_cursorB.get());
        order.push_back(m_cursorBBox.get());
    }
    if (model.Cursor(0).shown) {
        order.push_back(m_cursorA.get());
        order.push_back(m_cursorABox.get());
    }
    if (state.bookmarksShown) {
        for (const auto& marker : m_bookmarks) {
            order.push_back(marker.get());
        }
    }
    order.push_back(m_highlights.get());
    for (const LAYER_OBJECT& added : m_added) {
        if (added.layer == DRAW_LAYER::Overlay) {
            order.push_back(added.object);
        }
    }
    return order;
}

// ------------------------------------------------------------ added objects

void CGraphRenderer::AddDrawObject(CDrawRect* object, DRAW_LAYER layer) {
    if (object != nullptr) {
        RemoveDrawObject(object);
        m_added.push_back({object, layer});
        m_dirty = GRAPH_PART_ALL;
    }
}

void CGraphRenderer::RemoveDrawObject(CDrawRect* object) {
    const auto removed = std::erase_if(m_added, [object](const LAYER_OBJECT& added) { return added.object == object; });
    if (removed > 0) {
        m_dirty = GRAPH_PART_ALL;
    }
}

// ---------------------------------------------------------- bookmark markers

void CGraphRenderer::AddBookmark(int64_t position) {
    m_bookmarks.push_back(std::make_unique<CDrawBookmark>(m_scale, position));
    m_dirty |= GRAPH_PART_PAGE;
}

void CGraphRenderer::HighlightBookmark(int64_t position) {
    for (const auto& marker : m_bookmarks) {
        marker->SetCurrent(marker->Position() == position);
    }
    m_dirty |= GRAPH_PART_PAGE;
}

void CGraphRenderer::RemoveBookmark(int64_t position) {
    std::erase_if(m_bookmarks, [position](const auto& marker) { return marker->Position() == position; });
    m_dirty |= GRAPH_PART_PAGE;
}

void CGraphRenderer::RemoveAllBookmarks() {
    m_bookmarks.clear();
    m_dirty |= GRAPH_PART_PAGE;
}
