#include "shell/ui/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QStatusBar>
#include <QToolBar>

#include "analysis/ui/CAnalysisCommandModule.h"
#include "analysis/ui/CBookmarkCommandModule.h"
#include "analysis/ui/CSearchCommandModule.h"
#include "shell/ui/CNavigationKeyGuard.h"
#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "shell/ui/CPropertiesWnd.h"
#include "device/ui/CRunCommands.h"
#include "graph/ui/CGraphCommands.h"
#include "graph/ui/CPrintCommands.h"
#include "graph/ui/CNivaraView.h"
#include "patterns/ui/CPatternCommands.h"
#include "shell/ui/CConditionPane.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "shell/CCloseQuery.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CCommandActions.h"
#include "shell/ui/CConditionPaneLink.h"
#include "shell/ui/CMainStatusBar.h"
#include "shell/ui/CFileCommands.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CQtFileChooser.h"
#include "shell/ui/CQtUserMessages.h"
#include "shell/ui/CRecentFileCommands.h"
#include "shell/ui/CSettingsCommands.h"
#include "shell/ui/CViewCommands.h"
#include "shell/ui/CWindowCommands.h"
#include "shell/ui/CWindowMessageRouter.h"
#include "signals/ui/CChannelTreeView.h"
#include "signals/ui/CSignalCommands.h"
#include "resources/StringIds.h"

namespace {

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

}  // namespace

CMainFrame::CMainFrame(IUserMessages* messages, QWidget* parent)
    : QMainWindow(parent),
      m_commands(*this),
      m_standardMessages(std::make_unique<CQtUserMessages>(this)),
      m_standardChooser(std::make_unique<CQtFileChooser>(this)),
      m_router(std::make_unique<CWindowMessageRouter>()) {
    SetUserMessages(messages);
    m_chooser = m_standardChooser.get();
    setWindowTitle(Text(IDS_APP_TITLE));
    m_mdiArea = new QMdiArea(this);
    setCentralWidget(m_mdiArea);
    m_menus = new CCommandActions(*this, [this](int command) { OnCommand(command); });
    BuildMenuBar(false);
    CreateToolBar();
    CreateStatusBar();
    CreateProperties();
    BindDriver();
    // The tree and the value list keep Home, End and the page keys.
    qApp->installEventFilter(new CNavigationKeyGuard(this));
    CreateFrameCommands();
    CreateModules();
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        // Each activation shows that window's document in the grid and its
        // graph's edit state in the status bar.
        if (auto* frame = qobject_cast<CChildFrame*>(window)) {
            SetEditStatus(frame->Doc().Document().Condition().ReadOnly != 0, frame->View()->InsertMode());
        }
        RefreshGrid();
        NotifyActiveWindow();
        UpdateCommandUI();
    });
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    m_destroying = true;
    if (m_binding) {
        m_binding->SetMessagePoster(nullptr, nullptr);
    }
    // Windows go before the document they show.
    for (CChildFrame* frame : std::vector<CChildFrame*>(m_liveFrames)) {
        delete frame;
    }
    delete m_mdiArea;
    m_mdiArea = nullptr;
    delete m_doc.data();
}

// ---------------------------------------------------------------- messages

void CMainFrame::SetUserMessages(IUserMessages* messages) {
    m_messages = messages != nullptr ? messages : m_standardMessages.get();
}

void CMainFrame::SetFileChooser(IFileChooser* chooser) {
    m_chooser = chooser != nullptr ? chooser : m_standardChooser.get();
}

void CMainFrame::ShowMessage(const std::string& text, MessageIcon icon) { m_messages->ShowMessage(text, icon); }

MessageAnswer CMainFrame::AskYesNo(const std::string& text, MessageIcon icon) {
    return m_messages->AskYesNo(text, icon);
}

MessageAnswer CMainFrame::AskYesNoCancel(const std::string& text, MessageIcon icon) {
    return m_messages->AskYesNoCancel(text, icon);
}

// ---------------------------------------------------------------- creation

