#pragma once
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "document/ICommandHost.h"
#include "document/IUserMessages.h"
#include "shell/CCommandRouter.h"
#include "shell/ui/IFrameHost.h"

class CChildFrame;
class CCommandActions;
class CConditionPaneLink;
class CMainStatusBar;
class CDriverBinding;
class CNivaraDoc;
class CPropertiesWnd;
class CQtFileChooser;
class CQtUserMessages;
class IRecentFiles;
class CSettingsCommands;
class CWindowMessageRouter;
class IFileChooser;
class QAction;
class QLabel;
class QMdiArea;
class QToolBar;

// The multiple-document main window. There is at most one document at a
// time; every document window shows it. The main window receives every menu,
// toolbar and accelerator command, enables or refuses it by the state of the
// active document window and hands it on to the command modules that
// registered it. It is also how the core asks the user something: its
// messages go to the message boxes (or to the replacement a test installs).
class CMainFrame : public QMainWindow, public IUserMessages, public IFrameHost, public ICommandHost {
    Q_OBJECT
public:
    // messages: replaces the message boxes from the start (nullptr: the
    // standard ones), so that the board library's binding reports there too.
    explicit CMainFrame(IUserMessages* messages = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // --- documents and windows
    // Creates the document (when there is none) and a window on it.
    CChildFrame* OnFileNew();
    [[nodiscard]] QMdiArea* MdiArea() const { return m_mdiArea; }
    // The document while a document window is open.
    [[nodiscard]] CNivaraDoc* Doc() const;
    [[nodiscard]] CChildFrame* ActiveChildFrame() const;
    // Document windows that are open (closed ones no longer count).
    [[nodiscard]] int WindowCount() const { return static_cast<int>(m_frames.size()); }
    [[nodiscard]] bool ShowsDocumentMenu() const { return m_documentMenu; }

    // --- commands
    [[nodiscard]] QAction* Action(int command) const;
    // Runs a command when it is enabled; false when it was refused.
    bool OnCommand(int command) override;
    void UpdateCommandUI() override;
    [[nodiscard]] COMMAND_CONTEXT BuildContext() const;
    // True when the command has its operation in this build.
    [[nodiscard]] bool HasHandler(int command) const;
    // Takes a subsystem's command module and registers its commands.
    void AddModule(std::unique_ptr<ICommandModule> module);
    // AddModule for a module the main window reaches later.
    template <class MODULE>
    MODULE* KeepModule(std::unique_ptr<MODULE> module) {
        MODULE* kept = module.get();
        AddModule(std::move(module));
        return kept;
    }

    // Reads a pulse file into the active document window (creating the
    // document first when there is none), as Open does after its dialog.
    bool OpenPulseFile(const std::string& path);

    // --- panes and services
    [[nodiscard]] CPropertiesWnd* Properties() const { return m_properties; }
    [[nodiscard]] CDriverBinding* Binding() const { return m_binding.get(); }
    [[nodiscard]] CWindowMessageRouter& Router() const { return *m_router; }
    // The command module of that class (nullptr when none was added).
    template <class MODULE>
    [[nodiscard]] MODULE* Module() const {
        return m_commands.FindModule<MODULE>();
    }
    // The persisted settings and the language commands.
    [[nodiscard]] CSettingsCommands& SettingsCommands() const { return *m_settingsCommands; }
    [[nodiscard]] QLabel* StatusPane(int pane) const;
    [[nodiscard]] QToolBar* ToolBar() const { return m_toolBar; }
    // Replaces the message boxes and file dialogs (nullptr: the standard ones).
    void SetUserMessages(IUserMessages* messages);
    void SetFileChooser(IFileChooser* chooser);

    // IUserMessages: forwards to the installed message boxes.
    void ShowMessage(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNo(const std::string& text, MessageIcon icon) override;
    [[nodiscard]] MessageAnswer AskYesNoCancel(const std::string& text, MessageIcon icon) override;

    // IFrameHost: called by the document windows.
    [[nodiscard]] CWindowMessageRouter& MessageRouter() override { return *m_router; }
    [[nodiscard]] CDriverBinding& DriverBinding() override { return *m_binding; }
    [[nodiscard]] IUserMessages& Messages() override { return *this; }
    void EnableConditionPane(bool enable) override;
    void ShowSelectedDevice(int index) override;
    [[nodiscard]] bool CloseQuery(CChildFrame* frame) override;
    void OnFrameClosed(CChildFrame* frame) override;
    void OnFrameDestroyed(CChildFrame* frame) override;
    void OnRecordsReplaced(CChildFrame& frame) override;
    // Shows the active document's condition: selects its device in the list.
    void RefreshGrid() override;

    // ICommandHost: what the command modules reach.
    [[nodiscard]] QWidget* MainWindow() override { return this; }
    [[nodiscard]] IFileChooser& FileChooser() override { return *m_chooser; }
    [[nodiscard]] IDocumentWindow* ActiveWindow() override;
    [[nodiscard]] IDocumentWindow* ActiveOrNewWindow() override;
    void ShowEditStatus(bool editDisabled, bool insertMode) override { SetEditStatus(editDisabled, insertMode); }
    void ShowStatusMessage(const std::string& text) override;
    [[nodiscard]] IRecentFiles* RecentFiles() override { return m_recentFiles; }
    [[nodiscard]] int PreviewPages() override;

    // The device list's selection changed (WM_DEVICE_SELECTED).
    void OnDeviceSelected(int index);
    // The grid's property-changed notification: the active document takes
    // the value of the property with that displayed name.
    void OnConditionChanged(const QString& name, const QString& value);
    void SetEditStatus(bool editDisabled, bool insertMode) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The command modules of the subsystems: one line each.
    void CreateModules();
    // The frame's own commands: documents, windows and panes.
    void CreateFrameCommands();
    void BuildMenuBar(bool withDocument);
    void CreateToolBar();
    void CreateStatusBar();
    void CreateProperties();
    void BindDriver();
    CChildFrame* CreateFrame();
    void RetitleFrames();
    // The command modules follow the window that is active now.
    void NotifyActiveWindow();

    // Window commands
    void OnWindowNew();
    void OnCloseAllWindows();
    [[nodiscard]] bool CloseAllForExit();

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    CPropertiesWnd* m_properties = nullptr;
    QPointer<CNivaraDoc> m_doc;
    std::vector<CChildFrame*> m_frames;
    std::vector<CChildFrame*> m_liveFrames;
    CCommandActions* m_menus = nullptr;
    CCommandRouter m_commands;
    std::unique_ptr<CMainStatusBar> m_statusBar;
    std::unique_ptr<CQtUserMessages> m_standardMessages;
    std::unique_ptr<CQtFileChooser> m_standardChooser;
    IUserMessages* m_messages = nullptr;
    IFileChooser* m_chooser = nullptr;
    std::unique_ptr<CWindowMessageRouter> m_router;
    std::unique_ptr<CDriverBinding> m_binding;
    std::unique_ptr<CConditionPaneLink> m_paneLink;
    bool m_documentMenu = false;
    CSettingsCommands* m_settingsCommands = nullptr;
    IRecentFiles* m_recentFiles = nullptr;
    bool m_exiting = false;
    bool m_destroying = false;
};
