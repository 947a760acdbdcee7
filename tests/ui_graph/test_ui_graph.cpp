#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

#include "document/CWindowRecords.h"
#include "graph/ui/CDrawRect.h"
#include "graph/ui/CNivaraView.h"
#include "shell/ui/CNivaraDoc.h"
#include "support/CScriptedMessages.h"

namespace {

// The colours come from the painter's own table.
const QColor SignalGreen = ToQColor(graph_colour::SignalLevel);
const QColor BusOrange = ToQColor(graph_colour::BusBand);
const QColor CursorA = ToQColor(graph_colour::CursorA);
const QColor Black = ToQColor(graph_colour::Background);
const QColor Separator = ToQColor(graph_colour::RowSeparator);
const QColor InvertedBlack = ToQColor(graph_colour::Background.Inverted());
const QColor InvertedGreen = ToQColor(graph_colour::SignalLevel.Inverted());
const QColor CurrentBookmark = ToQColor(graph_colour::CurrentBookmark);
const QColor OtherBookmark = ToQColor(graph_colour::OtherBookmark);
const QColor InfoText = ToQColor(graph_colour::InfoText);

// The high and low level y of a shown row on the page.
int HighY(const CGraphGeometry& g, int row) {
    return g.GraphArea().top + (row - g.FirstVisibleRow() + 1) * CGraphGeometry::RowHeight - 4 - 22;
}
int LowY(const CGraphGeometry& g, int row) {
    return g.GraphArea().top + (row - g.FirstVisibleRow() + 1) * CGraphGeometry::RowHeight - 4;
}
// The middle x of a clock's cell.
int MidX(const CGraphGeometry& g, int clock) {
    return g.CellToPoint(clock, 0).x + static_cast<int>(g.PixelsPerClock() / 2);
}

// A graph whose mouse and key handlers meet an index outside the channel
// table, as an edit with a stale row would.
class CStaleRowView : public CNivaraView {
public:
    CStaleRowView(CLogicDocument& document, CWindowRecords& records) : CNivaraView(document, records), m_table(records) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        m_table.GeneratingTable.At(m_table.GeneratingTable.Size()).IsShown = 0;
        CNivaraView::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_table.GeneratingTable.At(m_table.GeneratingTable.Size() + 1).IsShown = 0;
        CNivaraView::mousePressEvent(event);
    }

private:
    CWindowRecords& m_table;
};

}  // namespace

class TestGraphView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void paintsSignalLevels();
    void paintsBusBandsAndSkipsDisabledRows();
    void paintsCursorALineAndBoxes();
    void invertsTheSelection();
    void zoomCommandsClamp();
    void wheelAndRowScrollBarScrollRows();
    void clockScrollBarButtonsAndThumb();
    void dragsCursorAndSelection();
    void suspendedDrawingKeepsTheSurface();
    void comparesAndBookmarksFromTheFrameLists();
    void heldScrollButtonKeepsScrolling();
    void keysMoveTheCaretAndScroll();
    void tinyAndEmptyViewsPaint();
    void repaintsOnlyWhatChanged();
    void busValuesWiderThanACellShowOncePerRun();
    void aBadIndexInAMouseOrKeyHandlerShowsMessage61477();

private:
    [[nodiscard]] QColor Pixel(int x, int y) { return m_view->RenderSurface().pixelColor(x, y); }
    [[nodiscard]] const CGraphGeometry& Geometry() const { return m_view->Model().Geometry(); }

    std::unique_ptr<CNivaraDoc> m_doc;
    std::unique_ptr<CWindowRecords> m_records;
    std::unique_ptr<CNivaraView> m_view;
};

