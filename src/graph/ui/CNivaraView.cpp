#include "graph/ui/CNivaraView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "document/CWindowRecords.h"
#include "graph/CGraphNavigator.h"
#include "graph/ui/CDrawBookmark.h"
#include "graph/ui/CDrawCursor.h"
#include "graph/ui/CDrawCursorInfo.h"
#include "graph/ui/CDrawRuler.h"
#include "graph/ui/CDrawScrollBar.h"
#include "graph/ui/CDrawWaveform.h"
#include "shell/ui/CNivaraDoc.h"

namespace {
const QColor CursorAColour(0, 221, 221);
const QColor CursorBColour(221, 0, 0);
constexpr int HoldInterval = 100;
constexpr int CaretBlink = 530;
}  // namespace

CNivaraView::CNivaraView(CNivaraDoc& document, CWindowRecords& records, QWidget* parent)
    : QWidget(parent), m_doc(document), m_records(records) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_scale = CGraphGeometry::ScaleFromDpi(logicalDpiX());
    m_model = std::make_unique<CGraphModel>(m_doc.Document(), m_records, m_scale);
    m_ruler = std::make_unique<CDrawRuler>(m_scale);
    m_scrollBar = std::make_unique<CDrawScrollBar>(m_scale);
    m_waveform = std::make_unique<CDrawWaveform>(m_scale);
    m_cursorA = std::make_unique<CDrawCursor>(m_scale, CursorAColour, Qt::SolidLine, QStringLiteral(" A"));
    m_cursorB = std::make_unique<CDrawCursor>(m_scale, CursorBColour, Qt::DotLine, QStringLiteral(" B"));
    m_currentBox = std::make_unique<CDrawCursorInfo>(m_scale);
    m_cursorABox = std::make_unique<CDrawCursorInfo>(m_scale);
    m_cursorBBox = std::make_unique<CDrawCursorInfo>(m_scale);

    m_rowScroll = new QScrollBar(Qt::Vertical, this);
    m_rowScroll->setFocusPolicy(Qt::NoFocus);
    connect(m_rowScroll, &QScrollBar::actionTriggered, this, &CNivaraView::OnRowScrollAction);

    m_holdTimer.setInterval(HoldInterval);
    connect(&m_holdTimer, &QTimer::timeout, this, &CNivaraView::HoldStep);
    m_caretTimer.setInterval(CaretBlink);
    connect(&m_caretTimer, &QTimer::timeout, this, [this] {
        m_caretOn = !m_caretOn;
        update(CaretRect().adjusted(-1, -1, 1, 1));
    });
    connect(&m_doc, &CNivaraDoc::ViewsNeedUpdate, this, &CNivaraView::OnDocumentUpdate);
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
    update();
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
    update();
}

int CNivaraView::GraphUnit() const { return m_model->GraphUnit(); }

// ------------------------------------------------------------------- cursors

void CNivaraView::ToggleCursorA() {
    m_model->ToggleCursor(0);
    update();
}

void CNivaraView::ToggleCursorB() {
    m_model->ToggleCursor(1);
    update();
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
    update();
    emit SignalRowsScrolled(m_model->Geometry().FirstVisibleRow());
}

int CNivaraView::FirstVisibleRow() const { return m_model->Geometry().FirstVisibleRow(); }

// ------------------------------------------------------------ jump commands

void CNivaraView::JumpToFirstClock() {
    CGraphNavigator(*m_model).ToStart(false);
    RefreshView();
}

void CNivaraView::JumpToLastClock() {
    CGraphNavigator(*m_model).ToEnd(false);
    RefreshView();
}

void CNivaraView::JumpPageForward() {
    CGraphNavigator(*m_model).PageTowardStart(false);
    RefreshView();
}

void CNivaraView::JumpPageBackward() {
    CGraphNavigator(*m_model).PageTowardEnd(false);
    RefreshView();
}

void CNivaraView::ExpandSelectionToStart() {
    CGraphNavigator(*m_model).ToStart(true);
    RefreshView();
}

void CNivaraView::ExpandSelectionToEnd() {
    CGraphNavigator(*m_model).ToEnd(true);
    RefreshView();
}

void CNivaraView::ExpandSelectionPageForward() {
    CGraphNavigator(*m_model).PageTowardStart(true);
    RefreshView();
}

void CNivaraView::ExpandSelectionPageBackward() {
    CGraphNavigator(*m_model).PageTowardEnd(true);
    RefreshView();
}

// --------------------------------------------------------------------- modes

void CNivaraView::SetMouseMode(int mode) {
    if (mode >= MOUSE_MODE_SELECT && mode <= MOUSE_MODE_SHIFT_BIT) {
        m_mouseMode = mode;
        update();
    }
}

