#include "graph/CGraphModel.h"

#include <algorithm>
#include <cstdio>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/IBlockReader.h"

CGraphModel::CGraphModel(CLogicDocument& document, CWindowRecords& records, float scale)
    : m_document(document), m_records(records), m_geometry(scale) {}

void CGraphModel::Bind() {
    const LOGIC_CONDITION& condition = m_document.Condition();
    m_direction = condition.Direction;
    m_memory = m_document.Memory(m_direction);
    m_table = m_records.Table(m_direction);
    int lastClock = 0;
    int64_t offset = 0;
    m_validLength = 0;
    if (m_direction == DIRECTION_SAMPLING && m_memory != nullptr) {
        const uint32_t length = m_memory->Length();
        const uint32_t count = m_document.LastCount.load();
        const uint32_t rest = count % length;
        if (m_document.IsRunning.load() != 0 || count == 0 || rest == 0) {
            lastClock = static_cast<int>(length - 1);
        } else {
            lastClock = static_cast<int>(rest - 1);
        }
        m_validLength = static_cast<int>((count / length == 0 || rest != 0) ? rest : length);
        if (condition.AutoSave == 1) {
            offset = static_cast<int64_t>(m_document.CurrentBlock.load()) * condition.SamplingBufferSize;
        }
    } else if (m_direction == DIRECTION_GENERATING && m_memory != nullptr) {
        lastClock = static_cast<int>(m_memory->Length() - 1);
        m_validLength = static_cast<int>(m_memory->Length());
    }
    m_geometry.SetLastClock(lastClock);
    m_geometry.SetAbsoluteOffset(offset);
    if (const DIRECTION_GROUP* group = condition.Group(m_direction)) {
        m_clockValue = group->Clock;
        m_clockUnit = group->ClockUnit;
    }
    m_unitPrefix = CRulerScale::UnitPrefix(m_clockUnit);
    RecountRows();
    m_geometry.UpdateScrollBar();
}

void CGraphModel::RecountRows() {
    m_shownRows = m_table != nullptr ? m_table->DisplayedRows() : std::vector<std::size_t>{};
    m_geometry.SetRowCount(static_cast<int>(m_shownRows.size()));
}

void CGraphModel::Layout(int cx, int cy) {
    m_geometry.Layout(cx, cy);
    RecountRows();
}

void CGraphModel::OnDocumentUpdate() {
    Bind();
    m_editDisabled = m_document.Condition().ReadOnly != 0;
    ClampCells();
    m_geometry.ClampFirstVisibleClock();
}

void CGraphModel::ClampCells() {
    const int last = m_geometry.LastClock();
    const int lastRow = std::max(0, m_geometry.RowCount() - 1);
    for (GRAPH_CELL* cell : {&m_current, &m_anchor}) {
        cell->clock = std::clamp(cell->clock, 0, std::max(0, last));
        cell->row = std::clamp(cell->row, 0, lastRow);
    }
}

bool CGraphModel::BlockButtonsShown() const {
    return m_direction == DIRECTION_SAMPLING && m_document.Condition().AutoSave == 1;
}

void CGraphModel::SetZoom(double zoom) {
    m_geometry.SetZoom(zoom, m_current.clock);
}

bool CGraphModel::SetGraphUnit(int unit) {
    if (unit != GRAPH_UNIT_CLOCK && unit != GRAPH_UNIT_TIME) {
        return false;
    }
    m_graphUnit = unit;
    return true;
}

CRulerScale CGraphModel::Ruler() const {
    const int base = CGraphGeometry::Scaled(m_geometry.Scale(), 10);
    return CRulerScale(m_graphUnit, 1.0 / m_geometry.Zoom(), base, m_clockValue, AbsoluteFirstVisible());
}

bool CGraphModel::SetMouseMode(int mode) {
    if (mode < MOUSE_MODE_SELECT || mode >= MOUSE_MODE_COUNT) {
        return false;
    }
    m_mouseMode = mode;
    return true;
}

void CGraphModel::ToggleCursor(int which) {
    GRAPH_CURSOR& cursor = m_cursors[which == 0 ? 0 : 1];
    cursor.position = AbsoluteOffset() + m_current.clock;
    cursor.shown = !cursor.shown;
}

