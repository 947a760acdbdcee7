// Search and bookmarks through the real main window: the search dialog's
// fields, keys and placement, F3 and Shift+F3, the miss message; the
// bookmark commands and the bookmark list with its in-place memo editing.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "analysis/ui/CBookmarkCommandModule.h"
#include "analysis/ui/CBookmarkDlg.h"
#include "analysis/ui/CSearchCommandModule.h"
#include "analysis/ui/CSearchDlg.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseFile.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_main = nullptr;
    CScriptedMessages m_messages;
    QTemporaryDir m_folder;

    CChildFrame* Frame() const { return m_main->ActiveChildFrame(); }
    CNivaraView* View() const { return Frame()->View(); }
    CGraphModel& Model() const { return View()->Model(); }
    CLogicDocument& Document() const { return Frame()->Doc().Document(); }
    CSearchDlg& SearchDialog() const { return m_main->SearchCommands().Dialog(); }
    CBookmarkDlg& BookmarkDialog() const { return m_main->BookmarkCommands().Dialog(); }

    // 2,000 generating words; channel 2 reads 0110 at clocks 20 and 50.
    void Fill() {
        QVERIFY(Document().SetSize(DIRECTION_GENERATING, 2000, 1));
        uint32_t* words = Document().GeneratingMemory().Data();
        for (const uint32_t t : {21u, 22u, 51u, 52u}) {
            words[t] |= 1u << 2;
        }
        View()->OnDocumentUpdate();
    }
    void Select(int anchorClock, int anchorRow, int clock, int row) {
        Model().SetAnchor({anchorClock, anchorRow});
        Model().SetCurrent({clock, row});
    }
    bool Enabled(int command) {
        m_main->UpdateCommandUI();
        return m_main->Action(command)->isEnabled();
    }

