// Search and bookmarks through the real main window: the search dialog's
// fields, keys and placement, F3 and Shift+F3, the miss message; the
// bookmark commands and their keys, the bookmark list with its in-place memo
// editing, the window its copy comes from, and bookmarks through Save As.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "analysis/ui/CBookmarkCommandModule.h"
#include "analysis/ui/CBookmarkDlg.h"
#include "analysis/ui/CSearchCommandModule.h"
#include "analysis/ui/CSearchDlg.h"
#include "files/ConditionFile.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_main = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
    QTemporaryDir m_folder;

    CChildFrame* Frame() const { return m_main->ActiveChildFrame(); }
    CNivaraView* View() const { return Frame()->View(); }
    CGraphModel& Model() const { return View()->Model(); }
    CLogicDocument& Document() const { return Frame()->Doc().Document(); }
    CSearchCommandModule& Search() const { return *m_main->Module<CSearchCommandModule>(); }
    CSearchDlg& SearchDialog() const { return Search().Dialog(); }
    CBookmarkDlg& BookmarkDialog() const { return m_main->Module<CBookmarkCommandModule>()->Dialog(); }
    const CBookmarkList& Marks() const { return *Frame()->Records().Bookmarks(DIRECTION_GENERATING); }
    std::vector<uint32_t> Positions() const {
        std::vector<uint32_t> positions;
        for (const BOOKMARK_DATA& mark : Marks()) {
            positions.push_back(mark.BookmarkAbsolutePosition);
        }
        return positions;
    }

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
    bool ActivateMain() {
        m_main->activateWindow();
        return QTest::qWaitForWindowActive(m_main);
    }
    void ToggleAt(std::initializer_list<int> clocks) {
        for (const int clock : clocks) {
            Select(clock, 1, clock, 1);
            QVERIFY(m_main->OnCommand(cmd::BookmarkToggle));
        }
    }
    CBookmarkDlg& OpenList() {
        [&] { QVERIFY(m_main->OnCommand(cmd::BookmarkList)); }();
        [&] { QVERIFY(BookmarkDialog().isVisible()); }();
        return BookmarkDialog();
    }
    void Ok() { QTest::mouseClick(BookmarkDialog().findChild<QPushButton*>("1"), Qt::LeftButton); }
    // Opens the memo editor of `row` as a click on the focused row's memo does.
    QLineEdit* EditMemo(int row) {
        QTableWidget* list = BookmarkDialog().List();
        list->setCurrentCell(row, 2);
        list->editItem(list->item(row, 2));
        return qobject_cast<QLineEdit*>(list->indexWidget(list->model()->index(row, 2)));
    }
    bool Editing(int row) const {
        QTableWidget* list = BookmarkDialog().List();
        if (list->indexWidget(list->model()->index(row, 2)) != nullptr) {
            return true;
        }
        for (const QLineEdit* edit : list->findChildren<QLineEdit*>("MemoEdit")) {
            if (edit->isVisible()) {
                return true;
            }
        }
        return false;
    }
    static QMenu* MenuOf(QAction* action) {
        for (QObject* object : action->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(object)) {
                return menu;
            }
        }
        return nullptr;
    }
    // Opens a menu as the user does (its commands are enabled on the way).
    static void OpenMenu(QMenu* menu) {
        menu->popup(QPoint(0, 0));
        menu->hide();
    }

