#include "graph/ui/CNivaraView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "document/CImproperArgument.h"
#include "document/CLogicDocument.h"
#include "document/GuardedCall.h"
#include "document/CWindowRecords.h"
#include "graph/CEditHistory.h"
#include "graph/CEditKeys.h"
#include "graph/CInvertBitMode.h"
#include "graph/CShiftBitMode.h"
#include "graph/ui/CGraphContextMenu.h"
#include "graph/ui/CGraphInputMap.h"
#include "graph/ui/CDrawRect.h"

namespace {
constexpr int CaretBlink = 530;
}  // namespace

CNivaraView::CNivaraView(CLogicDocument& document, CWindowRecords& records, QWidget* parent)
    : QWidget(parent), m_doc(document), m_records(records) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_scale = CGraphGeometry::ScaleFromDpi(logicalDpiX());
    m_model = std::make_unique<CGraphModel>(m_doc, m_records, m_scale);
    m_renderer = std::make_unique<CGraphRenderer>(m_scale);
    m_mouse = std::make_unique<CGraphMouseController>(*m_model, *this);
    m_keys = std::make_unique<CGraphKeyController>(*m_model, *this);
    CEditHistory& history = CEditHistory::For(m_doc);
    m_notice = std::make_unique<CGraphEditNotice>(m_doc);
    m_editor = std::make_unique<CGraphEditor>(*m_model, history);
    m_keys->AddCommand(std::make_unique<CEditKeys>(*m_editor, *m_notice));
    m_mouse->SetMode(MOUSE_MODE_INVERT_BIT, std::make_unique<CInvertBitMode>(*m_editor, *m_notice));
    m_mouse->SetMode(MOUSE_MODE_SHIFT_BIT,
                     std::make_unique<CShiftBitMode>(*m_model, *m_editor, history, *m_notice));

    m_rowScroll = new QScrollBar(Qt::Vertical, this);
    m_rowScroll->setFocusPolicy(Qt::NoFocus);
    connect(m_rowScroll, &QScrollBar::actionTriggered, this, &CNivaraView::OnRowScrollAction);

    m_holdTimer.setInterval(CGraphMouseController::RepeatIntervalMs);
    connect(&m_holdTimer, &QTimer::timeout, this, &CNivaraView::OnRepeat);
    m_caretTimer.setInterval(CaretBlink);
    connect(&m_caretTimer, &QTimer::timeout, this, [this] {
        m_caretOn = !m_caretOn;
        update(m_caretShown);
    });
    m_model->OnDocumentUpdate();
}

CNivaraView::~CNivaraView() = default;

// ------------------------------------------------------------------ document

void CNivaraView::OnDocumentUpdate() {
    m_model->OnDocumentUpdate();
    UpdateRowScrollBar();
    RefreshView();
    emit SignalRowsScrolled(m_model->Geometry().FirstVisibleRow());
}

void CNivaraView::RecountRows() {
    m_model->RecountRows();
    UpdateRowScrollBar();
    emit SignalRowsScrolled(m_model->Geometry().FirstVisibleRow());
    RefreshView();
}

void CNivaraView::RefreshView() {
    PlaceCaret();
    Invalidate(GRAPH_PART_ALL);
}

// ---------------------------------------------------------------- zoom, unit

void CNivaraView::ZoomIn() { SetZoom(Zoom() * 2); }
void CNivaraView::ZoomOut() { SetZoom(Zoom() * 0.5); }
void CNivaraView::DefaultScale() { SetZoom(1.0); }

void CNivaraView::SetZoom(double zoom) {
    m_model->SetZoom(zoom);
    RefreshView();
}

double CNivaraView::Zoom() const { return m_model->Geometry().Zoom(); }

void CNivaraView::SetGraphUnit(int unit) {
    (void)m_model->SetGraphUnit(unit);
    Invalidate(GRAPH_PART_ALL);
}

int CNivaraView::GraphUnit() const { return m_model->GraphUnit(); }

// ------------------------------------------------------------------- cursors

void CNivaraView::ToggleCursorA() {
    m_model->ToggleCursor(0);
    Invalidate(GRAPH_PART_ALL);
}

void CNivaraView::ToggleCursorB() {
    m_model->ToggleCursor(1);
    Invalidate(GRAPH_PART_ALL);
}

bool CNivaraView::IsCursorShown(int which) const { return m_model->Cursor(which).shown; }

// ---------------------------------------------------------------- navigation

