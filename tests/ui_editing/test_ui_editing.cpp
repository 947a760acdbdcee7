#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>
#include <random>
#include <string>
#include <vector>

#include "document/CWindowRecords.h"
#include "document/DATA_PATTERN.h"
#include "graph/CEditHistory.h"
#include "graph/ui/CJumpDlg.h"
#include "graph/ui/CNivaraView.h"
#include "graph/ui/CScaleDlg.h"
#include "resources/CStringTable.h"
#include "shell/ui/CNivaraDoc.h"
#include "support/CScriptedMessages.h"

namespace {

uint32_t BitOf(uint32_t word, int channel) { return (word >> channel) & 1U; }

}  // namespace

// The graph's editing driven through a real view: mouse presses and moves,
// keys, the context menu and the two dialogs, checked word by word against
// the generating memory (1000 words, 32 default rows).
class TestEditing : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void selectionRectangleWritesNothing();
    void invertOneBitAndUndo();
    void shiftAnEdgeOutAndBack();
    void cursorPlacementAcrossBlocks();
    void patternStampingNearTheMemoryEnd();
    void insertAtTheLastClockThenUndo();
    void pasteClippedAtTheLastRowAndClock();
    void busEntryIntoThreeMembersInTableOrder();
    void selectAllWithFortyRows();
    void undoAfterARowReorder();
    void undoOfASavedDocumentMarksItModified();
    void contextMenuOffersCutCopyPaste();
    void scaleDialogKeepsABadValue();
    void jumpDialogTakesADestination();

private:
    [[nodiscard]] const CGraphGeometry& Geometry() const { return m_view->Model().Geometry(); }
    [[nodiscard]] CLogicMemory& Memory() { return m_doc->Document().GeneratingMemory(); }
    [[nodiscard]] std::vector<uint32_t> Words() { return {Memory().Data(), Memory().Data() + Memory().Length()}; }
    // The middle of a cell on the page.
    [[nodiscard]] QPoint Cell(int clock, int row) const {
        const GRAPH_POINT p = Geometry().CellToPoint(clock, row);
        return {p.x + static_cast<int>(Geometry().PixelsPerClock() / 2), p.y + CGraphGeometry::RowHeight / 2};
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_view.get(), key, modifiers);
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(m_view.get(), to);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, to);
    }
    void Rebuilt() { m_view->RecountRows(); }
    [[nodiscard]] bool Same(const std::vector<uint32_t>& expected) {
        for (uint32_t i = 0; i < Memory().Length(); ++i) {
            if (Memory().Data()[i] != expected[i]) {
                qWarning("word %u: %08x != %08x", i, Memory().Data()[i], expected[i]);
                return false;
            }
        }
        return true;
    }

    std::unique_ptr<CNivaraDoc> m_doc;
    std::unique_ptr<CWindowRecords> m_records;
    std::unique_ptr<CNivaraView> m_view;
    CScriptedMessages m_messages;
    std::vector<uint32_t> m_original;
};

void TestEditing::init() {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    m_doc = std::make_unique<CNivaraDoc>();
    m_records = std::make_unique<CWindowRecords>("Signal");
    std::mt19937 random(5);
    for (uint32_t i = 0; i < Memory().Length(); ++i) {
        Memory().Data()[i] = random();
    }
    m_original = Words();
    m_view = std::make_unique<CNivaraView>(m_doc->Document(), *m_records);
    QObject::connect(m_doc.get(), &CNivaraDoc::ViewsNeedUpdate, m_view.get(), &CNivaraView::OnDocumentUpdate);
    m_view->SetUserMessages(&m_messages);
    m_view->resize(1000, 700);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_view->setFocus();
    m_view->OnDocumentUpdate();
    m_messages.Shown.clear();
}

void TestEditing::cleanup() {
    m_view.reset();
    m_records.reset();
    m_doc.reset();
}

void TestEditing::selectionRectangleWritesNothing() {
    Drag(Cell(10, 2), Cell(4, 5));
    QCOMPARE(m_view->Model().Anchor(), (GRAPH_CELL{10, 2}));
    QCOMPARE(m_view->Model().Current(), (GRAPH_CELL{4, 5}));
    QVERIFY(Same(m_original));
    QVERIFY(!m_view->Editor().CanUndo());
}

