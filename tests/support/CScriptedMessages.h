#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "document/IUserMessages.h"

// Message boxes answered by a test: every message and question is recorded
// with its icon; each question takes the next scripted answer, or
// DefaultAnswer when none is left. The core tests and the window tests share
// it (plain C++, no Qt).
class CScriptedMessages : public IUserMessages {
public:
    explicit CScriptedMessages(MessageAnswer defaultAnswer = MessageAnswer::Cancel) : DefaultAnswer(defaultAnswer) {}

    void ShowMessage(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNo(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNoCancel(const std::string& text, MessageIcon icon) override;

    // The texts shown and asked, in order.
    [[nodiscard]] std::vector<std::string> Texts() const;
    // The icons of the texts shown and asked, in order.
    [[nodiscard]] std::vector<MessageIcon> Icons() const;
    // True when `text` was shown or asked at least once.
    [[nodiscard]] bool Showed(const std::string& text) const;

    std::vector<std::pair<std::string, MessageIcon>> Shown;
    std::deque<MessageAnswer> Answers;
    MessageAnswer DefaultAnswer;

private:
    [[nodiscard]] MessageAnswer Next(const std::string& text, MessageIcon icon);
};
