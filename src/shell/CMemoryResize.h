#pragma once
#include <cstdint>

class CLogicDocument;
class IUserMessages;

// Gives the memory of a direction a new length, as the condition grid's
// buffer size and the sampling memory option do.
class CMemoryResize {
public:
    // No buffer is larger: 400 MB of words.
    static constexpr uint32_t MaximumWords = 100000000;

    // Resizes the memory of the direction to `size` words (at least 1, at most
    // MaximumWords); RepeatCount keeps its value. A block that cannot be
    // allocated is reported and the memory keeps its length. A new sampling
    // length drops the list of auto-saved blocks: their positions no longer
    // hold. True when the memory has its new length.
    [[nodiscard]] static bool Resize(CLogicDocument& document, int direction, uint32_t size,
                                     IUserMessages& messages);
};
