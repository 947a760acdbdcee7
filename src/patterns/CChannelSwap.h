#pragma once
#include <string>
#include <vector>

#include "patterns/PATTERN_OUTCOME.h"

class CChannelTable;
class CLogicMemory;
class IEditRecorder;

// One entry of the swap dialog's two lists: a signal row of the generating
// table (bus rows are not listed), written "%d:%s".
struct SWAP_ENTRY {
    int Channel = 0;
    std::string Text;
};

// Exchanges the data of two channels over the whole generating memory as one
// undo step. The channel table does not change: the names stay, the data moves.
class CChannelSwap {
public:
    // Every signal row of the table in table order, hidden members included.
    [[nodiscard]] static std::vector<SWAP_ENTRY> SignalList(const CChannelTable& table);

    // Swaps the channels of entries first and second of `list`. Failed (message
    // 64517) when either index is not an entry or names no channel 0..31; the
    // same entry twice records a step and changes nothing.
    [[nodiscard]] static PATTERN_OUTCOME Swap(CLogicMemory& generating, IEditRecorder& recorder,
                                              const std::vector<SWAP_ENTRY>& list, int first, int second);
};