void CMainFrame::AddModule(std::unique_ptr<ICommandModule> module) {
    m_commands.AddModule(std::move(module));
    UpdateCommandUI();
}

void CMainFrame::CreateModules() {
    AddModule(std::make_unique<CFileCommands>(*this));
    AddModule(std::make_unique<CViewCommands>(*this, *m_toolBar, *m_properties));
    AddModule(std::make_unique<CWindowCommands>(*this, *m_mdiArea));
    AddModule(std::make_unique<CGraphCommands>(*this));
    AddModule(std::make_unique<CPrintCommands>(*this));
    AddModule(std::make_unique<CSignalCommands>(*this));
    AddModule(std::make_unique<CRunCommands>(*this));
    AddModule(std::make_unique<CAnalysisCommandModule>(*this));
    AddModule(std::make_unique<CSearchCommandModule>(*this));
    AddModule(std::make_unique<CBookmarkCommandModule>(*this));
    AddModule(std::make_unique<CPatternCommands>(*this));
    m_settingsCommands = KeepModule(std::make_unique<CSettingsCommands>(*this, *m_binding));
    m_recentFiles = KeepModule(std::make_unique<CRecentFileCommands>(*this, *m_menus));
}

int CMainFrame::PreviewPages() {
    return m_settingsCommands != nullptr ? m_settingsCommands->Settings().PreviewPages() : 0;
}

void CMainFrame::CreateFrameCommands() {
    const auto add = [this](int command, ICommandRegistry::HANDLER handler) {
        m_commands.AddCommand(command, std::move(handler));
    };
    add(cmd::FileNew, [this] { OnFileNew(); });
    add(cmd::WindowClose, [this] { if (CChildFrame* f = ActiveChildFrame()) f->close(); });
    add(cmd::WindowCloseAll, [this] { OnCloseAllWindows(); });
    add(cmd::WindowNew, [this] { OnWindowNew(); });
    add(cmd::AppExit, [this] { close(); });
}

bool CMainFrame::HasHandler(int command) const { return m_commands.HasHandler(command); }

void CMainFrame::BuildMenuBar(bool withDocument) {
    m_documentMenu = withDocument;
    m_menus->BuildMenuBar(withDocument, [this] { UpdateCommandUI(); });
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(Text(IDS_TOOLBAR_TITLE));
    m_toolBar->setObjectName("StandardToolBar");
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_menus->FillToolBar(*m_toolBar);
}

void CMainFrame::CreateStatusBar() { m_statusBar = std::make_unique<CMainStatusBar>(*statusBar()); }

QLabel* CMainFrame::StatusPane(int pane) const { return m_statusBar->Pane(pane); }

void CMainFrame::SetEditStatus(bool editDisabled, bool insertMode) { m_statusBar->SetEditStatus(editDisabled, insertMode); }

void CMainFrame::CreateProperties() {
    m_properties = new CPropertiesWnd(*this, this);
    addDockWidget(Qt::RightDockWidgetArea, m_properties);
    connect(m_properties, &CPropertiesWnd::DeviceSelected, this, &CMainFrame::OnDeviceSelected);
    connect(m_properties->Grid(), &CConditionPane::ConditionChanged, this, &CMainFrame::OnConditionChanged);
}

void CMainFrame::BindDriver() {
    m_binding = std::make_unique<CDriverBinding>(*this);
    m_binding->BindDriver();
    m_binding->SetMessagePoster(&CWindowMessageRouter::PostFromLibrary, m_router.get());
    m_paneLink = std::make_unique<CConditionPaneLink>(*m_properties, *m_binding);
    m_properties->FillDeviceList(m_binding->DeviceEntries(), m_binding->SelectedIndex());
    if (m_binding->DriverBound()) {
        m_properties->Grid()->BuildDefaultGrid(CNivaraDoc::DefaultAutoSavePath().toStdString());
    }
}

// ---------------------------------------------------------------- command state

QAction* CMainFrame::Action(int command) const { return m_menus->Action(command); }

