#pragma once
#include "graph/CShiftBitDrag.h"
#include "graph/IGraphMouseMode.h"

class CEditHistory;
class CGraphEditor;
class IGraphEditHost;

// Mouse mode 2, shift bit: a drag from a clock next to an edge moves the
// edge (CShiftBitDrag); over an edge the pointer becomes a sizing arrow. The
// release records the drag, wherever the pointer is then.
class CShiftBitMode final : public IGraphMouseMode {
public:
    CShiftBitMode(CGraphModel& model, CGraphEditor& editor, CEditHistory& history, IGraphEditHost& edits);

    void Press(CGraphModel& model, IGraphViewHost& host, int x, int y) override;
    void Move(CGraphModel& model, IGraphViewHost& host, int x, int y, bool buttonDown) override;
    void Release(CGraphModel& model, IGraphViewHost& host, int x, int y, bool inGraph) override;
    [[nodiscard]] bool PaintsSelection() const override { return false; }

private:
    CGraphEditor& m_editor;
    IGraphEditHost& m_edits;
    CShiftBitDrag m_drag;
};
