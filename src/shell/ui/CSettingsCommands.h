#pragma once
#include "document/ICommandModule.h"
#include "shell/CPersistedSettings.h"
#include "shell/ui/CQtSettingsStore.h"

class CDriverBinding;
class ICommandHost;

// The persisted settings of the application, the language commands and the
// sampling memory option (dialog 332, refused while the document runs).
// The language is read before any window; the device and condition are
// looked up once the board library is bound (when the module is created),
// given to the first document window at the end of the start, and written
// from the active document window at exit.
class CSettingsCommands final : public ICommandModule {
public:
    CSettingsCommands(ICommandHost& host, const CDriverBinding& binding);
    ~CSettingsCommands() override;

    // The language of this start from the stored "Language"/"LCID" (the
    // system's language when none is stored).
    [[nodiscard]] static int StartLanguage();

    void Register(ICommandRegistry& registry) override;
    // Writes the settings from the active document window.
    void OnExit(IDocumentWindow* active) override { SavePersistedSettings(active); }

    [[nodiscard]] const CPersistedSettings& Settings() const { return m_settings; }
    // Last step of the start: the first document window gets the persisted
    // device and condition (nothing without a persisted device).
    void ApplyPersistedSettings(IDocumentWindow& window);
    // At exit, from the active document window (only the toolbar layout is
    // forgotten without one).
    void SavePersistedSettings(IDocumentWindow* active);

private:
    void LoadPersistedSettings(const CDriverBinding& binding);
    void OnLanguage(int language);
    void OnMemoryOption();

    ICommandHost& m_host;
    CQtSettingsStore m_store;
    CPersistedSettings m_settings;
};
