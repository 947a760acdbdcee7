#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "graph/CGraphEditNotice.h"
#include "graph/CGraphEditor.h"
#include "graph/CGraphKeyController.h"
#include "graph/CGraphModel.h"
#include "graph/CGraphMouseController.h"
#include "graph/GRAPH_INPUT.h"
#include "graph/IGraphViewHost.h"
#include "graph/ui/CGraphRenderer.h"

class CLogicDocument;
class CWindowRecords;
class IBlockReader;
class IUserMessages;
class QScrollBar;
class CDrawRect;

// The waveform graph of a document window. It owns the model, the mouse and
// key controllers and the renderer, turns Qt's events into controller calls
// and paints through the renderer, which repaints only the dirty parts of
// its off-screen surface. The frame routes the graph commands to the public
// operations below.
class CNivaraView : public QWidget, public IGraphViewHost {
    Q_OBJECT
public:
    CNivaraView(CLogicDocument& document, CWindowRecords& records, QWidget* parent = nullptr);
    ~CNivaraView() override;

    // Where refused edits are told (the main window's message boxes), and
    // where a mouse or key handler that meets an index outside a table or
    // memory reports it (message 61477); the handler ends, the graph stays.
    void SetUserMessages(IUserMessages* messages) {
        m_messages = messages;
        m_notice->SetMessages(messages);
    }

    [[nodiscard]] CGraphModel& Model() { return *m_model; }
    [[nodiscard]] const CGraphModel& Model() const { return *m_model; }
    [[nodiscard]] CGraphMouseController& MouseController() { return *m_mouse; }
    [[nodiscard]] CGraphKeyController& KeyController() { return *m_keys; }
    [[nodiscard]] CGraphRenderer& Renderer() { return *m_renderer; }
    [[nodiscard]] CGraphEditor& Editor() { return *m_editor; }
    [[nodiscard]] const CGraphEditor& Editor() const { return *m_editor; }

    // --- editing (the edit commands call the editor, then this)
    // After an edit: a change updates every view of the document, a refusal
    // is told, and the graph shows the new state.
    void AfterEdit(EDIT_RESULT result);
    // Select All (57642): every cell, the page at the end.
    void SelectAll();

    // --- document
    // Rebinds the shown memory, clamps positions and repaints; the document
    // window calls it after every change of a document value.
    void OnDocumentUpdate();
    // The channel table changed: recount the shown rows.
    void RecountRows();
    // Hands the current state to the drawing objects, places the caret, repaints.
    void RefreshView() override;

    // --- zoom (32805, 32806, 32807) and graph unit (32811, 32812)
    void ZoomIn();
    void ZoomOut();
    void DefaultScale();
    void SetZoom(double zoom) override;
    [[nodiscard]] double Zoom() const;
    void SetGraphUnit(int unit);
    [[nodiscard]] int GraphUnit() const;

    // --- cursors (32809, 32810)
    void ToggleCursorA();
    void ToggleCursorB();
    [[nodiscard]] bool IsCursorShown(int which) const;

    // --- navigation
    void ScrollToClock(int64_t clock);
    void JumpToClock(uint32_t absoluteClock);
    BLOCK_LOAD LoadSavedBlock(std::size_t block) override;
    // The reader of auto-saved blocks (owned by the frame).
    void SetBlockReader(IBlockReader* reader) { m_blockReader = reader; }
    [[nodiscard]] IBlockReader* BlockReader() const { return m_blockReader; }
    // Makes shown row `row` the first visible row and tells the signal panes.
    void ScrollSignalRowsTo(int row) override;
    [[nodiscard]] int FirstVisibleRow() const;

    // --- keyboard moves and the Edit menu's jump and select commands
    void JumpToFirstClock();              // 32834
    void JumpToLastClock();               // 32835
    void JumpPageForward();               // 32841, one page toward clock 0
    void JumpPageBackward();              // 32840, one page toward the last clock
    void ExpandSelectionToStart();        // 32845
    void ExpandSelectionToEnd();          // 32846
    void ExpandSelectionPageForward();    // 32847
    void ExpandSelectionPageBackward();   // 32848

    // --- modes
    void SetMouseMode(int mode);
    [[nodiscard]] int MouseMode() const { return m_model->MouseMode(); }
    void SetInsertMode(bool insert) override;
    [[nodiscard]] bool InsertMode() const { return m_model->InsertMode(); }

