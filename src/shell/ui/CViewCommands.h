#pragma once
#include "document/ICommandModule.h"

class QMainWindow;
class QWidget;

// The main window's own View commands (toolbar, status bar, condition pane
// shown or hidden) and About.
class CViewCommands final : public ICommandModule {
public:
    CViewCommands(QMainWindow& window, QWidget& toolBar, QWidget& conditionPane);

    void Register(ICommandRegistry& registry) override;
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;

private:
    void OnAppAbout();

    QMainWindow& m_window;
    QWidget& m_toolBar;
    QWidget& m_conditionPane;
};
