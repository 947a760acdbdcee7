#pragma once
#include "graph/IGraphMouseMode.h"

class CGraphEditor;
class IGraphEditHost;

// Mouse mode 1, invert bit: the release of a press that began in the graph
// inverts the signal bits of the selection (one click: one bit).
class CInvertBitMode final : public IGraphMouseMode {
public:
    CInvertBitMode(CGraphEditor& editor, IGraphEditHost& edits) : m_editor(editor), m_edits(edits) {}

    void Press(CGraphModel& model, IGraphViewHost& host, int x, int y) override;
    void Release(CGraphModel& model, IGraphViewHost& host, int x, int y, bool inGraph) override;

private:
    CGraphEditor& m_editor;
    IGraphEditHost& m_edits;
};