void TestGraphView::init() {
    m_doc = std::make_unique<CNivaraDoc>();
    m_records = std::make_unique<CWindowRecords>("Signal");
    // Channel 0 high for clocks 0..4, low from 5; channel 2 and 3 form a bus.
    CLogicMemory& memory = m_doc->Document().GeneratingMemory();
    for (uint32_t i = 0; i < memory.Length(); ++i) {
        memory.SetWord(i, (i < 5 ? 1u : 0u) | ((i % 4) << 2));
    }
    LOGIC_DATA bus;
    bus.DeviceChannel = 0;
    bus.ChannelName = "Bus signal0";
    bus.IsEnable = 1;
    bus.IsBus = 1;
    bus.BusChannel = 0b1100;
    bus.IsShown = 1;
    m_records->GeneratingTable.InsertAt(1, bus);  // shown row 1
    m_view = std::make_unique<CNivaraView>(m_doc->Document(), *m_records);
    QObject::connect(m_doc.get(), &CNivaraDoc::ViewsNeedUpdate, m_view.get(), &CNivaraView::OnDocumentUpdate);
    m_view->resize(1000, 700);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_view->OnDocumentUpdate();
}

void TestGraphView::cleanup() {
    m_view.reset();
    m_records.reset();
    m_doc.reset();
}

void TestGraphView::paintsSignalLevels() {
    const CGraphGeometry& g = Geometry();
    QCOMPARE(g.GraphArea().top, 26);
    QCOMPARE(Pixel(MidX(g, 2), HighY(g, 0)), SignalGreen);
    QCOMPARE(Pixel(MidX(g, 2), LowY(g, 0)), Black);
    QCOMPARE(Pixel(MidX(g, 7), LowY(g, 0)), SignalGreen);
    QCOMPARE(Pixel(MidX(g, 7), HighY(g, 0)), Black);
    // the falling edge joins both levels at the right edge of clock 4
    QCOMPARE(Pixel(g.CellToPoint(5, 0).x, (HighY(g, 0) + LowY(g, 0)) / 2), SignalGreen);
    // a row separator between the rows
    QCOMPARE(Pixel(MidX(g, 3), g.GraphArea().top + 30), Separator);
    // zoomed out to eight clocks a pixel the pulse is still there
    m_view->SetZoom(0.0125);
    QCOMPARE(Pixel(g.GraphArea().left, HighY(g, 0)), SignalGreen);
    QCOMPARE(Pixel(g.GraphArea().left + 5, LowY(g, 0)), SignalGreen);
}

void TestGraphView::paintsBusBandsAndSkipsDisabledRows() {
    const CGraphGeometry& g = Geometry();
    // top edge of the band, away from the transition marks and the value text
    QCOMPARE(Pixel(MidX(g, 3), HighY(g, 1) + 1), BusOrange);
    // the transition mark is cut black at the clock's left edge
    QCOMPARE(Pixel(g.CellToPoint(3, 1).x, HighY(g, 1) + 1), Black);
    // the value text is white inside the band
    bool white = false;
    const int left = g.CellToPoint(3, 1).x;
    const QImage& surface = m_view->RenderSurface();
    for (int x = left; x < left + 10 && !white; ++x) {
        for (int y = HighY(g, 1); y <= LowY(g, 1) && !white; ++y) {
            white = surface.pixelColor(x, y).lightness() > 200;
        }
    }
    QVERIFY(white);
    // a disabled signal row stays empty
    m_records->GeneratingTable[0].IsEnable = 0;
    m_view->OnDocumentUpdate();
    QCOMPARE(Pixel(MidX(g, 2), HighY(g, 0)), Black);
    QCOMPARE(Pixel(MidX(g, 7), LowY(g, 0)), Black);
    // no transition marks below one pixel per clock
    m_view->SetZoom(0.05);
    QCOMPARE(Pixel(g.GraphArea().left + 10, HighY(g, 1) + 1), BusOrange);
}

