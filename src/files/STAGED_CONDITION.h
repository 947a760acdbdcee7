#pragma once
#include <cstdint>

#include "document/LOGIC_CONDITION.h"

// The condition a file read will give the document: the document's current
// condition with every value the file carries laid over it, and the Size of
// the file's direction. Nothing of it reaches the document until the whole
// file was checked.
struct STAGED_CONDITION {
    LOGIC_CONDITION Condition;
    uint32_t Size = 0;
};
