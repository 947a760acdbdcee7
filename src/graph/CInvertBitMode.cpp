#include "graph/CInvertBitMode.h"

#include "graph/CGraphEditor.h"
#include "graph/CGraphModel.h"
#include "graph/IGraphEditHost.h"
#include "graph/IGraphViewHost.h"

void CInvertBitMode::Press(CGraphModel& /*model*/, IGraphViewHost& /*host*/, int /*x*/, int /*y*/) {
    m_editor.ClearTyping();
}

void CInvertBitMode::Release(CGraphModel& /*model*/, IGraphViewHost& host, int /*x*/, int /*y*/, bool inGraph) {
    if (!inGraph) {
        return;
    }
    const EDIT_RESULT result = m_editor.InvertSelection();
    if (result == EDIT_RESULT::Done) {
        m_edits.DataChanged();
    } else if (result != EDIT_RESULT::Nothing) {
        m_edits.EditRefused(result);
    }
    host.Invalidate(GRAPH_PART_ALL);
    host.PlaceCaret();
}