void TestGraphView::paintsCursorALineAndBoxes() {
    const CGraphGeometry& g = Geometry();
    m_view->SetSelection(3, 0, 3, 0);
    m_view->ToggleCursorA();
    QVERIFY(m_view->IsCursorShown(0));
    const int x = static_cast<int>(3 * g.PixelsPerClock());
    // on the black middle of row 2 the line shows the cursor colour
    QCOMPARE(Pixel(x, HighY(g, 2) + 8), CursorA);
    // the handle in the ruler, beside its label
    QCOMPARE(Pixel(x - 5, 1), CursorA);
    // the Cursor A box carries white text
    const GRAPH_RECT box = g.InfoBox(1);
    const QImage& surface = m_view->RenderSurface();
    int whitePixels = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int px = box.left; px < box.right; ++px) {
            whitePixels += surface.pixelColor(px, y) == InfoText ? 1 : 0;
        }
    }
    QVERIFY(whitePixels > 50);
    m_view->ToggleCursorA();
    QCOMPARE(Pixel(x, HighY(g, 2) + 8), Black);
}

void TestGraphView::invertsTheSelection() {
    const CGraphGeometry& g = Geometry();
    m_view->SetSelection(2, 0, 8, 2);
    // black inside the selection becomes white, green becomes its inverse
    QCOMPARE(Pixel(MidX(g, 4), HighY(g, 2) + 8), InvertedBlack);
    QVERIFY(m_view->SelectionSpansRows());
    QCOMPARE(Pixel(MidX(g, 2), HighY(g, 0)), InvertedGreen);
    // outside it nothing changes
    QCOMPARE(Pixel(MidX(g, 9), HighY(g, 2) + 8), Black);
    // a single cell paints no inversion
    m_view->SetSelection(4, 2, 4, 2);
    QCOMPARE(Pixel(MidX(g, 4), HighY(g, 2) + 8), Black);
    // neither do shift-bit mode selections
    m_view->SetSelection(2, 0, 8, 2);
    m_view->SetMouseMode(MOUSE_MODE_SHIFT_BIT);
    QCOMPARE(Pixel(MidX(g, 4), HighY(g, 2) + 8), Black);
}

void TestGraphView::zoomCommandsClamp() {
    m_view->SetZoom(100);
    m_view->ZoomIn();
    QCOMPARE(m_view->Zoom(), 128.0);
    m_view->SetZoom(0.02);
    m_view->ZoomOut();
    QCOMPARE(m_view->Zoom(), 0.0125);
    m_view->DefaultScale();
    QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(m_view->Zoom(), 2.0);
    QTest::keyClick(m_view.get(), Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(m_view.get(), Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(m_view->Zoom(), 0.5);
    QTest::keyClick(m_view.get(), Qt::Key_Home, Qt::AltModifier);
    QCOMPARE(m_view->Zoom(), 1.0);
    m_view->SetGraphUnit(1);
    QCOMPARE(m_view->GraphUnit(), 1);
    m_view->SetGraphUnit(7);
    QCOMPARE(m_view->GraphUnit(), 1);
}

void TestGraphView::wheelAndRowScrollBarScrollRows() {
    QSignalSpy spy(m_view.get(), &CNivaraView::SignalRowsScrolled);
    const QPointF centre(200, 100);
    QWheelEvent down(centre, m_view->mapToGlobal(centre), QPoint(), QPoint(0, -360), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view.get(), &down);
    QCOMPARE(m_view->FirstVisibleRow(), 1);  // one line whatever the delta
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 1);
    QWheelEvent up(centre, m_view->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view.get(), &up);
    QCOMPARE(m_view->FirstVisibleRow(), 0);
    QApplication::sendEvent(m_view.get(), &up);
    QCOMPARE(m_view->FirstVisibleRow(), 0);

    auto* bar = m_view->findChild<QScrollBar*>();
    QVERIFY(bar != nullptr);
    // 33 rows, a page of 17: one page down reaches the last full page
    const int page = Geometry().RowsPerPage();
    QCOMPARE(page, 17);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(m_view->FirstVisibleRow(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(m_view->FirstVisibleRow(), 16);
    QCOMPARE(bar->value(), 16);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(m_view->FirstVisibleRow(), 0);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(m_view->FirstVisibleRow(), Geometry().RowCount() - page);
    // the rows scrolled up: the first shown row is now the one at the top
    const CGraphGeometry& g = Geometry();
    m_view->ScrollSignalRowsTo(0);
    QCOMPARE(Pixel(MidX(g, 2), HighY(g, 0)), SignalGreen);
}

void TestGraphView::clockScrollBarButtonsAndThumb() {
    const CScrollBarGeometry& bar = Geometry().ScrollBar();
    const QPoint right((bar.ScrollRight().left + bar.ScrollRight().right) / 2, bar.ScrollRight().top + 7);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, right);
    QCOMPARE(Geometry().FirstVisibleClock(), 1);
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, right);
    const QPoint left((bar.ScrollLeft().left + bar.ScrollLeft().right) / 2, bar.ScrollLeft().top + 7);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, left);
    QCOMPARE(Geometry().FirstVisibleClock(), 0);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, left);
    QCOMPARE(Geometry().FirstVisibleClock(), 0);

    // hovering the thumb highlights it
    const QPoint thumb(bar.Thumb().left + 2, bar.Thumb().top + 2);
    const QColor plain = Pixel(thumb.x(), thumb.y());
    QTest::mouseMove(m_view.get(), thumb);
    QVERIFY(Pixel(thumb.x(), thumb.y()) != plain);

    // dragging the thumb to the middle of the track shows the middle of the memory
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, thumb);
    const QPoint middle(bar.Track().left + bar.Track().Width() / 2 + 2, thumb.y());
    QTest::mouseMove(m_view.get(), middle);
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, middle);
    QCOMPARE(Geometry().FirstVisibleClock(), Geometry().ThumbDragClock(middle.x(), 2));
    QVERIFY(Geometry().FirstVisibleClock() > 400);
}