void CNivaraView::ScrollToClock(int64_t clock) {
    m_model->ScrollToClock(clock);
    RefreshView();
}

void CNivaraView::JumpToClock(uint32_t absoluteClock) {
    m_model->JumpToClock(absoluteClock, m_blockReader);
    UpdateRowScrollBar();
    RefreshView();
}

BLOCK_LOAD CNivaraView::LoadSavedBlock(std::size_t block) {
    const BLOCK_LOAD result = m_model->LoadSavedBlock(block, m_blockReader);
    if (result == BLOCK_LOAD::Loaded || result == BLOCK_LOAD::ReadFailed) {
        UpdateRowScrollBar();
        RefreshView();
    }
    return result;
}

void CNivaraView::ScrollSignalRowsTo(int row) {
    m_model->Geometry().SetFirstVisibleRow(row);
    UpdateRowScrollBar();
    PlaceCaret();
    Invalidate(GRAPH_PART_ALL);
    emit SignalRowsScrolled(m_model->Geometry().FirstVisibleRow());
}

int CNivaraView::FirstVisibleRow() const { return m_model->Geometry().FirstVisibleRow(); }

// ------------------------------------------------------------ jump commands

void CNivaraView::JumpToFirstClock() { m_keys->Move(GRAPH_KEY::Home, false); }
void CNivaraView::JumpToLastClock() { m_keys->Move(GRAPH_KEY::End, false); }
void CNivaraView::JumpPageForward() { m_keys->Move(GRAPH_KEY::PageUp, false); }
void CNivaraView::JumpPageBackward() { m_keys->Move(GRAPH_KEY::PageDown, false); }
void CNivaraView::ExpandSelectionToStart() { m_keys->Move(GRAPH_KEY::Home, true); }
void CNivaraView::ExpandSelectionToEnd() { m_keys->Move(GRAPH_KEY::End, true); }
void CNivaraView::ExpandSelectionPageForward() { m_keys->Move(GRAPH_KEY::PageUp, true); }
void CNivaraView::ExpandSelectionPageBackward() { m_keys->Move(GRAPH_KEY::PageDown, true); }

// --------------------------------------------------------------------- modes

void CNivaraView::SetMouseMode(int mode) {
    if (m_model->SetMouseMode(mode)) {
        Invalidate(GRAPH_PART_PAGE);
    }
}

void CNivaraView::AfterEdit(EDIT_RESULT result) {
    if (result == EDIT_RESULT::Done) {
        m_notice->DataChanged();
    } else if (result != EDIT_RESULT::Nothing) {
        m_notice->EditRefused(result);
    }
    RefreshView();
}

void CNivaraView::SelectAll() {
    if (m_editor->SelectAll()) {
        ScrollSignalRowsTo(m_model->Geometry().FirstVisibleRow());
        RefreshView();
    }
}

void CNivaraView::SetInsertMode(bool insert) {
    const bool changed = insert != m_model->InsertMode();
    m_model->SetInsertMode(insert);
    RefreshView();
    if (changed) {
        emit InsertModeChanged(insert);
    }
}

// ---------------------------------------------------------- bookmark markers

void CNivaraView::AddBookmarkMarker(int64_t position) {
    m_renderer->AddBookmark(position);
    Invalidate(GRAPH_PART_PAGE);
}

void CNivaraView::HighlightBookmarkMarker(int64_t position) {
    m_renderer->HighlightBookmark(position);
    Invalidate(GRAPH_PART_PAGE);
}

void CNivaraView::RemoveBookmarkMarker(int64_t position) {
    m_renderer->RemoveBookmark(position);
    Invalidate(GRAPH_PART_PAGE);
}

void CNivaraView::RemoveAllBookmarkMarkers() {
    m_renderer->RemoveAllBookmarks();
    Invalidate(GRAPH_PART_PAGE);
}

void CNivaraView::SetBookmarkMarkersShown(bool shown) {
    m_bookmarksShown = shown;
    Invalidate(GRAPH_PART_PAGE);
}

void CNivaraView::AddDrawObject(CDrawRect* object, DRAW_LAYER layer) {
    m_renderer->AddDrawObject(object, layer);
    Invalidate(GRAPH_PART_ALL);
}

void CNivaraView::RemoveDrawObject(CDrawRect* object) {
    m_renderer->RemoveDrawObject(object);
    Invalidate(GRAPH_PART_ALL);
}

// ---------------------------------------------------------------------- runs

void CNivaraView::SuspendDrawing() { ++m_suspended; }

