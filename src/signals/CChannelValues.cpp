#include "signals/CChannelValues.h"

#include <cstdio>

#include "document/CChannelTable.h"
#include "document/CLogicMemory.h"

namespace {
constexpr int Sampling = 1;
constexpr int Generating = 2;
}  // namespace

std::optional<uint32_t> CChannelValues::WordAt(int direction, const CLogicMemory* memory, int64_t p,
                                               VIEW_RANGE range) {
    if (memory == nullptr || (direction != Sampling && direction != Generating)) {
        return std::nullopt;
    }
    const bool inside = p >= 0 && p < static_cast<int64_t>(memory->Length());
    if (direction == Generating) {
        return inside ? std::optional<uint32_t>(memory->Data()[p]) : std::nullopt;
    }
    const bool visible = p >= range.FirstVisibleClock && p < range.FirstVisibleClock + range.VisibleClocks;
    if (visible && inside) {
        m_cached = memory->Data()[p];
    }
    return m_cached;
}

std::vector<std::string> CChannelValues::Texts(const CChannelTable& table, std::optional<uint32_t> word) {
    std::vector<std::string> texts;
    for (std::size_t row : table.DisplayedRows()) {
        if (!word) {
            texts.emplace_back("-");
            continue;
        }
        char text[16];
        if (table.At(row).IsBus != 0) {
            std::snprintf(text, sizeof text, "%02X", table.BusValue(row, *word));
        } else {
            std::snprintf(text, sizeof text, "%d", table.SignalBit(row, *word));
        }
        texts.emplace_back(text);
    }
    return texts;
}