void TestGraphView::dragsCursorAndSelection() {
    const CGraphGeometry& g = Geometry();
    m_view->SetSelection(3, 0, 3, 0);
    m_view->ToggleCursorA();
    m_view->RenderSurface();
    const QPoint handle(static_cast<int>(3 * g.PixelsPerClock()), 5);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, handle);
    QTest::mouseMove(m_view.get(), QPoint(MidX(g, 12), 5));
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(MidX(g, 12), 5));
    QCOMPARE(m_view->Model().Cursor(0).position, 12);

    QSignalSpy spans(m_view.get(), &CNivaraView::SelectionSpansRowsChanged);
    const GRAPH_POINT from = g.CellToPoint(10, 2);
    const GRAPH_POINT to = g.CellToPoint(4, 5);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(from.x + 3, from.y + 3));
    QTest::mouseMove(m_view.get(), QPoint(to.x + 3, to.y + 3));
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(to.x + 3, to.y + 3));
    QCOMPARE(m_view->Model().Anchor(), (GRAPH_CELL{10, 2}));
    QCOMPARE(m_view->Model().Current(), (GRAPH_CELL{4, 5}));
    m_view->RenderSurface();
    QCOMPARE(spans.count(), 1);
}

void TestGraphView::suspendedDrawingKeepsTheSurface() {
    const CGraphGeometry& g = Geometry();
    m_view->RenderSurface();
    m_view->SuspendDrawing();
    m_doc->Document().GeneratingMemory().SetWord(2, 0);
    m_view->repaint();
    QCOMPARE(m_view->Surface().pixelColor(MidX(g, 2), HighY(g, 0)), SignalGreen);
    m_view->ResumeDrawing();
    m_view->repaint();
    QCOMPARE(m_view->Surface().pixelColor(MidX(g, 2), HighY(g, 0)), Black);
    QCOMPARE(m_view->ClocksPerPage(), static_cast<uint32_t>(g.ClocksPerPage()));
    QCOMPARE(m_view->LastClock(), 999u);
}

