#include "shell/ui/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
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
#include "shell/CWindowGridHost.h"
#include "shell/ui/CConditionPane.h"
#include "shell/ui/CMemoryOptionDlg.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "shell/CChildFrameLayout.h"
#include "shell/CCloseQuery.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CCommandActions.h"
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

constexpr int ApplicationTitle = IDS_APP_TITLE;
constexpr int ToolbarTitle = IDS_TOOLBAR_TITLE;
constexpr int InsertText = IDS_STATUS_INSERT;
constexpr int OverwriteText = IDS_STATUS_OVERWRITE;
constexpr int EditDisabledText = IDS_STATUS_EDIT_DISABLED;

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
    setWindowTitle(Text(ApplicationTitle));
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
    add(cmd::SamplingMemoryOption, [this] { OnMemoryOption(); });
    m_searchCommands = new CSearchCommandModule(*this);
    m_searchCommands->Register(add);
    m_bookmarkCommands = new CBookmarkCommandModule(*this);
    m_bookmarkCommands->Register(add);
}

bool CMainFrame::HasHandler(int command) const { return m_commands.HasHandler(command); }

void CMainFrame::BuildMenuBar(bool withDocument) {
    m_documentMenu = withDocument;
    m_menus->BuildMenuBar(withDocument, [this] { UpdateCommandUI(); });
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(Text(ToolbarTitle));
    m_toolBar->setObjectName("StandardToolBar");
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_menus->FillToolBar(*m_toolBar);
}

void CMainFrame::CreateStatusBar() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int tenths = CChildFrameLayout::ScaleTenths(screen != nullptr ? qRound(screen->logicalDotsPerInchX()) : 96);
    const int widths[StatusPanes] = {0, 75, 50 + 50 * (tenths - 10) / 10, 0, 0, 0};
    const char* texts[StatusPanes] = {"", "", "", "CAP", "NUM", "SCRL"};
    m_statusPanes.push_back(nullptr);  // pane 0 is the status bar's message area
    for (int pane = 1; pane < StatusPanes; ++pane) {
        auto* label = new QLabel(QString::fromLatin1(texts[pane]), statusBar());
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (widths[pane] > 0) {
            label->setFixedWidth(widths[pane]);
        }
        if (pane >= 3) {
            // The key lock states are not known here: the indicators stay grey.
            label->setEnabled(false);
        }
        statusBar()->addPermanentWidget(label);
        m_statusPanes.push_back(label);
    }
}

QLabel* CMainFrame::StatusPane(int pane) const {
    return pane > 0 && pane < static_cast<int>(m_statusPanes.size()) ? m_statusPanes[static_cast<std::size_t>(pane)]
                                                                      : nullptr;
}

void CMainFrame::SetEditStatus(bool editDisabled, bool insertMode) {
    m_statusPanes[1]->setText(editDisabled ? Text(EditDisabledText) : QString());
    m_statusPanes[2]->setText(insertMode ? Text(InsertText) : Text(OverwriteText));
}

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
    c.SearchMade = m_searchCommands != nullptr && m_searchCommands->SearchMade();
    CChildFrame* frame = ActiveChildFrame();
    if (frame != nullptr) {
        const LOGIC_CONDITION& condition = frame->Doc().Document().Condition();
        c.HasFrame = true;
        c.Direction = condition.Direction;
        if (const DIRECTION_GROUP* group = condition.ActiveGroup()) {
            c.ClockType = group->ClockType;
        }
        c.ReadOnly = condition.ReadOnly != 0;
        const CBookmarkList* bookmarks = frame->Records().Bookmarks(condition.Direction);
        c.BookmarksNotEmpty = bookmarks != nullptr && bookmarks->Size() > 0;
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
}

void CMainFrame::OnBookmarkListReplaced(CChildFrame& frame) { m_bookmarkCommands->OnListReplaced(frame); }

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
    m_binding->SetSelectedIndex(index);
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return;
    }
    const auto& names = m_binding->DeviceNames();
    const auto& types = m_binding->DeviceTypes();
    if (index < 0 || static_cast<std::size_t>(index) >= names.size()) {
        return;
    }
    const std::string& type = types[static_cast<std::size_t>(index)];
    const std::string& name = names[static_cast<std::size_t>(index)];
    frame->CloseDevice();
    frame->Doc().Document().SetDevice(type, name);
    m_properties->Grid()->OnDeviceSelected(CNivaraDoc::DefaultAutoSavePath().toStdString());
    if (!type.empty()) {
        frame->OpenDevice(name);
    }
    // The grid shows the condition of the document with its new device
    // rather than the values it was created with.
    RefreshGrid();
    UpdateCommandUI();
}

void CMainFrame::OnConditionChanged(const QString& name, const QString& value) {
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return;
    }
    CWindowGridHost host(*frame);
    m_properties->Grid()->OnConditionChanged(frame->Doc().Document(), host, name.toStdString(), value.toStdString());
    UpdateCommandUI();
}

void CMainFrame::OnMemoryOption() {
    CChildFrame* frame = ActiveChildFrame();
    // The sampling memory is the run's buffer while the document runs.
    if (frame == nullptr || frame->RunActive() || frame->Doc().Document().IsRunning.load() != 0) {
        return;
    }
    CMemoryOptionDlg dialog(frame->Doc().Document(), *this, this);
    dialog.exec();
    RefreshGrid();
}

void CMainFrame::EnableConditionPane(bool enable) { m_properties->setEnabled(enable); }

void CMainFrame::ShowSelectedDevice(int index) { m_properties->SelectDevice(index); }

void CMainFrame::RefreshGrid() {
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return;
    }
    const std::string& name = frame->Doc().Document().Condition().DeviceName;
    const auto& names = m_binding->DeviceNames();
    int found = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            found = static_cast<int>(i);
        }
    }
    if (found >= 0) {
        m_binding->SetSelectedIndex(found);
        m_properties->SelectDevice(found);
    }
    CLogicDocument& document = frame->Doc().Document();
    m_properties->Grid()->RefreshGrid(document);
    // A run of the document reads the condition: the pane stays disabled.
    m_properties->setEnabled(!frame->RunActive() && document.IsRunning.load() == 0);
}
