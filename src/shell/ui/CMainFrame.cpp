#include "shell/ui/CMainFrame.h"

#include <QAction>
#include <cstring>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "analysis/ui/CAnalysisCommandModule.h"
#include "analysis/ui/CBookmarkCommandModule.h"
#include "analysis/ui/CSearchCommandModule.h"
#include "graph/ui/CGraphEditCommands.h"
#include "shell/ui/CNavigationKeyGuard.h"
#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "device/ui/CPropertiesWnd.h"
#include "shell/CWindowGridHost.h"
#include "shell/ui/CConditionPane.h"
#include "shell/ui/CMemoryOptionDlg.h"
#include "files/ConditionFile.h"
#include "files/DataPatternFile.h"
#include "resources/CStringTable.h"
#include "shell/CChildFrameLayout.h"
#include "shell/CCloseQuery.h"
#include "resources/ui/CIconLibrary.h"
#include "shell/CMenuTable.h"
#include "shell/CToolbarPictures.h"
#include "shell/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CQtFileChooser.h"
#include "shell/ui/CQtUserMessages.h"
#include "shell/ui/CWindowMessageRouter.h"
#include "graph/ui/CNivaraView.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"
#include "resources/StringIds.h"

namespace {

// A wait cursor while a file is read or written: the window cannot answer
// until the words are in place.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

constexpr const char* ConditionFilter = "VARDEK Nivara Config (*.nvc) |*.nvc||";
constexpr const char* DataPatternFilter = "VARDEK Basic Data Pattern (*.bdp) |*.bdp||";

constexpr int ApplicationTitle = IDS_APP_TITLE;
constexpr int ToolbarTitle = IDS_TOOLBAR_TITLE;
constexpr int InsertText = IDS_STATUS_INSERT;
constexpr int OverwriteText = IDS_STATUS_OVERWRITE;
constexpr int EditDisabledText = IDS_STATUS_EDIT_DISABLED;

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

// Commands shown with a check mark or as a radio choice.
bool IsCheckable(int command) {
    switch (command) {
    case cmd::ViewToolbar: case cmd::ViewStatusBar: case cmd::ViewDockWindow:
    case cmd::LanguageJapanese: case cmd::LanguageEnglish: case cmd::EditDisabled:
    case cmd::CursorA: case cmd::CursorB: case cmd::UnitClock: case cmd::UnitTime:
    case cmd::MouseSelect: case cmd::MouseInvertBit: case cmd::MouseShiftBit:
    case cmd::ModeInsert: case cmd::ModeOverwrite:
        return true;
    default:
        return false;
    }
}

// Every command the main window knows, menus or not.
std::vector<int> AllCommands() {
    std::vector<int> commands = CMenuTable::CommandsOf(CMenuTable::Menu(CMenuTable::DocumentMenu));
    commands.push_back(cmd::NextPane);
    commands.push_back(cmd::PreviousPane);
    return commands;
}

// The picture of a toolbar command (16 x 16, 32 x 32 on high-density screens).
QIcon ToolbarIcon(int command) { return CIconLibrary::Load(CToolbarPictures::OfCommand(command)); }

}  // namespace

CMainFrame::CMainFrame(IUserMessages* messages, QWidget* parent)
    : QMainWindow(parent),
      m_standardMessages(std::make_unique<CQtUserMessages>(this)),
      m_standardChooser(std::make_unique<CQtFileChooser>(this)),
      m_router(std::make_unique<CWindowMessageRouter>()) {
    SetUserMessages(messages);
    m_chooser = m_standardChooser.get();
    setWindowTitle(Text(ApplicationTitle));
    m_mdiArea = new QMdiArea(this);
    setCentralWidget(m_mdiArea);
    CreateActions();
    CreateHandlers();
    BuildMenuBar(false);
    CreateToolBar();
    CreateStatusBar();
    CreateProperties();
    BindDriver();
    // The tree and the value list keep Home, End and the page keys.
    qApp->installEventFilter(new CNavigationKeyGuard(this));
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

void CMainFrame::CreateActions() {
    std::unordered_map<int, QList<QKeySequence>> keys;
    for (const ACCELERATOR_ENTRY& entry : CMenuTable::Accelerators()) {
        keys[entry.Command] << QKeySequence(QString::fromLatin1(entry.Keys), QKeySequence::PortableText);
    }
    auto* editModes = new QActionGroup(this);
    auto* units = new QActionGroup(this);
    auto* mouseModes = new QActionGroup(this);
    for (int command : AllCommands()) {
        auto* action = new QAction(Text(CMenuTable::TextIdOf(command)), this);
        const QStringList prompt = Text(command).split('\n');
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.size() > 1 ? prompt.value(1) : action->text().section('\t', 0, 0));
        action->setShortcuts(keys[command]);
        action->setCheckable(IsCheckable(command));
        action->setIcon(ToolbarIcon(command));
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
        addAction(action);  // keeps the keys working whichever menu is shown
        m_actions[command] = action;
    }
    for (int command : {cmd::ModeInsert, cmd::ModeOverwrite}) editModes->addAction(m_actions[command]);
    for (int command : {cmd::UnitClock, cmd::UnitTime}) units->addAction(m_actions[command]);
    for (int command : {cmd::MouseSelect, cmd::MouseInvertBit, cmd::MouseShiftBit}) {
        mouseModes->addAction(m_actions[command]);
    }
}

