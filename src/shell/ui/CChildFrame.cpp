#include "shell/ui/CChildFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressDialog>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "device/ui/CStatusView.h"
#include "files/CVcdReader.h"
#include "files/CVcdWriter.h"
#include "files/PulseFile.h"
#include "graph/CSavedBlockReader.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CStaticSplitterWndEx.h"
#include "shell/ui/CWindowMessageEvent.h"
#include "shell/ui/CWindowMessageRouter.h"
#include "shell/ui/IFrameHost.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"
#include "signals/ui/CHeaderView.h"
#include "signals/ui/CWorkSpaceView.h"
#include "resources/StringIds.h"

CChildFrame::CChildFrame(CNivaraDoc& document, IFrameHost& host, QWidget* parent)
    : QMdiSubWindow(parent),
      m_doc(document),
      m_main(host),
      m_records(std::make_unique<CWindowRecords>(LoadText(IDS_SIGNAL_NAME_BASE))) {
    setAttribute(Qt::WA_DeleteOnClose);
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_scaleTenths = CChildFrameLayout::ScaleTenths(screen != nullptr ? qRound(screen->logicalDotsPerInchX()) : 96);
    CreateClient();
    ConnectGraph();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    m_handle = m_main.MessageRouter().Register(this);
    m_run = std::make_unique<CDeviceRun>(
        m_main.DriverBinding().RunCalls(),
        CDeviceRun::LINKS{m_doc.Document(), *m_records, *this, *this, *this, m_main.Messages()});
    RebuildSignalTree();
    UpdateTitle(1, 1);
}

CChildFrame::~CChildFrame() {
    // No message or timer reaches the window once its run starts to go: a
    // message box shown while the run ends would otherwise deliver them to a
    // run that is half destroyed. The run threads drain their block requests
    // without the posted messages.
    m_statusTimer.stop();
    m_main.MessageRouter().Unregister(m_handle);
    // The board closes and the run threads end before the window's data goes.
    m_run.reset();
    if (m_doc.Document().IsRunning.load() == 0) {
        // A run of this window kept the condition pane disabled.
        m_main.EnableConditionPane(true);
    }
    m_records->GeneratingTable.SetSize(0);
    m_records->SamplingTable.SetSize(0);
    m_main.OnFrameDestroyed(this);
}

void CChildFrame::CreateClient() {
    m_client = new QWidget(this);
    auto* layout = new QVBoxLayout(m_client);
    layout->setContentsMargins(0, 0, 0, 0);
    m_outer = new QSplitter(Qt::Horizontal, m_client);
    m_outer->setChildrenCollapsible(false);
    layout->addWidget(m_outer);

    m_left = new CStaticSplitterWndEx(Qt::Vertical, m_outer);
    m_header = new CHeaderView(m_left);
    m_middle = new CStaticSplitterWndEx(Qt::Horizontal, m_left);
    m_middle->setHandleWidth(3);
    m_tree = new CChannelTreeView(m_middle);
    m_list = new CChannelListView(m_middle);
    m_tree->setMinimumWidth(CChildFrameLayout::MiddleMinimumWidth);
    m_list->setMinimumWidth(CChildFrameLayout::MiddleMinimumWidth);
    m_workspace = new CWorkSpaceView(m_left);
    m_status = new CStatusView(m_left);
    m_left->setStretchFactor(1, 1);
    m_left->setSizes({24, 300, 20, 130});
    m_left->Lock();

    m_view = new CNivaraView(m_doc.Document(), *m_records, m_outer);
    connect(&m_doc, &CNivaraDoc::ViewsNeedUpdate, m_view, &CNivaraView::OnDocumentUpdate);
    m_blockReader = std::make_unique<CSavedBlockReader>(m_doc.Document(), *this, m_main.Messages());
    m_view->SetBlockReader(m_blockReader.get());
    m_view->SetUserMessages(&m_main.Messages());
    m_view->setMinimumWidth(CChildFrameLayout::GraphMinimumWidth);
    m_outer->setStretchFactor(0, 0);
    m_outer->setStretchFactor(1, 1);
    m_outer->setSizes({CChildFrameLayout::LeftColumnWidth, CChildFrameLayout::GraphWidth});
    m_middle->setSizes({CChildFrameLayout::TreeWidth, CChildFrameLayout::ListWidth});

    m_tree->SetLinks(CChannelTreeView::LINKS{
        [this] { return m_records->Table(m_doc.Document().Condition().Direction); },
        [this] { return m_view->Model().Current().row; },
        [this] { return m_run != nullptr && m_run->RunActive(); },
        &m_main.Messages()});

    m_left->installEventFilter(this);
    setWidget(m_client);
    m_activePane = m_view;
}

