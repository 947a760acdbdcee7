#include "graph/CGraphEditNotice.h"

#include "document/CLogicDocument.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"

void CGraphEditNotice::DataChanged() { m_document.NotifyViews(); }

void CGraphEditNotice::EditRefused(EDIT_RESULT result) {
    if (m_messages == nullptr) {
        return;
    }
    switch (result) {
    case EDIT_RESULT::ImproperArgument:
        m_messages->ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        break;
    case EDIT_RESULT::OutOfMemory:
        m_messages->ShowMessage(LoadText(IDS_EDIT_NOT_RECORDED), MessageIcon::Error);
        break;
    case EDIT_RESULT::Done:
    case EDIT_RESULT::Nothing:
        break;
    }
}
