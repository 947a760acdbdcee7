#pragma once
#include <optional>
#include <string>

// How the condition grid asks the user for a folder. No value: cancelled.
class IFolderChooser {
public:
    virtual ~IFolderChooser() = default;
    [[nodiscard]] virtual std::optional<std::string> ChooseFolder(const std::string& initialFolder) = 0;
};
