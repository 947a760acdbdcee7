#include "shell/ui/CGuardMessages.h"

#include <QTimer>

void CGuardMessages::ShowMessage(const std::string& text, MessageIcon icon) {
    if (!m_deferred) {
        Show(text, icon);
        return;
    }
    if (m_pending || m_up) {
        return;
    }
    m_pending = true;
    QTimer::singleShot(0, &m_context, [this, text, icon] {
        m_pending = false;
        Show(text, icon);
    });
}

MessageAnswer CGuardMessages::AskYesNo(const std::string& text, MessageIcon icon) {
    return m_target()->AskYesNo(text, icon);
}

MessageAnswer CGuardMessages::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    return m_target()->AskYesNoCancel(text, icon);
}

void CGuardMessages::Show(const std::string& text, MessageIcon icon) {
    if (m_up) {
        return;
    }
    m_up = true;
    m_target()->ShowMessage(text, icon);
    m_up = false;
}