void CNivaraView::SetInsertMode(bool insert) {
    m_insertMode = insert;
    RefreshView();
}

// ---------------------------------------------------------- bookmark markers

void CNivaraView::AddBookmarkMarker(int64_t position) {
    m_bookmarks.push_back(std::make_unique<CDrawBookmark>(m_scale, position));
    update();
}

void CNivaraView::HighlightBookmarkMarker(int64_t position) {
    for (const auto& marker : m_bookmarks) {
        marker->SetCurrent(marker->Position() == position);
    }
    update();
}

void CNivaraView::RemoveBookmarkMarker(int64_t position) {
    std::erase_if(m_bookmarks, [position](const auto& marker) { return marker->Position() == position; });
    update();
}

void CNivaraView::RemoveAllBookmarkMarkers() {
    m_bookmarks.clear();
    update();
}

void CNivaraView::SetBookmarkMarkersShown(bool shown) {
    m_bookmarksShown = shown;
    update();
}

// ---------------------------------------------------------------------- runs

void CNivaraView::SuspendDrawing() { ++m_suspended; }

void CNivaraView::ResumeDrawing() {
    if (m_suspended > 0) {
        --m_suspended;
    }
    if (m_suspended == 0) {
        update();
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
    if (m_surface.size() != QSize(cx, cy)) {
        m_surface = QImage(cx, cy, QImage::Format_RGB32);
        m_surface.fill(Qt::black);
    }
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
        case QAbstractSlider::SliderSingleStepSub:
            request = ROW_SCROLL::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            request = ROW_SCROLL::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            request = ROW_SCROLL::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            request = ROW_SCROLL::PageDown;
            break;
        case QAbstractSlider::SliderMove:
            request = ROW_SCROLL::ThumbTrack;
            break;
        case QAbstractSlider::SliderToMinimum:
            request = ROW_SCROLL::Top;
            break;
        case QAbstractSlider::SliderToMaximum:
            request = ROW_SCROLL::Bottom;
            break;
        default:
            break;
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
    const int width = m_insertMode ? 1 : static_cast<int>(std::ceil(geometry.PixelsPerClock()));
    return QRect(snapped.x, snapped.y, width, CGraphGeometry::RowHeight);
}

void CNivaraView::PlaceCaret() {
    // Placing the caret ends a typed value.
    m_model->Typing().active = false;
    m_caretOn = true;
    const int clock = m_model->Current().clock;
    if (clock != m_lastCaretClock) {
        m_lastCaretClock = clock;
        emit CurrentClockChanged(clock);
    }
}

void CNivaraView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_caretOn = true;
    m_caretTimer.start();
    update();
}

void CNivaraView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_caretTimer.stop();
    update();
}

// ------------------------------------------------------------------ painting