void TestGraphView::comparesAndBookmarksFromTheFrameLists() {
    const CGraphGeometry& g = Geometry();
    m_records->ComparePositions.Append({2, 3, 6, 6});   // one clock over two rows: highlighted
    m_records->ComparePositions.Append({4, 4, 9, 9});   // a single cell: not highlighted
    QCOMPARE(Pixel(MidX(g, 6), HighY(g, 2) + 8), InvertedBlack);
    QCOMPARE(Pixel(MidX(g, 9), HighY(g, 4) + 8), Black);
    // a press in the graph area clears the compare highlights
    const GRAPH_POINT cell = g.CellToPoint(1, 1);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(cell.x + 2, cell.y + 2));
    QVERIFY(m_records->ComparePositions.Empty());
    QCOMPARE(Pixel(MidX(g, 6), HighY(g, 2) + 8), Black);

    m_view->AddBookmarkMarker(5);
    m_view->AddBookmarkMarker(20);
    m_view->SetBookmarkMarkersShown(true);
    const int x5 = static_cast<int>(5 * g.PixelsPerClock());
    const int x20 = static_cast<int>(20 * g.PixelsPerClock());
    QCOMPARE(Pixel(x5, 2), CurrentBookmark);
    m_view->HighlightBookmarkMarker(20);
    QCOMPARE(Pixel(x5, 2), OtherBookmark);
    QCOMPARE(Pixel(x20, 2), CurrentBookmark);
    m_view->RemoveBookmarkMarker(20);
    QCOMPARE(m_view->BookmarkMarkerCount(), std::size_t{1});
    m_view->SetBookmarkMarkersShown(false);
    QVERIFY(Pixel(x5, 2) != OtherBookmark);
}

void TestGraphView::heldScrollButtonKeepsScrolling() {
    const CScrollBarGeometry& bar = Geometry().ScrollBar();
    const QPoint right((bar.ScrollRight().left + bar.ScrollRight().right) / 2, bar.ScrollRight().top + 7);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, right);
    QTRY_VERIFY_WITH_TIMEOUT(Geometry().FirstVisibleClock() >= 3, 2000);
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, right);
    const int stopped = Geometry().FirstVisibleClock();
    QTest::qWait(250);
    QCOMPARE(Geometry().FirstVisibleClock(), stopped);
}

void TestGraphView::keysMoveTheCaretAndScroll() {
    m_view->setFocus();
    QSignalSpy rows(m_view.get(), &CNivaraView::SignalRowsScrolled);
    QSignalSpy clocks(m_view.get(), &CNivaraView::CurrentClockChanged);
    QSignalSpy commands(m_view.get(), &CNivaraView::CommandRequested);
    QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(m_view->Model().Current().clock, 2);
    QCOMPARE(m_view->Model().Anchor().clock, 0);
    QCOMPARE(clocks.count(), 2);
    QTest::keyClick(m_view.get(), Qt::Key_End);
    QCOMPARE(m_view->Model().Current().clock, 999);
    QCOMPARE(Geometry().FirstVisibleClock(), 999 + 1 - Geometry().ClocksPerPage());
    QTest::keyClick(m_view.get(), Qt::Key_Home);
    QCOMPARE(Geometry().FirstVisibleClock(), 0);
    // Down past the last visible row scrolls graph and signal panes by one row.
    for (int i = 0; i < Geometry().RowsPerPage(); ++i) {
        QTest::keyClick(m_view.get(), Qt::Key_Down);
    }
    QCOMPARE(m_view->FirstVisibleRow(), 1);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.last().at(0).toInt(), 1);
    QSignalSpy menus(m_view.get(), &CNivaraView::ContextMenuRequested);
    QTest::mouseClick(m_view.get(), Qt::RightButton, Qt::NoModifier, QPoint(50, 100));
    QTest::mouseClick(m_view.get(), Qt::RightButton, Qt::NoModifier, QPoint(50, 5));  // the ruler: no menu
    QCOMPARE(menus.count(), 1);
    QTest::keyClick(m_view.get(), Qt::Key_J, Qt::ControlModifier);
    QCOMPARE(commands.count(), 1);
    QCOMPARE(commands.takeFirst().at(0).toInt(), 32842);
    // The caret is drawn inverted over the current cell while the view has the focus.
    QTest::keyClick(m_view.get(), Qt::Key_Insert);
    QVERIFY(m_view->InsertMode());
    QCOMPARE(m_view->CaretRect().width(), 1);
    QTest::keyClick(m_view.get(), Qt::Key_Insert);
    QCOMPARE(m_view->CaretRect().width(), 10);
}

