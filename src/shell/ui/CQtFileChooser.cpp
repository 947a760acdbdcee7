#include "shell/ui/CQtFileChooser.h"

#include <QFileDialog>
#include <QStringList>

QString CQtFileChooser::DialogFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList labels;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty()) {
            labels << parts[i];
        }
    }
    return labels.join(";;");
}

QString CQtFileChooser::Suffix(const std::string& defaultExtension) {
    QString suffix = QString::fromStdString(defaultExtension);
    if (suffix.startsWith("*.")) {
        suffix.remove(0, 2);
    }
    return suffix;
}

std::optional<std::string> CQtFileChooser::ChooseFileToOpen(const std::string& filter,
                                                            const std::string& defaultExtension) {
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(DialogFilter(filter));
    dialog.setDefaultSuffix(Suffix(defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> CQtFileChooser::ChooseFileToSave(const std::string& filter,
                                                            const std::string& defaultExtension,
                                                            const std::string& initialName) {
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(DialogFilter(filter));
    dialog.setDefaultSuffix(Suffix(defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!initialName.empty()) {
        dialog.selectFile(QString::fromStdString(initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}
