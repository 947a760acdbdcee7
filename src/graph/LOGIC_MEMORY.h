#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph/CLargeAllocator.h"

// The kind of change a history record undoes.
enum class EDIT_MODE : uint16_t {
    Overwrite = 0,  // bits written in place
    Insert = 1,     // bits pushed toward the end of memory from Start on
    Delete = 2,     // bits pulled toward the start, the freed end filled with 0
    Swap = 3,       // two channels exchanged in every word
};

// A recorded piece of the memory: the clocks Start..End (inclusive) of a set
// of channels. It is both an edit-history record and the graph's clipboard.
// Only the bits of the channels in ChannelSet are kept: one packed bit plane
// per channel (ascending channel order, PlaneWords() 64-bit words each, bit i
// of a plane is clock Start + i). A record of all 32 channels keeps the words
// themselves, which hold exactly those bits.
struct LOGIC_MEMORY {
    static constexpr int16_t NoChannel = -1;

    int32_t Start = 0;
    int32_t End = -1;
    // One entry per recorded row in row order (NoChannel for a bus row); the
    // clipboard maps them onto the destination rows by order.
    std::vector<int16_t> Channels;
    EDIT_MODE Mode = EDIT_MODE::Overwrite;
    // The distinct channels whose bits are kept (bit k = device channel k).
    uint32_t ChannelSet = 0;
    std::vector<uint64_t, CLargeAllocator<uint64_t>> Planes;
    std::vector<uint32_t, CLargeAllocator<uint32_t>> Words;  // used instead of Planes when ChannelSet holds all 32 channels

    [[nodiscard]] uint32_t Length() const { return End >= Start ? static_cast<uint32_t>(End - Start) + 1U : 0U; }
    [[nodiscard]] std::size_t PlaneWords() const { return (static_cast<std::size_t>(Length()) + 63) / 64; }
    [[nodiscard]] bool HoldsBits() const { return !Planes.empty() || !Words.empty(); }
    // Bytes held by the saved bits (for the memory figures).
    [[nodiscard]] std::size_t Bytes() const {
        return Planes.capacity() * sizeof(uint64_t) + Words.capacity() * sizeof(uint32_t) +
               Channels.capacity() * sizeof(int16_t);
    }
};
