#pragma once
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graph/CGraphModel.h"

class CNivaraDoc;
class CWindowRecords;
class IBlockReader;
class QScrollBar;
class CDrawRuler;
class CDrawScrollBar;
class CDrawWaveform;
class CDrawCursor;
class CDrawCursorInfo;
class CDrawBookmark;

// Mouse modes of the graph.
constexpr int MOUSE_MODE_SELECT = 0;
constexpr int MOUSE_MODE_INVERT_BIT = 1;
constexpr int MOUSE_MODE_SHIFT_BIT = 2;

// The waveform graph of a document window: paints the model into one
// off-screen surface, handles the clock scroll bar, the row scroll bar, the
// wheel, cursor dragging and the selection. The frame routes the graph
// commands to the public operations below.
class CNivaraView : public QWidget {
    Q_OBJECT
public:
    CNivaraView(CNivaraDoc& document, CWindowRecords& records, QWidget* parent = nullptr);
    ~CNivaraView() override;

    [[nodiscard]] CGraphModel& Model() { return *m_model; }
    [[nodiscard]] const CGraphModel& Model() const { return *m_model; }

    // --- document
    // Rebinds the shown memory, clamps positions and repaints.
    void OnDocumentUpdate();
    // The channel table changed: recount the shown rows.
    void RecountRows();
    // Hands the current state to the drawing objects, places the caret, repaints.
    void RefreshView();

    // --- zoom (32805, 32806, 32807) and graph unit (32811, 32812)
    void ZoomIn();
    void ZoomOut();
    void DefaultScale();
    void SetZoom(double zoom);
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
    BLOCK_LOAD LoadSavedBlock(std::size_t block);
    // The reader of auto-saved blocks (owned by the frame).
    void SetBlockReader(IBlockReader* reader) { m_blockReader = reader; }
    // Makes shown row `row` the first visible row and tells the signal panes.
    void ScrollSignalRowsTo(int row);
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
    [[nodiscard]] int MouseMode() const { return m_mouseMode; }
    void SetInsertMode(bool insert);
    [[nodiscard]] bool InsertMode() const { return m_insertMode; }

    // --- bookmark markers
    void AddBookmarkMarker(int64_t position);
    void HighlightBookmarkMarker(int64_t position);
    void RemoveBookmarkMarker(int64_t position);
    void RemoveAllBookmarkMarkers();
    void SetBookmarkMarkersShown(bool shown);
    [[nodiscard]] bool BookmarkMarkersShown() const { return m_bookmarksShown; }
    [[nodiscard]] std::size_t BookmarkMarkerCount() const { return m_bookmarks.size(); }

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
    [[nodiscard]] const QImage& Surface() const { return m_surface; }
    // The selection spans more than one row (enables Compare).
    [[nodiscard]] bool SelectionSpansRows() const { return m_spansRows; }
    // The caret rectangle in window coordinates; empty while hidden.
    [[nodiscard]] QRect CaretRect() const;

signals:
    // The graph's first row changed: the signal tree and channel list follow.
    void SignalRowsScrolled(int firstRow);
    // The caret moved to another clock (the channel list shows its values).
    void CurrentClockChanged(int clock);
    // The selection started or stopped spanning several rows.
    void SelectionSpansRowsChanged(bool spans);
    // A key of the graph asks the main frame for a command (Ctrl+J 32842, Ctrl+W 32833).
    void CommandRequested(int commandId);
    // The right button was released over the waveforms: the Cut, Copy and
    // Paste menu opens at this screen point.
    void ContextMenuRequested(const QPoint& globalPosition);

protected:
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
    enum class DRAG { None, Selecting, CursorA, CursorB, Thumb, Result };

    void LayoutClient();
    void UpdateRowScrollBar();
    void OnRowScrollAction(int action);
    void PlaceCaret();
    void PressGraph(int x, int y);
    void PressRuler(int x, int y);
    void PressScrollBar(int x, int y);
    void HoldStep();
    void UpdateHover(int x, int y);
    void PaintCursors(QPainter& painter);
    void PaintInfoBox(QPainter& painter, INFO_BOX box);
    void PaintHighlights(QPainter& painter);
    void InvertCells(QPainter& painter, int clockA, int clockB, int rowA, int rowB);
    [[nodiscard]] int StepFromModifiers() const;
    [[nodiscard]] bool MoveByKey(int key, bool shift);

    CNivaraDoc& m_doc;
    CWindowRecords& m_records;
    std::unique_ptr<CGraphModel> m_model;
    IBlockReader* m_blockReader = nullptr;
    float m_scale = 1.0f;

    QImage m_surface;
    QScrollBar* m_rowScroll = nullptr;
    std::unique_ptr<CDrawRuler> m_ruler;
    std::unique_ptr<CDrawScrollBar> m_scrollBar;
    std::unique_ptr<CDrawWaveform> m_waveform;
    std::unique_ptr<CDrawCursor> m_cursorA;
    std::unique_ptr<CDrawCursor> m_cursorB;
    std::unique_ptr<CDrawCursorInfo> m_currentBox;
    std::unique_ptr<CDrawCursorInfo> m_cursorABox;
    std::unique_ptr<CDrawCursorInfo> m_cursorBBox;
    std::vector<std::unique_ptr<CDrawBookmark>> m_bookmarks;
    bool m_bookmarksShown = false;

    int m_mouseMode = MOUSE_MODE_SELECT;
    bool m_insertMode = false;
    DRAG m_drag = DRAG::None;
    bool m_buttonDown = false;
    int m_grabOffset = 0;
    SCROLL_ELEMENT m_held = SCROLL_ELEMENT::None;
    QTimer m_holdTimer;
    QTimer m_caretTimer;
    bool m_caretOn = true;
    int m_suspended = 0;
    bool m_spansRows = false;
    int m_lastCaretClock = -1;
};
