#include "shell/ui/CCommandActions.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "shell/CMenuTable.h"
#include "resources/ui/CIconLibrary.h"
#include "shell/CToolbarPictures.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

// Every command the main window knows, menus or not.
std::vector<int> AllCommands() {
    std::vector<int> commands = CMenuTable::CommandsOf(CMenuTable::Menu(CMenuTable::DocumentMenu));
    commands.push_back(cmd::NextPane);
    commands.push_back(cmd::PreviousPane);
    // The recent-file entries: their popups put them in (SetPopupFiller).
    for (int first : {cmd::RecentFileFirst, cmd::RecentConditionFileFirst, cmd::RecentDataPatternFileFirst}) {
        for (int i = 0; i < cmd::RecentFileCount; ++i) commands.push_back(first + i);
    }
    return commands;
}

}  // namespace

CCommandActions::CCommandActions(QMainWindow& window, TRIGGER trigger) : QObject(&window), m_window(window) {
    std::unordered_map<int, QList<QKeySequence>> keys;
    for (const ACCELERATOR_ENTRY& entry : CMenuTable::Accelerators()) {
        keys[entry.Command] << QKeySequence(QString::fromLatin1(entry.Keys), QKeySequence::PortableText);
    }
    auto* editModes = new QActionGroup(this);
    auto* units = new QActionGroup(this);
    auto* mouseModes = new QActionGroup(this);
    for (int command : AllCommands()) {
        auto* action = new QAction(Text(CMenuTable::TextIdOf(command)), &m_window);
        const QStringList prompt = Text(command).split('\n');
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.size() > 1 ? prompt.value(1) : action->text().section('\t', 0, 0));
        action->setShortcuts(keys[command]);
        action->setCheckable(CMenuTable::IsCheckable(command));
        action->setIcon(CIconLibrary::Load(CToolbarPictures::OfCommand(command)));
        connect(action, &QAction::triggered, this, [trigger, command] { trigger(command); });
        m_window.addAction(action);  // keeps the keys working whichever menu is shown
        m_actions[command] = action;
    }
    for (int command : {cmd::ModeInsert, cmd::ModeOverwrite}) editModes->addAction(m_actions[command]);
    for (int command : {cmd::UnitClock, cmd::UnitTime}) units->addAction(m_actions[command]);
    for (int command : {cmd::MouseSelect, cmd::MouseInvertBit, cmd::MouseShiftBit}) {
        mouseModes->addAction(m_actions[command]);
    }
}

QAction* CCommandActions::Action(int command) const {
    const auto found = m_actions.find(command);
    return found != m_actions.end() ? found->second : nullptr;
}

void CCommandActions::BuildMenuBar(bool withDocument, const std::function<void()>& aboutToShow) {
    m_window.menuBar()->clear();
    AddMenuEntries(nullptr, CMenuTable::Menu(withDocument ? CMenuTable::DocumentMenu : CMenuTable::NoDocumentMenu),
                   aboutToShow);
}

void CCommandActions::AddMenuEntries(QMenu* menu, const std::vector<MENU_ENTRY>& entries,
                                     const std::function<void()>& aboutToShow) {
    for (const MENU_ENTRY& entry : entries) {
        switch (entry.Type) {
        case MENU_ENTRY::Separator:
            if (menu != nullptr) menu->addSeparator();
            break;
        case MENU_ENTRY::Popup: {
            QMenu* popup = menu != nullptr ? menu->addMenu(Text(entry.TextId))
                                           : m_window.menuBar()->addMenu(Text(entry.TextId));
            connect(popup, &QMenu::aboutToShow, this, aboutToShow);
            AddMenuEntries(popup, entry.Children, aboutToShow);
            if (m_fillers.count(entry.TextId) != 0) {
                m_filledPopups[entry.TextId] = popup;
                connect(popup, &QMenu::aboutToShow, this, [this, id = entry.TextId] { RefillPopup(id); });
                RefillPopup(entry.TextId);
            }
            break;
        }
        case MENU_ENTRY::Item:
            if (entry.Command != 0) {
                menu->addAction(m_actions.at(entry.Command));
            } else {
                menu->addAction(Text(entry.TextId))->setEnabled(false);
            }
            break;
        }
    }
}

void CCommandActions::SetPopupFiller(int popupTextId, FILLER fill) {
    m_fillers[popupTextId] = std::move(fill);
    RefillPopup(popupTextId);
}

void CCommandActions::RefillPopup(int popupTextId) const {
    const auto popup = m_filledPopups.find(popupTextId);
    const auto fill = m_fillers.find(popupTextId);
    if (popup != m_filledPopups.end() && !popup->second.isNull() && fill != m_fillers.end()) {
        fill->second(*popup->second);
    }
}

void CCommandActions::FillToolBar(QToolBar& toolBar) const {
    for (int command : CMenuTable::ToolbarButtons()) {
        if (command == 0) {
            toolBar.addSeparator();
        } else {
            toolBar.addAction(m_actions.at(command));
        }
    }
}

void CCommandActions::Apply(int command, const COMMAND_UI& ui, bool hasHandler) const {
    QAction* action = Action(command);
    if (action == nullptr) {
        return;
    }
    action->setEnabled(ui.Enabled && hasHandler);
    if (action->isCheckable()) {
        action->setChecked(ui.Checked);
    }
}
