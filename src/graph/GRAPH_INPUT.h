#pragma once
#include <cstdint>

// Mouse modes of the graph.
constexpr int MOUSE_MODE_SELECT = 0;
constexpr int MOUSE_MODE_INVERT_BIT = 1;
constexpr int MOUSE_MODE_SHIFT_BIT = 2;
constexpr int MOUSE_MODE_COUNT = 3;

// The modifier keys held with a key, a press or a held scroll button.
struct KEY_STATE {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// The keys the graph tells apart. Character keys (digits and letters, top row
// and keypad alike) come as GRAPH_KEY::Character with their upper-case
// character.
enum class GRAPH_KEY {
    PageUp,
    PageDown,
    End,
    Home,
    Left,
    Right,
    Up,
    Down,
    Insert,
    Delete,
    Backspace,
    Space,
    Enter,
    Character,
    Other,
};

struct GRAPH_KEY_EVENT {
    GRAPH_KEY key = GRAPH_KEY::Other;
    char character = 0;  // '0'..'9', 'A'..'Z' for GRAPH_KEY::Character
    KEY_STATE keys;
};

// Pointer shapes the graph asks for.
enum class POINTER_SHAPE { Arrow, SizeWestEast };

// The parts of the graph a change repaints. Every drawing object lies inside
// one part: the page holds the ruler, the marker band and the graph area.
enum GRAPH_PART : unsigned {
    GRAPH_PART_NONE = 0,
    GRAPH_PART_PAGE = 1u << 0,
    GRAPH_PART_RESULT = 1u << 1,
    GRAPH_PART_INFO = 1u << 2,
    GRAPH_PART_SCROLL_BAR = 1u << 3,
    GRAPH_PART_ALL = 0xFu,
};

// What a press, move or release of the left button is doing.
enum class GRAPH_DRAG { None = 0, Selecting = 1, CursorA = 2, CursorB = 3, Thumb = 4, Result = 5 };
