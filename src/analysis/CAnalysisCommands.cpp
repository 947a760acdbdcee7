#include "analysis/CAnalysisCommands.h"

#include <algorithm>

#include "analysis/CCompareRows.h"
#include "analysis/CLogicOperation.h"
#include "analysis/CRangeMeasure.h"
#include "document/CChannelTable.h"
#include "document/CLogicDocument.h"

namespace {

constexpr int BusRow = -1;
constexpr int OutsideRows = -2;

// The selected clock range inside the valid words: start <= end.
struct CLOCK_RANGE {
    uint32_t start = 0;
    uint32_t end = 0;
};

CLOCK_RANGE RangeOf(const ANALYSIS_SELECTION& selection, uint32_t valid) {
    const int low = std::max(0, std::min(selection.AnchorClock, selection.CurrentClock));
    const int high = std::max(0, std::max(selection.AnchorClock, selection.CurrentClock));
    const uint32_t last = valid == 0 ? 0 : valid - 1;
    return {std::min(static_cast<uint32_t>(low), last), std::min(static_cast<uint32_t>(high), last)};
}

}  // namespace

bool CAnalysisCommands::CanLogic(LOGIC_OPERATION operation, int direction, int selectedChannels) {
    if (direction != DIRECTION_GENERATING) {
        return false;
    }
    return operation == LOGIC_OPERATION::Not ? selectedChannels == 1 : selectedChannels > 1;
}

bool CAnalysisCommands::CanFrequency(int clockType) { return clockType == 1 || clockType == 3; }

int CAnalysisCommands::DisplayedChannel(const std::vector<std::size_t>& shown, int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= shown.size() || shown[static_cast<std::size_t>(row)] >= m_table.Size()) {
        return OutsideRows;
    }
    const LOGIC_DATA& data = m_table[shown[static_cast<std::size_t>(row)]];
    return data.IsBus != 0 ? BusRow : data.DeviceChannel;
}

int CAnalysisCommands::AnchorChannel(const ANALYSIS_SELECTION& selection) const {
    return DisplayedChannel(m_table.DisplayedRows(), selection.AnchorRow);
}

ANALYSIS_OUTCOME CAnalysisCommands::Logic(LOGIC_OPERATION operation, const std::vector<std::size_t>& rows,
                                          CResultPages& pages) const {
    LOGIC_RESULT result;
    result.Operation = operation;
    std::vector<int> channels;
    for (std::size_t row : rows) {
        if (row < m_table.Size() && m_table[row].IsBus == 0) {
            channels.push_back(m_table[row].DeviceChannel);
            result.Channels.push_back(m_table[row].DeviceChannel);
        }
    }
    const CLogicMemory& memory = m_document.GeneratingMemory();
    result.Bits = CLogicOperation::Evaluate(memory.Data(), memory.Length(), operation, channels);
    pages.SetLogic(std::move(result));
    return ANALYSIS_OUTCOME::Done;
}

ANALYSIS_OUTCOME CAnalysisCommands::PulseCount(EDGE_KIND kind, const ANALYSIS_SELECTION& selection,
                                               CResultPages& pages) const {
    const int direction = m_document.Condition().Direction;
    const CLogicMemory* memory = m_document.Memory(direction);
    if (memory == nullptr) {
        return ANALYSIS_OUTCOME::Nothing;
    }
    const int channel = AnchorChannel(selection);
    if (channel == OutsideRows) {
        return ANALYSIS_OUTCOME::ImproperArgument;
    }
    if (channel == BusRow) {
        return ANALYSIS_OUTCOME::Nothing;
    }
    const uint32_t valid = m_document.ValidLengthOf(direction);
    const CLOCK_RANGE range = RangeOf(selection, valid);
    const CRangeMeasure measure(memory->Data(), valid, static_cast<int64_t>(m_document.AbsolutePosition(0)));
    pages.SetPulseCount(measure.PulseCount(channel, range.start, range.end, kind));
    return ANALYSIS_OUTCOME::Done;
}

ANALYSIS_OUTCOME CAnalysisCommands::Frequency(const ANALYSIS_SELECTION& selection, CResultPages& pages) const {
    const int direction = m_document.Condition().Direction;
    const CLogicMemory* memory = m_document.Memory(direction);
    const DIRECTION_GROUP* group = m_document.Condition().Group(direction);
    if (memory == nullptr || group == nullptr || !CanFrequency(group->ClockType)) {
        return ANALYSIS_OUTCOME::Nothing;
    }
    const int channel = AnchorChannel(selection);
    if (channel == OutsideRows) {
        return ANALYSIS_OUTCOME::ImproperArgument;
    }
    if (channel == BusRow) {
        return ANALYSIS_OUTCOME::Nothing;
    }
    const uint32_t valid = m_document.ValidLengthOf(direction);
    const CLOCK_RANGE range = RangeOf(selection, valid);
    const CRangeMeasure measure(memory->Data(), valid, static_cast<int64_t>(m_document.AbsolutePosition(0)));
    pages.SetFrequency(measure.Frequency(channel, range.start, range.end, *group));
    return ANALYSIS_OUTCOME::Done;
}

ANALYSIS_OUTCOME CAnalysisCommands::Compare(const ANALYSIS_SELECTION& selection, CCompareList& list) const {
    const int direction = m_document.Condition().Direction;
    const CLogicMemory* memory = m_document.Memory(direction);
    if (memory == nullptr || selection.AnchorRow == selection.CurrentRow) {
        return ANALYSIS_OUTCOME::Nothing;
    }
    const std::vector<std::size_t> shown = m_table.DisplayedRows();
    const int firstRow = std::min(selection.AnchorRow, selection.CurrentRow);
    const int lastRow = std::max(selection.AnchorRow, selection.CurrentRow);
    if (DisplayedChannel(shown, firstRow) == OutsideRows || DisplayedChannel(shown, lastRow) == OutsideRows) {
        return ANALYSIS_OUTCOME::ImproperArgument;
    }
    std::vector<int> channels;
    for (int row = firstRow; row <= lastRow; ++row) {
        channels.push_back(DisplayedChannel(shown, row));  // a bus row (-1) takes no part
    }
    const uint32_t valid = m_document.ValidLengthOf(direction);
    if (valid == 0) {
        return ANALYSIS_OUTCOME::Done;
    }
    const CLOCK_RANGE range = RangeOf(selection, valid);
    for (const COMPARE_POSITION& run :
         CCompareRows::Compare(memory->Data(), range.start, range.end, static_cast<uint32_t>(firstRow),
                               static_cast<uint32_t>(lastRow), channels)) {
        list.Append(run);
    }
    return ANALYSIS_OUTCOME::Done;
}
