#pragma once

// What an edit of the generating memory, or the recording of one, came to.
enum class EDIT_RESULT {
    Done,              // the memory changed (and the change is recorded)
    Nothing,           // nothing to do here: no rows, no channel, not allowed now
    ImproperArgument,  // a range outside the memory: message 61477, nothing changed
    OutOfMemory,       // the history record could not be made: the edit is refused
};