private slots:
    void init() {
        qputenv("LC_ALL", "C.UTF-8");
        m_messages = CScriptedMessages();
        m_messages.DefaultAnswer = MessageAnswer::No;
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_main = App()->MainFrame();
        m_chooser = CScriptedChooser();
        m_main->SetFileChooser(&m_chooser);
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
        QCOMPARE(Search().SearchDirection(), 1);
        QVERIFY(m_main->OnCommand(cmd::SearchNext));
        QCOMPARE(Model().Anchor().clock, 50);
        QCOMPARE(m_messages.Shown.back().first, std::string("Horizontal axis (CH2), '0110' is not found in the forward search"));
        QVERIFY(m_main->OnCommand(cmd::SearchPrevious));
        QCOMPARE(Model().Anchor().clock, 20);
        QCOMPARE(Search().SearchDirection(), 2);
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

    void searchAndBookmarkEnablementThroughTheMenus() {
        QAction* searchNext = m_main->Action(cmd::SearchNext);
        QAction* bookmarkNext = m_main->Action(cmd::BookmarkNext);
        QAction* bookmarkClear = m_main->Action(cmd::BookmarkClear);
        QMenu* menu = MenuOf(searchNext);
        QVERIFY(menu != nullptr);
        OpenMenu(menu);
        QVERIFY(!searchNext->isEnabled());
        QVERIFY(!bookmarkNext->isEnabled());
        QVERIFY(!bookmarkClear->isEnabled());
        QVERIFY(m_main->Action(cmd::BookmarkToggle)->isEnabled());
        // A first search enables Search Next; a bookmark enables Next and Clear.
        Select(0, 2, 0, 2);
        QVERIFY(m_main->OnCommand(cmd::Search));
        QTest::mouseClick(SearchDialog().SearchNextButton(), Qt::LeftButton);
        m_main->Action(cmd::BookmarkToggle)->trigger();
        QCOMPARE(Marks().Size(), std::size_t{1});
        OpenMenu(menu);
        QVERIFY(searchNext->isEnabled());
        QVERIFY(bookmarkNext->isEnabled());
        QVERIFY(bookmarkClear->isEnabled());
        bookmarkClear->trigger();
        QVERIFY(Marks().Empty());
        OpenMenu(menu);
        QVERIFY(!bookmarkNext->isEnabled());
        QVERIFY(!bookmarkClear->isEnabled());
        // A list that changes without a command (a file read into the table
        // behind the menu's back) is seen when the user opens the menu that
        // holds the bookmark commands.
        Frame()->Records().Bookmarks(DIRECTION_GENERATING)->Assign({{40, "", 1}});
        QVERIFY(!bookmarkClear->isEnabled());
        QMenu* bookmarks = MenuOf(bookmarkClear);
        QVERIFY(bookmarks != nullptr);
        OpenMenu(bookmarks);
        QVERIFY(bookmarkClear->isEnabled());
        QVERIFY(bookmarkNext->isEnabled());
    }

    void bookmarkKeysReachTheirCommands() {
        QVERIFY(ActivateMain());
        View()->setFocus(Qt::OtherFocusReason);
        for (const int clock : {100, 300}) {
            Select(clock, 1, clock, 1);
            QTest::keyClick(View(), Qt::Key_F2, Qt::ControlModifier);
        }
        QCOMPARE(Positions(), (std::vector<uint32_t>{100, 300}));
        Select(0, 1, 0, 1);
        QTest::keyClick(View(), Qt::Key_F2);
        QCOMPARE(Model().Current(), (GRAPH_CELL{100, 0}));
        QTest::keyClick(View(), Qt::Key_F2);
        QCOMPARE(Model().Current().clock, 300);
        QTest::keyClick(View(), Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(Model().Current().clock, 100);
        QCOMPARE(Marks().At(0).IsCurrentBookmark, 1u);
        // Ctrl+F2 on a bookmark removes it.
        QTest::keyClick(View(), Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(Positions(), (std::vector<uint32_t>{300}));
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{1});
    }

    void bookmarkCommandsAndTheList() {
        QVERIFY(!Enabled(cmd::BookmarkNext));
        ToggleAt({300, 100, 200});
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{3});
        QVERIFY(Enabled(cmd::BookmarkNext));
        Select(0, 1, 0, 1);
        QVERIFY(m_main->OnCommand(cmd::BookmarkNext));
        QCOMPARE(Model().Current(), (GRAPH_CELL{100, 0}));
        QVERIFY(m_main->OnCommand(cmd::BookmarkNext));
        QCOMPARE(Model().Current().clock, 200);
        QVERIFY(m_main->OnCommand(cmd::BookmarkPrevious));
        QCOMPARE(Model().Current().clock, 100);

        CBookmarkDlg& dialog = OpenList();
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

        // Memo editing: every change reaches the cell and the copy at once;
        // Enter and Esc end the editing without closing the dialog.
        QLineEdit* edit = EditMemo(1);
        QTest::keyClicks(edit, "edge,x");  // the comma is refused
        QCOMPARE(list->item(1, 2)->text(), QString("edgex"));
        QCOMPARE(dialog.Copy()[1].BookmarkMemo, std::string("edgex"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!Editing(1));  // the delegate closes it from the event loop
        QVERIFY(dialog.isVisible());
        edit = EditMemo(0);
        QTest::keyClicks(edit, "start");
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!Editing(0));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Copy()[0].BookmarkMemo, std::string("start"));

        // OK writes the copy back and stores "Close automatically".
        dialog.AutoCloseBox()->setChecked(false);
        Ok();
        QVERIFY(dialog.isHidden());
        QCOMPARE(Marks().At(1).BookmarkMemo, std::string("edgex"));
        QCOMPARE(Marks().At(0).BookmarkMemo, std::string("start"));
        QCOMPARE(Document().BookmarkAutoClose, 0);

        // Jump puts the bookmark at the left edge; the dialog stays open without Auto Close.
        OpenList();
        QVERIFY(!dialog.AutoCloseBox()->isChecked());
        list->selectRow(2);
        QTest::mouseClick(dialog.JumpButton(), Qt::LeftButton);
        QCOMPARE(Model().Current().clock, 300);
        QCOMPARE(Model().Geometry().FirstVisibleClock(), std::min(300, Model().LastClock() - Model().Geometry().ClocksPerPage() + 1));
        QVERIFY(dialog.isVisible());
        // A double-click on a row jumps as well, and closes with Auto Close.
        dialog.AutoCloseBox()->setChecked(true);
        const QPoint cell = list->visualItemRect(list->item(0, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(Model().Current().clock, 100);
        QCOMPARE(Model().Geometry().FirstVisibleClock(), 100);
        QVERIFY(dialog.isHidden());
    }

    void memoEditingEndsWhenTheFocusLeaves() {
        ToggleAt({100, 200});
        CBookmarkDlg& dialog = OpenList();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QLineEdit* edit = EditMemo(1);
        QTRY_VERIFY(edit->hasFocus());
        QTest::keyClicks(edit, "rise");
        dialog.JumpButton()->setFocus(Qt::TabFocusReason);
        QVERIFY(!Editing(1));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.List()->item(1, 2)->text(), QString("rise"));
        QCOMPARE(dialog.Copy()[1].BookmarkMemo, std::string("rise"));
        QVERIFY(Marks().At(1).BookmarkMemo.empty());  // not written back before OK
    }

    void jumpKeepsTheMemosTypedBeforeIt() {
        ToggleAt({100, 200, 300});
        CBookmarkDlg& dialog = OpenList();
        dialog.AutoCloseBox()->setChecked(false);
        QLineEdit* edit = EditMemo(2);
        QTest::keyClicks(edit, "late");
        QTest::keyClick(edit, Qt::Key_Return);
        dialog.List()->selectRow(0);
        QTest::mouseClick(dialog.JumpButton(), Qt::LeftButton);
        QCOMPARE(Model().Current().clock, 100);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.Copy()[2].BookmarkMemo, std::string("late"));
        QCOMPARE(dialog.List()->item(2, 2)->text(), QString("late"));
        Ok();
        QCOMPARE(Marks().At(2).BookmarkMemo, std::string("late"));
    }

    void theListFollowsTheActiveWindow() {
        ToggleAt({100, 200});
        CChildFrame* first = Frame();
        CBookmarkDlg& dialog = OpenList();
        QCOMPARE(dialog.List()->rowCount(), 2);
        // New Window: the copy is the new window's empty list, and OK writes
        // nothing of the first window into it.
        QVERIFY(m_main->OnCommand(cmd::WindowNew));
        CChildFrame* second = Frame();
        QVERIFY(second != first);
        QCOMPARE(dialog.List()->rowCount(), 0);
        Ok();
        QVERIFY(second->Records().Bookmarks(DIRECTION_GENERATING)->Empty());
        QCOMPARE(second->View()->BookmarkMarkerCount(), std::size_t{0});
        QCOMPARE(first->Records().Bookmarks(DIRECTION_GENERATING)->Size(), std::size_t{2});
        ToggleAt({50});
        OpenList();
        QCOMPARE(dialog.List()->rowCount(), 1);
        // Back to the first window: its two bookmarks.
        m_main->MdiArea()->setActiveSubWindow(first);
        QCOMPARE(Frame(), first);
        QCOMPARE(dialog.List()->rowCount(), 2);
        QCOMPARE(dialog.List()->item(1, 1)->text(), QString("200 Clock"));
        Ok();
        QCOMPARE(first->Records().Bookmarks(DIRECTION_GENERATING)->Size(), std::size_t{2});
        QCOMPARE(second->Records().Bookmarks(DIRECTION_GENERATING)->Size(), std::size_t{1});
        // Closing the active window shows the other one's list; closing the
        // last one empties the copy.
        OpenList();
        QVERIFY(first->close());
        QCOMPARE(Frame(), second);
        QCOMPARE(dialog.List()->rowCount(), 1);
        QCOMPARE(dialog.List()->item(0, 1)->text(), QString("50 Clock"));
        Document().Saved = 1;
        QVERIFY(second->close());
        QCOMPARE(m_main->WindowCount(), 0);
        QCOMPARE(dialog.List()->rowCount(), 0);
        Ok();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // File New: the new window's empty list.
        QVERIFY(m_main->OnCommand(cmd::FileNew));
        QCOMPARE(dialog.List()->rowCount(), 0);
    }

    void aConditionFileThatChangesTheDirectionShowsThatDirectionsList() {
        ToggleAt({100, 200, 300});
        Frame()->Records().Bookmarks(DIRECTION_SAMPLING)->Assign({{7, "sampled", 1}});
        // A condition file of the sampling direction.
        const std::string path = m_folder.filePath("sampling.nvc").toStdString();
        Document().Condition().Direction = DIRECTION_SAMPLING;
        QVERIFY(WriteConditionFile(Document(), path).Ok);
        Document().Condition().Direction = DIRECTION_GENERATING;
        CBookmarkDlg& dialog = OpenList();
        QCOMPARE(dialog.List()->rowCount(), 3);
        m_chooser.Answer = path;
        QVERIFY(m_main->OnCommand(cmd::FileOpenCondition));
        QCOMPARE(Document().Condition().Direction, int16_t(DIRECTION_SAMPLING));
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{1});
        QCOMPARE(dialog.List()->rowCount(), 1);
        QCOMPARE(dialog.List()->item(0, 2)->text(), QString("sampled"));
        Ok();
        QCOMPARE(Frame()->Records().Bookmarks(DIRECTION_SAMPLING)->Size(), std::size_t{1});
        QCOMPARE(Frame()->Records().Bookmarks(DIRECTION_GENERATING)->Size(), std::size_t{3});
    }

    void anotherWindowShowsTheNewDirectionsMarkersWhenActivated() {
        ToggleAt({100, 200, 300});
        CChildFrame* first = Frame();
        QVERIFY(m_main->OnCommand(cmd::WindowNew));
        CChildFrame* second = Frame();
        second->Records().Bookmarks(DIRECTION_GENERATING)->Assign({{10, "", 1}, {20, "", 0}});
        second->Records().Bookmarks(DIRECTION_SAMPLING)->Assign({{5, "", 1}});
        m_main->MdiArea()->setActiveSubWindow(first);
        QCOMPARE(Frame(), first);
        const std::string path = m_folder.filePath("sampling.nvc").toStdString();
        Document().Condition().Direction = DIRECTION_SAMPLING;
        QVERIFY(WriteConditionFile(Document(), path).Ok);
        Document().Condition().Direction = DIRECTION_GENERATING;
        m_chooser.Answer = path;
        QVERIFY(m_main->OnCommand(cmd::FileOpenCondition));
        QCOMPARE(first->View()->BookmarkMarkerCount(), std::size_t{0});
        m_main->MdiArea()->setActiveSubWindow(second);
        QCOMPARE(Frame(), second);
        QCOMPARE(second->View()->BookmarkMarkerCount(), std::size_t{1});
    }

    void saveAsKeepsMemosAndTheCurrentMark_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "marks.csv";
        QTest::newRow("binary") << "marks.vpb";
    }

    void saveAsKeepsMemosAndTheCurrentMark() {
        QFETCH(QString, name);
        ToggleAt({100, 200, 300});
        Select(0, 1, 0, 1);
        for (int step = 0; step < 3; ++step) {
            QVERIFY(m_main->OnCommand(cmd::BookmarkNext));
        }
        CBookmarkDlg& dialog = OpenList();
        QLineEdit* edit = EditMemo(0);
        QTest::keyClicks(edit, "first");
        QTest::keyClick(edit, Qt::Key_Return);
        edit = EditMemo(2);
        QTest::keyClicks(edit, "third mark");
        QTest::keyClick(edit, Qt::Key_Return);
        Ok();
        const std::string path = m_folder.filePath(name).toStdString();
        m_chooser.Answer = path;
        QVERIFY(m_main->OnCommand(cmd::FileSaveAs));
        QCOMPARE(m_chooser.SaveDialogs, 1);
        QVERIFY(m_main->OnCommand(cmd::BookmarkClear));
        QVERIFY(Marks().Empty());
        QCOMPARE(dialog.List()->rowCount(), 0);

        QVERIFY(m_main->OnCommand(cmd::FileOpen));
        QCOMPARE(Positions(), (std::vector<uint32_t>{100, 200, 300}));
        QCOMPARE(Marks().At(0).BookmarkMemo, std::string("first"));
        QCOMPARE(Marks().At(1).BookmarkMemo, std::string());
        QCOMPARE(Marks().At(2).BookmarkMemo, std::string("third mark"));
        QCOMPARE(Marks().At(0).IsCurrentBookmark, 0u);
        QCOMPARE(Marks().At(2).IsCurrentBookmark, 1u);
        QCOMPARE(View()->BookmarkMarkerCount(), std::size_t{3});
        // The dialog shows the list that was read, the current row on yellow.
        QCOMPARE(dialog.List()->rowCount(), 3);
        QCOMPARE(dialog.List()->item(2, 2)->text(), QString("third mark"));
        QCOMPARE(dialog.List()->item(2, 0)->background().color(), QColor(255, 255, 0));
        QVERIFY(dialog.List()->item(0, 0)->background().color() != QColor(255, 255, 0));
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestSearch test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_search.moc"
