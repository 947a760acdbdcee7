#include "shell/ui/CRecentFileCommands.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "document/ICommandHost.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/CMenuTable.h"
#include "shell/ui/CCommandActions.h"
#include "shell/ui/CFileCommands.h"
#include "shell/ui/CQtSettingsStore.h"

namespace {
struct LIST_PLACE {
    int FirstCommand;
    int Popup;
};

// In the order of RECENT_LIST.
constexpr LIST_PLACE Places[] = {
    {cmd::RecentFileFirst, CMenuTable::PopupRecentFiles},
    {cmd::RecentConditionFileFirst, CMenuTable::PopupRecentConditionFiles},
    {cmd::RecentDataPatternFileFirst, CMenuTable::PopupRecentDataPatternFiles},
};

const LIST_PLACE& PlaceOf(RECENT_LIST list) { return Places[static_cast<std::size_t>(list)]; }

constexpr RECENT_LIST Lists[] = {RECENT_LIST::PulseFiles, RECENT_LIST::ConditionFiles, RECENT_LIST::DataPatternFiles};
}  // namespace

CRecentFileCommands::CRecentFileCommands(ICommandHost& host, CCommandActions& menus)
    : m_host(host),
      m_menus(menus),
      m_lists{CRecentFileList("Recent File List"), CRecentFileList("Recent NVC File List"),
              CRecentFileList("Recent BDP File List")} {
    const CQtSettingsStore store;
    for (CRecentFileList& list : m_lists) {
        list.Read(store);
    }
    for (RECENT_LIST list : Lists) {
        m_menus.SetPopupFiller(PlaceOf(list).Popup, [this, list](QMenu& popup) { FillPopup(list, popup); });
    }
}

void CRecentFileCommands::Register(ICommandRegistry& registry) {
    for (RECENT_LIST list : Lists) {
        for (int i = 0; i < cmd::RecentFileCount; ++i) {
            registry.AddCommand(PlaceOf(list).FirstCommand + i,
                                [this, list, i] { OnRecentFile(list, static_cast<std::size_t>(i)); });
        }
    }
}

void CRecentFileCommands::OnExit(IDocumentWindow* active) {
    (void)active;
    CQtSettingsStore store;
    for (const CRecentFileList& list : m_lists) {
        list.Write(store);
    }
    store.Sync();
}

CRecentFileList& CRecentFileCommands::Of(RECENT_LIST list) { return m_lists[static_cast<std::size_t>(list)]; }

const CRecentFileList& CRecentFileCommands::List(RECENT_LIST list) const {
    return m_lists[static_cast<std::size_t>(list)];
}

void CRecentFileCommands::AddRecentFile(RECENT_LIST list, const std::string& path) {
    Of(list).Add(path);
    m_menus.RefillPopup(PlaceOf(list).Popup);
}

void CRecentFileCommands::OnRecentFile(RECENT_LIST list, std::size_t index) {
    if (m_host.ActiveWindow() == nullptr || index >= Of(list).Entries().size()) {
        return;
    }
    // A copy: a successful read moves the entry to the head of its list.
    const std::string path = Of(list).Entries()[index];
    bool read = false;
    switch (list) {
    case RECENT_LIST::PulseFiles: read = CFileCommands::OpenPulseFile(m_host, path); break;
    case RECENT_LIST::ConditionFiles: read = CFileCommands::OpenConditionFile(m_host, path); break;
    case RECENT_LIST::DataPatternFiles: read = CFileCommands::OpenDataPatternFile(m_host, path); break;
    }
    if (!read) {
        const auto& entries = Of(list).Entries();
        const auto found = std::find(entries.begin(), entries.end(), path);
        if (found != entries.end()) {
            (void)Of(list).RemoveAt(static_cast<std::size_t>(found - entries.begin()));
        }
        m_menus.RefillPopup(PlaceOf(list).Popup);
    }
}

// The entries with "&1 " .. "&8 " and their shortened paths, or the
// placeholder "(None)", disabled, while the list is empty.
void CRecentFileCommands::FillPopup(RECENT_LIST list, QMenu& popup) {
    popup.clear();
    const CRecentFileList& files = Of(list);
    if (files.Entries().empty()) {
        popup.addAction(QString::fromStdString(LoadText(IDS_MENU_RECENT_NONE)))->setEnabled(false);
        return;
    }
    for (std::size_t i = 0; i < files.Entries().size(); ++i) {
        QAction* action = m_menus.Action(PlaceOf(list).FirstCommand + static_cast<int>(i));
        action->setText(QString::fromStdString(files.MenuText(i)));
        popup.addAction(action);
    }
}
