#pragma once
#include "shell/IFolderChooser.h"

class QWidget;

// The folder browser of the window layer.
class CQtFolderChooser : public IFolderChooser {
public:
    explicit CQtFolderChooser(QWidget* parent) : m_parent(parent) {}
    [[nodiscard]] std::optional<std::string> ChooseFolder(const std::string& initialFolder) override;

private:
    QWidget* m_parent;
};
