#include "support/CScriptedChooser.h"

std::optional<std::string> CScriptedChooser::ChooseFileToOpen(const std::string& filter,
                                                              const std::string& defaultExtension) {
    LastFilter = filter;
    LastExtension = defaultExtension;
    return Next();
}

std::optional<std::string> CScriptedChooser::ChooseFileToSave(const std::string& filter,
                                                              const std::string& defaultExtension,
                                                              const std::string& initialName) {
    LastFilter = filter;
    LastExtension = defaultExtension;
    LastInitial = initialName;
    ++SaveDialogs;
    return Next();
}

std::optional<std::string> CScriptedChooser::Next() {
    ++Dialogs;
    if (Answers.empty()) {
        return Answer;
    }
    std::optional<std::string> answer = Answers.front();
    Answers.pop_front();
    return answer;
}
