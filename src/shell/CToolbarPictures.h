#pragma once

// The picture of every toolbar button: the base name of an SVG file drawn on
// a 16 x 16 grid under resources/icons (the window layer renders it at 16 and
// 32 pixels).
class CToolbarPictures {
public:
    // The picture of a toolbar command; "" for a command without one.
    [[nodiscard]] static const char* OfCommand(int command);
};
