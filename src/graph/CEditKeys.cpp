#include "graph/CEditKeys.h"

#include "graph/CGraphEditor.h"
#include "graph/CGraphModel.h"
#include "graph/IGraphEditHost.h"
#include "graph/IGraphViewHost.h"

namespace {

// The digit value of a character key, -1 for another character.
int DigitOf(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

bool CEditKeys::KeyDown(CGraphModel& model, IGraphViewHost& host, const GRAPH_KEY_EVENT& key) {
    if (key.keys.ctrl || key.keys.alt) {
        return false;
    }
    DATA_KEY data = DATA_KEY::Digit;
    int digit = 0;
    switch (key.key) {
    case GRAPH_KEY::Delete: data = DATA_KEY::Delete; break;
    case GRAPH_KEY::Backspace: data = DATA_KEY::Backspace; break;
    case GRAPH_KEY::Space: data = DATA_KEY::Space; break;
    case GRAPH_KEY::Enter: data = DATA_KEY::Enter; break;
    case GRAPH_KEY::Character:
        digit = DigitOf(key.character);
        if (digit < 0) {
            return false;
        }
        break;
    default:
        // A move places the caret elsewhere: the typed value goes.
        m_editor.ClearTyping();
        return false;
    }
    const EDIT_OUTCOME outcome = m_editor.DataKey(data, digit);
    if (outcome.RowsScrolled) {
        host.ScrollSignalRowsTo(model.Geometry().FirstVisibleRow());
    }
    if (outcome.Result == EDIT_RESULT::Done) {
        m_edits.DataChanged();
    } else if (outcome.Result != EDIT_RESULT::Nothing) {
        m_edits.EditRefused(outcome.Result);
    }
    host.RefreshView();
    return true;
}
