#pragma once
#include <QString>

#include "document/IUserMessages.h"

class QWidget;

// Message boxes of the window layer: the application title as caption unless
// the message names its own caption, and the icon by kind.
class CQtUserMessages : public IUserMessages {
public:
    explicit CQtUserMessages(QWidget* parent) : m_parent(parent) {}

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNo(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNoCancel(const std::string& text, MessageIcon icon) override;

    // The caption of a message text: string 64611 for the save query and the
    // language notice, else the application title (string 128).
    [[nodiscard]] static QString CaptionFor(const std::string& text);

private:
    QWidget* m_parent;
};