private slots:
    void init() {
        qputenv("LC_ALL", "C.UTF-8");
        m_messages = CScriptedMessages();
        m_messages.DefaultAnswer = MessageAnswer::No;
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_main = App()->MainFrame();
        m_main->resize(1400, 900);
        m_main->move(0, 0);
        m_main->show();
        QVERIFY(Frame() != nullptr);
        Fill();
    }

    void cleanup() {
        if (CNivaraDoc* doc = m_main->Doc()) {
            doc->Document().Saved = 1;
        }
        App()->ExitInstance();
        m_main = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void searchDialogSearchesAndF3Repeats() {
        QVERIFY(!Enabled(cmd::SearchNext));
        QVERIFY(!Enabled(cmd::SearchPrevious));
        QVERIFY(SearchDialog().isHidden());
        Select(0, 2, 0, 2);
        QVERIFY(m_main->OnCommand(cmd::Search));
        QVERIFY(SearchDialog().isVisible());
        // The lower right corner of the main window.
        const QRect main = m_main->frameGeometry();
        const QRect dialog = SearchDialog().frameGeometry();
        QCOMPARE(dialog.right(), main.right());
        QCOMPARE(dialog.bottom(), main.bottom());
        // The single cell prefilled "0" on channel 2; retype with the key filter.
        QLineEdit* pattern = SearchDialog().PatternEdit();
        QCOMPARE(pattern->text(), QString("0"));
        pattern->selectAll();
        QTest::keyClicks(pattern, "01.2a10");
        QCOMPARE(pattern->text(), QString("0110"));
        QVERIFY(SearchDialog().SearchNextButton()->isEnabled());
        QVERIFY(!Enabled(cmd::SearchNext));
        QTest::mouseClick(SearchDialog().SearchNextButton(), Qt::LeftButton);
        QCOMPARE(Model().Anchor(), (GRAPH_CELL{20, 2}));
        QCOMPARE(Model().Current(), (GRAPH_CELL{23, 2}));
        QCOMPARE(Document().SearchRequest.Text, std::string("0110"));
        QCOMPARE(Document().SearchRequest.Value, 6u);
        // Closed, F3 still searches with the dialog's values.
        QTest::mouseClick(SearchDialog().findChild<QPushButton*>("2"), Qt::LeftButton);
        QVERIFY(SearchDialog().isHidden());
        QVERIFY(Enabled(cmd::SearchNext));
        QVERIFY(m_main->OnCommand(cmd::SearchNext));
        QCOMPARE(Model().Anchor().clock, 50);
        QCOMPARE(m_main->SearchCommands().SearchDirection(), 1);
        QVERIFY(m_main->OnCommand(cmd::SearchNext));
        QCOMPARE(Model().Anchor().clock, 50);
        QCOMPARE(m_messages.Shown.back().first, std::string("Horizontal axis (CH2), '0110' is not found in the forward search"));
        QVERIFY(m_main->OnCommand(cmd::SearchPrevious));
        QCOMPARE(Model().Anchor().clock, 20);
        QCOMPARE(m_main->SearchCommands().SearchDirection(), 2);
        // Emptying the text disables the dialog's buttons; Enter does not close it.
        QVERIFY(m_main->OnCommand(cmd::Search));
        pattern->clear();
        QVERIFY(!SearchDialog().SearchNextButton()->isEnabled());
        QTest::keyClick(pattern, Qt::Key_Return);
        QVERIFY(SearchDialog().isVisible());
    }

    void selectionPrefillIsTrimmedTo32Clocks() {
        Select(10, 2, 49, 2);  // 40 clocks
        QVERIFY(m_main->OnCommand(cmd::Search));
        QCOMPARE(Model().Anchor(), (GRAPH_CELL{10, 2}));
        QCOMPARE(Model().Current(), (GRAPH_CELL{41, 2}));
        QCOMPARE(SearchDialog().BitCountEdit()->text(), QString("32"));
        QCOMPARE(SearchDialog().StartChannelEdit()->text(), QString("2"));
        QCOMPARE(SearchDialog().PatternEdit()->text().size(), 32);
        QVERIFY(SearchDialog().PatternEdit()->text().startsWith("00000000000110"));
        // Hexadecimal: bit count enabled, the text converted.
        QTest::mouseClick(SearchDialog().findChild<QRadioButton*>("1027"), Qt::LeftButton);
        QVERIFY(SearchDialog().BitCountEdit()->isEnabled());
        QCOMPARE(SearchDialog().PatternEdit()->text(), QString("180000"));
    }

    void verticalCountIsCutToTheChannels() {
        QVERIFY(m_main->OnCommand(cmd::Search));
        QTest::mouseClick(SearchDialog().findChild<QRadioButton*>("1023"), Qt::LeftButton);
        QVERIFY(SearchDialog().ChannelCountEdit()->isEnabled());
        QVERIFY(!SearchDialog().BitCountEdit()->isEnabled());
        SearchDialog().StartChannelEdit()->setText("30");
        SearchDialog().ChannelCountEdit()->setText("5");
        QCOMPARE(SearchDialog().ChannelCountEdit()->text(), QString("2"));
        SearchDialog().StartChannelEdit()->setText("40");
        QCOMPARE(SearchDialog().StartChannelEdit()->text(), QString("31"));
        QCOMPARE(SearchDialog().ChannelCountEdit()->text(), QString("1"));
    }

    void bookmarkCommandsAndTheList() {
        QVERIFY(!Enabled(cmd::BookmarkNext));
        for (const int clock : {300, 100, 200}) {
            Select(clock, 1, clock, 1);
            QVERIFY(m_main->OnCommand(cmd::BookmarkToggle));
        }
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{3});
        QVERIFY(Enabled(cmd::BookmarkNext));
        Select(0, 1, 0, 1);
        QVERIFY(m_main->OnCommand(cmd::BookmarkNext));
        QCOMPARE(Model().Current(), (GRAPH_CELL{100, 0}));
        QVERIFY(m_main->OnCommand(cmd::BookmarkNext));
        QCOMPARE(Model().Current().clock, 200);
        QVERIFY(m_main->OnCommand(cmd::BookmarkPrevious));
        QCOMPARE(Model().Current().clock, 100);

        QVERIFY(m_main->OnCommand(cmd::BookmarkList));
        CBookmarkDlg& dialog = BookmarkDialog();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.pos(), m_main->frameGeometry().topLeft() + QPoint(250, 150));
        QTableWidget* list = dialog.List();
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->horizontalHeaderItem(1)->text(), QString("Abs Pos"));
        QCOMPARE(list->columnWidth(0), 30);
        QCOMPARE(list->columnWidth(1), 100);
        QCOMPARE(list->columnWidth(2), 160);
        QCOMPARE(list->item(0, 1)->text(), QString("100 Clock"));
        QCOMPARE(list->item(0, 0)->background().color(), QColor(255, 255, 0));
        QVERIFY(list->item(1, 0)->background().color() != QColor(255, 255, 0));

        // Memo editing: a click on the memo of the focused row edits it; Enter
        // and Esc end the editing without closing the dialog.
        list->setCurrentCell(1, 2);
        list->editItem(list->item(1, 2));
        auto* edit = qobject_cast<QLineEdit*>(list->indexWidget(list->model()->index(1, 2)));
        QVERIFY(edit != nullptr);
        QTest::keyClicks(edit, "edge,x");  // the comma is refused
        QCOMPARE(list->item(1, 2)->text(), QString("edgex"));
        QCOMPARE(dialog.Copy()[1].BookmarkMemo, std::string("edgex"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        list->setCurrentCell(0, 2);
        list->editItem(list->item(0, 2));
        edit = qobject_cast<QLineEdit*>(list->indexWidget(list->model()->index(0, 2)));
        QVERIFY(edit != nullptr);
        QTest::keyClicks(edit, "start");
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Copy()[0].BookmarkMemo, std::string("start"));

        // OK writes the copy back and stores "Close automatically".
        dialog.AutoCloseBox()->setChecked(false);
        QTest::mouseClick(dialog.findChild<QPushButton*>("1"), Qt::LeftButton);
        QVERIFY(dialog.isHidden());
        const CBookmarkList& marks = *Frame()->Records().Bookmarks(DIRECTION_GENERATING);
        QCOMPARE(marks.At(1).BookmarkMemo, std::string("edgex"));
        QCOMPARE(marks.At(0).BookmarkMemo, std::string("start"));
        QCOMPARE(Document().BookmarkAutoClose, 0);

        // Jump puts the bookmark at the left edge; the dialog stays open without Auto Close.
        QVERIFY(m_main->OnCommand(cmd::BookmarkList));
        QVERIFY(!dialog.AutoCloseBox()->isChecked());
        list->selectRow(2);
        QTest::mouseClick(dialog.JumpButton(), Qt::LeftButton);
        QCOMPARE(Model().Current().clock, 300);
        QCOMPARE(Model().Geometry().FirstVisibleClock(), std::min(300, Model().LastClock() - Model().Geometry().ClocksPerPage() + 1));
        QVERIFY(dialog.isVisible());

        // Saved and read back: the memos and the current mark.
        const std::string path = m_folder.filePath("marks.vpb").toStdString();
        CHeadlessFileWindow headless;
        QVERIFY(WritePulseFile(Document(), Frame()->Records(), headless, path).Ok);
        QVERIFY(m_main->OnCommand(cmd::BookmarkClear));
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{0});
        QCOMPARE(dialog.List()->rowCount(), 0);
        QVERIFY(m_main->OpenPulseFile(path));
        const CBookmarkList& read = *Frame()->Records().Bookmarks(DIRECTION_GENERATING);
        QCOMPARE(read.Size(), std::size_t{3});
        QCOMPARE(read.At(1).BookmarkMemo, std::string("edgex"));
        QCOMPARE(read.At(0).IsCurrentBookmark, 1u);
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{3});
        QCOMPARE(dialog.List()->rowCount(), 3);  // the dialog shows the list that was read
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestSearch test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_search.moc"
