#include "shell/ui/CQtFolderChooser.h"

#include <QFileDialog>

std::optional<std::string> CQtFolderChooser::ChooseFolder(const std::string& initialFolder) {
    const QString folder = QFileDialog::getExistingDirectory(m_parent, QString(), QString::fromStdString(initialFolder));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}
