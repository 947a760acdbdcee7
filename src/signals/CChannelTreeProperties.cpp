#include "signals/CChannelTreeProperties.h"

#include <utility>

#include "signals/CSignalNames.h"

CChannelTreeProperties::CChannelTreeProperties(const CChannelTable& table) {
    for (const LOGIC_DATA& row : table) {
        m_channels.push_back(row.DeviceChannel);
        m_names.push_back(row.ChannelName);
        m_isBus.push_back(row.IsBus != 0);
    }
}

bool CChannelTreeProperties::Rename(int entry, const std::string& name, IUserMessages* messages) {
    if (entry < 0 || entry >= Count() || !CSignalNames::Accept(name, messages)) {
        return false;
    }
    m_names[static_cast<std::size_t>(entry)] = name;
    return true;
}

bool CChannelTreeProperties::CanExchange(int first, int second) const {
    return first >= 0 && second >= 0 && first < Count() && second < Count() &&
           m_isBus[static_cast<std::size_t>(first)] == m_isBus[static_cast<std::size_t>(second)];
}

void CChannelTreeProperties::Exchange(int first, int second) {
    std::swap(m_channels[static_cast<std::size_t>(first)], m_channels[static_cast<std::size_t>(second)]);
    std::swap(m_names[static_cast<std::size_t>(first)], m_names[static_cast<std::size_t>(second)]);
}

int CChannelTreeProperties::Up(int entry) {
    if (!CanExchange(entry, entry - 1)) {
        return -1;
    }
    Exchange(entry, entry - 1);
    return entry - 1;
}

int CChannelTreeProperties::Down(int entry) {
    if (!CanExchange(entry, entry + 1)) {
        return -1;
    }
    Exchange(entry, entry + 1);
    return entry + 1;
}

namespace {
uint32_t BitOf(int channel) { return channel >= 0 && channel <= 31 ? uint32_t{1} << channel : 0U; }
}  // namespace

void CChannelTreeProperties::Apply(CChannelTable& table) const {
    // The member rows of each bus by position, taken before the numbers change.
    std::vector<int> busOfRow(table.Size(), -1);
    for (std::size_t bus = 0; bus < table.Size(); ++bus) {
        const LOGIC_DATA& row = table.At(bus);
        for (std::size_t i = 0; row.IsBus != 0 && row.TreeItem != 0 && i < table.Size(); ++i) {
            if (table.At(i).IsBus == 0 && table.At(i).ParentItem == row.TreeItem) {
                busOfRow[i] = static_cast<int>(bus);
            }
        }
    }
    std::vector<uint32_t> oldBits(table.Size(), 0);
    std::vector<uint32_t> newBits(table.Size(), 0);
    for (std::size_t i = 0; i < table.Size(); ++i) {
        LOGIC_DATA& row = table.At(i);
        const int16_t before = row.DeviceChannel;
        if (i < m_channels.size()) {
            row.DeviceChannel = m_channels[i];
            row.ChannelName = m_names[i];
        }
        if (busOfRow[i] >= 0) {
            oldBits[static_cast<std::size_t>(busOfRow[i])] |= BitOf(before);
            newBits[static_cast<std::size_t>(busOfRow[i])] |= BitOf(row.DeviceChannel);
        }
    }
    // Mask bits that name no member row stay as they were.
    for (std::size_t bus = 0; bus < table.Size(); ++bus) {
        if (oldBits[bus] != newBits[bus]) {
            LOGIC_DATA& row = table.At(bus);
            row.BusChannel = (row.BusChannel & ~oldBits[bus]) | newBits[bus];
        }
    }
}
