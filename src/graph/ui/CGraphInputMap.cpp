#include "graph/ui/CGraphInputMap.h"

#include <QKeyEvent>

KEY_STATE CGraphInputMap::Keys(Qt::KeyboardModifiers modifiers) {
    return {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0,
            (modifiers & Qt::AltModifier) != 0};
}

GRAPH_KEY_EVENT CGraphInputMap::Key(const QKeyEvent& event) {
    GRAPH_KEY_EVENT key;
    key.keys = Keys(event.modifiers());
    const int code = event.key();
    if ((code >= Qt::Key_0 && code <= Qt::Key_9) || (code >= Qt::Key_A && code <= Qt::Key_Z)) {
        key.key = GRAPH_KEY::Character;
        key.character = static_cast<char>(code);  // Qt's codes of digits and letters are their ASCII
        return key;
    }
    switch (code) {
        case Qt::Key_PageUp: key.key = GRAPH_KEY::PageUp; break;
        case Qt::Key_PageDown: key.key = GRAPH_KEY::PageDown; break;
        case Qt::Key_End: key.key = GRAPH_KEY::End; break;
        case Qt::Key_Home: key.key = GRAPH_KEY::Home; break;
        case Qt::Key_Left: key.key = GRAPH_KEY::Left; break;
        case Qt::Key_Right: key.key = GRAPH_KEY::Right; break;
        case Qt::Key_Up: key.key = GRAPH_KEY::Up; break;
        case Qt::Key_Down: key.key = GRAPH_KEY::Down; break;
        case Qt::Key_Insert: key.key = GRAPH_KEY::Insert; break;
        case Qt::Key_Delete: key.key = GRAPH_KEY::Delete; break;
        case Qt::Key_Backspace: key.key = GRAPH_KEY::Backspace; break;
        case Qt::Key_Space: key.key = GRAPH_KEY::Space; break;
        case Qt::Key_Return:
        case Qt::Key_Enter: key.key = GRAPH_KEY::Enter; break;
        default: key.key = GRAPH_KEY::Other; break;
    }
    return key;
}
