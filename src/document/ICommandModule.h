#pragma once
#include <functional>

#include "document/COMMAND_CONTEXT.h"

class IDocumentWindow;

// Where a command module puts its commands: the main window's routing.
class ICommandRegistry {
public:
    using HANDLER = std::function<void()>;
    using RULE = std::function<COMMAND_UI(const COMMAND_CONTEXT&)>;

    virtual ~ICommandRegistry() = default;
    // `handler` runs when the command is chosen while it is enabled, inside
    // the guarded call (a CImproperArgument ends it with message 61477).
    // `rule` enables, checks or marks it from the context; without one the
    // main window's table (CCommandState) decides. A command has one handler:
    // a second registration replaces the first.
    virtual void AddCommand(int command, HANDLER handler, RULE rule = {}) = 0;
};

// The commands of one subsystem. Each subsystem keeps its handlers and rules
// in one small module in its own ui/ folder instead of in CMainFrame.
//
// Adding a module:
//  1. Write a class in src/<subsystem>/ui/ that derives from ICommandModule.
//     Its constructor takes the ICommandHost (how it reaches the main window
//     and the active document window) and whatever the module owns (its
//     dialogs, its flags).
//  2. Register() calls registry.AddCommand(command id, handler, rule) once
//     per command (ids from resources/CommandIds.h). A handler finds the
//     active window with host.ActiveWindow() and does nothing without one.
//  3. When its rules need state the main window does not know (a flag the
//     module keeps, a count of selected channels), FillContext() writes it
//     into the context the rules read; add the field to COMMAND_CONTEXT.
//  4. What the module puts into every new document window (a drawing
//     object of the graph, a connection to a pane) goes into
//     OnWindowCreated().
//  5. What the module keeps from one start to the next goes into OnExit().
//  6. What the module shows of the active window (a modeless dialog's copy
//     of its records) follows OnWindowActivated() and OnRecordsReplaced().
//  7. Add one line to CMainFrame::CreateModules():
//         AddModule(std::make_unique<CMyCommands>(*this));
class ICommandModule {
public:
    virtual ~ICommandModule() = default;
    virtual void Register(ICommandRegistry& registry) = 0;
    // Called before every enablement with the active document window
    // (nullptr while none is open).
    virtual void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
        (void)context;
        (void)active;
    }
    // Called once for every document window, after its panes exist.
    virtual void OnWindowCreated(IDocumentWindow& window) { (void)window; }
    // Called when another document window became the active one: after a
    // switch, a New Window, a New, or when the active one closed (`active`
    // is nullptr when none is left).
    virtual void OnWindowActivated(IDocumentWindow* active) { (void)active; }
    // Called when a window's records were replaced under it: a pulse or
    // condition file was read, or the document's direction changed.
    virtual void OnRecordsReplaced(IDocumentWindow& window) { (void)window; }
    // Called once when the main window closes: after the close query of the
    // last document window, which is closed but still exists (`active` is
    // nullptr when no document window was open).
    virtual void OnExit(IDocumentWindow* active) { (void)active; }
};
