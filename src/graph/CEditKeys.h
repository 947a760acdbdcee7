#pragma once
#include "graph/IGraphKeyCommand.h"

class CGraphEditor;
class IGraphEditHost;

// The data keys of the graph: 0 and 1 (top row and keypad), the hexadecimal
// digits of bus entry, Space, Delete, Backspace and Enter. A key that moves
// the caret drops a bus value being typed and leaves the move to the key
// controller. Keys with Ctrl or Alt are not data keys.
class CEditKeys final : public IGraphKeyCommand {
public:
    CEditKeys(CGraphEditor& editor, IGraphEditHost& edits) : m_editor(editor), m_edits(edits) {}

    [[nodiscard]] bool KeyDown(CGraphModel& model, IGraphViewHost& host, const GRAPH_KEY_EVENT& key) override;

private:
    CGraphEditor& m_editor;
    IGraphEditHost& m_edits;
};
