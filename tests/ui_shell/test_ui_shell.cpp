#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSplitterHandle>
#include <QStatusBar>
#include <QTableWidget>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>
#include <QTemporaryDir>

#include "analysis/ui/CBookmarkCommandModule.h"
#include "analysis/ui/CBookmarkDlg.h"
#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "shell/ui/CPropertiesWnd.h"
#include "device/ui/CStatusView.h"
#include "document/ICommandModule.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "shell/CMenuTable.h"
#include "resources/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "shell/ui/CQtUserMessages.h"
#include "document/CImproperArgument.h"
#include "shell/ui/CStaticSplitterWndEx.h"
#include "signals/ui/CChannelTreeView.h"
#include "support/CFreshSettingsFolder.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

QStringList MenuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions()) {
        titles << action->text();
    }
    return titles;
}

// The popup of the menu bar that holds the action, or nullptr.
QMenu* MenuOf(QMenuBar* bar, QAction* action) {
    for (QAction* top : bar->actions()) {
        if (QMenu* menu = top->menu(); menu != nullptr && menu->actions().contains(action)) {
            return menu;
        }
    }
    return nullptr;
}

// Opens a menu as the user does (its commands are enabled from the state on
// the way) and closes it again.
void OpenMenu(QMenu* menu) {
    menu->popup(QPoint(0, 0));
    menu->hide();
}

// A later subsystem's commands: one module, registered with one line.
class CProbeModule final : public ICommandModule {
public:
    explicit CProbeModule(std::function<void()> action) : m_action(std::move(action)) {}
    void Register(ICommandRegistry& registry) override {
        registry.AddCommand(cmd::PatternClock, [this] { ++Runs; m_action(); },
                            [this](const COMMAND_CONTEXT& c) { return COMMAND_UI{c.HasFrame && Ready, false, false}; });
    }
    bool Ready = false;
    int Runs = 0;

private:
    std::function<void()> m_action;
};

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

// A widget whose painting or closing meets an index outside its table.
class CFailingWidget final : public QWidget {
public:
    int Paints = 0;
    bool FailClose = false;

protected:
    void paintEvent(QPaintEvent*) override {
        ++Paints;
        throw CImproperArgument("row past the table");
    }
    void closeEvent(QCloseEvent* event) override {
        if (FailClose) {
            throw CImproperArgument("row past the table");
        }
        event->accept();
    }
};

class TestShell : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
    std::unique_ptr<CFreshSettingsFolder> m_settings;

    void Start(const QByteArray& language = "C.UTF-8") {
        qputenv("LC_ALL", language);
        m_settings = std::make_unique<CFreshSettingsFolder>();
        m_messages = CScriptedMessages();
        m_chooser = CScriptedChooser();
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_frame = App()->MainFrame();
        m_frame->SetFileChooser(&m_chooser);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }

    CChildFrame* Active() const { return m_frame->ActiveChildFrame(); }

