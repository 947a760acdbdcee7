#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "document/DATA_PATTERN.h"

// The graph's list of basic data patterns: at most five entries in creation
// order. Pattern creation adds the first period of each clock or continuous
// pattern it makes (Add pushes the oldest out when five are held); the result
// box draws one slot per entry and remembers the slot's x range in the entry;
// stamping with the mouse and the details dialog read an entry by index or by
// the slot under a point.
class CDataPatternList {
public:
    static constexpr std::size_t MaxEntries = 5;

    // Builds an entry of a kind (0 clock, 1 continuous) from "0"/"1" text;
    // the slot range starts at 0 until the entry is drawn.
    [[nodiscard]] static DATA_PATTERN MakePattern(int kind, const std::string& bits);

    // Appends an entry; with five entries held the oldest is removed first.
    void Add(const DATA_PATTERN& pattern);
    // Removes the entry at an index; an index outside the list changes nothing
    // and answers false.
    bool RemoveAt(std::size_t index);
    void RemoveAll() { m_entries.clear(); }

    [[nodiscard]] std::size_t Size() const { return m_entries.size(); }
    [[nodiscard]] bool Empty() const { return m_entries.empty(); }
    // The entry at an index, nullptr outside the list.
    [[nodiscard]] DATA_PATTERN* At(std::size_t index);
    [[nodiscard]] const DATA_PATTERN* At(std::size_t index) const;
    [[nodiscard]] const std::vector<DATA_PATTERN>& Entries() const { return m_entries; }

    // Index of the entry whose last drawn slot spans x (SlotLeft <= x <=
    // SlotRight), or -1 when none does (entries never drawn span nothing).
    [[nodiscard]] int SlotAt(int x) const;

private:
    std::vector<DATA_PATTERN> m_entries;
};
