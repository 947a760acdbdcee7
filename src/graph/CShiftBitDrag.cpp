#include "graph/CShiftBitDrag.h"

#include <algorithm>
#include <cstring>

#include "document/CChannelTable.h"
#include "document/CLogicDocument.h"
#include "graph/CEditHistory.h"
#include "graph/CGraphEditor.h"
#include "graph/CGraphModel.h"
#include "graph/CMaskedWords.h"

CShiftBitDrag::CShiftBitDrag(CGraphModel& model, const CGraphEditor& editor, CEditHistory& history)
    : m_model(model), m_editor(editor), m_history(history) {}

int CShiftBitDrag::ChannelOfRow(int row) const {
    const CChannelTable* table = m_model.Table();
    const auto& shown = m_model.ShownRows();
    if (table == nullptr || row < 0 || static_cast<std::size_t>(row) >= shown.size()) {
        return -1;
    }
    const LOGIC_DATA& data = table->At(shown[static_cast<std::size_t>(row)]);
    if (data.IsBus != 0 || data.DeviceChannel < 0 || data.DeviceChannel > 31) {
        return -1;
    }
    return data.DeviceChannel;
}

void CShiftBitDrag::Press() {
    m_active = false;
    m_page.clear();
    const GRAPH_CELL pressed = m_model.Current();
    m_pressed = pressed.clock;
    m_high = m_low = m_touchedHigh = m_touchedLow = pressed.clock;
    m_channel = ChannelOfRow(pressed.row);
    const CLogicMemory& memory = m_model.Document().GeneratingMemory();
    const CGraphGeometry& geometry = m_model.Geometry();
    m_pageFirst = geometry.FirstVisibleClock();
    if (!m_editor.CanEdit() || m_channel < 0 || m_pageFirst < 0 ||
        static_cast<uint32_t>(m_pageFirst) >= memory.Length()) {
        return;
    }
    const uint32_t count =
        std::min<uint32_t>(static_cast<uint32_t>(std::max(1, geometry.ClocksPerPage())),
                           memory.Length() - static_cast<uint32_t>(m_pageFirst));
    m_page.assign(memory.Data() + m_pageFirst, memory.Data() + m_pageFirst + count);
    m_active = m_pressed >= m_pageFirst && m_pressed < m_pageFirst + static_cast<int>(count);
}

bool CShiftBitDrag::EdgeAt(GRAPH_CELL cell) const {
    const int channel = ChannelOfRow(cell.row);
    const CLogicMemory& memory = m_model.Document().GeneratingMemory();
    if (!m_editor.CanEdit() || channel < 0 || cell.clock < 0 || cell.clock > m_model.LastClock() - 2 ||
        static_cast<uint32_t>(cell.clock) + 1 >= memory.Length()) {
        return false;
    }
    const uint32_t* words = memory.Data();
    return (((words[cell.clock] ^ words[cell.clock + 1]) >> channel) & 1U) != 0;
}

void CShiftBitDrag::SetLevel(int first, int last, uint32_t level) {
    if (first > last) {
        return;
    }
    CMaskedWords::Fill(m_model.Document().GeneratingMemory().Data(), static_cast<uint32_t>(first),
                       static_cast<uint32_t>(last - first + 1), 1U << m_channel, level != 0);
}

bool CShiftBitDrag::Move(GRAPH_CELL cell) {
    const int e = cell.clock;
    const int pageLast = m_pageFirst + static_cast<int>(m_page.size()) - 1;
    if (!m_active || !m_editor.CanEdit() || ChannelOfRow(cell.row) < 0 || e < 0 || e > m_model.LastClock() - 2 ||
        e < m_pageFirst || e > pageLast) {
        return false;
    }
    const uint32_t* words = m_model.Document().GeneratingMemory().Data();
    const uint32_t v = (words[m_pressed] >> m_channel) & 1U;
    if (m_high < e) {
        m_high = e;
        m_touchedHigh = std::max(m_touchedHigh, e);
    } else if (e < m_low) {
        m_low = e;
        m_touchedLow = std::min(m_touchedLow, e);
    }
    if (e >= m_pressed) {
        SetLevel(m_pressed + 1, e, v);
        if (e < m_high) {
            SetLevel(e + 1, m_high, v ^ 1U);
            m_high = e;
        }
    }
    if (e <= m_pressed) {
        SetLevel(e, m_pressed - 1, v);
        if (m_low < e) {
            SetLevel(m_low, e - 1, v ^ 1U);
            m_low = e;
        }
    }
    return true;
}

EDIT_RESULT CShiftBitDrag::Release() {
    if (!m_active) {
        return EDIT_RESULT::Nothing;
    }
    m_active = false;
    std::vector<uint32_t> page = std::move(m_page);
    m_page.clear();
    if (m_touchedLow >= m_touchedHigh) {
        return EDIT_RESULT::Nothing;
    }
    const auto low = static_cast<uint32_t>(m_touchedLow);
    const auto high = static_cast<uint32_t>(m_touchedHigh);
    const uint32_t mask = 1U << m_channel;
    const EDIT_RESULT recorded = m_history.RecordOverwriteFrom(low, high, mask, page.data(),
                                                               static_cast<uint32_t>(m_pageFirst),
                                                               static_cast<uint32_t>(page.size()));
    if (recorded == EDIT_RESULT::Done) {
        return recorded;
    }
    // No record, no change: the copied bits go back.
    uint32_t* words = m_model.Document().GeneratingMemory().Data();
    for (uint32_t x = low; x <= high; ++x) {
        words[x] = (words[x] & ~mask) | (page[x - static_cast<uint32_t>(m_pageFirst)] & mask);
    }
    return recorded;
}
