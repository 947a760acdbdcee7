#pragma once

// What a pattern or swap command came to.
enum class PATTERN_OUTCOME {
    Applied,           // the memory holds the pattern, the step is recorded for Undo
    Nothing,           // nothing to do (a bus row as the source): nothing stored or changed
    ImproperArgument,  // a range or channel outside the memory: message 61477, nothing changed
    OutOfMemory,       // the undo record could not be made: the command is refused
    Failed,            // the swap's two signals are not both in its list: message 64517
};
