#pragma once
#include <QString>

#include "document/IFileChooser.h"

class QWidget;

// File dialogs of the window layer.
class CQtFileChooser : public IFileChooser {
public:
    explicit CQtFileChooser(QWidget* parent) : m_parent(parent) {}

    [[nodiscard]] std::optional<std::string> ChooseFileToOpen(const std::string& filter,
                                                              const std::string& defaultExtension) override;
    [[nodiscard]] std::optional<std::string> ChooseFileToSave(const std::string& filter,
                                                              const std::string& defaultExtension,
                                                              const std::string& initialName) override;

    // "Label (*.a) |*.a|Other (*.b) |*.b||" as the dialog's filter list:
    // "Label (*.a) ;;Other (*.b) ". The labels keep their patterns.
    [[nodiscard]] static QString DialogFilter(const std::string& filter);
    // "*.csv" and "csv" both give "csv".
    [[nodiscard]] static QString Suffix(const std::string& defaultExtension);

private:
    QWidget* m_parent;
};
