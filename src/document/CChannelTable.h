#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/CCheckedArray.h"
#include "document/LOGIC_DATA.h"

// The rows of one direction in display order: signals and buses.
class CChannelTable : public CCheckedArray<LOGIC_DATA> {
public:
    static constexpr int DefaultRows = 32;

    // 32 signal rows, row i on device channel i named baseName + i ("%s%d").
    [[nodiscard]] static CChannelTable MakeDefault(const std::string& baseName);

    // Level (0 or 1) of the signal row at `row` in a sample word.
    [[nodiscard]] int SignalBit(std::size_t row, uint32_t word) const;

    // Value of the bus row at `row` in a sample word: the member signal rows,
    // taken in table order, fill the result from bit 0 up. A mask bit that
    // names no signal row contributes nothing.
    [[nodiscard]] uint32_t BusValue(std::size_t row, uint32_t word) const;

    // The DeviceChannel of the signal row at `row`; NoSignal for a bus row or
    // a row outside the table. A signal's channel is not checked here.
    static constexpr int NoSignal = -1;
    [[nodiscard]] int SignalChannel(std::ptrdiff_t row) const;

    // Indexes of the rows with IsShown 1, in table order.
    [[nodiscard]] std::vector<std::size_t> DisplayedRows() const;
};