void CNivaraView::paintEvent(QPaintEvent* /*event*/) {
    if (m_surface.isNull()) {
        LayoutClient();
    }
    if (m_suspended == 0) {
        RenderSurface();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
    if (hasFocus() && m_caretOn) {
        const QRect caret = CaretRect();
        if (!caret.isEmpty()) {
            painter.setCompositionMode(QPainter::CompositionMode_Difference);
            painter.fillRect(caret, Qt::white);
        }
    }
}

const QImage& CNivaraView::RenderSurface() {
    if (m_surface.isNull()) {
        LayoutClient();
    }
    const CGraphGeometry& geometry = m_model->Geometry();
    QPainter painter(&m_surface);
    painter.fillRect(m_surface.rect(), Qt::black);

    m_ruler->SetRect(geometry.Ruler());
    m_ruler->SetRange(static_cast<double>(m_model->AbsoluteFirstVisible()), 1.0 / geometry.Zoom());
    m_ruler->SetUnit(m_model->GraphUnit(), m_model->ClockValue(), m_model->UnitPrefix());
    m_ruler->Draw(painter);

    m_scrollBar->SetGeometry(geometry.ScrollBar());
    m_scrollBar->SetBlockButtonsShown(m_model->BlockButtonsShown());
    m_scrollBar->Draw(painter);

    m_waveform->SetRect(geometry.GraphArea());
    const int first = geometry.FirstVisibleClock();
    m_waveform->SetClocks(first, first + geometry.ClocksPerPage() + 1,
                          static_cast<float>(geometry.PixelsPerClock()), geometry.BusHalfWidth());
    m_waveform->SetRows(geometry.FirstVisibleRow(), geometry.FirstVisibleRow() + geometry.RowsPerPage());
    const CLogicMemory* memory = m_model->Memory();
    m_waveform->SetData(memory != nullptr ? memory->Data() : nullptr, m_model->ValidLength(), m_model->Table(),
                        &m_model->ShownRows());
    m_waveform->SetTyping(m_model->Typing());
    m_waveform->Draw(painter);

    PaintInfoBox(painter, INFO_BOX::Current);
    PaintCursors(painter);
    if (m_bookmarksShown) {
        const int64_t minimum = m_model->AbsoluteFirstVisible();
        for (const auto& marker : m_bookmarks) {
            marker->SetBand(geometry.MarkerBand(), minimum, minimum + geometry.ClocksPerPage() - 1);
            marker->Draw(painter);
        }
    }
    const bool spans = m_model->Anchor().row != m_model->Current().row;
    if (spans != m_spansRows) {
        m_spansRows = spans;
        emit SelectionSpansRowsChanged(spans);
    }
    PaintHighlights(painter);
    return m_surface;
}

void CNivaraView::PaintInfoBox(QPainter& painter, INFO_BOX box) {
    CDrawCursorInfo* info = box == INFO_BOX::Current   ? m_currentBox.get()
                            : box == INFO_BOX::CursorA ? m_cursorABox.get()
                                                       : m_cursorBBox.get();
    info->SetRect(m_model->Geometry().InfoBox(static_cast<int>(box)));
    const std::array<std::string, 4> lines = m_model->BoxLines(box);
    for (int i = 0; i < 4; ++i) {
        info->SetLine(i, QString::fromStdString(lines[static_cast<std::size_t>(i)]));
    }
    info->Draw(painter);
}

void CNivaraView::PaintCursors(QPainter& painter) {
    const CGraphGeometry& geometry = m_model->Geometry();
    const int64_t minimum = m_model->AbsoluteFirstVisible();
    const int64_t maximum = minimum + geometry.ClocksPerPage() - 1;
    if (m_model->Cursor(1).shown) {
        m_cursorB->SetBand(geometry.MarkerBand(), minimum, maximum);
        m_cursorB->SetPosition(m_model->Cursor(1).position);
        m_cursorB->Draw(painter);
        PaintInfoBox(painter, INFO_BOX::CursorB);
    }
    if (m_model->Cursor(0).shown) {
        m_cursorA->SetBand(geometry.MarkerBand(), minimum, maximum);
        m_cursorA->SetPosition(m_model->Cursor(0).position);
        m_cursorA->Draw(painter);
        PaintInfoBox(painter, INFO_BOX::CursorA);
    }
}

void CNivaraView::PaintHighlights(QPainter& painter) {
    if (m_mouseMode == MOUSE_MODE_SHIFT_BIT) {
        return;
    }
    const GRAPH_RECT& area = m_model->Geometry().GraphArea();
    painter.save();
    painter.setClipRect(QRect(area.left, area.top, area.Width(), area.Height()));
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    for (const COMPARE_POSITION& mark : m_records.ComparePositions) {
        if (mark.FirstClock != mark.LastClock || mark.FirstRow != mark.LastRow) {
            InvertCells(painter, static_cast<int>(mark.FirstClock), static_cast<int>(mark.LastClock),
                        static_cast<int>(mark.FirstRow), static_cast<int>(mark.LastRow));
        }
    }
    if (!m_model->SelectionIsSingleCell()) {
        const GRAPH_CELL a = m_model->Anchor();
        const GRAPH_CELL c = m_model->Current();
        InvertCells(painter, a.clock, c.clock, a.row, c.row);
    }
    painter.restore();
}

void CNivaraView::InvertCells(QPainter& painter, int clockA, int clockB, int rowA, int rowB) {
    const CGraphGeometry& geometry = m_model->Geometry();
    const GRAPH_RECT& area = geometry.GraphArea();
    const double p = geometry.PixelsPerClock();
    const int first = geometry.FirstVisibleClock();
    const int firstRow = geometry.FirstVisibleRow();
    const int left = area.left + static_cast<int>((std::min(clockA, clockB) - first) * p);
    const int right = area.left + static_cast<int>((std::max(clockA, clockB) - first) * p) +
                      static_cast<int>(std::ceil(p));
    const int top = area.top + CGraphGeometry::RowHeight * (std::min(rowA, rowB) - firstRow);
    const int bottom = area.top + CGraphGeometry::RowHeight * (std::max(rowA, rowB) - firstRow) +
                       CGraphGeometry::RowHeight;
    painter.fillRect(QRect(left, top, right - left, bottom - top), Qt::white);
}

// --------------------------------------------------------------------- mouse

void CNivaraView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    const CGraphGeometry& geometry = m_model->Geometry();
    m_drag = DRAG::None;
    if (geometry.GraphArea().Contains(p.x(), p.y())) {
        PressGraph(p.x(), p.y());
    } else if (geometry.Ruler().Contains(p.x(), p.y())) {
        PressRuler(p.x(), p.y());
    } else if (geometry.ScrollStrip().Contains(p.x(), p.y())) {
        PressScrollBar(p.x(), p.y());
    } else if (geometry.ResultStrip().Contains(p.x(), p.y())) {
        m_drag = DRAG::Result;
    }
}