void TestGraphView::tinyAndEmptyViewsPaint() {
    // A window smaller than its strips and a sampling memory with nothing valid.
    m_view->resize(40, 50);
    QApplication::processEvents();
    QCOMPARE(m_view->RenderSurface().size(), m_view->Surface().size());
    QCOMPARE(Geometry().RowsPerPage(), 0);
    m_doc->Document().Condition().Direction = DIRECTION_SAMPLING;
    m_view->resize(1000, 700);
    QApplication::processEvents();
    m_view->OnDocumentUpdate();
    const CGraphGeometry& g = Geometry();
    QCOMPARE(m_view->Model().ValidLength(), 0);
    QCOMPARE(Pixel(MidX(g, 2), HighY(g, 0)), Black);
    QCOMPARE(Pixel(MidX(g, 3), g.GraphArea().top + 30), Separator);  // the separators stay
    m_view->ToggleCursorA();
    m_view->SetZoom(128);
    m_view->JumpToClock(999999);
    QCOMPARE(m_view->Model().Current().clock, 999999);
    QVERIFY(!m_view->RenderSurface().isNull());
}

void TestGraphView::repaintsOnlyWhatChanged() {
    const CGraphGeometry& g = Geometry();
    m_view->setFocus();
    m_view->RenderSurface();
    m_view->repaint();
    QCOMPARE(m_view->Renderer().Dirty(), 0u);
    // The memory changes behind the graph's back: only a full repaint shows it.
    m_doc->Document().GeneratingMemory().SetWord(2, 0);
    // Hovering the thumb repaints the scroll bar strip alone.
    const CScrollBarGeometry& bar = g.ScrollBar();
    const QPoint thumb(bar.Thumb().left + 2, bar.Thumb().top + 2);
    const QColor plain = m_view->Surface().pixelColor(thumb);
    QTest::mouseMove(m_view.get(), QPoint(200, 100));
    m_view->repaint();
    QTest::mouseMove(m_view.get(), thumb);
    QCOMPARE(m_view->MouseController().Hover(), SCROLL_ELEMENT::Thumb);
    m_view->repaint();
    QVERIFY(m_view->Surface().pixelColor(thumb) != plain);
    QCOMPARE(m_view->Surface().pixelColor(MidX(g, 2), HighY(g, 0)), SignalGreen);
    // A caret blink repaints nothing into the surface.
    const QRect caret = m_view->CaretRect();
    QVERIFY(!caret.isEmpty());
    m_view->repaint(caret);
    QCOMPARE(m_view->Renderer().Dirty(), 0u);
    QCOMPARE(m_view->Surface().pixelColor(MidX(g, 2), HighY(g, 0)), SignalGreen);
    // The selection spans rows as soon as it is set, before any painting.
    QSignalSpy spans(m_view.get(), &CNivaraView::SelectionSpansRowsChanged);
    m_view->SetSelection(2, 0, 4, 3);
    QCOMPARE(spans.count(), 1);
    QVERIFY(m_view->Renderer().Dirty() != 0u);
    m_view->repaint();
    // the page repainted from the memory, with the selection inverted over it
    QCOMPARE(m_view->Surface().pixelColor(MidX(g, 2), HighY(g, 0)), InvertedBlack);
}