void CMainFrame::AddHandler(int command, std::function<void()> handler) { m_handlers[command] = std::move(handler); }

void CMainFrame::CreateHandlers() {
    AddHandler(cmd::FileNew, [this] { OnFileNew(); });
    AddHandler(cmd::FileOpen, [this] { OnFileOpen(); });
    AddHandler(cmd::FileSave, [this] { OnFileSave(); });
    AddHandler(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
    AddHandler(cmd::FileOpenCondition, [this] {
        OpenOtherFile(ConditionFilter, "nvc", [](CChildFrame& frame, const std::string& path) {
            return ReadConditionFile(frame.Doc().Document(), frame, path);
        });
    });
    AddHandler(cmd::FileSaveCondition, [this] {
        SaveOtherFile(ConditionFilter, "*.nvc", [](CChildFrame& frame, const std::string& path) {
            return WriteConditionFile(frame.Doc().Document(), path);
        });
    });
    AddHandler(cmd::FileOpenDataPattern, [this] {
        OpenOtherFile(DataPatternFilter, "bdp", [](CChildFrame& frame, const std::string& path) {
            return ReadDataPatternFile(frame.Doc().Document(), frame, path);
        });
    });
    AddHandler(cmd::FileSaveDataPattern, [this] {
        SaveOtherFile(DataPatternFilter, "*.bdp", [](CChildFrame& frame, const std::string& path) {
            return WriteDataPatternFile(frame.Doc().Document(), path);
        });
    });
    AddHandler(cmd::SignalNameProperties, [this] { if (CChildFrame* f = ActiveChildFrame()) f->Tree()->OnProperties(); });
    AddHandler(cmd::DeviceStart, [this] { if (CChildFrame* f = ActiveChildFrame()) f->Run().StartCommand(); });
    AddHandler(cmd::DeviceStop, [this] { if (CChildFrame* f = ActiveChildFrame()) f->Run().StopRun(); });
    CreateGraphHandlers();
    CAnalysisCommandModule::Register(*this, [this](int command, std::function<void()> handler) {
        AddHandler(command, std::move(handler));
    });
    m_searchCommands = new CSearchCommandModule(*this);
    m_searchCommands->Register([this](int command, std::function<void()> handler) {
        AddHandler(command, std::move(handler));
    });
    m_bookmarkCommands = new CBookmarkCommandModule(*this);
    m_bookmarkCommands->Register([this](int command, std::function<void()> handler) {
        AddHandler(command, std::move(handler));
    });
    AddHandler(cmd::FileClose, [this] { if (CChildFrame* f = ActiveChildFrame()) f->close(); });
    AddHandler(cmd::WindowClose, [this] { if (CChildFrame* f = ActiveChildFrame()) f->close(); });
    AddHandler(cmd::WindowCloseAll, [this] { OnCloseAllWindows(); });
    AddHandler(cmd::WindowNew, [this] { OnWindowNew(); });
    AddHandler(cmd::WindowCascade, [this] { m_mdiArea->cascadeSubWindows(); });
    AddHandler(cmd::WindowTileHorizontal, [this] { TileWindows(false); });
    AddHandler(cmd::WindowTileVertical, [this] { TileWindows(true); });
    AddHandler(cmd::NextPane, [this] { MoveFocusToPane(1); });
    AddHandler(cmd::PreviousPane, [this] { MoveFocusToPane(-1); });
    AddHandler(cmd::AppExit, [this] { close(); });
    AddHandler(cmd::AppAbout, [this] { OnAppAbout(); });
    AddHandler(cmd::ViewToolbar, [this] { m_toolBar->setVisible(m_toolBar->isHidden()); });
    AddHandler(cmd::ViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    AddHandler(cmd::ViewDockWindow, [this] { m_properties->setVisible(m_properties->isHidden()); });
    AddHandler(cmd::SamplingMemoryOption, [this] { OnMemoryOption(); });
}

// Graph commands act on the graph of the active document window; the
// enablement table lets them through only while the graph is the active view.
void CMainFrame::AddGraphHandler(int command, std::function<void(CNivaraView&)> handler) {
    AddHandler(command, [this, handler = std::move(handler)] {
        CChildFrame* frame = ActiveChildFrame();
        if (frame != nullptr && frame->GraphIsActiveView()) {
            handler(*frame->View());
        }
    });
}

void CMainFrame::CreateGraphHandlers() {
    CGraphEditCommands::Register(
        [this](int command, std::function<void(CNivaraView&)> handler) { AddGraphHandler(command, std::move(handler)); },
        *this, this);
    AddGraphHandler(cmd::ZoomIn, [](CNivaraView& view) { view.ZoomIn(); });
    AddGraphHandler(cmd::ZoomOut, [](CNivaraView& view) { view.ZoomOut(); });
    AddGraphHandler(cmd::ZoomDefault, [](CNivaraView& view) { view.DefaultScale(); });
    AddGraphHandler(cmd::CursorA, [](CNivaraView& view) { view.ToggleCursorA(); });
    AddGraphHandler(cmd::CursorB, [](CNivaraView& view) { view.ToggleCursorB(); });
    AddGraphHandler(cmd::UnitClock, [](CNivaraView& view) { view.SetGraphUnit(0); });
    AddGraphHandler(cmd::UnitTime, [](CNivaraView& view) { view.SetGraphUnit(1); });
    AddGraphHandler(cmd::MouseSelect, [](CNivaraView& view) { view.SetMouseMode(MOUSE_MODE_SELECT); });
    AddGraphHandler(cmd::MouseInvertBit, [](CNivaraView& view) { view.SetMouseMode(MOUSE_MODE_INVERT_BIT); });
    AddGraphHandler(cmd::MouseShiftBit, [](CNivaraView& view) { view.SetMouseMode(MOUSE_MODE_SHIFT_BIT); });
    AddGraphHandler(cmd::ModeInsert, [this](CNivaraView& view) {
        view.SetInsertMode(true);
        SetEditStatus(view.Model().Document().Condition().ReadOnly != 0, true);
    });
    AddGraphHandler(cmd::ModeOverwrite, [this](CNivaraView& view) {
        view.SetInsertMode(false);
        SetEditStatus(view.Model().Document().Condition().ReadOnly != 0, false);
    });
    AddGraphHandler(cmd::EditDisabled, [this](CNivaraView& view) {
        CLogicDocument& document = view.Model().Document();
        document.Condition().ReadOnly = document.Condition().ReadOnly != 0 ? 0 : 1;
        view.SetEditDisabled(document.Condition().ReadOnly != 0);
        document.NotifyViews();
        SetEditStatus(document.Condition().ReadOnly != 0, view.InsertMode());
    });
}

bool CMainFrame::HasHandler(int command) const { return m_handlers.count(command) != 0; }

void CMainFrame::BuildMenuBar(bool withDocument) {
    m_documentMenu = withDocument;
    menuBar()->clear();
    AddMenuEntries(nullptr, CMenuTable::Menu(withDocument ? CMenuTable::DocumentMenu : CMenuTable::NoDocumentMenu));
}

void CMainFrame::AddMenuEntries(QMenu* menu, const std::vector<MENU_ENTRY>& entries) {
    for (const MENU_ENTRY& entry : entries) {
        switch (entry.Type) {
        case MENU_ENTRY::Separator:
            if (menu != nullptr) menu->addSeparator();
            break;
        case MENU_ENTRY::Popup: {
            QMenu* popup = menu != nullptr ? menu->addMenu(Text(entry.TextId)) : menuBar()->addMenu(Text(entry.TextId));
            connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
            AddMenuEntries(popup, entry.Children);
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

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(Text(ToolbarTitle));
    m_toolBar->setObjectName("StandardToolBar");
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int command : CMenuTable::ToolbarButtons()) {
        if (command == 0) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(m_actions.at(command));
        }
    }
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

QAction* CMainFrame::Action(int command) const {
    const auto found = m_actions.find(command);
    return found != m_actions.end() ? found->second : nullptr;
}

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
    c.PatternCreated = m_patternCreated;
    c.ToolbarShown = !m_toolBar->isHidden();
    c.StatusBarShown = !statusBar()->isHidden();
    c.DockWindowShown = !m_properties->isHidden();
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return c;
    }
    const CLogicDocument& document = frame->Doc().Document();
    const LOGIC_CONDITION& condition = document.Condition();
    c.HasFrame = true;
    c.Direction = condition.Direction;
    if (const DIRECTION_GROUP* group = condition.ActiveGroup()) {
        c.ClockType = group->ClockType;
    }
    c.ReadOnly = condition.ReadOnly != 0;
    const CBookmarkList* bookmarks = frame->Records().Bookmarks(condition.Direction);
    c.BookmarksNotEmpty = bookmarks != nullptr && bookmarks->Size() > 0;
    c.RunActive = frame->RunActive();
    // The threads of an ended run still take its last words from the memories.
    c.DocumentRunning = document.IsRunning.load() != 0 || frame->Run().ThreadsAlive();
    c.DeviceOpen = frame->DeviceOpen();
    c.TreeEditable = frame->Tree()->IsEditable() && !c.RunActive;
    c.SelectedChannels = CAnalysisCommandModule::CountSelectedChannels(*frame);
    const CNivaraView* view = frame->View();
    c.SelectionSpansRows = view->SelectionSpansRows();
    c.GraphActive = frame->GraphIsActiveView();
    c.CursorAShown = view->IsCursorShown(0);
    c.CursorBShown = view->IsCursorShown(1);
    c.GraphUnit = view->GraphUnit();
    c.MouseMode = view->MouseMode();
    c.InsertMode = view->InsertMode();
    const CGraphEditCommands::ENABLEMENT edit = CGraphEditCommands::Enablement(*view);
    c.CanCopy = edit.CanCopy;
    c.CanCut = edit.CanCut;
    c.CanPaste = edit.CanPaste;
    c.CanUndo = edit.CanUndo;
    c.CanRedo = edit.CanRedo;
    return c;
}

void CMainFrame::UpdateCommandUI() {
    const COMMAND_CONTEXT context = BuildContext();
    for (const auto& [command, action] : m_actions) {
        const COMMAND_UI ui = CCommandState::Query(command, context);
        action->setEnabled(ui.Enabled && HasHandler(command));
        if (action->isCheckable()) {
            action->setChecked(ui.Checked);
        }
    }
}

bool CMainFrame::OnCommand(int command) {
    if (CCommandState::IsBlocked(command) || !HasHandler(command)) {
        return false;
    }
    if (!CCommandState::Query(command, BuildContext()).Enabled) {
        UpdateCommandUI();
        return false;
    }
    m_handlers.at(command)();
    UpdateCommandUI();
    return true;
}

// ---------------------------------------------------------------- documents and windows

CChildFrame* CMainFrame::CreateFrame() {
    auto* frame = new CChildFrame(*m_doc, *this);
    CAnalysisCommandModule::AttachFrame(*this, *frame);
    m_frames.push_back(frame);
    m_liveFrames.push_back(frame);
    m_mdiArea->addSubWindow(frame);
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
        return SaveAs(*frame) == CPulseFileCommands::Outcome::Done;
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
    return last == nullptr || last->close();
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

void CMainFrame::TileWindows(bool sideBySide) {
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    QList<QMdiSubWindow*> open;
    for (QMdiSubWindow* window : windows) {
        if (window->isVisible()) {
            open << window;
        }
    }
    if (open.isEmpty()) {
        return;
    }
    const QRect area = m_mdiArea->viewport()->rect();
    const int n = static_cast<int>(open.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = open[i];
        window->showNormal();
        if (sideBySide) {
            const int width = area.width() / n;
            window->setGeometry(i * width, 0, width, area.height());
        } else {
            const int height = area.height() / n;
            window->setGeometry(0, i * height, area.width(), height);
        }
    }
}

void CMainFrame::MoveFocusToPane(int step) {
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return;
    }
    const QList<QWidget*> panes = {frame->View(), frame->Tree(), frame->List()};
    int current = 0;
    for (int i = 0; i < panes.size(); ++i) {
        if (panes[i]->hasFocus()) {
            current = i;
        }
    }
    const int next = (current + step + static_cast<int>(panes.size())) % static_cast<int>(panes.size());
    panes[next]->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::OnAppAbout() {
    QMessageBox box(QMessageBox::Information, "About Nivara", "Nivara\nVer2.20", QMessageBox::Ok, this);
    box.setIconPixmap(windowIcon().pixmap(32, 32));
    box.exec();
}

// ---------------------------------------------------------------- files

void CMainFrame::OnFileOpen() {
    CPulseFileCommands commands(*m_chooser, *this);
    std::string path;
    if (commands.ChooseOpen(path) == CPulseFileCommands::Outcome::Done) {
        (void)OpenPulseFile(path);
    }
}

bool CMainFrame::OpenPulseFile(const std::string& path) {
    if (ActiveChildFrame() == nullptr && OnFileNew() == nullptr) {
        return false;
    }
    CChildFrame* frame = ActiveChildFrame();
    CPulseFileCommands commands(*m_chooser, *this);
    statusBar()->showMessage(QString::fromStdString(path));
    bool read = false;
    {
        CWaitCursor wait;
        read = commands.Read(*frame, path, frame->Doc().Document().Saved) == CPulseFileCommands::Outcome::Done;
    }
    statusBar()->clearMessage();
    RefreshGrid();
    UpdateCommandUI();
    return read;
}

void CMainFrame::OnFileSave() {
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return;
    }
    CPulseFileCommands commands(*m_chooser, *this);
    std::string path = frame->Doc().PathName().toStdString();
    if (commands.Save(*frame, path, frame->Doc().Document().Saved) == CPulseFileCommands::Outcome::Done) {
        frame->Doc().SetPathName(QString::fromStdString(path));
    }
}

void CMainFrame::OnFileSaveAs() {
    if (CChildFrame* frame = ActiveChildFrame()) {
        (void)SaveAs(*frame);
    }
}

CPulseFileCommands::Outcome CMainFrame::SaveAs(CChildFrame& frame) {
    CPulseFileCommands commands(*m_chooser, *this);
    std::string path = frame.Doc().PathName().toStdString();
    const CPulseFileCommands::Outcome outcome = commands.SaveAs(frame, path, frame.Doc().Document().Saved);
    if (outcome == CPulseFileCommands::Outcome::Done) {
        frame.Doc().SetPathName(QString::fromStdString(path));
    }
    return outcome;
}

// Condition and data pattern files: a document is created first for a read
// when none is open; a write needs one.
void CMainFrame::OpenOtherFile(const char* filter, const char* extension, const FILE_STEP& read) {
    const auto chosen = m_chooser->ChooseFileToOpen(filter, extension);
    if (!chosen || chosen->empty()) {
        return;
    }
    if (ActiveChildFrame() == nullptr && OnFileNew() == nullptr) {
        return;
    }
    CChildFrame* frame = ActiveChildFrame();
    FileResult result;
    {
        CWaitCursor wait;
        result = read(*frame, *chosen);
    }
    if (!result.Ok) {
        ShowMessage(LoadText(CPulseFileCommands::OpenFailedMessage), MessageIcon::Error);
    }
    frame->Repaint();
    RefreshGrid();
}

void CMainFrame::SaveOtherFile(const char* filter, const char* extension, const FILE_STEP& write) {
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return;
    }
    const auto chosen = m_chooser->ChooseFileToSave(filter, extension, frame->Doc().PathName().toStdString());
    if (!chosen || chosen->empty()) {
        return;
    }
    FileResult result;
    {
        CWaitCursor wait;
        result = write(*frame, *chosen);
    }
    if (!result.Ok) {
        ShowMessage(LoadText(CPulseFileCommands::SaveFailedMessage), MessageIcon::Error);
    }
}

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