CNivaraDoc* CMainFrame::Doc() const { return m_frames.empty() ? nullptr : m_doc.data(); }

CChildFrame* CMainFrame::ActiveChildFrame() const {
    auto* frame = qobject_cast<CChildFrame*>(m_mdiArea->currentSubWindow());
    if (frame != nullptr && std::find(m_frames.begin(), m_frames.end(), frame) != m_frames.end()) {
        return frame;
    }
    return m_frames.empty() ? nullptr : m_frames.back();
}

COMMAND_CONTEXT CMainFrame::BuildContext() const {
    COMMAND_CONTEXT c;
    c.Language = CStringTable::Language();
    CChildFrame* frame = ActiveChildFrame();
    if (frame != nullptr) {
        const LOGIC_CONDITION& condition = frame->Doc().Document().Condition();
        c.HasFrame = true;
        c.Direction = condition.Direction;
        if (const DIRECTION_GROUP* group = condition.ActiveGroup()) {
            c.ClockType = group->ClockType;
        }
        c.ReadOnly = condition.ReadOnly != 0;
        c.TreeEditable = frame->Tree()->IsEditable() && !frame->RunActive();
    }
    m_commands.FillContext(c, frame);
    return c;
}

void CMainFrame::UpdateCommandUI() {
    const COMMAND_CONTEXT context = BuildContext();
    for (const auto& entry : m_menus->Actions()) {
        m_menus->Apply(entry.first, m_commands.Query(entry.first, context), HasHandler(entry.first));
    }
}

bool CMainFrame::OnCommand(int command) {
    if (!HasHandler(command)) {
        return false;
    }
    const bool ran = m_commands.Execute(command, BuildContext());
    UpdateCommandUI();
    return ran;
}

IDocumentWindow* CMainFrame::ActiveWindow() { return ActiveChildFrame(); }

IDocumentWindow* CMainFrame::ActiveOrNewWindow() {
    if (ActiveChildFrame() == nullptr && OnFileNew() == nullptr) {
        return nullptr;
    }
    return ActiveChildFrame();
}

void CMainFrame::ShowStatusMessage(const std::string& text) {
    if (text.empty()) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(QString::fromStdString(text));
    }
}

// ---------------------------------------------------------------- documents and windows

CChildFrame* CMainFrame::CreateFrame() {
    auto* frame = new CChildFrame(*m_doc, *this);
    m_frames.push_back(frame);
    m_liveFrames.push_back(frame);
    m_mdiArea->addSubWindow(frame);
    m_commands.OnWindowCreated(*frame);
    connect(m_doc, &CNivaraDoc::TitleChanged, frame, [this] { RetitleFrames(); });
    RetitleFrames();
    return frame;
}

CChildFrame* CMainFrame::OnFileNew() {
    if (!m_frames.empty()) {
        return nullptr;
    }
    if (m_doc) {
        // The last window of the previous document is still being destroyed.
        m_doc->setParent(nullptr);
        m_doc->deleteLater();
    }
    m_doc = new CNivaraDoc(this);
    CChildFrame* frame = CreateFrame();
    BuildMenuBar(true);
    frame->showMaximized();
    m_mdiArea->setActiveSubWindow(frame);
    frame->OnInitialUpdate();
    RefreshGrid();
    NotifyActiveWindow();
    UpdateCommandUI();
    return frame;
}

void CMainFrame::OnWindowNew() {
    CChildFrame* active = ActiveChildFrame();
    if (active == nullptr) {
        return;
    }
    const bool maximized = active->isMaximized();
    CChildFrame* frame = CreateFrame();
    if (maximized) {
        frame->showMaximized();
    } else {
        frame->show();
    }
    m_mdiArea->setActiveSubWindow(frame);
    frame->OnInitialUpdate();
    RefreshGrid();
    NotifyActiveWindow();
}

void CMainFrame::RetitleFrames() {
    const int count = static_cast<int>(m_frames.size());
    for (int i = 0; i < count; ++i) {
        m_frames[static_cast<std::size_t>(i)]->UpdateTitle(i + 1, count);
    }
}

