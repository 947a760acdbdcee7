#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "document/CChannelTable.h"
#include "graph/ui/CNivaraView.h"
#include "shell/CCommandState.h"
#include "resources/CommandIds.h"
#include "document/IFileChooser.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreePropDlg.h"
#include "signals/ui/CChannelTreeView.h"
#include "signals/ui/CWorkSpaceView.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

}  // namespace

class TestSignals : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;

    CChildFrame* Child() const { return m_frame->ActiveChildFrame(); }
    CChannelTreeView* Tree() const { return Child()->Tree(); }
    CChannelTable& Table() const { return *Child()->Records().Table(Child()->Doc().Document().Condition().Direction); }

    QPoint PointOf(int visibleRow) const {
        QTreeWidgetItem* item = Tree()->ItemOf(Tree()->Core().VisibleItem(visibleRow));
        return item == nullptr ? QPoint(-1, -1) : Tree()->visualItemRect(item).center();
    }
    void Click(int visibleRow, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, mods, PointOf(visibleRow));
    }
    void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }
    // Right-button release over a row, then the popup's command.
    void PopupCommand(int visibleRow, int command) {
        QTest::mousePress(Tree()->viewport(), Qt::RightButton, {}, PointOf(visibleRow));
        QTest::mouseRelease(Tree()->viewport(), Qt::RightButton, {}, PointOf(visibleRow));
        QMenu* popup = Tree()->Popup();
        QVERIFY(popup != nullptr);
        QVERIFY(popup->isVisible());
        QAction* chosen = nullptr;
        for (QAction* action : popup->actions()) {
            if (action->data().toInt() == command) {
                chosen = action;
            }
        }
        QVERIFY(chosen != nullptr);
        QVERIFY(chosen->isEnabled());
        popup->hide();
        chosen->trigger();
        Settle();
    }
    void Drag(int fromRow, int toRow, Qt::CursorShape* cursorOverTarget = nullptr) {
        QWidget* viewport = Tree()->viewport();
        const QPoint from = PointOf(fromRow);
        const QPoint to = PointOf(toRow);
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, from + QPoint(0, 12));
        QVERIFY(Tree()->Dragging());
        QTest::mouseMove(viewport, to);
        if (cursorOverTarget != nullptr) {
            *cursorOverTarget = viewport->cursor().shape();
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        QVERIFY(!Tree()->Dragging());
        Settle();
    }
    // The open label editor (a closed one may wait for its deletion).
    [[nodiscard]] QLineEdit* Editor() const {
        for (QLineEdit* editor : Tree()->findChildren<QLineEdit*>()) {
            if (editor->isVisible()) {
                return editor;
            }
        }
        return nullptr;
    }
    [[nodiscard]] int GraphRows() const { return static_cast<int>(Child()->View()->Model().ShownRows().size()); }
    [[nodiscard]] QStringList ListTexts() const {
        QStringList texts;
        for (int i = 0; i < Child()->List()->count(); ++i) {
            texts << Child()->List()->item(i)->text();
        }
        return texts;
    }