void CChildFrame::ConnectGraph() {
    connect(m_view, &CNivaraView::SignalRowsScrolled, this, [this](int row) {
        m_tree->ScrollToRow(row);
        m_list->ScrollToRow(row);
    });
    connect(m_view, &CNivaraView::CurrentClockChanged, this, &CChildFrame::ShowValuesAt);
    connect(m_view, &CNivaraView::SelectionSpansRowsChanged, this, [this] { m_main.UpdateCommandUI(); });
    connect(m_view, &CNivaraView::CommandRequested, this, [this](int command) { m_main.OnCommand(command); });
    // An edit changes what Undo, Redo and Paste offer; the Insert key the status
    // pane. The value list is a view of the document too (a load, a new
    // direction), read after the graph has taken the change.
    connect(&m_doc, &CNivaraDoc::ViewsNeedUpdate, this, [this] {
        ShowCaretValues();
        m_main.UpdateCommandUI();
    });
    connect(m_view, &CNivaraView::InsertModeChanged, this, [this](bool insert) {
        m_main.SetEditStatus(m_doc.Document().Condition().ReadOnly != 0, insert);
    });
    ConnectSignalPanes();
}

void CChildFrame::ConnectSignalPanes() {
    // WM_SIGNALS_CHANGED: posted, so the graph recounts once the tree is done.
    connect(m_tree, &CChannelTreeView::SignalsChanged, this, [this] {
        m_view->RecountRows();
        ShowCaretValues();
    }, Qt::QueuedConnection);
    connect(m_tree, &CChannelTreeView::SelectRowRequested, m_list, &CChannelListView::SelectRow);
    connect(m_tree, &CChannelTreeView::CaretRowChanged, m_list, &CChannelListView::SelectRow);
    connect(m_tree, &CChannelTreeView::ScrollRowsRequested, this, &CChildFrame::ScrollSignalRowsTo);
    connect(m_tree, &CChannelTreeView::ValuesRequested, this, &CChildFrame::ShowCaretValues);
    connect(m_tree, &CChannelTreeView::SelectionChanged, this, [this] { m_main.UpdateCommandUI(); });
    connect(m_list, &CChannelListView::RowPicked, this, &CChildFrame::SelectSignalRow);
}

void CChildFrame::OnInitialUpdate() {
    char type[256] = {};
    char name[256] = {};
    m_main.DriverBinding().GetSelectedDevice(type, name);
    if (name[0] != '\0') {
        m_run->CloseDevice();
        m_doc.Document().SetDevice(type, name);
        m_run->OpenDevice(name);
    }
    m_view->OnDocumentUpdate();
}

// ---------------------------------------------------------------- layout

LEFT_COLUMN_ROWS CChildFrame::LeftColumnRows() const {
    // The bars between the rows take their pixels from the client height first.
    const int bars = (m_left->count() - 1) * m_left->handleWidth();
    return CChildFrameLayout::LeftColumnRows(m_scaleTenths, m_left->height() - bars);
}

void CChildFrame::SetScaleTenths(int tenths) {
    m_scaleTenths = tenths;
    ApplyLeftColumnRows();
}

void CChildFrame::ApplyLeftColumnRows() {
    const LEFT_COLUMN_ROWS rows = LeftColumnRows();
    m_left->setSizes({rows.Header, rows.Signals, rows.Workspace, rows.Status});
    update();
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_left && event->type() == QEvent::Resize) {
        ApplyLeftColumnRows();
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void CChildFrame::OnFocusChanged(QWidget* now) {
    if (now == nullptr || !m_client->isAncestorOf(now)) {
        return;
    }
    for (QWidget* pane : {static_cast<QWidget*>(m_view), static_cast<QWidget*>(m_tree),
                          static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_status),
                          static_cast<QWidget*>(m_workspace), static_cast<QWidget*>(m_header)}) {
        if (pane == now || pane->isAncestorOf(now)) {
            m_activePane = pane;
            break;
        }
    }
    m_main.UpdateCommandUI();
}

bool CChildFrame::GraphIsActiveView() const { return m_activePane == m_view; }

CLogicDocument& CChildFrame::Document() { return m_doc.Document(); }

std::string CChildFrame::PathName() const { return m_doc.PathName().toStdString(); }

std::string CChildFrame::Title() const { return m_doc.Title().toStdString(); }

