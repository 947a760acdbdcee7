#include "document/CChannelTable.h"

#include <cstdio>

CChannelTable CChannelTable::MakeDefault(const std::string& baseName) {
    CChannelTable table;
    for (int i = 0; i < DefaultRows; ++i) {
        LOGIC_DATA row;
        row.DeviceChannel = static_cast<int16_t>(i);
        row.ChannelName = baseName + std::to_string(i);
        row.IsEnable = 1;
        row.IsBus = 0;
        row.BusChannel = 0;
        row.IsShown = 1;
        table.Append(row);
    }
    return table;
}

int CChannelTable::SignalBit(std::size_t row, uint32_t word) const {
    const int channel = At(row).DeviceChannel;
    if (channel < 0 || channel > 31) {
        return 0;
    }
    return static_cast<int>((word >> channel) & 1U);
}

uint32_t CChannelTable::BusValue(std::size_t row, uint32_t word) const {
    const uint32_t mask = At(row).BusChannel;
    uint32_t value = 0;
    int next = 0;
    for (const LOGIC_DATA& member : *this) {
        if (member.IsBus != 0 || member.DeviceChannel < 0 || member.DeviceChannel > 31) {
            continue;
        }
        if ((mask >> member.DeviceChannel) & 1U) {
            value |= ((word >> member.DeviceChannel) & 1U) << next;
            if (++next == 32) {
                break;
            }
        }
    }
    return value;
}

int CChannelTable::SignalChannel(std::ptrdiff_t row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= Size()) {
        return NoSignal;
    }
    const LOGIC_DATA& data = Items()[static_cast<std::size_t>(row)];
    return data.IsBus != 0 ? NoSignal : data.DeviceChannel;
}

std::vector<std::size_t> CChannelTable::DisplayedRows() const {
    std::vector<std::size_t> rows;
    rows.reserve(Size());
    for (std::size_t i = 0; i < Size(); ++i) {
        if (Items()[i].IsShown == 1) {
            rows.push_back(i);
        }
    }
    return rows;
}
