#include "patterns/CChannelSwap.h"

#include "document/CChannelTable.h"
#include "document/CLogicMemory.h"
#include "graph/CMaskedWords.h"
#include "graph/IEditRecorder.h"
#include "resources/CStringTable.h"

namespace {
bool IsEntry(const std::vector<SWAP_ENTRY>& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size() && list[index].Channel >= 0 &&
           list[index].Channel <= 31;
}

PATTERN_OUTCOME OutcomeOf(EDIT_RESULT result) {
    switch (result) {
    case EDIT_RESULT::Done: return PATTERN_OUTCOME::Applied;
    case EDIT_RESULT::OutOfMemory: return PATTERN_OUTCOME::OutOfMemory;
    case EDIT_RESULT::Nothing: return PATTERN_OUTCOME::Nothing;
    default: return PATTERN_OUTCOME::ImproperArgument;
    }
}
}  // namespace

std::vector<SWAP_ENTRY> CChannelSwap::SignalList(const CChannelTable& table) {
    std::vector<SWAP_ENTRY> list;
    for (std::size_t row = 0; row < table.Size(); ++row) {
        const LOGIC_DATA& data = table.At(row);
        if (data.IsBus == 0) {
            list.push_back({data.DeviceChannel,
                            CStringTable::FormatPrintf("%d:%s", data.DeviceChannel, data.ChannelName.c_str())});
        }
    }
    return list;
}

PATTERN_OUTCOME CChannelSwap::Swap(CLogicMemory& generating, IEditRecorder& recorder,
                                   const std::vector<SWAP_ENTRY>& list, int first, int second) {
    if (!IsEntry(list, first) || !IsEntry(list, second) || generating.Length() == 0) {
        return PATTERN_OUTCOME::Failed;
    }
    const int a = list[first].Channel;
    const int b = list[second].Channel;
    if (a == b) {
        // Nothing moves, but the step is there to undo like any other: the
        // smallest record that restores exactly what the memory holds.
        return OutcomeOf(recorder.RecordOverwrite(uint32_t{1} << a, 0, 0));
    }
    const PATTERN_OUTCOME recorded = OutcomeOf(recorder.RecordSwap(a, b));
    if (recorded == PATTERN_OUTCOME::Applied) {
        CMaskedWords::SwapChannels(generating.Data(), generating.Length(), a, b);
    }
    return recorded;
}