void CChildFrame::SetPathName(const std::string& path) { m_doc.SetPathName(QString::fromStdString(path)); }

void CChildFrame::ActivateGraph() {
    m_activePane = m_view;
    m_view->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::ScrollSignalRowsTo(int row) { m_view->ScrollSignalRowsTo(row); }

void CChildFrame::SelectSignalRow(int row) {
    m_tree->SelectRow(row);
    m_list->SelectRow(row);
}

void CChildFrame::ShowValuesAt(int clock) {
    const CLogicDocument& document = m_doc.Document();
    const int direction = document.Condition().Direction;
    const CLogicMemory* memory = document.Memory(direction);
    const CGraphGeometry& geometry = m_view->Model().Geometry();
    m_list->ShowValuesAt(m_records->Table(direction), direction, memory, clock,
                         {geometry.FirstVisibleClock(), geometry.ClocksPerPage()}, m_view->FirstVisibleRow());
}

void CChildFrame::ShowCaretValues() { ShowValuesAt(m_view->Model().Current().clock); }

void CChildFrame::UpdateTitle(int number, int count) {
    QString title = m_doc.Title();
    if (count > 1) {
        title += QString(":%1").arg(number);
    }
    setWindowTitle(title);
}

// ---------------------------------------------------------------- closing and events

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!m_main.CloseQuery(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) {
        m_main.OnFrameClosed(this);
    }
}

bool CChildFrame::event(QEvent* event) {
    if (event->type() == CWindowMessageEvent::EventType()) {
        if (m_run == nullptr) {
            return true;
        }
        const auto* message = static_cast<CWindowMessageEvent*>(event);
        m_run->OnWindowMessage(message->Message, message->WParam, message->LParam);
        m_main.UpdateCommandUI();
        FollowEndingThreads();
        return true;
    }
    return QMdiSubWindow::event(event);
}

void CChildFrame::FollowEndingThreads() {
    constexpr int PollMs = 20;
    if (m_run == nullptr || m_run->RunActive() || !m_run->ThreadsAlive()) {
        return;
    }
    QTimer::singleShot(PollMs, this, [this] {
        if (m_run != nullptr && !m_run->ThreadsAlive()) {
            m_main.UpdateCommandUI();
        } else {
            FollowEndingThreads();
        }
    });
}

void CChildFrame::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_statusTimer.timerId()) {
        if (m_run == nullptr) {
            return;
        }
        m_run->OnStatusTimer();
        m_main.UpdateCommandUI();
        return;
    }
    QMdiSubWindow::timerEvent(event);
}

// ---------------------------------------------------------------- board and run

bool CChildFrame::DeviceOpen() const { return m_run->DeviceOpen(); }

bool CChildFrame::RunActive() const { return m_run->RunActive(); }

bool CChildFrame::CanStart() const { return m_run->CanStart(); }

void CChildFrame::OpenDevice(const std::string& name) { (void)m_run->OpenDevice(name); }

void CChildFrame::CloseDevice() { m_run->CloseDevice(); }

// ---------------------------------------------------------------- IFileWindow

void CChildFrame::SelectDeviceByName(CLogicDocument& document, const std::string& name) {
    (void)m_main.DriverBinding().SelectDeviceByName(document, name);
    m_main.ShowSelectedDevice(m_main.DriverBinding().SelectedIndex());
}

void CChildFrame::RefreshConditionGrid() { m_main.RefreshGrid(); }

void CChildFrame::ReopenDevice() {
    m_run->CloseDevice();
    const std::string name = m_doc.Document().Condition().DeviceName;
    if (!name.empty()) {
        (void)m_run->OpenDevice(name);
    }
}

void CChildFrame::RebuildSignalTree() {
    m_tree->RebuildSignalTree();
    m_view->RecountRows();
    m_view->RefreshView();
    ShowCaretValues();
}

void CChildFrame::RebuildBookmarkMarkers() { m_main.OnRecordsReplaced(*this); }

void CChildFrame::SetTitleAndPath(const std::string& path) { m_doc.SetPathName(QString::fromStdString(path)); }

int CChildFrame::DataPatternTargetChannel() const {
    const CChannelTable* table = m_records->Table(m_doc.Document().Condition().Direction);
    if (table == nullptr) {
        return CChannelTable::NoSignal;
    }
    if (m_view->hasFocus()) {
        const std::vector<std::size_t> shown = table->DisplayedRows();
        const int row = m_view->Model().Current().row;
        return row >= 0 && row < static_cast<int>(shown.size())
                   ? table->SignalChannel(static_cast<std::ptrdiff_t>(shown[static_cast<std::size_t>(row)]))
                   : CChannelTable::NoSignal;
    }
    const CSignalTree::Items selected = m_tree->Core().SelectedItems();
    return selected.empty() ? 0 : table->SignalChannel(m_tree->Core().RowOf(selected.front()));
}