void TestEditing::invertOneBitAndUndo() {
    m_view->SetMouseMode(MOUSE_MODE_INVERT_BIT);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, Cell(7, 3));
    std::vector<uint32_t> expected = m_original;
    expected[7] ^= 1U << 3;
    QVERIFY(Same(expected));
    QCOMPARE(CEditHistory::For(m_doc->Document()).UndoCount(), std::size_t{1});
    // A press on the scroll bar released over the graph inverts nothing.
    const QPoint strip(10, Geometry().ScrollStrip().top + 30);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, strip);
    QTest::mouseMove(m_view.get(), Cell(8, 3));
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, Cell(8, 3));
    QVERIFY(Same(expected));
    m_view->AfterEdit(m_view->Editor().Undo());
    QVERIFY(Same(m_original));
}

void TestEditing::shiftAnEdgeOutAndBack() {
    // Channel 1 low at clocks 0..9, high from 10 to 40.
    for (int j = 0; j <= 40; ++j) {
        Memory().Data()[j] = (Memory().Data()[j] & ~2U) | (j >= 10 ? 2U : 0U);
    }
    m_original = Words();
    m_view->SetMouseMode(MOUSE_MODE_SHIFT_BIT);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::NoModifier, Cell(9, 1));
    QTest::mouseMove(m_view.get(), Cell(14, 1));
    for (int j = 0; j <= 40; ++j) {
        QCOMPARE(BitOf(Memory().Data()[j], 1), j >= 15 ? 1U : 0U);
    }
    QTest::mouseMove(m_view.get(), Cell(12, 1));
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::NoModifier, Cell(12, 1));
    std::vector<uint32_t> expected = m_original;
    for (int j = 10; j <= 12; ++j) {
        expected[j] &= ~2U;
    }
    QVERIFY(Same(expected));
    QCOMPARE(CEditHistory::For(m_doc->Document()).UndoCount(), std::size_t{1});
    QCOMPARE(m_doc->Document().Saved.load(), 0);
    m_view->AfterEdit(m_view->Editor().Undo());
    QVERIFY(Same(m_original));
}

void TestEditing::cursorPlacementAcrossBlocks() {
    CLogicDocument& document = m_doc->Document();
    document.Condition().Direction = DIRECTION_SAMPLING;
    document.Condition().AutoSave = 1;
    document.Condition().SamplingBufferSize = 1000;
    QVERIFY(document.SamplingMemory().Resize(1000));
    document.AutoSavedFiles = {"a.vpb", "b.vpb", "c.vpb", "d.vpb"};
    document.CurrentBlock = 3;
    document.LastCount = 4000;
    m_view->OnDocumentUpdate();
    m_view->SetSelection(120, 0, 120, 0);
    m_view->ToggleCursorA();
    QVERIFY(m_view->IsCursorShown(0));
    QCOMPARE(m_view->Model().Cursor(0).position, int64_t{3120});
    // Editing keys change nothing in sampling direction.
    Key(Qt::Key_1);
    QVERIFY(Same(m_original));
}

void TestEditing::patternStampingNearTheMemoryEnd() {
    DATA_PATTERN pattern;
    pattern.Length = 8;
    pattern.Bits = "11011001";
    Key(Qt::Key_End);
    for (int i = 0; i < 3; ++i) {
        Key(Qt::Key_Left);
    }
    Key(Qt::Key_Down);  // row 1, clock 996
    QCOMPARE(m_view->Model().Current(), (GRAPH_CELL{996, 1}));
    m_view->AfterEdit(m_view->Editor().ApplyDataPattern(pattern));
    std::vector<uint32_t> expected = m_original;
    for (int j = 0; j < 4; ++j) {
        expected[996 + j] = (expected[996 + j] & ~2U) | (static_cast<uint32_t>(pattern.Bits[j] - '0') << 1);
    }
    QVERIFY(Same(expected));
    QCOMPARE(m_view->Model().Current().clock, 999);
}

