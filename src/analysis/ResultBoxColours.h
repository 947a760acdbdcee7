#pragma once
#include "graph/GraphColours.h"

// The colours of the result box below the graph and of the data pattern
// details window. The painters take them from here, and so do the tests
// that read the painted pixels.
namespace result_colour {
// The box's fill and border; also the gap before a cut pattern's mark.
inline constexpr GRAPH_COLOUR Box{100, 100, 100};
// The titles, the values and the digits of a logical operation.
inline constexpr GRAPH_COLOUR Text{255, 255, 255};
// The frame of a data pattern's slot.
inline constexpr GRAPH_COLOUR Slot{238, 0, 0};
// The step line of a data pattern's bits.
inline constexpr GRAPH_COLOUR Step{80, 200, 30};
}  // namespace result_colour