void CNivaraView::PressGraph(int x, int y) {
    m_records.ComparePositions.RemoveAll();
    const GRAPH_CELL cell = m_model->Geometry().HitTestCell(x, y);
    m_model->SetCurrent(cell);
    m_model->SetAnchor(cell);
    PlaceCaret();
    m_drag = DRAG::Selecting;
    m_buttonDown = true;
    update();
}

void CNivaraView::PressRuler(int x, int y) {
    const int64_t offset = m_model->AbsoluteOffset();
    const int clock = m_model->Geometry().HitTestCell(x, y).clock;
    const int64_t minimum = m_model->AbsoluteFirstVisible();
    const int64_t maximum = minimum + m_model->Geometry().ClocksPerPage() - 1;
    const GRAPH_RECT band = m_model->Geometry().MarkerBand();
    for (int which = 0; which < 2; ++which) {
        CDrawCursor& cursor = which == 0 ? *m_cursorA : *m_cursorB;
        if (!m_model->Cursor(which).shown) {
            continue;
        }
        cursor.SetBand(band, minimum, maximum);
        cursor.SetPosition(m_model->Cursor(which).position);
        if (cursor.HandleBox().Contains(x, y)) {
            m_model->SetCursorPosition(which, offset + clock);
            m_drag = which == 0 ? DRAG::CursorA : DRAG::CursorB;
            update();
            return;
        }
    }
}

void CNivaraView::PressScrollBar(int x, int y) {
    const CScrollBarGeometry& bar = m_model->Geometry().ScrollBar();
    m_scrollBar->SetHover(SCROLL_ELEMENT::None);
    const SCROLL_ELEMENT element = bar.HitTest(x, y, m_model->BlockButtonsShown());
    const int shown = m_model->ShownBlock();
    const int count = static_cast<int>(m_model->BlockCount());
    switch (element) {
        case SCROLL_ELEMENT::Thumb:
            m_grabOffset = x - bar.Thumb().left;
            m_drag = DRAG::Thumb;
            break;
        case SCROLL_ELEMENT::ScrollLeft:
        case SCROLL_ELEMENT::ScrollRight:
            m_held = element;
            HoldStep();
            m_holdTimer.start();
            break;
        case SCROLL_ELEMENT::FirstBlock:
            if (shown > 0) {
                (void)LoadSavedBlock(0);
            }
            break;
        case SCROLL_ELEMENT::PreviousBlock:
            if (shown > 0) {
                (void)LoadSavedBlock(static_cast<std::size_t>(shown - 1));
            }
            break;
        case SCROLL_ELEMENT::NextBlock:
            if (shown < count - 1) {
                (void)LoadSavedBlock(static_cast<std::size_t>(shown + 1));
            }
            break;
        case SCROLL_ELEMENT::LastBlock:
            if (shown < count - 1) {
                (void)LoadSavedBlock(static_cast<std::size_t>(count - 1));
            }
            break;
        default:
            break;
    }
    update();
}

int CNivaraView::StepFromModifiers() const {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    if (modifiers & Qt::ShiftModifier) {
        return 10;
    }
    if (modifiers & Qt::ControlModifier) {
        return 5;
    }
    return 1;
}

void CNivaraView::HoldStep() {
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton) && m_holdTimer.isActive()) {
        m_holdTimer.stop();
        m_held = SCROLL_ELEMENT::None;
        return;
    }
    const int step = StepFromModifiers();
    CGraphGeometry& geometry = m_model->Geometry();
    const bool moved = m_held == SCROLL_ELEMENT::ScrollLeft ? geometry.StepLeft(step) : geometry.StepRight(step);
    if (moved) {
        update();
    }
}