void TestEditing::insertAtTheLastClockThenUndo() {
    Key(Qt::Key_Insert);
    QVERIFY(m_view->InsertMode());
    Key(Qt::Key_End);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);  // row 3, clock 999
    Key(Qt::Key_Left);  // clock 998
    Key(Qt::Key_1);
    std::vector<uint32_t> expected = m_original;
    expected[999] = (expected[999] & ~8U) | (m_original[998] & 8U);
    expected[998] |= 8U;
    QVERIFY(Same(expected));
    QCOMPARE(m_view->Model().Current().clock, 999);
    m_view->AfterEdit(m_view->Editor().Undo());
    QVERIFY(Same(m_original));
    QVERIFY(!m_view->Editor().CanUndo());
    QVERIFY(m_view->Editor().CanRedo());
}

void TestEditing::pasteClippedAtTheLastRowAndClock() {
    // Rows 0..2, clocks 100..199, selected with the keys.
    m_view->SetSelection(100, 0, 100, 0);
    for (int i = 0; i < 99; ++i) {
        Key(Qt::Key_Right, Qt::ShiftModifier);
    }
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    m_view->AfterEdit(m_view->Editor().Copy());
    QVERIFY(m_view->Editor().CanPaste());
    m_view->SetSelection(949, 31, 949, 31);
    m_view->AfterEdit(m_view->Editor().Paste());
    std::vector<uint32_t> expected = m_original;
    for (int x = 949; x <= 999; ++x) {
        expected[x] = (expected[x] & ~(1U << 31)) | (BitOf(m_original[100 + x - 949], 0) << 31);
    }
    QVERIFY(Same(expected));
}

void TestEditing::busEntryIntoThreeMembersInTableOrder() {
    // A bus of channels 6, 4 and 5, in that table order, shown first.
    CChannelTable& table = m_records->GeneratingTable;
    std::vector<LOGIC_DATA> rows = table.Items();
    std::swap(rows[4], rows[6]);  // table order 0 1 2 3 6 5 4 ...
    std::swap(rows[5], rows[6]);  // 0 1 2 3 6 4 5 ...
    LOGIC_DATA bus;
    bus.DeviceChannel = 0;
    bus.ChannelName = "Bus signal0";
    bus.IsBus = 1;
    bus.IsEnable = 1;
    bus.IsShown = 1;
    bus.BusChannel = 0x70;
    rows.insert(rows.begin(), bus);
    table.Assign(rows);
    Rebuilt();
    m_view->SetSelection(30, 0, 30, 0);
    Key(Qt::Key_1);
    Key(Qt::Key_F);
    QVERIFY(m_view->Model().Typing().active);
    QCOMPARE(m_view->Model().Typing().value, 0x1FU);
    QVERIFY(Same(m_original));
    Key(Qt::Key_Return);
    std::vector<uint32_t> expected = m_original;
    expected[30] |= 0x70U;
    QVERIFY(Same(expected));
    QCOMPARE(m_view->Model().Current().clock, 31);
    // 6: members 1 and 2 in table order, channels 4 and 5.
    Key(Qt::Key_6);
    Key(Qt::Key_Enter);
    expected[31] = (expected[31] & ~0x70U) | 0x30U;
    QVERIFY(Same(expected));
    // Typing, then a move: the typed value is gone and Enter writes nothing.
    Key(Qt::Key_3);
    Key(Qt::Key_Right);
    QVERIFY(!m_view->Model().Typing().active);
    Key(Qt::Key_Return);
    QVERIFY(Same(expected));
}

