#pragma once
#include <cstdint>

// A colour of the graph on screen: red, green and blue, 0..255 each.
struct GRAPH_COLOUR {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;

    // The colour a selection or compare mark turns it into (each part inverted).
    [[nodiscard]] constexpr GRAPH_COLOUR Inverted() const {
        return GRAPH_COLOUR{static_cast<uint8_t>(255 - Red), static_cast<uint8_t>(255 - Green),
                            static_cast<uint8_t>(255 - Blue)};
    }
    constexpr bool operator==(const GRAPH_COLOUR&) const = default;
};

// The colours the graph is painted in. The drawing objects take them from
// here, and so do the tests that read the painted pixels.
namespace graph_colour {
inline constexpr GRAPH_COLOUR Background{0, 0, 0};
inline constexpr GRAPH_COLOUR RowSeparator{50, 50, 50};
inline constexpr GRAPH_COLOUR SignalLevel{80, 200, 30};
inline constexpr GRAPH_COLOUR BusBand{200, 80, 0};
inline constexpr GRAPH_COLOUR BusText{255, 255, 255};
inline constexpr GRAPH_COLOUR Ruler{80, 200, 30};
inline constexpr GRAPH_COLOUR CursorA{0, 221, 221};
inline constexpr GRAPH_COLOUR CursorB{221, 0, 0};
inline constexpr GRAPH_COLOUR CurrentBookmark{255, 51, 204};
inline constexpr GRAPH_COLOUR OtherBookmark{255, 255, 0};
// The text of the information boxes (Current, Cursor A, Cursor B) on the background.
inline constexpr GRAPH_COLOUR InfoText{255, 255, 255};
// Selections and compare marks invert what lies under them.
inline constexpr GRAPH_COLOUR Highlight{255, 255, 255};
// The row separators of a printed page.
inline constexpr GRAPH_COLOUR PrintRowSeparator{224, 224, 224};
}  // namespace graph_colour