void CNivaraView::ResumeDrawing() {
    if (m_suspended > 0) {
        --m_suspended;
    }
    if (m_suspended == 0) {
        Invalidate(GRAPH_PART_ALL);
    }
}

void CNivaraView::SetEditDisabled(bool disabled) { m_model->SetEditDisabled(disabled); }

uint32_t CNivaraView::ClocksPerPage() const {
    return static_cast<uint32_t>(m_model->Geometry().ClocksPerPage());
}

uint32_t CNivaraView::LastClock() const { return static_cast<uint32_t>(std::max(0, m_model->LastClock())); }

void CNivaraView::SetSelection(int anchorClock, int anchorRow, int caretClock, int caretRow) {
    m_model->SetAnchor({anchorClock, anchorRow});
    m_model->SetCurrent({caretClock, caretRow});
    RefreshView();
}

void CNivaraView::PostSelection(int anchorClock, int anchorRow, int caretClock, int caretRow,
                                int firstVisibleClock) {
    QMetaObject::invokeMethod(
        this,
        [=, this] {
            m_model->Geometry().SetFirstVisibleClock(firstVisibleClock);
            SetSelection(anchorClock, anchorRow, caretClock, caretRow);
        },
        Qt::QueuedConnection);
}

void CNivaraView::GiveFocus() { setFocus(Qt::OtherFocusReason); }

// -------------------------------------------------------------------- layout

void CNivaraView::resizeEvent(QResizeEvent* /*event*/) { LayoutClient(); }

void CNivaraView::LayoutClient() {
    const int barWidth = m_rowScroll->sizeHint().width();
    m_rowScroll->setGeometry(width() - barWidth, 0, barWidth, height());
    const int cx = std::max(1, width() - barWidth);
    const int cy = std::max(1, height());
    m_model->Layout(cx, cy);
    m_renderer->Resize(cx, cy);
    UpdateRowScrollBar();
    PlaceCaret();
    update();
}

void CNivaraView::UpdateRowScrollBar() {
    const CGraphGeometry& geometry = m_model->Geometry();
    const QSignalBlocker blocker(m_rowScroll);
    // The bar's own range runs to the last position at which a full page still fits.
    m_rowScroll->setRange(0, std::max(0, geometry.RowCount() - geometry.RowsPerPage()));
    m_rowScroll->setPageStep(std::max(1, geometry.RowsPerPage()));
    m_rowScroll->setSingleStep(1);
    m_rowScroll->setValue(geometry.RowScrollPosition());
}

void CNivaraView::OnRowScrollAction(int action) {
    ROW_SCROLL request = ROW_SCROLL::Other;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: request = ROW_SCROLL::LineUp; break;
        case QAbstractSlider::SliderSingleStepAdd: request = ROW_SCROLL::LineDown; break;
        case QAbstractSlider::SliderPageStepSub: request = ROW_SCROLL::PageUp; break;
        case QAbstractSlider::SliderPageStepAdd: request = ROW_SCROLL::PageDown; break;
        case QAbstractSlider::SliderMove: request = ROW_SCROLL::ThumbTrack; break;
        case QAbstractSlider::SliderToMinimum: request = ROW_SCROLL::Top; break;
        case QAbstractSlider::SliderToMaximum: request = ROW_SCROLL::Bottom; break;
        default: break;
    }
    const std::optional<int> first = m_model->Geometry().ScrollRows(request, m_rowScroll->sliderPosition());
    // The model decides the position; the bar shows it.
    m_rowScroll->setSliderPosition(m_model->Geometry().RowScrollPosition());
    if (first.has_value()) {
        ScrollSignalRowsTo(*first);
    }
}

// --------------------------------------------------------------------- caret

QRect CNivaraView::CaretRect() const {
    const CGraphGeometry& geometry = m_model->Geometry();
    const GRAPH_CELL cell = m_model->Current();
    const GRAPH_POINT point = geometry.CellToPoint(cell.clock, cell.row);
    const GRAPH_POINT snapped = geometry.SnapToCell(point.x, point.y);
    if (!geometry.GraphArea().Contains(snapped.x, snapped.y)) {
        return {};
    }
    const int width = InsertMode() ? 1 : static_cast<int>(std::ceil(geometry.PixelsPerClock()));
    return QRect(snapped.x, snapped.y, width, CGraphGeometry::RowHeight);
}