void TestEditing::selectAllWithFortyRows() {
    CChannelTable& table = m_records->GeneratingTable;
    for (int i = 0; i < 8; ++i) {
        table.Append(table.At(static_cast<std::size_t>(i)));
    }
    m_view->resize(1000, 26 + 25 * 30 + 1 + 26 + 6 + 60 + 54);
    QTest::qWait(10);
    Rebuilt();
    QCOMPARE(Geometry().RowsPerPage(), 25);
    QSignalSpy scrolled(m_view.get(), &CNivaraView::SignalRowsScrolled);
    m_view->SelectAll();
    QCOMPARE(m_view->Model().Current(), (GRAPH_CELL{999, 39}));
    QCOMPARE(m_view->Model().Anchor(), (GRAPH_CELL{0, 0}));
    QCOMPARE(Geometry().FirstVisibleRow(), 15);
    QVERIFY(!scrolled.isEmpty());
    QCOMPARE(scrolled.last().at(0).toInt(), 15);
    Key(Qt::Key_Delete);
    QVERIFY(Same(std::vector<uint32_t>(1000, 0U)));
    m_view->AfterEdit(m_view->Editor().Undo());
    QVERIFY(Same(m_original));
}

void TestEditing::undoAfterARowReorder() {
    m_view->SetSelection(10, 0, 19, 1);
    m_view->AfterEdit(m_view->Editor().Cut());
    // The tree puts channel 1 first and channel 0 last.
    CChannelTable& table = m_records->GeneratingTable;
    std::vector<LOGIC_DATA> rows = table.Items();
    std::swap(rows[0], rows[1]);
    std::rotate(rows.begin() + 1, rows.begin() + 2, rows.end());
    table.Assign(rows);
    Rebuilt();
    m_view->AfterEdit(m_view->Editor().Undo());
    QVERIFY(Same(m_original));
}

void TestEditing::undoOfASavedDocumentMarksItModified() {
    CLogicDocument& document = m_doc->Document();
    Key(Qt::Key_1);
    QCOMPARE(document.Saved.load(), 0);
    document.Saved = 1;  // as Save leaves it
    m_view->AfterEdit(m_view->Editor().Undo());
    QCOMPARE(document.Saved.load(), 0);
    document.Saved = 1;
    m_view->AfterEdit(m_view->Editor().Redo());
    QCOMPARE(document.Saved.load(), 0);
}

void TestEditing::contextMenuOffersCutCopyPaste() {
    QSignalSpy commands(m_view.get(), &CNivaraView::CommandRequested);
    QTest::mouseClick(m_view.get(), Qt::RightButton, Qt::NoModifier, Cell(5, 5));
    QMenu* menu = m_view->findChild<QMenu*>(QStringLiteral("Menu119"));
    QVERIFY(menu != nullptr);
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions[0]->text(), QStringLiteral("Cut(&T)\tCtrl+X"));
    QCOMPARE(actions[1]->text(), QStringLiteral("Copy(&C)\tCtrl+C"));
    QCOMPARE(actions[2]->text(), QStringLiteral("Paste(&P)\tCtrl+V"));
    QVERIFY(actions[0]->isEnabled());
    QVERIFY(!actions[2]->isEnabled());  // nothing copied yet
    actions[1]->trigger();
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.first().at(0).toInt(), 57634);
    menu->close();
}

void TestEditing::scaleDialogKeepsABadValue() {
    CScaleDlg dialog(1.0, m_messages);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Inputting Scale"));
    QCOMPARE(dialog.Edit()->text(), QStringLiteral("100"));
    dialog.show();
    dialog.Edit()->setText(QStringLiteral("0"));
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_messages.Texts().back(), std::string("Enter an integer between 1 and 10000."));
    dialog.Edit()->setText(QString());
    dialog.accept();
    QCOMPARE(m_messages.Texts().back(), std::string("Enter an integer."));
    dialog.Edit()->setText(QStringLiteral("250"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Percent(), 250);
}

void TestEditing::jumpDialogTakesADestination() {
    CJumpDlg dialog(m_messages);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Inputting Destination"));
    QCOMPARE(dialog.Edit()->text(), QStringLiteral("0"));
    dialog.show();
    QTest::keyClicks(dialog.Edit(), QStringLiteral("x5"));  // digits only, over the selected 0
    QCOMPARE(dialog.Edit()->text(), QStringLiteral("5"));
    dialog.accept();
    QCOMPARE(dialog.Destination(), 5U);
    m_view->JumpToClock(dialog.Destination());
    QCOMPARE(m_view->Model().Current().clock, 5);
}

QTEST_MAIN(TestEditing)
#include "test_ui_editing.moc"
