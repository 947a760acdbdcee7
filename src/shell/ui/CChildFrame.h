#pragma once
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>

#include "document/CWindowRecords.h"
#include "shell/CChildFrameLayout.h"

class CChannelListView;
class CChannelTreeView;
class CHeaderView;
class CMainFrame;
class CNivaraDoc;
class CNivaraView;
class CStaticSplitterWndEx;
class CStatusView;
class CWorkSpaceView;
class QSplitter;

// A document window: one view of the shared document with the records that
// belong to the window (channel tables, bookmark lists, compare list) and six
// panes: the graph on the right; on the left, from top to bottom, the header
// strip, the signal tree with the channel list, the workspace strip and the
// operation status list.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CNivaraDoc& document, CMainFrame* mainFrame, QWidget* parent = nullptr);
    ~CChildFrame() override;

    [[nodiscard]] CNivaraDoc& Doc() { return m_doc; }
    [[nodiscard]] CWindowRecords& Records() { return *m_records; }
    // The graph of the frame.
    [[nodiscard]] CNivaraView* View() const { return m_view; }
    [[nodiscard]] CChannelTreeView* Tree() const { return m_tree; }
    [[nodiscard]] CChannelListView* List() const { return m_list; }
    [[nodiscard]] CStatusView* Status() const { return m_status; }
    [[nodiscard]] CHeaderView* Header() const { return m_header; }
    [[nodiscard]] CWorkSpaceView* WorkSpace() const { return m_workspace; }
    [[nodiscard]] CStaticSplitterWndEx* LeftSplitter() const { return m_left; }
    [[nodiscard]] QSplitter* OuterSplitter() const { return m_outer; }
    [[nodiscard]] QSplitter* MiddleSplitter() const { return m_middle; }

    // True while the graph is the pane the user last worked in.
    [[nodiscard]] bool GraphIsActiveView() const;
    void ActivateGraph();

    // The rows of the left column for the current client height.
    [[nodiscard]] LEFT_COLUMN_ROWS LeftColumnRows() const;
    void SetScaleTenths(int tenths);

    // Makes displayed row n the top row of graph, tree and list.
    void ScrollSignalRowsTo(int row);
    // Selects displayed row n in the tree and the list.
    void SelectSignalRow(int row);
    // Tree and list from the current direction's channel table.
    void RebuildSignalTree();
    // Title from the document, with the window number when several windows
    // show the document.
    void UpdateTitle(int number, int count);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateClient();
    void ApplyLeftColumnRows();
    void OnFocusChanged(QWidget* now);

    CNivaraDoc& m_doc;
    QPointer<CMainFrame> m_main;
    std::unique_ptr<CWindowRecords> m_records;
    QWidget* m_client = nullptr;
    QSplitter* m_outer = nullptr;
    CStaticSplitterWndEx* m_left = nullptr;
    QSplitter* m_middle = nullptr;
    CHeaderView* m_header = nullptr;
    CChannelTreeView* m_tree = nullptr;
    CChannelListView* m_list = nullptr;
    CWorkSpaceView* m_workspace = nullptr;
    CStatusView* m_status = nullptr;
    CNivaraView* m_view = nullptr;
    QPointer<QWidget> m_activePane;
    int m_scaleTenths = 10;
};
