#include "shell/ui/CViewCommands.h"

#include <QMainWindow>
#include <QStatusBar>

#include "resources/CommandIds.h"
#include "shell/ui/CAboutDlg.h"

namespace {

void Flip(QWidget& widget) { widget.setVisible(widget.isHidden()); }

}  // namespace

CViewCommands::CViewCommands(QMainWindow& window, QWidget& toolBar, QWidget& conditionPane)
    : m_window(window), m_toolBar(toolBar), m_conditionPane(conditionPane) {}

void CViewCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::ViewToolbar, [this] { Flip(m_toolBar); });
    registry.AddCommand(cmd::ViewStatusBar, [this] { Flip(*m_window.statusBar()); });
    registry.AddCommand(cmd::ViewDockWindow, [this] { Flip(m_conditionPane); });
    registry.AddCommand(cmd::AppAbout, [this] { OnAppAbout(); });
}

void CViewCommands::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* /*active*/) const {
    context.ToolbarShown = !m_toolBar.isHidden();
    context.StatusBarShown = !m_window.statusBar()->isHidden();
    context.DockWindowShown = !m_conditionPane.isHidden();
}

void CViewCommands::OnAppAbout() {
    CAboutDlg dialog(&m_window);
    dialog.exec();
}
