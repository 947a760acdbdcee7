#pragma once
#include <QObject>

#include "analysis/CSearchCommand.h"
#include "document/ICommandModule.h"

class CSearchDlg;
class ICommandHost;

// Search (Ctrl+F), Search Next (F3) and Search Previous (Shift+F3). Owns the
// modeless search dialog (created hidden with the main window), the
// direction of the current search and the search-made flag that enables
// Search Next and Search Previous once a first search has run.
class CSearchCommandModule final : public QObject, public ICommandModule {
    Q_OBJECT
public:
    explicit CSearchCommandModule(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;
    // The search-made flag.
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;

    [[nodiscard]] bool SearchMade() const { return m_searchMade; }
    [[nodiscard]] int SearchDirection() const { return m_direction; }
    [[nodiscard]] CSearchDlg& Dialog() const { return *m_dialog; }

private:
    void OnSearch();
    // WM_SEARCH_REQUEST: the dialog's values become the document's request
    // and the search runs against the active window's graph.
    void RunRequest(SEARCH_DIRECTION direction);

    ICommandHost& m_host;
    CSearchDlg* m_dialog;
    int m_direction = 0;
    bool m_searchMade = false;
};