private slots:
    void init() { Start(); }

    void cleanup() {
        if (m_frame != nullptr) {
            // Leave without the save query.
            if (CNivaraDoc* doc = m_frame->Doc()) {
                doc->Document().Saved = 1;
            }
        }
        App()->ExitInstance();
        m_frame = nullptr;
        ProcessDeletes();
    }

    void startsWithOneDocumentWindowAndTheBoardList() {
        QVERIFY(m_frame->windowTitle().startsWith("Nivara"));
        QCOMPARE(m_frame->WindowCount(), 1);
        QVERIFY(m_frame->ShowsDocumentMenu());
        CChildFrame* child = Active();
        QVERIFY(child != nullptr);
        QCOMPARE(child->Records().GeneratingTable.Size(), 32u);
        QCOMPARE(child->Records().SamplingTable.Size(), 32u);
        QCOMPARE(child->Tree()->topLevelItemCount(), 32);
        QCOMPARE(child->Tree()->topLevelItem(3)->text(0), QString("3: Signal3"));
        QCOMPARE(child->Doc().Document().Condition().Direction, int16_t(2));
        // The simulated boards fill the device list; entry 0 is selected.
        QVERIFY(m_frame->Binding()->DriverBound());
        QComboBox* devices = m_frame->Properties()->DeviceList();
        QVERIFY(devices->count() > 0);
        QCOMPARE(devices->currentIndex(), 0);
        QCOMPARE(m_frame->Properties()->windowTitle(), QString("Properties"));
        QVERIFY(m_messages.Shown.empty());
    }

    void menusInEnglish() {
        QCOMPARE(MenuTitles(m_frame->menuBar()),
                 QStringList({"File(&F)", "Edit(&E)", "View(&V)", "Device(&D)", "Search(&S)", "Analysis(&A)",
                              "Pattern(&P)", "Settings(&T)", "Window(&W)", "Help(&H)"}));
        QCOMPARE(m_frame->Action(cmd::FileNew)->text(), QString("New(&N)\tCtrl+N"));
        QCOMPARE(m_frame->Action(cmd::FileSaveAs)->text(), QString("Save As(&A)..."));
        QCOMPARE(m_frame->Action(cmd::JumpPageForward)->text(), QString("Jump One Page Forward\tPageUp"));
        QCOMPARE(m_frame->Action(cmd::DeviceStart)->statusTip(),
                 QString("Start the device operation according to the settings."));
        QCOMPARE(m_frame->Action(cmd::DeviceStart)->toolTip(), QString("Start Device Operation"));
        QCOMPARE(m_frame->Action(cmd::FileNew)->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(m_frame->Action(cmd::EditPaste)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}));
        QCOMPARE(m_frame->Action(cmd::JumpPageBackward)->shortcut(), QKeySequence(Qt::Key_PageDown));
        QCOMPARE(m_frame->Action(cmd::BookmarkToggle)->shortcut(), QKeySequence("Ctrl+F2"));
        QCOMPARE(m_frame->Action(cmd::NextPane)->shortcut(), QKeySequence(Qt::Key_F6));
        QCOMPARE(m_frame->ToolBar()->windowTitle(), QString("Standard"));
    }

    void menusInJapanese() {
        cleanup();
        Start("ja_JP.UTF-8");
        QCOMPARE(CStringTable::Language(), LANGUAGE_JAPANESE);
        QCOMPARE(MenuTitles(m_frame->menuBar()).first(), QString("ファイル(&F)"));
        QCOMPARE(m_frame->Action(cmd::FileNew)->text(), QString("新規作成(&N)\tCtrl+N"));
        QCOMPARE(m_frame->Action(cmd::DeviceStop)->statusTip(), QString("デバイスの動作を停止します。"));
        QCOMPARE(m_frame->Properties()->windowTitle(), QString("プロパティ"));
        QVERIFY(m_frame->Action(cmd::LanguageJapanese)->isChecked());
        QVERIFY(!m_frame->Action(cmd::LanguageEnglish)->isChecked());
        QCOMPARE(Active()->Tree()->topLevelItem(0)->text(0), QString("0: 信号0"));
        cleanup();
        Start();
        QCOMPARE(CStringTable::Language(), LANGUAGE_ENGLISH);
        QVERIFY(m_frame->Action(cmd::LanguageEnglish)->isChecked());
    }

    void toolbarInItsOrder() {
        QList<int> expected;
        for (int command : CMenuTable::ToolbarButtons()) {
            expected << command;
        }
        QList<int> shown;
        for (QAction* action : m_frame->ToolBar()->actions()) {
            int id = 0;
            for (int command : CMenuTable::ToolbarButtons()) {
                if (command != 0 && m_frame->Action(command) == action) {
                    id = command;
                }
            }
            QVERIFY(id != 0 || action->isSeparator());
            shown << id;
        }
        QCOMPARE(shown, expected);
    }

    void newIsDisabledWhileADocumentIsOpen() {
        QVERIFY(!m_frame->Action(cmd::FileNew)->isEnabled());
        QTest::keyClick(Active()->View(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_frame->WindowCount(), 1);
        QVERIFY(!m_frame->OnCommand(cmd::FileNew));
        // After the last window closes: menu 128, New enabled again.
        Active()->Doc().Document().Saved = 1;
        QVERIFY(m_frame->OnCommand(cmd::FileClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 0);
        QVERIFY(!m_frame->ShowsDocumentMenu());
        QCOMPARE(MenuTitles(m_frame->menuBar()), QStringList({"File(&F)", "View(&V)", "Help(&H)"}));
        QVERIFY(m_frame->Action(cmd::FileNew)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::FileClose)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::WindowNew)->isEnabled());
        QTest::keyClick(m_frame, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_frame->WindowCount(), 1);
        QVERIFY(m_frame->ShowsDocumentMenu());
        QVERIFY(!m_frame->Action(cmd::FileNew)->isEnabled());
    }

    void acceleratorsReachTheirCommands() {
        CChildFrame* child = Active();
        child->ActivateGraph();
        m_frame->UpdateCommandUI();
        QTest::keyClick(child->View(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_chooser.Dialogs, 1);
        // Save without a path asks for one.
        QTest::keyClick(child->View(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_chooser.Dialogs, 2);
        // F6 and Shift+F6 move between the graph, the tree and the list.
        QTest::keyClick(child->View(), Qt::Key_F6);
        QVERIFY(child->Tree()->hasFocus());
        QVERIFY(!child->GraphIsActiveView());
        QVERIFY(!m_frame->Action(cmd::ZoomIn)->isEnabled());
        QTest::keyClick(child->Tree(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(child->View()->hasFocus());
        QVERIFY(child->GraphIsActiveView());
        QVERIFY(m_frame->Action(cmd::ZoomIn)->isEnabled());
    }

    void aModuleCommandShowsAndRunsThroughTheRealMenu() {
        auto owned = std::make_unique<CProbeModule>([] {});
        CProbeModule* probe = owned.get();
        m_frame->AddModule(std::move(owned));
        QAction* action = m_frame->Action(cmd::PatternClock);
        QMenu* menu = MenuOf(m_frame->menuBar(), action);
        QVERIFY(menu != nullptr);
        OpenMenu(menu);
        QVERIFY(!action->isEnabled());
        action->trigger();
        QCOMPARE(probe->Runs, 0);
        probe->Ready = true;
        OpenMenu(menu);
        QVERIFY(action->isEnabled());
        action->trigger();
        QCOMPARE(probe->Runs, 1);
    }

    void graphCommandsFollowTheActiveViewInTheMenu() {
        CChildFrame* child = Active();
        QAction* zoomIn = m_frame->Action(cmd::ZoomIn);
        QMenu* view = MenuOf(m_frame->menuBar(), zoomIn);
        QVERIFY(view != nullptr);
        child->Tree()->setFocus(Qt::OtherFocusReason);
        OpenMenu(view);
        QVERIFY(!child->GraphIsActiveView());
        QVERIFY(!zoomIn->isEnabled());
        zoomIn->trigger();
        QCOMPARE(child->View()->Zoom(), 1.0);
        child->ActivateGraph();
        OpenMenu(view);
        QVERIFY(zoomIn->isEnabled());
        zoomIn->trigger();
        QCOMPARE(child->View()->Zoom(), 2.0);
        // Edit Disabled through its menu: the document, the graph and pane 1.
        QAction* editDisabled = m_frame->Action(cmd::EditDisabled);
        OpenMenu(MenuOf(m_frame->menuBar(), editDisabled));
        editDisabled->trigger();
        QVERIFY(child->Doc().Document().Condition().ReadOnly != 0);
        QVERIFY(editDisabled->isChecked());
        QCOMPARE(m_frame->StatusPane(1)->text(), QString("Edit disabled"));
    }

    void aBadIndexInACommandShowsMessage61477() {
        CChildFrame* child = Active();
        const std::size_t rows = child->Records().GeneratingTable.Size();
        auto owned = std::make_unique<CProbeModule>([child] {
            child->Records().GeneratingTable.At(child->Records().GeneratingTable.Size() + 5).IsShown = 0;
        });
        CProbeModule* probe = owned.get();
        probe->Ready = true;
        m_frame->AddModule(std::move(owned));
        QAction* action = m_frame->Action(cmd::PatternClock);
        OpenMenu(MenuOf(m_frame->menuBar(), action));
        action->trigger();
        QCOMPARE(probe->Runs, 1);
        QCOMPARE(m_messages.Shown.size(), std::size_t{1});
        QCOMPARE(m_messages.Shown[0].first, std::string("Encountered an improper argument."));
        QCOMPARE(child->Records().GeneratingTable.Size(), rows);
        // The window goes on working.
        QVERIFY(m_frame->OnCommand(cmd::WindowNew));
        QCOMPARE(m_frame->WindowCount(), 2);
    }

    // The last line of defence: a modeless dialog's button, a timer and a
    // command run from a timer reach no command router and no graph event,
    // yet a bad index there ends only that event, with message 61477 once.
    void aBadIndexInTheBookmarkListJumpShowsMessage61477() {
        CChildFrame* child = Active();
        child->ActivateGraph();
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::BookmarkToggle));
        QVERIFY(m_frame->OnCommand(cmd::BookmarkList));
        CBookmarkDlg& dialog = m_frame->Module<CBookmarkCommandModule>()->Dialog();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.List()->rowCount(), 1);
        // A handler of the list's Jump that meets a row past the table, as
        // one with a stale row index would; what follows it never runs.
        CChannelTable& table = child->Records().GeneratingTable;
        const std::size_t rows = table.Size();
        int finished = 0;
        const QMetaObject::Connection stale = connect(&dialog, &CBookmarkDlg::JumpRequested, this, [&] {
            table.At(table.Size() + 3).IsShown = 0;
            ++finished;
        });
        dialog.AutoCloseBox()->setChecked(false);
        dialog.List()->selectRow(0);
        QTest::mouseClick(dialog.JumpButton(), Qt::LeftButton);
        QCOMPARE(m_messages.Texts(), std::vector<std::string>{"Encountered an improper argument."});
        QCOMPARE(m_messages.Shown[0].second, MessageIcon::Error);
        QCOMPARE(CQtUserMessages::CaptionFor(m_messages.Shown[0].first), QString::fromStdString(LoadText(IDS_APP_TITLE)));
        QCOMPARE(finished, 0);
        QCOMPARE(table.Size(), rows);
        QVERIFY(dialog.isVisible());
        disconnect(stale);

        // A timer's slot is guarded the same way.
        m_messages.Shown.clear();
        QTimer::singleShot(0, this, [&] { table.At(rows).IsShown = 0; });
        QTRY_COMPARE(m_messages.Shown.size(), std::size_t{1});
        QCOMPARE(m_messages.Shown[0].first, std::string("Encountered an improper argument."));

        // A command run from inside an event: the router's guard catches it,
        // and the outer guard does not show the message a second time.
        m_messages.Shown.clear();
        auto owned = std::make_unique<CProbeModule>([&table] { table.At(table.Size()).IsShown = 0; });
        CProbeModule* probe = owned.get();
        probe->Ready = true;
        m_frame->AddModule(std::move(owned));
        QTimer::singleShot(0, this, [this] { (void)m_frame->OnCommand(cmd::PatternClock); });
        QTRY_COMPARE(probe->Runs, 1);
        QCoreApplication::processEvents();
        QCOMPARE(m_messages.Shown.size(), std::size_t{1});

        // The window goes on working: the list's Jump moves the caret again.
        const int clock = child->View()->Model().Current().clock;
        QVERIFY(m_frame->OnCommand(cmd::JumpLastClock));
        QVERIFY(child->View()->Model().Current().clock != clock);
        dialog.List()->selectRow(0);
        QTest::mouseClick(dialog.JumpButton(), Qt::LeftButton);
        QCOMPARE(child->View()->Model().Current().clock, clock);
        QCOMPARE(m_messages.Shown.size(), std::size_t{1});

        // A paint that fails shows its message after the paint, once for
        // however many failing paints came before it was shown.
        m_messages.Shown.clear();
        CFailingWidget failing;
        failing.resize(40, 40);
        failing.show();
        QVERIFY(QTest::qWaitForWindowExposed(&failing));
        QTRY_COMPARE(m_messages.Shown.size(), std::size_t{1});
        m_messages.Shown.clear();
        failing.repaint();
        failing.repaint();
        QVERIFY(failing.Paints >= 2);
        QVERIFY(m_messages.Shown.empty());
        QTRY_COMPARE(m_messages.Shown.size(), std::size_t{1});
        QCoreApplication::processEvents();
        QCOMPARE(m_messages.Shown.size(), std::size_t{1});

        // A close that fails leaves the window open.
        m_messages.Shown.clear();
        failing.FailClose = true;
        QVERIFY(!failing.close());
        QVERIFY(failing.isVisible());
        failing.FailClose = false;
        QVERIFY(failing.close());
    }

    void frameworkSaveCommandsAreRefused() {
        QVERIFY(!m_frame->OnCommand(cmd::FrameworkSave));
        QVERIFY(!m_frame->OnCommand(cmd::FrameworkSaveAs));
        QCOMPARE(m_chooser.Dialogs, 0);
    }

    void closeQueryThreeAnswers() {
        Active()->Doc().Document().Saved = 0;
        // Cancel keeps the window.
        m_messages.Answers = {MessageAnswer::Cancel};
        QVERIFY(m_frame->OnCommand(cmd::WindowClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(m_messages.Shown.back().first, std::string("Data is modified, save to the file?"));
        QCOMPARE(m_messages.Shown.back().second, MessageIcon::Question);
        // Yes with a cancelled Save As keeps the window and its data.
        m_messages.Answers = {MessageAnswer::Yes};
        m_chooser.Answer.reset();
        QVERIFY(m_frame->OnCommand(cmd::FileClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(Active()->Doc().Document().Saved.load(), 0);
        // No closes without saving.
        m_messages.Answers = {MessageAnswer::No};
        QVERIFY(m_frame->OnCommand(cmd::FileClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 0);
        QCOMPARE(m_messages.Shown.size(), std::size_t(3));
    }

    void newWindowHasItsOwnRecordsAndClosesWithoutAsking() {
        CChildFrame* first = Active();
        first->Records().GeneratingBookmarks.InsertAt(0, BOOKMARK_DATA{5, "memo", 0});
        first->Doc().Document().Saved = 0;
        QVERIFY(m_frame->OnCommand(cmd::WindowNew));
        QCOMPARE(m_frame->WindowCount(), 2);
        CChildFrame* second = Active();
        QVERIFY(second != first);
        QCOMPARE(&second->Doc(), &first->Doc());
        QCOMPARE(second->Records().GeneratingBookmarks.Size(), 0u);
        QCOMPARE(second->Records().GeneratingTable.Size(), 32u);
        QCOMPARE(first->windowTitle(), QString("Nivara:1"));
        QCOMPARE(second->windowTitle(), QString("Nivara:2"));
        // Closing one of two windows asks nothing.
        QVERIFY(m_frame->OnCommand(cmd::WindowClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 1);
        QVERIFY(m_messages.Shown.empty());
        QCOMPARE(Active()->windowTitle(), QString("Nivara"));
    }

    void closeAllWindowsAsksOnceForTheLast() {
        QVERIFY(m_frame->OnCommand(cmd::WindowNew));
        QVERIFY(m_frame->OnCommand(cmd::WindowNew));
        QCOMPARE(m_frame->WindowCount(), 3);
        Active()->Doc().Document().Saved = 0;
        m_messages.Answers = {MessageAnswer::Cancel};
        QVERIFY(m_frame->OnCommand(cmd::WindowCloseAll));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        m_messages.Answers = {MessageAnswer::No};
        QVERIFY(m_frame->OnCommand(cmd::WindowCloseAll));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 0);
    }

    void exitCancelledByTheCloseQuery() {
        Active()->Doc().Document().Saved = 0;
        m_messages.Answers = {MessageAnswer::Cancel};
        QVERIFY(m_frame->OnCommand(cmd::AppExit));
        QVERIFY(m_frame->isVisible());
        QCOMPARE(m_frame->WindowCount(), 1);
        m_messages.Answers = {MessageAnswer::No};
        QVERIFY(m_frame->OnCommand(cmd::AppExit));
        QVERIFY(!m_frame->isVisible());
    }

    void childFramePanesAndSizes() {
        CChildFrame* child = Active();
        child->showNormal();
        child->resize(900, 600);
        QCoreApplication::processEvents();
        CStaticSplitterWndEx* left = child->LeftSplitter();
        QVERIFY(left->IsLocked());
        for (int i = 1; i < left->count(); ++i) {
            QVERIFY(!left->handle(i)->isEnabled());
        }
        const int bars = 3 * left->handleWidth();
        QList<int> rows = left->sizes();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0], 24);
        QCOMPARE(rows[2], 20);
        QCOMPARE(rows[3], 130);
        QCOMPARE(rows[1], left->height() - bars - 174);
        // s = 1.5 at 144 dots per inch.
        child->SetScaleTenths(15);
        rows = left->sizes();
        QCOMPARE(rows[0], 34);
        QCOMPARE(rows[2], 30);
        QCOMPARE(rows[3], 170);
        QCOMPARE(rows[1], left->height() - bars - 234);
        child->SetScaleTenths(10);
        QCOMPARE(child->OuterSplitter()->sizes().first(), 200);
        // Tree 120 and list 80 share the column with the bar between them.
        const QList<int> middle = child->MiddleSplitter()->sizes();
        QVERIFY(middle[0] > 110 && middle[0] <= 120);
        QVERIFY(middle[1] > 70 && middle[1] <= 80);
        QCOMPARE(middle[0] + middle[1] + child->MiddleSplitter()->handleWidth(), 200);
        QCOMPARE(child->OuterSplitter()->widget(1), static_cast<QWidget*>(child->View()));
        QCOMPARE(child->View()->minimumWidth(), 200);
    }

    void statusListShowsItsFiveLabels() {
        CStatusView* status = Active()->Status();
        QCOMPARE(status->rowCount(), 5);
        QCOMPARE(status->columnCount(), 2);
        QCOMPARE(status->rowHeight(0), 19);
        QVERIFY(status->showGrid());
        QCOMPARE(status->Label(0), QString::fromStdString(LoadText(IDS_STATUS_OPERATION)));
        QCOMPARE(status->Label(4), QString::fromStdString(LoadText(IDS_STATUS_ERROR)));
        QVERIFY(status->Value(0).isEmpty());
    }


    void zoomCommandsAndTheirClamps() {
        CChildFrame* child = Active();
        child->ActivateGraph();
        m_frame->UpdateCommandUI();
        CNivaraView* view = child->View();
        QCOMPARE(view->Zoom(), 1.0);
        QVERIFY(m_frame->OnCommand(cmd::ZoomIn));
        QVERIFY(m_frame->OnCommand(cmd::ZoomIn));
        QCOMPARE(view->Zoom(), 4.0);
        // The key reaches the command once.
        QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(view->Zoom(), 8.0);
        for (int i = 0; i < 10; ++i) {
            m_frame->Action(cmd::ZoomIn)->trigger();
        }
        QCOMPARE(view->Zoom(), 128.0);
        QTest::keyClick(view, Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(view->Zoom(), 1.0);
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
        }
        QCOMPARE(view->Zoom(), 0.0125);
    }

    void graphModesChecksAndStatusPanes() {
        CChildFrame* child = Active();
        child->ActivateGraph();
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::ModeOverwrite));
        QCOMPARE(m_frame->StatusPane(2)->text(), QString("Overwrite"));
        QVERIFY(m_frame->Action(cmd::ModeOverwrite)->isChecked());
        QVERIFY(m_frame->OnCommand(cmd::ModeInsert));
        QCOMPARE(m_frame->StatusPane(2)->text(), QString("Insert"));
        QVERIFY(child->View()->InsertMode());
        QVERIFY(m_frame->OnCommand(cmd::EditDisabled));
        QCOMPARE(m_frame->StatusPane(1)->text(), QString("Edit disabled"));
        QVERIFY(m_frame->Action(cmd::EditDisabled)->isChecked());
        QCOMPARE(child->Doc().Document().Condition().ReadOnly, 1);
        QVERIFY(m_frame->OnCommand(cmd::EditDisabled));
        QVERIFY(m_frame->StatusPane(1)->text().isEmpty());
        QVERIFY(m_frame->OnCommand(cmd::CursorA));
        QVERIFY(child->View()->IsCursorShown(0));
        QVERIFY(m_frame->Action(cmd::CursorA)->isChecked());
        QVERIFY(!m_frame->Action(cmd::CursorB)->isChecked());
        QVERIFY(m_frame->OnCommand(cmd::UnitTime));
        QCOMPARE(child->View()->GraphUnit(), 1);
        QVERIFY(m_frame->Action(cmd::UnitTime)->isChecked());
        QVERIFY(!m_frame->Action(cmd::UnitClock)->isChecked());
        QVERIFY(m_frame->OnCommand(cmd::MouseShiftBit));
        QCOMPARE(child->View()->MouseMode(), 2);
        QVERIFY(m_frame->Action(cmd::MouseShiftBit)->isChecked());
        QCOMPARE(m_frame->StatusPane(3)->text(), QString("CAP"));
        QCOMPARE(m_frame->StatusPane(5)->text(), QString("SCRL"));
    }

    void openSaveAsRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "round.csv";
        QTest::newRow("binary") << "round.vpb";
        QTest::newRow("upper-case CSV is binary") << "ROUND.CSV";
    }

    void openSaveAsRoundTrip() {
        QFETCH(QString, name);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const std::string path = folder.filePath(name).toStdString();
        CLogicDocument& document = Active()->Doc().Document();
        uint32_t* words = document.GeneratingMemory().Data();
        words[0] = 0x12345678;
        words[999] = 0xCAFEF00D;
        document.Saved = 0;
        m_chooser.Answer = path;
        QVERIFY(m_frame->OnCommand(cmd::FileSaveAs));
        QVERIFY(QFileInfo::exists(folder.filePath(name)));
        QCOMPARE(document.Saved.load(), 1);
        QCOMPARE(Active()->Doc().PathName(), QString::fromStdString(path));
        QVERIFY(m_frame->windowTitle().contains(name) || Active()->windowTitle() == name);
        words[0] = 0;
        words[999] = 0;
        document.Saved = 0;
        QVERIFY(m_frame->OnCommand(cmd::FileOpen));
        QCOMPARE(document.GeneratingMemory().Data()[0], 0x12345678u);
        QCOMPARE(document.GeneratingMemory().Data()[999], 0xCAFEF00Du);
        QCOMPARE(document.Saved.load(), 1);
        QVERIFY(m_messages.Shown.empty());
        // A text file under a name the binary reader gets is refused.
        if (name == "ROUND.CSV") {
            QFile::copy(folder.filePath(name), folder.filePath("copy.csv"));
            m_chooser.Answer = folder.filePath("copy.csv").toStdString();
            document.Saved = 0;
            QVERIFY(m_frame->OnCommand(cmd::FileOpen));
            QCOMPARE(m_messages.Shown.size(), std::size_t(1));
            QCOMPARE(m_messages.Shown[0].second, MessageIcon::Error);
            QCOMPARE(document.Saved.load(), 0);
        }
    }

    void conditionFileRoundTrip() {
        QTemporaryDir folder;
        const std::string path = folder.filePath("cond.nvc").toStdString();
        CLogicDocument& document = Active()->Doc().Document();
        document.SetClock(DIRECTION_GENERATING, 7, 3);
        document.SetStopPosition(DIRECTION_GENERATING, 499);
        m_chooser.Answer = path;
        QVERIFY(m_frame->Action(cmd::FileSaveCondition)->isEnabled());
        QVERIFY(m_frame->OnCommand(cmd::FileSaveCondition));
        QVERIFY(QFileInfo::exists(QString::fromStdString(path)));
        document.SetClock(DIRECTION_GENERATING, 1, 2);
        document.SetStopPosition(DIRECTION_GENERATING, 999);
        QVERIFY(m_frame->OnCommand(cmd::FileOpenCondition));
        QCOMPARE(document.Condition().GeneratingGroup.Clock, 7u);
        QCOMPARE(document.Condition().GeneratingGroup.ClockUnit, int16_t(3));
        QCOMPARE(document.Condition().GeneratingGroup.StopPosition, 499u);
        QVERIFY(m_messages.Shown.empty());
        m_chooser.Answer = folder.filePath("missing.nvc").toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileOpenCondition));
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].first, LoadText(IDS_OPEN_FAILED));
        // Save Data Pattern waits for a first data pattern.
        QVERIFY(!m_frame->Action(cmd::FileSaveDataPattern)->isEnabled());
    }

    void failedOpenAndSaveKeepTheSavedFlag() {
        CLogicDocument& document = Active()->Doc().Document();
        document.Saved = 0;
        m_chooser.Answer = "/nonexistent/folder/missing.vpb";
        QVERIFY(m_frame->OnCommand(cmd::FileOpen));
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].first, LoadText(IDS_OPEN_FAILED));
        QCOMPARE(m_messages.Shown[0].second, MessageIcon::Error);
        QCOMPARE(document.Saved.load(), 0);
        m_chooser.Answer = "/nonexistent/folder/out.csv";
        QVERIFY(m_frame->OnCommand(cmd::FileSave));
        QCOMPARE(m_messages.Shown.size(), std::size_t(2));
        QCOMPARE(m_messages.Shown[1].first, LoadText(IDS_SAVE_FAILED));
        QCOMPARE(document.Saved.load(), 0);
        QVERIFY(Active()->Doc().PathName().isEmpty());
    }

    void closeQueryYesSavesAsAndCloses() {
        QTemporaryDir folder;
        CLogicDocument& document = Active()->Doc().Document();
        document.Saved = 0;
        // Yes with a failing Save As keeps the window.
        m_messages.Answers = {MessageAnswer::Yes, MessageAnswer::Yes};
        m_chooser.Answer = "/nonexistent/folder/out.csv";
        QVERIFY(m_frame->OnCommand(cmd::WindowClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(m_messages.Shown.back().first, LoadText(IDS_SAVE_FAILED));
        // Yes with a written file closes.
        m_chooser.Answer = folder.filePath("closing.vpb").toStdString();
        QVERIFY(m_frame->OnCommand(cmd::WindowClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 0);
        QVERIFY(QFileInfo::exists(folder.filePath("closing.vpb")));
    }

    void generatingRunFromTheWindow() {
        CChildFrame* child = Active();
        QVERIFY(child->DeviceOpen());
        QCOMPARE(child->Doc().Document().Condition().DeviceName, std::string("DIO000"));
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->Action(cmd::DeviceStart)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::DeviceStop)->isEnabled());
        // 1000 words at 1 ms, repeated: long enough to be stopped by hand.
        child->Doc().Document().Condition().GeneratingGroup.RepeatCount = 100;
        m_frame->Action(cmd::DeviceStart)->trigger();
        QVERIFY(child->RunActive());
        QVERIFY(!m_frame->Action(cmd::DeviceStart)->isEnabled());
        QVERIFY(m_frame->Action(cmd::DeviceStop)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::FileOpen)->isEnabled());
        QVERIFY(!m_frame->Properties()->isEnabled());
        QCOMPARE(child->Doc().Document().Condition().ReadOnly, 1);
        QTRY_COMPARE_WITH_TIMEOUT(child->Status()->Value(0), QString::fromStdString(LoadText(IDS_OPERATION_RUN)), 3000);
        QCOMPARE(child->Status()->Value(1), QString::fromStdString(LoadText(IDS_MODE_GENERATING)));
        QCOMPARE(child->Status()->Label(2), QString::fromStdString(LoadText(IDS_STATUS_POSITION)));
        m_frame->Action(cmd::DeviceStop)->trigger();
        QVERIFY(!child->RunActive());
        QCOMPARE(child->Doc().Document().Condition().ReadOnly, 0);
        QVERIFY(m_frame->Properties()->isEnabled());
        QVERIFY(m_frame->Action(cmd::DeviceStart)->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(child->Status()->Value(0), QString::fromStdString(LoadText(IDS_OPERATION_STOP)), 3000);
    }

    void secondWindowOfARunningDocument() {
        CChildFrame* first = Active();
        CLogicDocument& document = first->Doc().Document();
        document.Condition().GeneratingGroup.RepeatCount = 100;
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(first->RunActive());
        QVERIFY(m_frame->OnCommand(cmd::WindowNew));
        CChildFrame* second = Active();
        QVERIFY(second != first);
        m_frame->UpdateCommandUI();
        // The second window shares the memories the board works in.
        for (int command : {cmd::DeviceStart, cmd::DeviceStop, cmd::FileOpen, cmd::FileOpenCondition,
                            cmd::FileOpenDataPattern}) {
            QVERIFY2(!m_frame->Action(command)->isEnabled(), QByteArray::number(command));
        }
        QVERIFY(!m_frame->OnCommand(cmd::FileOpenCondition));
        QCOMPARE(m_chooser.Dialogs, 0);
        QVERIFY(!m_frame->Properties()->isEnabled());
        // Closing the running window stops its board and gives the pane back.
        QVERIFY(first->close());
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(document.IsRunning.load(), 0);
        QCOMPARE(document.Condition().ReadOnly, 0);
        QVERIFY(m_frame->Properties()->isEnabled());
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->Action(cmd::FileOpen)->isEnabled());
    }

    void memoriesStayBlockedUntilTheRunThreadsEnd() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        CChildFrame* child = Active();
        CLogicDocument& document = child->Doc().Document();
        LOGIC_CONDITION& condition = document.Condition();
        condition.Direction = DIRECTION_SAMPLING;
        condition.SamplingGroup.Clock = 100;  // 100 ms: the auto-save thread polls every 50 ms
        condition.SamplingGroup.RepeatCount = 50;
        condition.AutoSave = 1;
        condition.AutoSaveFileType = 1;
        condition.AutoSavePath = folder.path().toStdString();
        document.NotifyViews();
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(child->RunActive());
        QTest::qWait(300);
        QVERIFY(m_frame->OnCommand(cmd::DeviceStop));
        QVERIFY(!child->RunActive());
        // The auto-save thread still takes the last words from the memories.
        QVERIFY(child->Run().ThreadsAlive());
        m_frame->UpdateCommandUI();
        QVERIFY(!m_frame->Action(cmd::FileOpen)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::FileOpenCondition)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::DeviceStart)->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!child->Run().ThreadsAlive(), 3000);
        QTest::qWait(600);  // a status tick refreshes the commands
        QVERIFY(m_frame->Action(cmd::FileOpen)->isEnabled());
        QVERIFY(m_frame->Action(cmd::DeviceStart)->isEnabled());
    }

    void closingTheLastWindowMidRunAsksAboutTheRecording() {
        CChildFrame* child = Active();
        CLogicDocument& document = child->Doc().Document();
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.Condition().SamplingGroup.RepeatCount = 50;
        document.Saved = 1;
        document.NotifyViews();
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(child->RunActive());
        QTest::qWait(200);  // 1 ms clock: some 200 words recorded
        m_messages.Answers = {MessageAnswer::Cancel};
        QVERIFY(!child->close());
        QCOMPARE(m_messages.Shown.size(), std::size_t{1});
        QCOMPARE(m_frame->WindowCount(), 1);
        QVERIFY(!child->RunActive());
        QCOMPARE(document.Saved.load(), 0);
    }

    void samplingRunStoppedByHandAndByItsCount() {
        CChildFrame* child = Active();
        CLogicDocument& document = child->Doc().Document();
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.Condition().SamplingGroup.RepeatCount = 50;
        document.NotifyViews();
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(child->RunActive());
        QVERIFY(child->View()->DrawingSuspended());
        QTRY_COMPARE_WITH_TIMEOUT(child->Status()->Value(1), QString::fromStdString(LoadText(IDS_MODE_SAMPLING)), 3000);
        QVERIFY(m_frame->OnCommand(cmd::DeviceStop));
        QVERIFY(!child->RunActive());
        // Drawing resumes with the board's stop notification.
        QTRY_VERIFY_WITH_TIMEOUT(!child->View()->DrawingSuspended(), 3000);
        QVERIFY(document.LastCount.load() > 0);
        QCOMPARE(document.Saved.load(), 0);
        // 200 words at 1 ms end by the count: the board's stop notification
        // reaches the window and stops the run there.
        document.Condition().SamplingGroup.RepeatCount = 1;
        document.Condition().SamplingGroup.StopPosition = 199;
        // Start waits for the threads of the stopped run to take their last words.
        QTRY_VERIFY_WITH_TIMEOUT(child->CanStart() && !child->Run().ThreadsAlive(), 3000);
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(child->RunActive());
        QTRY_VERIFY_WITH_TIMEOUT(!child->RunActive(), 5000);
        QCOMPARE(document.LastCount.load(), 200u);
        QVERIFY(!child->View()->DrawingSuspended());
        // The graph shows the valid part of the recording.
        QCOMPARE(child->View()->LastClock(), 199u);
        QTRY_VERIFY_WITH_TIMEOUT(!child->Run().ThreadsAlive(), 3000);
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->Action(cmd::DeviceStart)->isEnabled() || !child->CanStart());
    }

    void deviceListSelectionReopensTheBoard() {
        CChildFrame* child = Active();
        QComboBox* devices = m_frame->Properties()->DeviceList();
        QVERIFY(devices->count() >= 3);
        devices->setCurrentIndex(2);
        QCOMPARE(child->Doc().Document().Condition().DeviceName, std::string("DIO002"));
        QCOMPARE(child->Doc().Document().Condition().DeviceDesc, std::string("QDX-32C-PE"));
        QCOMPARE(child->Doc().Document().Condition().ModelType, int16_t(1));
        QVERIFY(child->DeviceOpen());
    }

    void commandLineFileIsReadAtStartUp() {
        QTemporaryDir folder;
        const QString path = folder.filePath("start.csv");
        Active()->Doc().Document().GeneratingMemory().Data()[5] = 0xA5A5A5A5;
        m_chooser.Answer = path.toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileSaveAs));
        cleanup();
        m_messages = CScriptedMessages();
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(path));
        m_frame = App()->MainFrame();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(Active()->Doc().Document().GeneratingMemory().Data()[5], 0xA5A5A5A5u);
        QCOMPARE(Active()->Doc().PathName(), path);
        QVERIFY(m_messages.Shown.empty());
        // A file that cannot be read: message 64515, the new window stays.
        cleanup();
        m_messages = CScriptedMessages();
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(folder.filePath("missing.vpb")));
        m_frame = App()->MainFrame();
        QCOMPARE(m_frame->WindowCount(), 1);
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].first, LoadText(IDS_OPEN_FAILED));
        QVERIFY(Active()->Doc().PathName().isEmpty());
    }

    void japaneseStatusTexts() {
        cleanup();
        Start("ja_JP.UTF-8");
        Active()->ActivateGraph();
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::ModeOverwrite));
        QCOMPARE(m_frame->StatusPane(2)->text(), QString("上書き"));
        QVERIFY(m_frame->OnCommand(cmd::EditDisabled));
        QCOMPARE(m_frame->StatusPane(1)->text(), QString("編集禁止"));
        Active()->Doc().Document().Saved = 0;
        m_messages.Answers = {MessageAnswer::Cancel};
        QVERIFY(m_frame->OnCommand(cmd::WindowClose));
        QCOMPARE(m_messages.Shown.back().first, std::string("データは変更されています。保存しますか？"));
    }

    void graphCommandsNeedTheGraphAsActiveView() {
        CChildFrame* child = Active();
        child->ActivateGraph();
        m_frame->UpdateCommandUI();
        QVERIFY(child->GraphIsActiveView());
        child->Tree()->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!child->GraphIsActiveView());
        QVERIFY(!m_frame->Action(cmd::ZoomIn)->isEnabled());
        QVERIFY(!m_frame->Action(cmd::CursorA)->isEnabled());
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_shell.moc"
#include "resources/StringIds.h"
