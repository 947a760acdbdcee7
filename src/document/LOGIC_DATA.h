#pragma once
#include <cstdint>
#include <string>

// Opaque link between a table row and the signal tree; 0 is "none".
using TreeHandle = std::uintptr_t;

// One row of a channel table: a signal (one bit of the sample word) or a bus.
struct LOGIC_DATA {
    int16_t DeviceChannel = 0;  // signal: bit 0..31; bus: bus number
    std::string ChannelName;
    TreeHandle ParentItem = 0;  // not stored in files
    TreeHandle TreeItem = 0;    // not stored in files
    int32_t IsEnable = 0;
    int32_t IsBus = 0;
    uint32_t BusChannel = 0;    // bus: member mask by device channel
    int32_t IsShown = 0;        // not stored in files

    bool operator==(const LOGIC_DATA&) const = default;
};