void CNivaraView::PlaceCaret() {
    // Placing the caret on another cell ends a typed value.
    const TYPING_STATE& typing = m_model->Typing();
    if (typing.active && !(GRAPH_CELL{typing.clock, typing.row} == m_model->Current())) {
        m_editor->ClearTyping();
    }
    m_caretOn = true;
    const QRect caret = CaretRect();
    if (caret != m_caretShown) {
        update(m_caretShown);
        update(caret);
        m_caretShown = caret;
    }
    const int clock = m_model->Current().clock;
    if (clock != m_lastCaretClock) {
        m_lastCaretClock = clock;
        emit CurrentClockChanged(clock);
    }
    NoteSelection();
}

void CNivaraView::NoteSelection() {
    const bool spans = m_model->Anchor().row != m_model->Current().row;
    if (spans != m_spansRows) {
        m_spansRows = spans;
        emit SelectionSpansRowsChanged(spans);
    }
}

void CNivaraView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_caretOn = true;
    m_caretTimer.start();
    update(m_caretShown);
}

void CNivaraView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_caretTimer.stop();
    update(m_caretShown);
}

// ------------------------------------------------------------------ painting

GRAPH_PAINT_STATE CNivaraView::PaintState() const {
    return {m_mouse->Hover(), m_bookmarksShown, m_mouse->PaintsSelection()};
}

void CNivaraView::Invalidate(unsigned parts) { update(m_renderer->Invalidate(parts, m_model->Geometry())); }

void CNivaraView::paintEvent(QPaintEvent* event) {
    if (m_renderer->Surface().isNull()) {
        LayoutClient();
    }
    if (m_suspended == 0) {
        m_renderer->Render(*m_model, PaintState());
    }
    const QRect area = event->rect();
    QPainter painter(this);
    painter.drawImage(area.topLeft(), m_renderer->Surface(), area);
    if (hasFocus() && m_caretOn && !m_caretShown.isEmpty() && area.intersects(m_caretShown)) {
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(m_caretShown, Qt::white);
    }
}

const QImage& CNivaraView::RenderSurface() {
    if (m_renderer->Surface().isNull()) {
        LayoutClient();
    }
    m_renderer->Invalidate(GRAPH_PART_ALL, m_model->Geometry());
    m_renderer->Render(*m_model, PaintState());
    return m_renderer->Surface();
}

// --------------------------------------------------------------------- mouse

void CNivaraView::StartRepeat() { m_holdTimer.start(); }
void CNivaraView::StopRepeat() { m_holdTimer.stop(); }

void CNivaraView::OnRepeat() {
    m_mouse->RepeatStep(CGraphInputMap::Keys(QGuiApplication::queryKeyboardModifiers()),
                        (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0);
}

void CNivaraView::SetPointerShape(POINTER_SHAPE shape) {
    setCursor(shape == POINTER_SHAPE::SizeWestEast ? Qt::SizeHorCursor : Qt::ArrowCursor);
}

void CNivaraView::ShowContextMenu(int x, int y) {
    const QPoint global = mapToGlobal(QPoint(x, y));
    emit ContextMenuRequested(global);
    CGraphContextMenu::Show(this, global, *m_editor, [this](int command) { emit CommandRequested(command); });
}

void CNivaraView::RequestCommand(int commandId) { emit CommandRequested(commandId); }

bool CNivaraView::event(QEvent* event) {
    bool handled = false;
    if (m_messages != nullptr) {
        (void)GuardedCall(*m_messages, [&] { handled = QWidget::event(event); });
        return handled;
    }
    try {
        handled = QWidget::event(event);
    } catch (const CImproperArgument&) {
        // A graph without a window to report to: the handler just ends.
    }
    return handled;
}

void CNivaraView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (m_model->Geometry().GraphArea().Contains(p.x(), p.y())) {
        m_editor->ClearTyping();
    }
    m_mouse->LeftDown(p.x(), p.y(), CGraphInputMap::Keys(event->modifiers()));
}

void CNivaraView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    m_mouse->Move(p.x(), p.y());
}

void CNivaraView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        m_mouse->RightUp(p.x(), p.y());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_mouse->LeftUp(p.x(), p.y());
}

void CNivaraView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_mouse->Leave();
}

void CNivaraView::wheelEvent(QWheelEvent* event) {
    m_mouse->Wheel(event->angleDelta().y());
    event->accept();
}

// ----------------------------------------------------------------------- keys

void CNivaraView::keyPressEvent(QKeyEvent* event) {
    if (!m_keys->KeyDown(CGraphInputMap::Key(*event))) {
        QWidget::keyPressEvent(event);
    }
}
