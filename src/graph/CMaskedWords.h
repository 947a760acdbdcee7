#pragma once
#include <cstdint>

struct LOGIC_MEMORY;

// Bulk operations on raw sample words that touch only the bits of a channel
// mask: one pass over the range for all channels at once, no checked access
// per word. Callers check every range against the memory first; the comments
// give what each operation reads and writes.
class CMaskedWords {
public:
    // Words start .. length-shift-1 take the mask bits of the word shift
    // positions later (bits move toward clock 0). Needs start + shift <= length.
    static void PullTowardStart(uint32_t* words, uint32_t length, uint32_t start, uint32_t shift, uint32_t mask);
    // Words length-1 down to start+shift take the mask bits of the word shift
    // positions earlier (bits move toward the end). Needs start + shift <= length.
    static void PushTowardEnd(uint32_t* words, uint32_t length, uint32_t start, uint32_t shift, uint32_t mask);
    // The mask bits of words first .. first+count-1 become 1 (set) or 0.
    static void Fill(uint32_t* words, uint32_t first, uint32_t count, uint32_t mask, bool set);
    static void Invert(uint32_t* words, uint32_t first, uint32_t count, uint32_t mask);
    // Exchanges the bits of channels a and b in words 0 .. length-1.
    static void SwapChannels(uint32_t* words, uint32_t length, int a, int b);

    // Saves the bits of record.ChannelSet of words record.Start .. record.End
    // (of `words`, which start at clock `wordsFirst`) into the record's planes.
    // Throws std::bad_alloc when the planes cannot be allocated.
    static void Capture(const uint32_t* words, uint32_t wordsFirst, LOGIC_MEMORY& record);
    // Writes the saved bits of `channels` (a subset of record.ChannelSet) back
    // into the same channels of words record.Start .. record.End.
    static void Restore(const LOGIC_MEMORY& record, uint32_t* words, uint32_t channels);
    // Saved bit of `channel` at clock record.Start + index.
    [[nodiscard]] static uint32_t SavedBit(const LOGIC_MEMORY& record, int channel, uint32_t index);
    // Writes count saved bits of sourceChannel, from index `offset` on, into
    // bit destChannel of words dest .. dest+count-1.
    static void CopyChannel(const LOGIC_MEMORY& record, int sourceChannel, uint32_t offset, uint32_t count,
                            uint32_t* words, uint32_t dest, int destChannel);
};
