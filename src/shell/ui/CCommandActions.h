#pragma once
#include <QObject>
#include <QPointer>
#include <functional>
#include <unordered_map>
#include <vector>

#include "document/COMMAND_CONTEXT.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
struct MENU_ENTRY;

// The main window's actions, one per command id (menu texts, prompts,
// accelerators, check marks, toolbar icons), and the menu bar and toolbar
// built from them. A chosen action calls the routing with its command id.
class CCommandActions : public QObject {
    Q_OBJECT
public:
    using TRIGGER = std::function<void(int command)>;

    CCommandActions(QMainWindow& window, TRIGGER trigger);

    [[nodiscard]] QAction* Action(int command) const;
    [[nodiscard]] const std::unordered_map<int, QAction*>& Actions() const { return m_actions; }
    // Menu 130 (withDocument) or 128 into the window's menu bar; every popup
    // calls `aboutToShow` before it opens.
    void BuildMenuBar(bool withDocument, const std::function<void()>& aboutToShow);
    void FillToolBar(QToolBar& toolBar) const;
    // Enables (only with a handler) and checks the action of a command.
    void Apply(int command, const COMMAND_UI& ui, bool hasHandler) const;
    // A popup whose entries change (a recent-file list): `fill` puts them in
    // when the menu bar is built, each time before the popup opens and on
    // RefillPopup.
    using FILLER = std::function<void(QMenu& popup)>;
    void SetPopupFiller(int popupTextId, FILLER fill);
    void RefillPopup(int popupTextId) const;

private:
    void AddMenuEntries(QMenu* menu, const std::vector<MENU_ENTRY>& entries, const std::function<void()>& aboutToShow);

    QMainWindow& m_window;
    std::unordered_map<int, QAction*> m_actions;
    std::unordered_map<int, FILLER> m_fillers;
    std::unordered_map<int, QPointer<QMenu>> m_filledPopups;
};