    // --- bookmark markers
    void AddBookmarkMarker(int64_t position);
    void HighlightBookmarkMarker(int64_t position);
    void RemoveBookmarkMarker(int64_t position);
    void RemoveAllBookmarkMarkers();
    void SetBookmarkMarkersShown(bool shown);
    [[nodiscard]] bool BookmarkMarkersShown() const { return m_bookmarksShown; }
    [[nodiscard]] std::size_t BookmarkMarkerCount() const { return m_renderer->BookmarkCount(); }

    // --- drawing objects of other subsystems (the analysis result box)
    void AddDrawObject(CDrawRect* object, DRAW_LAYER layer = DRAW_LAYER::Result);
    void RemoveDrawObject(CDrawRect* object);

    // --- what a run asks of the graph
    void SuspendDrawing();
    void ResumeDrawing();
    [[nodiscard]] bool DrawingSuspended() const { return m_suspended > 0; }
    void SetEditDisabled(bool disabled);
    [[nodiscard]] uint32_t ClocksPerPage() const;
    [[nodiscard]] uint32_t LastClock() const;
    // Caret and anchor cells, then repaint.
    void SetSelection(int anchorClock, int anchorRow, int caretClock, int caretRow);
    // The same, applied later on the window thread.
    void PostSelection(int anchorClock, int anchorRow, int caretClock, int caretRow, int firstVisibleClock);
    void GiveFocus();

    // --- drawing
    // Paints the whole graph into the off-screen surface and returns it.
    const QImage& RenderSurface();
    [[nodiscard]] const QImage& Surface() const { return m_renderer->Surface(); }
    // The selection spans more than one row (enables Compare).
    [[nodiscard]] bool SelectionSpansRows() const { return m_spansRows; }
    // The caret rectangle in window coordinates; empty while hidden.
    [[nodiscard]] QRect CaretRect() const;

    // --- IGraphViewHost
    void Invalidate(unsigned parts) override;
    void PlaceCaret() override;
    void StartRepeat() override;
    void StopRepeat() override;
    void SetPointerShape(POINTER_SHAPE shape) override;
    void ShowContextMenu(int x, int y) override;
    void RequestCommand(int commandId) override;

signals:
    // The graph's first row changed: the signal tree and channel list follow.
    void SignalRowsScrolled(int firstRow);
    // The caret moved to another clock (the channel list shows its values).
    void CurrentClockChanged(int clock);
    // The selection started or stopped spanning several rows.
    void SelectionSpansRowsChanged(bool spans);
    // A key of the graph asks the main frame for a command (Ctrl+J Jump To
    // Specified Clock, Ctrl+W Swap).
    void CommandRequested(int commandId);
    // The right button was released over the waveforms: the Cut, Copy and
    // Paste menu opens at this screen point.
    void ContextMenuRequested(const QPoint& globalPosition);
    // Insert or overwrite mode was chosen (the Insert key, the Edit menu).
    void InsertModeChanged(bool insert);

protected:
    // Every mouse and key handler runs inside the guarded call.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void LayoutClient();
    void UpdateRowScrollBar();
    void OnRowScrollAction(int action);
    void OnRepeat();
    void NoteSelection();
    [[nodiscard]] GRAPH_PAINT_STATE PaintState() const;

    CLogicDocument& m_doc;
    CWindowRecords& m_records;
    std::unique_ptr<CGraphModel> m_model;
    std::unique_ptr<CGraphRenderer> m_renderer;
    // Before the controllers: their modes and key commands use them.
    std::unique_ptr<CGraphEditNotice> m_notice;
    std::unique_ptr<CGraphEditor> m_editor;
    std::unique_ptr<CGraphMouseController> m_mouse;
    std::unique_ptr<CGraphKeyController> m_keys;
    IBlockReader* m_blockReader = nullptr;
    IUserMessages* m_messages = nullptr;
    float m_scale = 1.0f;

    QScrollBar* m_rowScroll = nullptr;
    bool m_bookmarksShown = false;
    QTimer m_holdTimer;
    QTimer m_caretTimer;
    bool m_caretOn = true;
    QRect m_caretShown;
    int m_suspended = 0;
    bool m_spansRows = false;
    int m_lastCaretClock = -1;
};
