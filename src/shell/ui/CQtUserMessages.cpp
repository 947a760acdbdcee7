#include "shell/ui/CQtUserMessages.h"

#include <QMessageBox>

#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

// The messages captioned "Confirm" instead of the application title.
constexpr int MessagesWithConfirmCaption[] = {IDS_RESTART_TO_APPLY, IDS_SAVE_QUERY};

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

MessageAnswer Ask(QWidget* parent, const std::string& text, MessageIcon icon, QMessageBox::StandardButtons buttons) {
    QMessageBox box(BoxIcon(icon), CQtUserMessages::CaptionFor(text), QString::fromStdString(text), buttons, parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Cancel;
    }
}

}  // namespace

QString CQtUserMessages::CaptionFor(const std::string& text) {
    for (int id : MessagesWithConfirmCaption) {
        if (!text.empty() && text == LoadText(id)) {
            return QString::fromStdString(LoadText(IDS_CONFIRM_CAPTION));
        }
    }
    return QString::fromStdString(LoadText(IDS_APP_TITLE));
}

void CQtUserMessages::ShowMessage(const std::string& text, MessageIcon icon) {
    (void)Ask(m_parent, text, icon, QMessageBox::Ok);
}

MessageAnswer CQtUserMessages::AskYesNo(const std::string& text, MessageIcon icon) {
    return Ask(m_parent, text, icon, QMessageBox::Yes | QMessageBox::No);
}

MessageAnswer CQtUserMessages::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    return Ask(m_parent, text, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}
