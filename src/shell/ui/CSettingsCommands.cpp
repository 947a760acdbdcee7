#include "shell/ui/CSettingsCommands.h"

#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "document/CLogicDocument.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "document/IUserMessages.h"
#include "files/IFileWindow.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/ui/CMemoryOptionDlg.h"
#include "shell/ui/CNivaraDoc.h"

CSettingsCommands::CSettingsCommands(ICommandHost& host, const CDriverBinding& binding)
    : m_host(host), m_settings(CNivaraDoc::DefaultAutoSavePath().toStdString()) {
    const QString unreadable = CQtSettingsStore::TakeUnreadableFile();
    if (!unreadable.isEmpty()) {
        m_host.Messages().ShowMessage(FormatText(IDS_SETTINGS_UNREADABLE, unreadable.toStdString()),
                                      MessageIcon::Warning);
    }
    m_settings.LoadStartup(m_store);
    LoadPersistedSettings(binding);
}

CSettingsCommands::~CSettingsCommands() = default;

int CSettingsCommands::StartLanguage() {
    const CQtSettingsStore store;
    CPersistedSettings settings(std::string{});
    settings.LoadStartup(store);
    return settings.StartLanguage(CStringTable::LanguageFromEnvironment());
}

void CSettingsCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::LanguageJapanese, [this] { OnLanguage(LANGUAGE_JAPANESE); });
    registry.AddCommand(cmd::LanguageEnglish, [this] { OnLanguage(LANGUAGE_ENGLISH); });
    registry.AddCommand(cmd::SamplingMemoryOption, [this] { OnMemoryOption(); });
}

void CSettingsCommands::OnMemoryOption() {
    IDocumentWindow* window = m_host.ActiveWindow();
    // The sampling memory is the run's buffer while the document runs.
    if (window == nullptr || window->Run().RunActive() || window->Document().IsRunning.load() != 0) {
        return;
    }
    CMemoryOptionDlg dialog(window->Document(), m_host.Messages(), m_host.MainWindow());
    dialog.exec();
    m_host.RefreshGrid();
}

void CSettingsCommands::OnLanguage(int language) {
    // Stored for the next start; the running language stays (and stays marked).
    CPersistedSettings::SaveLanguage(m_store, language);
    m_store.Sync();
    m_host.Messages().ShowMessage(LoadText(IDS_RESTART_TO_APPLY), MessageIcon::None);
}

void CSettingsCommands::LoadPersistedSettings(const CDriverBinding& binding) {
    // No board query is made here: the binding's list is the enumeration, and
    // an unbound library gives no list at all.
    static const std::vector<std::string> none;
    const bool bound = binding.DriverBound();
    m_settings.LoadPersistedSettings(m_store, bound ? binding.DeviceNames() : none,
                                     bound ? binding.DeviceTypes() : none);
}

void CSettingsCommands::ApplyPersistedSettings(IDocumentWindow& window) {
    if (!m_settings.HasDevice()) {
        return;
    }
    CLogicDocument& document = window.Document();
    if (!m_settings.ApplyTo(document)) {
        m_host.Messages().ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
    }
    document.BookmarkAutoClose = m_settings.AutoClose() ? 1 : 0;
    window.Run().CloseDevice();
    (void)window.Run().OpenDevice(m_settings.DeviceName());
    window.FileWindow().RebuildSignalTree();
    document.NotifyViews();
    m_host.RefreshGrid();
    m_host.UpdateCommandUI();
}

void CSettingsCommands::SavePersistedSettings(IDocumentWindow* active) {
    if (active != nullptr) {
        const CLogicDocument& document = active->Document();
        CPersistedSettings::SavePersistedSettings(m_store, document, document.BookmarkAutoClose != 0);
    }
    m_settings.SaveApplicationLook(m_store);
    CPersistedSettings::ForgetToolbarLayout(m_store);
    m_store.Sync();
}
