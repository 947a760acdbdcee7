#pragma once
#include <deque>
#include <optional>
#include <string>

#include "document/IFileChooser.h"

// File dialogs answered by a test: each dialog takes the next scripted
// answer, or Answer when none is left (no value: the user cancelled). What
// the last dialog was given is kept.
class CScriptedChooser : public IFileChooser {
public:
    [[nodiscard]] std::optional<std::string> ChooseFileToOpen(const std::string& filter,
                                                              const std::string& defaultExtension) override;
    [[nodiscard]] std::optional<std::string> ChooseFileToSave(const std::string& filter,
                                                              const std::string& defaultExtension,
                                                              const std::string& initialName) override;

    std::optional<std::string> Answer;
    std::deque<std::optional<std::string>> Answers;
    std::string LastFilter;
    std::string LastExtension;
    std::string LastInitial;
    int Dialogs = 0;
    int SaveDialogs = 0;

private:
    [[nodiscard]] std::optional<std::string> Next();
};
