#pragma once
#include <QBasicTimer>
#include <QMdiSubWindow>
#include <QPointer>
#include <memory>

#include "device/IRunGraph.h"
#include "device/IRunWindow.h"
#include "device/IWindowPoster.h"
#include "document/CWindowRecords.h"
#include "document/IDocumentWindow.h"
#include "files/IFileWindow.h"
#include "shell/CChildFrameLayout.h"
#include "shell/ui/CStaticSplitterWndEx.h"
#include "shell/IPulseFileAccess.h"

class CChannelListView;
class CChannelTreeView;
class CDeviceRun;
class CHeaderView;
class CNivaraDoc;
class CNivaraView;
class CSavedBlockReader;
class CStatusView;
class CWorkSpaceView;
class IFrameHost;
class QSplitter;
class QProgressDialog;

// A document window: one view of the shared document with the records that
// belong to the window (channel tables, bookmark lists, compare list), its
// board and run, and six panes: the graph on the right; on the left, from
// top to bottom, the header strip, the signal tree with the channel list,
// the workspace strip and the operation status list. Window messages from
// the run threads and the board library arrive as queued events and are
// handled on the interface thread. It reaches the main window only through
// IFrameHost.
class CChildFrame : public QMdiSubWindow,
                    public IDocumentWindow,
                    public IFileWindow,
                    public IPulseFileAccess,
                    public IRunGraph,
                    public IRunWindow,
                    public IWindowPoster {
    Q_OBJECT
public:
    static constexpr int StatusTimerMs = 500;

    CChildFrame(CNivaraDoc& document, IFrameHost& host, QWidget* parent = nullptr);
    ~CChildFrame() override;

    [[nodiscard]] CNivaraDoc& Doc() { return m_doc; }

    // IDocumentWindow
    [[nodiscard]] CLogicDocument& Document() override;
    [[nodiscard]] CWindowRecords& Records() override { return *m_records; }
    [[nodiscard]] CDeviceRun& Run() override { return *m_run; }
    [[nodiscard]] CNivaraView* View() const override { return m_view; }
    [[nodiscard]] CChannelTreeView* Tree() const override { return m_tree; }
    [[nodiscard]] CChannelListView* List() const override { return m_list; }
    [[nodiscard]] CWorkSpaceView* WorkSpace() const override { return m_workspace; }
    [[nodiscard]] bool GraphIsActiveView() const override;
    [[nodiscard]] QWidget* Window() override { return this; }
    [[nodiscard]] IFileWindow& FileWindow() override { return *this; }
    [[nodiscard]] IPulseFileAccess& PulseFiles() override { return *this; }
    [[nodiscard]] std::string PathName() const override;
    [[nodiscard]] std::string Title() const override;
    void SetPathName(const std::string& path) override;
    bool CloseWindow() override { return close(); }

    [[nodiscard]] CStatusView* Status() const { return m_status; }
    [[nodiscard]] CHeaderView* Header() const { return m_header; }
    [[nodiscard]] CStaticSplitterWndEx* LeftSplitter() const { return m_left; }
    [[nodiscard]] QSplitter* OuterSplitter() const { return m_outer; }
    [[nodiscard]] QSplitter* MiddleSplitter() const { return m_middle; }

    // --- board and run
    // The graph's first update: opens the board selected in the device list.
    void OnInitialUpdate();
    [[nodiscard]] bool DeviceOpen() const;
    [[nodiscard]] bool RunActive() const;
    [[nodiscard]] bool CanStart() const;
    void OpenDevice(const std::string& name);
    void CloseDevice();

    void ActivateGraph();

    // The rows of the left column for the current client height.
    [[nodiscard]] LEFT_COLUMN_ROWS LeftColumnRows() const;
    void SetScaleTenths(int tenths);

    // Makes displayed row n the top row of graph, tree and list.
    void ScrollSignalRowsTo(int row);
    // Selects displayed row n in the tree and the list.
    void SelectSignalRow(int row);
    // Title from the document, with the window number when several windows
    // show the document.
    void UpdateTitle(int number, int count);

    // IFileWindow
    void SelectDeviceByName(CLogicDocument& document, const std::string& name) override;
    void RefreshConditionGrid() override;
    void ReopenDevice() override;
    void RebuildSignalTree() override;
    void RebuildBookmarkMarkers() override;
    void SetTitleAndPath(const std::string& path) override;
    [[nodiscard]] int DataPatternTargetChannel() const override;
    void Repaint() override;
    void ReportProgress(uint64_t done, uint64_t total) override;

    // IPulseFileAccess
    [[nodiscard]] bool ReadPulseFile(const std::string& path) override;
    [[nodiscard]] bool WritePulseFile(const std::string& path) override;
    [[nodiscard]] FileResult ReadValueChangeDump(const std::string& path, std::vector<std::string>& warnings) override;
    [[nodiscard]] FileResult WriteValueChangeDump(const std::string& path) override;

    // IRunGraph: forwarded to the graph.
    void SuspendDrawing() override;
    void ResumeDrawing() override;
    void SetEditDisabled(bool disabled) override;
    [[nodiscard]] uint32_t ClocksPerPage() const override;
    [[nodiscard]] uint32_t LastClock() const override;
    void JumpToClock(uint32_t clock) override;
    void SetSelection(const RUN_SELECTION& selection) override;
    void ScrollToClock(uint32_t firstClock) override;
    void GiveFocus() override;
    void UpdateAllViews() override;

    // IRunWindow
    void EnableProperties(bool enable) override;
    void StartStatusTimer() override;
    void StopStatusTimer() override;
    void ShowBoardStatus(const BOARD_STATUS_ROWS& rows) override;
    void SetDocumentTitle(const std::string& title) override;
    void SetDocumentPath(const std::string& path) override;

    // IWindowPoster
    void PostMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override;
    [[nodiscard]] intptr_t WindowHandle() const override { return m_handle; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void CreateClient();
    void ConnectGraph();
    void ConnectSignalPanes();
    void ApplyLeftColumnRows();
    // After a run ends its threads still take the last words for a moment;
    // the commands they hold back come back once they are gone.
    void FollowEndingThreads();
    void OnFocusChanged(QWidget* now);
    void ShowValuesAt(int clock);
    // The values of the current direction's document at the graph's caret.
    void ShowCaretValues();

    CNivaraDoc& m_doc;
    IFrameHost& m_main;
    std::unique_ptr<CWindowRecords> m_records;
    QWidget* m_client = nullptr;
    QSplitter* m_outer = nullptr;
    CStaticSplitterWndEx* m_left = nullptr;
    CStaticSplitterWndEx* m_middle = nullptr;
    CHeaderView* m_header = nullptr;
    CChannelTreeView* m_tree = nullptr;
    CChannelListView* m_list = nullptr;
    CWorkSpaceView* m_workspace = nullptr;
    CStatusView* m_status = nullptr;
    CNivaraView* m_view = nullptr;
    // Reads the document's auto-saved blocks for the graph's block buttons and jumps.
    std::unique_ptr<CSavedBlockReader> m_blockReader;
    // Shown while a long pulse file is read; gone when the read returns.
    std::unique_ptr<QProgressDialog> m_readProgress;
    QPointer<QWidget> m_activePane;
    int m_scaleTenths = 10;
    intptr_t m_handle = 0;
    QBasicTimer m_statusTimer;
    std::unique_ptr<CDeviceRun> m_run;
};
