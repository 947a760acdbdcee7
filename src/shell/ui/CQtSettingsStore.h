#pragma once
#include <QSettings>
#include <memory>

#include "shell/ISettingsStore.h"

// The persisted settings in the platform's settings file (organisation
// "VARDEK", application "Nivara"; $XDG_CONFIG_HOME/VARDEK/Nivara.conf).
// QSettings writes the whole file beside the old one and renames it, so a
// crash never leaves half a file. A file that cannot be parsed is put aside
// as "Nivara.conf.unreadable" and the store starts from the defaults.
class CQtSettingsStore final : public ISettingsStore {
public:
    CQtSettingsStore();
    ~CQtSettingsStore() override;

    // The file that was put aside since the last call ("" when none was):
    // the first store of the process that met it reports it, once.
    [[nodiscard]] static QString TakeUnreadableFile();
    [[nodiscard]] QString FileName() const { return m_settings->fileName(); }

    [[nodiscard]] std::optional<int64_t> ReadNumber(const std::string& section,
                                                    const std::string& entry) const override;
    [[nodiscard]] std::optional<std::string> ReadText(const std::string& section,
                                                      const std::string& entry) const override;
    void WriteNumber(const std::string& section, const std::string& entry, int64_t value) override;
    void WriteText(const std::string& section, const std::string& entry, const std::string& value) override;
    void Remove(const std::string& section, const std::string& key) override;
    // Writes what changed to the file; false when it could not be written.
    bool Sync();

private:
    [[nodiscard]] static QString Key(const std::string& section, const std::string& entry);
    std::unique_ptr<QSettings> m_settings;
};
