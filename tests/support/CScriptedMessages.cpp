#include "support/CScriptedMessages.h"

#include <algorithm>

void CScriptedMessages::ShowMessage(const std::string& text, MessageIcon icon) { Shown.emplace_back(text, icon); }

MessageAnswer CScriptedMessages::AskYesNo(const std::string& text, MessageIcon icon) { return Next(text, icon); }

MessageAnswer CScriptedMessages::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    return Next(text, icon);
}

MessageAnswer CScriptedMessages::Next(const std::string& text, MessageIcon icon) {
    Shown.emplace_back(text, icon);
    if (Answers.empty()) {
        return DefaultAnswer;
    }
    const MessageAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

std::vector<std::string> CScriptedMessages::Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : Shown) {
        texts.push_back(shown.first);
    }
    return texts;
}

std::vector<MessageIcon> CScriptedMessages::Icons() const {
    std::vector<MessageIcon> icons;
    for (const auto& shown : Shown) {
        icons.push_back(shown.second);
    }
    return icons;
}

bool CScriptedMessages::Showed(const std::string& text) const {
    return std::any_of(Shown.begin(), Shown.end(), [&](const auto& shown) { return shown.first == text; });
}
