#include "shell/ui/CChildFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

#include "device/ui/CStatusView.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CStaticSplitterWndEx.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"
#include "signals/ui/CHeaderView.h"
#include "signals/ui/CWorkSpaceView.h"

namespace {
constexpr int SignalNameBase = 49000;
}

CChildFrame::CChildFrame(CNivaraDoc& document, CMainFrame* mainFrame, QWidget* parent)
    : QMdiSubWindow(parent),
      m_doc(document),
      m_main(mainFrame),
      m_records(std::make_unique<CWindowRecords>(LoadText(SignalNameBase))) {
    setAttribute(Qt::WA_DeleteOnClose);
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_scaleTenths = CChildFrameLayout::ScaleTenths(screen != nullptr ? qRound(screen->logicalDotsPerInchX()) : 96);
    CreateClient();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    connect(&m_doc, &CNivaraDoc::ViewsNeedUpdate, m_view, qOverload<>(&QWidget::update));
    RebuildSignalTree();
    UpdateTitle(1, 1);
}

CChildFrame::~CChildFrame() {
    m_records->GeneratingTable.SetSize(0);
    m_records->SamplingTable.SetSize(0);
    if (m_main) {
        m_main->OnFrameDestroyed(this);
    }
}

void CChildFrame::CreateClient() {
    m_client = new QWidget(this);
    auto* layout = new QVBoxLayout(m_client);
    layout->setContentsMargins(0, 0, 0, 0);
    m_outer = new QSplitter(Qt::Horizontal, m_client);
    m_outer->setChildrenCollapsible(false);
    layout->addWidget(m_outer);

    m_left = new CStaticSplitterWndEx(Qt::Vertical, m_outer);
    m_left->setMinimumWidth(0);
    m_header = new CHeaderView(m_left);
    m_middle = new CStaticSplitterWndEx(Qt::Horizontal, m_left);
    m_middle->setHandleWidth(3);
    m_middle->setChildrenCollapsible(false);
    m_tree = new CChannelTreeView(m_middle);
    m_list = new CChannelListView(m_middle);
    m_tree->setMinimumWidth(CChildFrameLayout::MiddleMinimumWidth);
    m_list->setMinimumWidth(CChildFrameLayout::MiddleMinimumWidth);
    m_workspace = new CWorkSpaceView(m_left);
    m_status = new CStatusView(m_left);
    for (QWidget* pane : {static_cast<QWidget*>(m_header), static_cast<QWidget*>(m_middle),
                          static_cast<QWidget*>(m_workspace), static_cast<QWidget*>(m_status)}) {
        pane->setMinimumHeight(0);
    }
    m_left->setStretchFactor(1, 1);
    m_left->setSizes({24, 300, 20, 130});
    m_left->Lock();

    m_view = new CNivaraView(m_doc, *m_records, m_outer);
    m_view->setMinimumWidth(CChildFrameLayout::GraphMinimumWidth);
    m_outer->setStretchFactor(0, 0);
    m_outer->setStretchFactor(1, 1);
    m_outer->setSizes({CChildFrameLayout::LeftColumnWidth, CChildFrameLayout::GraphWidth});
    m_middle->setSizes({CChildFrameLayout::TreeWidth, CChildFrameLayout::ListWidth});

    m_left->installEventFilter(this);
    setWidget(m_client);
    m_activePane = m_view;
}

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
    if (m_main) {
        m_main->UpdateCommandUI();
    }
}

bool CChildFrame::GraphIsActiveView() const { return m_activePane == m_view; }

void CChildFrame::ActivateGraph() {
    m_activePane = m_view;
    m_view->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::ScrollSignalRowsTo(int row) {
    m_tree->ScrollToRow(row);
    m_list->ScrollToRow(row);
}

void CChildFrame::SelectSignalRow(int row) {
    m_tree->SelectRow(row);
    m_list->SelectRow(row);
}

void CChildFrame::RebuildSignalTree() {
    const CChannelTable* table = m_records->Table(m_doc.Document().Condition().Direction);
    m_tree->Rebuild(table);
}

void CChildFrame::UpdateTitle(int number, int count) {
    QString title = m_doc.Title();
    if (count > 1) {
        title += QString(":%1").arg(number);
    }
    setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_main && !m_main->CloseQuery(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && m_main) {
        m_main->OnFrameClosed(this);
    }
}
