#pragma once
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

// A settings folder of one's own: while it lives, the application's
// settings file is <folder>/VARDEK/Nivara.conf, so no test reads what
// another wrote. Window tests that start the application make one per case.
class CFreshSettingsFolder {
public:
    CFreshSettingsFolder() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path()); }
    [[nodiscard]] QString FilePath() const { return m_folder.filePath(QStringLiteral("VARDEK/Nivara.conf")); }

private:
    QTemporaryDir m_folder;
};