private slots:
    void init() {
        qputenv("LC_ALL", "C.UTF-8");
        m_messages = CScriptedMessages();
        m_messages.DefaultAnswer = MessageAnswer::No;
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_frame = App()->MainFrame();
        m_frame->SetFileChooser(&m_chooser);
        // Tall enough for all 32 rows of the tree.
        m_frame->resize(1400, 1500);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        Settle();
    }

    void cleanup() {
        if (CNivaraDoc* doc = m_frame->Doc()) {
            doc->Document().Saved = 1;
        }
        App()->ExitInstance();
        m_frame = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void labelsAndRowsAlign() {
        QCOMPARE(Tree()->topLevelItemCount(), 32);
        QCOMPARE(Tree()->topLevelItem(3)->text(0), QString("3: Signal3"));
        QCOMPARE(GraphRows(), 32);
        QCOMPARE(Child()->List()->count(), 32);
        QCOMPARE(Tree()->visualItemRect(Tree()->topLevelItem(0)).height(), CChannelTreeView::RowHeight);
        QComboBox* pages = Child()->WorkSpace()->PageList();
        QCOMPARE(pages->count(), 5);
        QCOMPARE(pages->itemText(0), QString("Logical Operation"));
        QCOMPARE(pages->itemText(4), QString("Data pattern"));
        QCOMPARE(pages->currentIndex(), 0);
    }

    void nineSelectedSignalsMakeABusOfEight() {
        Click(2);
        Click(10, Qt::ShiftModifier);
        QCOMPARE(Tree()->CountSelectedChannels(), 9);
        QCOMPARE(Tree()->selectedItems().size(), 9);
        PopupCommand(2, CChannelTreeView::CommandBus);
        QCOMPARE(Table().Size(), 33u);
        QCOMPARE(Table()[2].IsBus, 1);
        QCOMPARE(Table()[2].BusChannel, 0x3FCu);
        QTreeWidgetItem* bus = Tree()->topLevelItem(2);
        QCOMPARE(bus->text(0), QString("Bus signal0"));
        QCOMPARE(bus->childCount(), 8);
        QCOMPARE(bus->child(0)->text(0), QString("2: Signal2"));
        QCOMPARE(Tree()->topLevelItem(3)->text(0), QString("10: Signal10"));
        // The graph recounted its rows and the list follows them.
        QCOMPARE(GraphRows(), 33);
        QCOMPARE(Child()->List()->count(), 33);
        QCOMPARE(ListTexts()[2], QString("00"));
    }

    void selectedCountFeedsTheLogicalOperations() {
        Click(4);
        COMMAND_CONTEXT context = m_frame->BuildContext();
        QCOMPARE(context.SelectedChannels, 1);
        QVERIFY(CCommandState::Query(cmd::LogicNot, context).Enabled);
        QVERIFY(!CCommandState::Query(cmd::LogicAnd, context).Enabled);
        Click(6, Qt::ControlModifier);
        QTest::keyClick(Tree(), Qt::Key_Down, Qt::ShiftModifier);
        context = m_frame->BuildContext();
        QCOMPARE(context.SelectedChannels, 3);
        QVERIFY(CCommandState::Query(cmd::LogicAnd, context).Enabled);
        QVERIFY(CCommandState::Query(cmd::LogicXor, context).Enabled);
        QVERIFY(!CCommandState::Query(cmd::LogicNot, context).Enabled);
        QTest::keyClick(Tree(), Qt::Key_Down);
        QCOMPARE(m_frame->BuildContext().SelectedChannels, 1);
        // The list follows the caret row.
        QCOMPARE(Child()->List()->currentRow(), 8);
    }

    void dropOnAFullBusIsRefused() {
        Click(0);
        Click(7, Qt::ShiftModifier);
        PopupCommand(0, CChannelTreeView::CommandBus);
        QCOMPARE(Tree()->topLevelItem(0)->childCount(), 8);
        const CChannelTable before = Table();
        Qt::CursorShape cursor = Qt::ArrowCursor;
        Drag(12, 3, &cursor);  // Signal11 onto a member of the full bus
        QCOMPARE(cursor, Qt::ForbiddenCursor);
        QCOMPARE(Table(), before);
        QCOMPARE(Tree()->topLevelItem(0)->childCount(), 8);
        // Onto a top-level item it moves, with the arrow cursor.
        Drag(12, 15, &cursor);
        QCOMPARE(cursor, Qt::ArrowCursor);
        QCOMPARE(Table()[15].DeviceChannel, int16_t(11));
        QCOMPARE(Tree()->topLevelItem(7)->text(0), QString("11: Signal11"));
    }

    void draggingTheLastMemberOutDissolvesTheBus() {
        Click(5);
        PopupCommand(5, CChannelTreeView::CommandBus);
        QCOMPARE(Table().Size(), 33u);
        QCOMPARE(GraphRows(), 33);
        Drag(6, 9);  // the member onto Signal8
        QCOMPARE(Table().Size(), 32u);
        for (const LOGIC_DATA& row : Table()) {
            QCOMPARE(row.IsBus, 0);
        }
        QCOMPARE(Tree()->topLevelItemCount(), 32);
        QCOMPARE(Tree()->topLevelItem(8)->text(0), QString("5: Signal5"));
        QCOMPARE(GraphRows(), 32);
        // The moved row is selected in tree and list.
        QCOMPARE(Tree()->Core().VisibleIndex(Tree()->Core().Focused()), 8);
        QCOMPARE(Child()->List()->currentRow(), 8);
    }

    void renameWithAndWithoutTheChannelPrefix() {
        Table().At(12).ChannelName = "Clock";
        Child()->RebuildSignalTree();
        QTest::mouseDClick(Tree()->viewport(), Qt::LeftButton, {}, PointOf(12));
        QLineEdit* editor = Editor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QString("Clock"));
        editor->setText("Strobe");
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
        QCOMPARE(Table()[12].ChannelName, std::string("Strobe"));
        QCOMPARE(Tree()->topLevelItem(12)->text(0), QString("12: Strobe"));
        // F2 on the single selection; Escape brings the label back.
        QTest::keyClick(Tree(), Qt::Key_F2);
        editor = Editor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QString("Strobe"));
        editor->setText("Nothing");
        QTest::keyClick(editor, Qt::Key_Escape);
        Settle();
        QCOMPARE(Tree()->topLevelItem(12)->text(0), QString("12: Strobe"));
        QCOMPARE(Table()[12].ChannelName, std::string("Strobe"));
        // A name the pulse text file cannot hold is refused with a message.
        Click(12);  // already selected: the click starts an edit
        editor = Editor();
        QVERIFY(editor != nullptr);
        editor->setText("Data");
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(Table()[12].ChannelName, std::string("Strobe"));
        QCOMPARE(Tree()->topLevelItem(12)->text(0), QString("12: Strobe"));
    }

    void propertiesUpDownAndOk() {
        bool driven = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CChannelTreePropDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QString("Signal Name Window Properties"));
            QTableWidget* list = dialog->List();
            QCOMPARE(list->rowCount(), 32);
            QCOMPARE(list->horizontalHeaderItem(0)->text(), QString("Name"));
            QCOMPARE(list->horizontalHeaderItem(1)->text(), QString("Channel"));
            list->selectRow(0);
            QTest::mouseClick(dialog->UpButton(), Qt::LeftButton);  // at the top: nothing
            QCOMPARE(list->item(0, 1)->text(), QString("0"));
            QTest::mouseClick(dialog->DownButton(), Qt::LeftButton);
            QCOMPARE(list->item(0, 1)->text(), QString("1"));
            QCOMPARE(list->item(1, 0)->text(), QString("Signal0"));
            QCOMPARE(list->currentRow(), 1);
            // Enter in the dialog does not close it.
            QTest::keyClick(dialog, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
            driven = true;
        });
        QVERIFY(m_frame->OnCommand(cmd::SignalNameProperties));
        QVERIFY(driven);
        Settle();
        QCOMPARE(Table()[0].DeviceChannel, int16_t(1));
        QCOMPARE(Table()[0].ChannelName, std::string("Signal1"));
        QCOMPARE(Table()[1].DeviceChannel, int16_t(0));
        QCOMPARE(Tree()->topLevelItem(0)->text(0), QString("1: Signal1"));
        QCOMPARE(Tree()->Core().VisibleIndex(Tree()->Core().Focused()), 0);
        // Cancel changes nothing.
        const CChannelTable before = Table();
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<CChannelTreePropDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->List()->item(3, 0)->setText("Renamed");
            QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
        });
        QVERIFY(m_frame->OnCommand(cmd::SignalNameProperties));
        QCOMPARE(Table(), before);
    }

    void collapseClosesTheRowsOfGraphAndList() {
        Click(3);
        Click(4, Qt::ControlModifier);
        PopupCommand(3, CChannelTreeView::CommandBus);
        QTreeWidgetItem* bus = Tree()->topLevelItem(3);
        QVERIFY(bus->isExpanded());
        bus->setExpanded(false);
        Settle();
        QCOMPARE(Table()[4].IsShown, 0);
        QCOMPARE(GraphRows(), 31);
        QCOMPARE(Child()->List()->count(), 31);
        Click(3);
        QTest::keyClick(Tree(), Qt::Key_Right);  // the caret is on the bus: expand
        Settle();
        QCOMPARE(GraphRows(), 33);
        QCOMPARE(Child()->List()->count(), 33);
    }

    void listClickSelectsTheTreeRow() {
        CChannelListView* list = Child()->List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(4)).center());
        QCOMPARE(Tree()->Core().VisibleIndex(Tree()->Core().Focused()), 4);
        QVERIFY(Tree()->topLevelItem(4)->isSelected());
    }

    void busMadeInTheTreeSurvivesSaveAs() {
        CLogicDocument& document = Child()->Doc().Document();
        document.GeneratingMemory().Data()[0] = (1u << 2) | (1u << 4);
        Click(2);
        Click(4, Qt::ShiftModifier);
        PopupCommand(2, CChannelTreeView::CommandBus);
        QTemporaryDir folder;
        const QString path = folder.filePath("bus.csv");
        m_chooser.Answer = path.toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileSaveAs));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("ChannelName,DeviceChannel,IsEnable,IsBus,BusChannel\r\nSignal0,0,1,0,0x00000000\r\n"
                              "Signal1,1,1,0,0x00000000\r\nBus signal0,0,1,1,0x0000001C\r\n"
                              "Signal2,2,1,0,0x00000000\r\nSignal3,3,1,0,0x00000000\r\n"
                              "Signal4,4,1,0,0x00000000\r\nSignal5,5,1,0,0x00000000\r\n"));
        // Release the bus, then read the file back.
        Click(2);
        PopupCommand(2, CChannelTreeView::CommandNonBus);
        QCOMPARE(Table().Size(), 32u);
        document.Saved = 1;
        QVERIFY(m_frame->OnCommand(cmd::FileOpen));
        Settle();
        QCOMPARE(Table().Size(), 33u);
        QCOMPARE(Table()[2].IsBus, 1);
        QCOMPARE(Tree()->topLevelItem(2)->text(0), QString("Bus signal0"));
        QCOMPARE(Tree()->topLevelItem(2)->childCount(), 3);
        QCOMPARE(GraphRows(), 33);
        QCOMPARE(Child()->View()->Model().ShownRows()[2], std::size_t(2));
        // The values at clock 0: bit 0 from channel 2, bit 2 from channel 4.
        Tree()->topLevelItem(2)->setExpanded(false);
        Tree()->topLevelItem(2)->setExpanded(true);
        Settle();
        QCOMPARE(ListTexts().mid(0, 6), QStringList({"0", "0", "05", "1", "0", "1"}));
        QVERIFY(m_messages.Shown.empty());
    }

    void resultPageHook() {
        CWorkSpaceView* workspace = Child()->WorkSpace();
        QSignalSpy spy(workspace, &CWorkSpaceView::ResultPageChanged);
        workspace->SetResultPage(3);
        QCOMPARE(workspace->PageList()->currentIndex(), 3);
        workspace->SetResultPage(7);
        QCOMPARE(workspace->ResultPage(), 3);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 3);
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_signals.moc"
