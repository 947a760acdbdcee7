#include "graph/CShiftBitMode.h"

#include "graph/CGraphEditor.h"
#include "graph/CGraphModel.h"
#include "graph/IGraphEditHost.h"
#include "graph/IGraphViewHost.h"

CShiftBitMode::CShiftBitMode(CGraphModel& model, CGraphEditor& editor, CEditHistory& history, IGraphEditHost& edits)
    : m_editor(editor), m_edits(edits), m_drag(model, editor, history) {}

void CShiftBitMode::Press(CGraphModel& /*model*/, IGraphViewHost& /*host*/, int /*x*/, int /*y*/) {
    m_editor.ClearTyping();
    m_drag.Press();
}

void CShiftBitMode::Move(CGraphModel& model, IGraphViewHost& host, int x, int y, bool buttonDown) {
    const CGraphGeometry& geometry = model.Geometry();
    if (!geometry.GraphArea().Contains(x, y)) {
        return;
    }
    const GRAPH_CELL cell = geometry.HitTestCell(x, y);
    if (m_drag.EdgeAt(cell)) {
        host.SetPointerShape(POINTER_SHAPE::SizeWestEast);
    }
    if (buttonDown && m_drag.Move(cell)) {
        host.Invalidate(GRAPH_PART_ALL);
    }
}

void CShiftBitMode::Release(CGraphModel& model, IGraphViewHost& host, int /*x*/, int /*y*/, bool /*inGraph*/) {
    const EDIT_RESULT result = m_drag.Release();
    if (result == EDIT_RESULT::Done) {
        m_edits.DataChanged();
    } else if (result != EDIT_RESULT::Nothing) {
        m_edits.EditRefused(result);
    }
    model.SetAnchor(model.Current());
    host.Invalidate(GRAPH_PART_ALL);
    host.PlaceCaret();
}
