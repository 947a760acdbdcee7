#pragma once
#include <Qt>

#include "graph/GRAPH_INPUT.h"

class QKeyEvent;

// Qt's keys and modifiers as the graph's controllers take them.
class CGraphInputMap {
public:
    [[nodiscard]] static KEY_STATE Keys(Qt::KeyboardModifiers modifiers);
    // Digits and letters (top row and keypad) come as GRAPH_KEY::Character.
    [[nodiscard]] static GRAPH_KEY_EVENT Key(const QKeyEvent& event);
};