// The x of every column of clocks [first, last] of a row that holds a light
// (text) pixel between the high and the low level.
std::vector<int> LightColumns(const QImage& surface, const CGraphGeometry& g, int row, int first, int last) {
    std::vector<int> columns;
    const int left = g.CellToPoint(first, row).x;
    const int right = g.CellToPoint(last + 1, row).x;
    for (int x = left; x < right; ++x) {
        for (int y = HighY(g, row) + 1; y < LowY(g, row); ++y) {
            if (surface.pixelColor(x, y).lightness() > 200) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

void TestGraphView::busValuesWiderThanACellShowOncePerRun() {
    // Bus row 1 over channels 4..11: its value is bits 4..11 of the word.
    m_records->GeneratingTable[1].BusChannel = 0xFF0;
    CLogicMemory& memory = m_doc->Document().GeneratingMemory();
    const auto put = [&memory](uint32_t from, uint32_t to, uint32_t value) {
        for (uint32_t i = from; i <= to; ++i) {
            memory.SetWord(i, value << 4);
        }
    };
    put(0, 5, 0x10);     // two digits over six clocks
    put(6, 6, 0x25);     // two digits in one clock: no room
    put(7, 8, 0xA7);     // two digits over two clocks
    put(9, 11, 0x5);     // one digit: a label in every clock
    put(12, 12, 0x3C);   // no room
    put(13, 999, 0x77);
    m_view->OnDocumentUpdate();
    const CGraphGeometry& g = Geometry();
    QCOMPARE(g.PixelsPerClock(), 10.0);
    const QImage& surface = m_view->RenderSurface();
    const auto centreOf = [](const std::vector<int>& columns) { return (columns.front() + columns.back()) / 2; };
    const auto runCentre = [&g](int first, int last) {
        return (g.CellToPoint(first, 1).x + g.CellToPoint(last + 1, 1).x) / 2;
    };

    // 0x10 is drawn once, centred across clocks 0..5, not in the end cells.
    const std::vector<int> run10 = LightColumns(surface, g, 1, 0, 5);
    QVERIFY(!run10.empty());
    QVERIFY(std::abs(centreOf(run10) - runCentre(0, 5)) <= 2);
    QVERIFY(LightColumns(surface, g, 1, 0, 0).empty());
    QVERIFY(LightColumns(surface, g, 1, 5, 5).empty());
    // A two-digit value of one clock has no room.
    QVERIFY(LightColumns(surface, g, 1, 6, 6).empty());
    QVERIFY(LightColumns(surface, g, 1, 12, 12).empty());
    // 0xA7 across its two clocks.
    const std::vector<int> runA7 = LightColumns(surface, g, 1, 7, 8);
    QVERIFY(!runA7.empty());
    QVERIFY(std::abs(centreOf(runA7) - runCentre(7, 8)) <= 2);
    // A one-digit value keeps a label in every clock.
    for (int clock = 9; clock <= 11; ++clock) {
        const std::vector<int> cell = LightColumns(surface, g, 1, clock, clock);
        QVERIFY(!cell.empty());
        QVERIFY(std::abs(centreOf(cell) - runCentre(clock, clock)) <= 2);
    }

    // Zoomed in until two digits fit a cell, every clock has its own label again.
    m_view->SetZoom(4);
    m_view->ScrollToClock(0);
    const QImage& zoomed = m_view->RenderSurface();
    for (int clock = 0; clock <= 8; ++clock) {
        const std::vector<int> cell = LightColumns(zoomed, g, 1, clock, clock);
        QVERIFY(!cell.empty());
        QVERIFY(std::abs(centreOf(cell) - (g.CellToPoint(clock, 1).x + g.CellToPoint(clock + 1, 1).x) / 2) <= 2);
    }
}

void TestGraphView::aBadIndexInAMouseOrKeyHandlerShowsMessage61477() {
    CScriptedMessages messages;
    CStaleRowView view(m_doc->Document(), *m_records);
    view.SetUserMessages(&messages);
    view.resize(800, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.OnDocumentUpdate();
    const int clock = view.Model().Current().clock;
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.Model().Current().clock, clock);  // the move never happened
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(400, 200));
    QCOMPARE(messages.Texts(), std::vector<std::string>(2, "Encountered an improper argument."));
    QCOMPARE(messages.Shown[0].second, MessageIcon::Error);
    QCOMPARE(m_records->GeneratingTable.Size(), std::size_t{32} + 1);
}

QTEST_MAIN(TestGraphView)
#include "test_ui_graph.moc"
