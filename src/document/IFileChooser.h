#pragma once
#include <optional>
#include <string>

// How the file commands ask the user for a file name. Filters are given in
// the form "Label (*.ext) |*.ext|...||"; the default extension is added to a
// name typed without one. No value: the user cancelled.
class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    [[nodiscard]] virtual std::optional<std::string> ChooseFileToOpen(const std::string& filter,
                                                                      const std::string& defaultExtension) = 0;
    // Asks before overwriting an existing file.
    [[nodiscard]] virtual std::optional<std::string> ChooseFileToSave(const std::string& filter,
                                                                      const std::string& defaultExtension,
                                                                      const std::string& initialName) = 0;
};
