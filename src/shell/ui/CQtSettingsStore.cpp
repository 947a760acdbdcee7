#include "shell/ui/CQtSettingsStore.h"

#include <QFile>

namespace {
std::unique_ptr<QSettings> OpenSettings() {
    return std::make_unique<QSettings>(QStringLiteral("VARDEK"), QStringLiteral("Nivara"));
}

QString& UnreadableFile() {
    static QString file;
    return file;
}
}  // namespace

CQtSettingsStore::CQtSettingsStore() : m_settings(OpenSettings()) {
    if (m_settings->status() != QSettings::FormatError) {
        return;
    }
    // The damaged file is kept for the user beside the new one.
    const QString name = m_settings->fileName();
    const QString aside = name + QStringLiteral(".unreadable");
    m_settings.reset();
    QFile::remove(aside);
    if (!QFile::rename(name, aside)) {
        QFile::remove(name);
    }
    m_settings = OpenSettings();
    UnreadableFile() = aside;
}

CQtSettingsStore::~CQtSettingsStore() = default;

QString CQtSettingsStore::TakeUnreadableFile() { return std::exchange(UnreadableFile(), QString()); }

QString CQtSettingsStore::Key(const std::string& section, const std::string& entry) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(entry);
}

std::optional<int64_t> CQtSettingsStore::ReadNumber(const std::string& section, const std::string& entry) const {
    const QVariant value = m_settings->value(Key(section, entry));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<int64_t>(number) : std::nullopt;
}

std::optional<std::string> CQtSettingsStore::ReadText(const std::string& section, const std::string& entry) const {
    const QVariant value = m_settings->value(Key(section, entry));
    return value.isValid() ? std::optional<std::string>(value.toString().toStdString()) : std::nullopt;
}

void CQtSettingsStore::WriteNumber(const std::string& section, const std::string& entry, int64_t value) {
    m_settings->setValue(Key(section, entry), static_cast<qlonglong>(value));
}

void CQtSettingsStore::WriteText(const std::string& section, const std::string& entry, const std::string& value) {
    m_settings->setValue(Key(section, entry), QString::fromStdString(value));
}

void CQtSettingsStore::Remove(const std::string& section, const std::string& key) {
    m_settings->remove(Key(section, key));
}

bool CQtSettingsStore::Sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