void CChildFrame::Repaint() {
    m_view->RefreshView();
    update();
}

// ---------------------------------------------------------------- IPulseFileAccess

void CChildFrame::ReportProgress(uint64_t done, uint64_t total) {
    // Files that load in a blink show no dialog.
    constexpr uint64_t LongRead = uint64_t{64} << 20;
    if (total < LongRead) {
        return;
    }
    if (!m_readProgress) {
        // Not modal and no event processing: the read goes on in this thread,
        // so the dialog is painted directly as the bytes come in.
        m_readProgress = std::make_unique<QProgressDialog>(this);
        m_readProgress->setCancelButton(nullptr);
        m_readProgress->setMinimumDuration(0);
        m_readProgress->setRange(0, 1000);
        m_readProgress->setLabelText(windowTitle());
        m_readProgress->show();
    }
    m_readProgress->setValue(static_cast<int>(std::min<uint64_t>(done, total) * 1000 / total));
    m_readProgress->repaint();
}

bool CChildFrame::ReadPulseFile(const std::string& path) {
    const FileResult result = ::ReadPulseFile(m_doc.Document(), *m_records, *this, path);
    m_readProgress.reset();
    m_view->OnDocumentUpdate();
    return result.Ok;
}

bool CChildFrame::WritePulseFile(const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ::WritePulseFile(m_doc.Document(), *m_records, *this, path).Ok;
    QApplication::restoreOverrideCursor();
    return written;
}

FileResult CChildFrame::ReadValueChangeDump(const std::string& path, std::vector<std::string>& warnings) {
    const FileResult result = CVcdReader::Read(m_doc.Document(), *m_records, *this, path, 0, warnings);
    if (result) {
        // The words are in no document file yet: no path, the dump's name as title.
        m_doc.SetTitle(QString::fromStdString(path).section('/', -1));
    }
    m_view->OnDocumentUpdate();
    return result;
}

FileResult CChildFrame::WriteValueChangeDump(const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FileResult result = CVcdWriter::Write(m_doc.Document(), *m_records, path, CVcdWriter::LocalDate());
    QApplication::restoreOverrideCursor();
    return result;
}

// ---------------------------------------------------------------- IRunGraph

void CChildFrame::SuspendDrawing() { m_view->SuspendDrawing(); }

void CChildFrame::ResumeDrawing() { m_view->ResumeDrawing(); }

void CChildFrame::SetEditDisabled(bool disabled) { m_view->SetEditDisabled(disabled); }

uint32_t CChildFrame::ClocksPerPage() const { return m_view->ClocksPerPage(); }

uint32_t CChildFrame::LastClock() const { return m_view->LastClock(); }

void CChildFrame::JumpToClock(uint32_t clock) { m_view->JumpToClock(clock); }

void CChildFrame::SetSelection(const RUN_SELECTION& selection) {
    m_view->SetSelection(static_cast<int>(selection.AnchorClock), selection.AnchorRow,
                         static_cast<int>(selection.CaretClock), selection.CaretRow);
}

void CChildFrame::ScrollToClock(uint32_t firstClock) { m_view->ScrollToClock(firstClock); }

void CChildFrame::GiveFocus() { m_view->GiveFocus(); }

void CChildFrame::UpdateAllViews() { m_doc.Document().NotifyViews(); }

// ---------------------------------------------------------------- IRunWindow

void CChildFrame::EnableProperties(bool enable) { m_main.EnableConditionPane(enable); }

void CChildFrame::StartStatusTimer() { m_statusTimer.start(StatusTimerMs, this); }

void CChildFrame::StopStatusTimer() { m_statusTimer.stop(); }

void CChildFrame::ShowBoardStatus(const BOARD_STATUS_ROWS& rows) { m_status->ShowBoardStatus(rows); }

void CChildFrame::SetDocumentTitle(const std::string& title) { m_doc.SetTitle(QString::fromStdString(title)); }

void CChildFrame::SetDocumentPath(const std::string& path) { m_doc.SetPathName(QString::fromStdString(path)); }

// ---------------------------------------------------------------- IWindowPoster

void CChildFrame::PostMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    (void)m_main.MessageRouter().Post(m_handle, message, wparam, lparam);
}