bool CMainFrame::CloseQuery(CChildFrame* frame) {
    if (std::find(m_frames.begin(), m_frames.end(), frame) == m_frames.end()) {
        return true;
    }
    if (WindowCount() == 1 && frame->RunActive()) {
        // The last window of a running document: the run stops first, so that
        // the question knows about the recording and Save As writes a
        // finished one instead of words the board is still changing.
        frame->Run().StopRun();
    }
    const bool saved = frame->Doc().Document().Saved.load() != 0;
    return CCloseQuery::AllowClose(WindowCount(), saved, *this, [this, frame] {
        return CFileCommands::SaveAs(*this, *frame) == CPulseFileCommands::Outcome::Done;
    });
}

void CMainFrame::OnFrameClosed(CChildFrame* frame) {
    m_frames.erase(std::remove(m_frames.begin(), m_frames.end(), frame), m_frames.end());
    RetitleFrames();
    if (m_frames.empty() && !m_exiting) {
        BuildMenuBar(false);
    }
    NotifyActiveWindow();
    UpdateCommandUI();
}

void CMainFrame::OnFrameDestroyed(CChildFrame* frame) {
    m_frames.erase(std::remove(m_frames.begin(), m_frames.end(), frame), m_frames.end());
    m_liveFrames.erase(std::remove(m_liveFrames.begin(), m_liveFrames.end(), frame), m_liveFrames.end());
    if (m_liveFrames.empty() && m_doc && !m_destroying) {
        // The document goes after the last window that shows it.
        m_doc->setParent(nullptr);
        m_doc->deleteLater();
        m_doc = nullptr;
    }
    NotifyActiveWindow();
}

void CMainFrame::OnRecordsReplaced(CChildFrame& frame) { m_commands.OnRecordsReplaced(frame); }

void CMainFrame::NotifyActiveWindow() {
    if (!m_destroying) {
        m_commands.OnWindowActivated(ActiveChildFrame());
    }
}

void CMainFrame::OnCloseAllWindows() {
    while (WindowCount() > 1) {
        CChildFrame* frame = ActiveChildFrame();
        if (frame == nullptr || !frame->close()) {
            return;
        }
    }
    if (CChildFrame* last = ActiveChildFrame()) {
        last->close();
    }
}

bool CMainFrame::CloseAllForExit() {
    while (WindowCount() > 1) {
        CChildFrame* frame = ActiveChildFrame();
        if (frame == nullptr || !frame->close()) {
            return false;
        }
    }
    CChildFrame* last = ActiveChildFrame();
    // Closed, not yet destroyed: the modules keep what a Save As of the query wrote.
    if (last != nullptr && !last->close()) return false;
    m_commands.OnExit(last);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!CloseAllForExit()) {
        event->ignore();
        UpdateCommandUI();
        return;
    }
    m_exiting = true;
    QMainWindow::closeEvent(event);
}

bool CMainFrame::OpenPulseFile(const std::string& path) { return CFileCommands::OpenPulseFile(*this, path); }

// ---------------------------------------------------------------- devices

void CMainFrame::OnDeviceSelected(int index) {
    if (m_paneLink->OnDeviceSelected(ActiveChildFrame(), index)) {
        // The grid shows the condition of the document with its new device
        // rather than the values it was created with.
        RefreshGrid();
        UpdateCommandUI();
    }
}

void CMainFrame::OnConditionChanged(const QString& name, const QString& value) {
    if (CChildFrame* frame = ActiveChildFrame()) {
        m_paneLink->OnConditionChanged(*frame, name.toStdString(), value.toStdString());
        UpdateCommandUI();
    }
}

void CMainFrame::EnableConditionPane(bool enable) { m_properties->setEnabled(enable); }

void CMainFrame::ShowSelectedDevice(int index) { m_properties->SelectDevice(index); }

void CMainFrame::RefreshGrid() {
    if (CChildFrame* frame = ActiveChildFrame()) {
        m_paneLink->RefreshGrid(*frame);
    }
}
