#pragma once
#include <cstdint>

// The four logical operations, by their stored operation code.
enum class LOGIC_OPERATION : int16_t { And = 0, Or = 1, Xor = 2, Not = 3 };

// The edge a pulse count looks for, by its stored kind.
enum class EDGE_KIND : int16_t { Rising = 0, Falling = 1 };

// The pages of the result box, in the order the workspace list shows them.
enum class RESULT_PAGE : int { LogicalOperation = 0, PulseCount = 1, Frequency = 2, Search = 3, DataPattern = 4 };

constexpr int RESULT_PAGE_COUNT = 5;
