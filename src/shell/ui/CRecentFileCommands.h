#pragma once
#include <array>

#include "document/ICommandModule.h"
#include "shell/CRecentFileList.h"
#include "shell/IRecentFiles.h"

class CCommandActions;
class ICommandHost;
class QMenu;

// The three recent-file lists ("Recent Files", "Recent Condition Files",
// "Recent Data Pattern Files") as submenus of File: read at start-up,
// written back at exit. Choosing an entry reads that file into the active
// document window as the list's Open command does; an entry whose file
// cannot be read leaves its list.
class CRecentFileCommands final : public ICommandModule, public IRecentFiles {
public:
    CRecentFileCommands(ICommandHost& host, CCommandActions& menus);

    void Register(ICommandRegistry& registry) override;
    void OnExit(IDocumentWindow* active) override;
    void AddRecentFile(RECENT_LIST list, const std::string& path) override;

    [[nodiscard]] const CRecentFileList& List(RECENT_LIST list) const;

private:
    void OnRecentFile(RECENT_LIST list, std::size_t index);
    void FillPopup(RECENT_LIST list, QMenu& popup);
    [[nodiscard]] CRecentFileList& Of(RECENT_LIST list);

    ICommandHost& m_host;
    CCommandActions& m_menus;
    std::array<CRecentFileList, 3> m_lists;
};
