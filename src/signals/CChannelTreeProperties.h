#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/CChannelTable.h"

class IUserMessages;

// What the signal name properties dialog edits: the device channel numbers
// and names of every row of a table, in table order, including bus rows and
// the members of collapsed buses. Up and Down exchange number and name of two
// neighbouring entries; they never exchange a bus number with a signal's
// channel. Apply writes numbers and names back row by row and keeps the bus
// structure with the row positions: a bus's mask follows the new channel
// numbers of its member rows.
class CChannelTreeProperties {
public:
    explicit CChannelTreeProperties(const CChannelTable& table);

    [[nodiscard]] int Count() const { return static_cast<int>(m_channels.size()); }
    [[nodiscard]] int16_t Channel(int entry) const { return m_channels.at(static_cast<std::size_t>(entry)); }
    [[nodiscard]] const std::string& Name(int entry) const { return m_names.at(static_cast<std::size_t>(entry)); }
    [[nodiscard]] bool IsBus(int entry) const { return m_isBus.at(static_cast<std::size_t>(entry)); }

    // A name the pulse text file cannot hold is refused with a message.
    bool Rename(int entry, const std::string& name, IUserMessages* messages);
    // The entry selected afterwards, or -1 when nothing moved.
    [[nodiscard]] int Up(int entry);
    [[nodiscard]] int Down(int entry);
    // Writes the numbers and names into the rows of the table.
    void Apply(CChannelTable& table) const;

private:
    [[nodiscard]] bool CanExchange(int first, int second) const;
    void Exchange(int first, int second);

    std::vector<int16_t> m_channels;
    std::vector<std::string> m_names;
    std::vector<bool> m_isBus;
};