void CNivaraView::UpdateHover(int x, int y) {
    SCROLL_ELEMENT hover = SCROLL_ELEMENT::None;
    if (m_drag != DRAG::Thumb && m_model->Geometry().ScrollStrip().Contains(x, y)) {
        hover = m_model->Geometry().ScrollBar().HitTest(x, y, m_model->BlockButtonsShown());
        if (hover == SCROLL_ELEMENT::Track) {
            hover = SCROLL_ELEMENT::None;
        }
    }
    if (hover != m_scrollBar->Hover()) {
        m_scrollBar->SetHover(hover);
        update(CDrawRect::ToQRect(m_model->Geometry().ScrollStrip()));
    }
}

void CNivaraView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    CGraphGeometry& geometry = m_model->Geometry();
    UpdateHover(p.x(), p.y());
    bool overHandle = false;
    if (geometry.Ruler().Contains(p.x(), p.y())) {
        overHandle = (m_model->Cursor(0).shown && m_cursorA->HandleBox().Contains(p.x(), p.y())) ||
                     (m_model->Cursor(1).shown && m_cursorB->HandleBox().Contains(p.x(), p.y()));
    }
    setCursor(overHandle || m_drag == DRAG::CursorA || m_drag == DRAG::CursorB ? Qt::SizeHorCursor
                                                                                : Qt::ArrowCursor);
    switch (m_drag) {
        case DRAG::Selecting:
            m_model->SetCurrent(geometry.HitTestCell(p.x(), p.y()));
            PlaceCaret();
            update();
            break;
        case DRAG::CursorA:
        case DRAG::CursorB:
            m_model->SetCursorPosition(m_drag == DRAG::CursorA ? 0 : 1,
                                       m_model->AbsoluteOffset() + geometry.ClockAt(p.x()));
            update();
            break;
        case DRAG::Thumb:
            geometry.SetFirstVisibleClock(geometry.ThumbDragClock(p.x(), m_grabOffset));
            PlaceCaret();
            update();
            break;
        default:
            break;
    }
}

void CNivaraView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QPoint p = event->position().toPoint();
        if (m_model->Geometry().GraphArea().Contains(p.x(), p.y())) {
            emit ContextMenuRequested(mapToGlobal(p));
        }
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_drag = DRAG::None;
    m_buttonDown = false;
    m_holdTimer.stop();
    m_held = SCROLL_ELEMENT::None;
    update();
}

void CNivaraView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (m_scrollBar->Hover() != SCROLL_ELEMENT::None) {
        m_scrollBar->SetHover(SCROLL_ELEMENT::None);
        update();
    }
}

void CNivaraView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    const ROW_SCROLL request = delta > 0 ? ROW_SCROLL::LineUp : ROW_SCROLL::LineDown;
    const std::optional<int> first = m_model->Geometry().ScrollRows(request, 0);
    if (first.has_value()) {
        ScrollSignalRowsTo(*first);
    }
    event->accept();
}

// ----------------------------------------------------------------------- keys

bool CNivaraView::MoveByKey(int key, bool shift) {
    CGraphNavigator navigator(*m_model);
    bool rowsScrolled = false;
    switch (key) {
        case Qt::Key_PageUp:
            navigator.PageTowardStart(shift);
            break;
        case Qt::Key_PageDown:
            navigator.PageTowardEnd(shift);
            break;
        case Qt::Key_End:
            navigator.ToEnd(shift);
            break;
        case Qt::Key_Home:
            navigator.ToStart(shift);
            break;
        case Qt::Key_Left:
            navigator.Left();
            break;
        case Qt::Key_Right:
            navigator.Right();
            break;
        case Qt::Key_Up:
            rowsScrolled = navigator.Up();
            break;
        case Qt::Key_Down:
            rowsScrolled = navigator.Down();
            break;
        default:
            return false;
    }
    if (!shift) {
        navigator.Collapse();
    }
    if (rowsScrolled) {
        ScrollSignalRowsTo(m_model->Geometry().FirstVisibleRow());
    }
    RefreshView();
    return true;
}

void CNivaraView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers & Qt::AltModifier) {
        switch (event->key()) {
            case Qt::Key_Home:
                DefaultScale();
                return;
            case Qt::Key_Left:
                ZoomOut();
                return;
            case Qt::Key_Right:
                ZoomIn();
                return;
            default:
                QWidget::keyPressEvent(event);
                return;
        }
    }
    if (modifiers & Qt::ControlModifier) {
        if (event->key() == Qt::Key_J) {
            emit CommandRequested(32842);
            return;
        }
        if (event->key() == Qt::Key_W) {
            emit CommandRequested(32833);
            return;
        }
    }
    if (event->key() == Qt::Key_Insert) {
        SetInsertMode(!m_insertMode);
        return;
    }
    if (!MoveByKey(event->key(), (modifiers & Qt::ShiftModifier) != 0)) {
        QWidget::keyPressEvent(event);
    }
}
