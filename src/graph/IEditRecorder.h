#pragma once
#include <cstdint>

#include "graph/EDIT_RESULT.h"

// The door through which a change of the generating memory made outside the
// graph (pattern creation, channel swap) enters the document's edit history,
// so that Undo and Redo take it back and forth like a graph edit.
//
// Call it just BEFORE changing the memory, and change the memory only when it
// returns EDIT_RESULT::Done:
//   - ImproperArgument: a clock outside the generating memory, an empty
//     channel set or a channel outside 0..31; tell the user with message
//     61477 and change nothing.
//   - OutOfMemory: the record could not be allocated; refuse the change.
// A successful record sets the document's Saved to 0. The record keeps only
// the bits of the channels named, so Undo restores those channels and no
// other, whatever the channel tables look like by then.
class IEditRecorder {
public:
    virtual ~IEditRecorder() = default;

    // The bits of `channels` (bit k = device channel k) of the words
    // start .. end (both included) are about to be overwritten in place.
    [[nodiscard]] virtual EDIT_RESULT RecordOverwrite(uint32_t channels, uint32_t start, uint32_t end) = 0;

    // Device channels a and b (0..31, different) are about to be exchanged
    // in every word of the memory.
    [[nodiscard]] virtual EDIT_RESULT RecordSwap(int channelA, int channelB) = 0;
};