void CGraphModel::ScrollToClock(int64_t clock) {
    m_geometry.ScrollToClock(clock);
}

std::size_t CGraphModel::BlockCount() const {
    return m_document.AutoSavedFiles.size();
}

int CGraphModel::ShownBlock() const {
    return m_document.CurrentBlock.load();
}

void CGraphModel::JumpToClock(uint32_t absoluteClock, IBlockReader* reader) {
    const uint32_t size = m_memory != nullptr ? m_memory->Length() : 1;
    const uint32_t block = absoluteClock / size;
    if (m_direction == DIRECTION_SAMPLING && block < BlockCount() && static_cast<int>(block) != ShownBlock()) {
        (void)LoadSavedBlock(block, reader);
    }
    const int64_t clock = absoluteClock % size;
    const int last = m_geometry.LastClock();
    m_current.clock = static_cast<int>(std::clamp<int64_t>(clock, 0, last));
    m_anchor.clock = m_current.clock;
    m_anchor.row = m_current.row;
    const int64_t first = std::min<int64_t>(clock, static_cast<int64_t>(last) - m_geometry.ClocksPerPage() + 1);
    m_geometry.SetFirstVisibleClock(static_cast<int>(std::max<int64_t>(0, first)));
}

BLOCK_LOAD CGraphModel::LoadSavedBlock(std::size_t block, IBlockReader* reader) {
    const std::vector<std::string>& files = m_document.AutoSavedFiles;
    if (m_direction != DIRECTION_SAMPLING || files.empty()) {
        return BLOCK_LOAD::NotApplicable;
    }
    if (block >= files.size()) {
        return BLOCK_LOAD::ImproperIndex;
    }
    if (files[block].empty() || reader == nullptr) {
        return BLOCK_LOAD::NotApplicable;
    }
    const bool binary = m_document.Condition().AutoSaveFileType == 1;
    if (!reader->ReadBlock(files[block], binary)) {
        OnDocumentUpdate();
        return BLOCK_LOAD::ReadFailed;
    }
    m_document.CurrentBlock.store(static_cast<int32_t>(block));
    OnDocumentUpdate();
    return BLOCK_LOAD::Loaded;
}

uint32_t CGraphModel::BoxValue(INFO_BOX box, int64_t absolutePosition) {
    const std::size_t slot = static_cast<std::size_t>(box);
    if (m_memory == nullptr || m_memory->Length() == 0) {
        return 0;
    }
    const uint32_t length = m_memory->Length();
    if (m_direction == DIRECTION_GENERATING) {
        const int64_t index = ((absolutePosition % length) + length) % length;
        return m_memory->Data()[index];
    }
    const int64_t first = AbsoluteFirstVisible();
    const int64_t last = first + m_geometry.ClocksPerPage() - 1;
    const int64_t index = absolutePosition - AbsoluteOffset();
    if (absolutePosition >= first && absolutePosition <= last && index >= 0 && index < length) {
        m_boxCache[slot] = m_memory->Data()[index];
    }
    return m_boxCache[slot];
}

std::array<std::string, 4> CGraphModel::BoxLines(INFO_BOX box) {
    char text[96];
    std::array<std::string, 4> lines;
    int64_t position = AbsoluteOffset() + m_current.clock;
    if (box == INFO_BOX::Current) {
        lines[0] = "Current:";
    } else {
        const int self = box == INFO_BOX::CursorA ? 0 : 1;
        const GRAPH_CURSOR& other = m_cursors[1 - self];
        position = m_cursors[self].position;
        lines[0] = self == 0 ? "Cursor A:" : "Cursor B:";
        if (other.shown) {
            std::snprintf(text, sizeof text, self == 0 ? "[A]-[B]: %ld[Clock]" : "[B]-[A]: %ld[Clock]",
                          static_cast<long>(position - other.position));
            lines[3] = text;
        }
    }
    std::snprintf(text, sizeof text, "Data: %08X[Hex]", BoxValue(box, position));
    lines[1] = text;
    std::snprintf(text, sizeof text, "Position: %ld[Clock]", static_cast<long>(position));
    lines[2] = text;
    return lines;
}
