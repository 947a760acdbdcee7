#include "analysis/CResultStripHandler.h"

#include "analysis/CResultPages.h"
#include "document/CDataPatternList.h"
#include "graph/CGraphModel.h"

namespace {

constexpr int SlotMargin = 2;
constexpr int SlotCount = 5;
constexpr int TruncationMark = 8;

}  // namespace

CResultStripHandler::CResultStripHandler(const CGraphModel& model, const CResultPages& pages,
                                         CDataPatternList& patterns, std::function<void()> repaint)
    : m_model(model), m_pages(pages), m_patterns(patterns), m_repaint(std::move(repaint)) {}

bool CResultStripHandler::ShowsPatterns() const { return m_pages.Page() == RESULT_PAGE::DataPattern; }

void CResultStripHandler::Press(int x, int /*y*/) {
    m_pressed = -1;
    m_details = false;
    if (!ShowsPatterns()) {
        return;
    }
    m_pressed = m_patterns.SlotAt(x);
    const DATA_PATTERN* entry = m_pressed >= 0 ? m_patterns.At(static_cast<std::size_t>(m_pressed)) : nullptr;
    if (entry == nullptr) {
        return;
    }
    const int boxWidth = m_model.Geometry().ResultStrip().Width();
    const bool cut = (boxWidth - 4 * SlotMargin) / SlotCount - 2 * SlotMargin <
                     static_cast<int>(entry->Length * m_model.Geometry().PixelsPerClock());
    m_details = cut && entry->SlotRight - TruncationMark <= x && x <= entry->SlotRight;
}

void CResultStripHandler::Release(int /*x*/, int /*y*/) {
    const int pressed = m_pressed;
    m_pressed = -1;
    if (pressed >= 0 && ShowsPatterns() && static_cast<std::size_t>(pressed) < m_patterns.Size() && m_apply) {
        m_apply(static_cast<std::size_t>(pressed), m_details);
    }
}

void CResultStripHandler::RightRelease(int x, int /*y*/) {
    if (!ShowsPatterns()) {
        return;
    }
    const int slot = m_patterns.SlotAt(x);
    if (slot >= 0 && m_patterns.RemoveAt(static_cast<std::size_t>(slot)) && m_repaint) {
        m_repaint();
    }
}
