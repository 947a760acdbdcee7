#include <QTreeWidget>
#include <QtTest>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/IUserMessages.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "document/IFileChooser.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelTreeView.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

}  // namespace

// The graph's editing through the main window: the Edit menu's accelerators,
// the navigation keys that stay with the signal tree, and a file edited with
// keys only, saved and read back.
class TestEditingFrame : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void keysUndoRedoAndSaveReadBack();

private:
    void Start(const QString& path) {
        m_messages.DefaultAnswer = MessageAnswer::No;
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(path));
        m_frame = App()->MainFrame();
        m_frame->SetFileChooser(&m_chooser);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }
    CNivaraView* Graph() {
        CChildFrame* child = m_frame->ActiveChildFrame();
        child->ActivateGraph();
        child->View()->setFocus();
        QCoreApplication::processEvents();
        return child->View();
    }
    CLogicMemory& Memory() { return m_frame->ActiveChildFrame()->Doc().Document().GeneratingMemory(); }

    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
};

void TestEditingFrame::cleanup() {
    if (m_frame != nullptr && m_frame->Doc() != nullptr) {
        m_frame->Doc()->Document().Saved = 1;
    }
    App()->ExitInstance();
    m_frame = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestEditingFrame::keysUndoRedoAndSaveReadBack() {
    Start(QString());
    CNivaraView* view = Graph();
    QVERIFY(!m_frame->Action(cmd::EditUndo)->isEnabled());
    // Clocks 0..2 of rows 0 and 1 become 1; the caret moves on to clock 3.
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_1);
    for (uint32_t i = 0; i < Memory().Length(); ++i) {
        QCOMPARE(Memory().Data()[i], i <= 2 ? 3U : 0U);
    }
    QCOMPARE(view->Model().Current().clock, 3);
    QVERIFY(m_frame->Action(cmd::EditUndo)->isEnabled());
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Memory().Data()[1], 0U);
    QVERIFY(m_frame->Action(cmd::EditRedo)->isEnabled());
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Memory().Data()[1], 3U);
    // Backspace at clock 3 of row 0 deletes clock 2 of that row.
    view->SetSelection(3, 0, 3, 0);
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(Memory().Data()[2], 2U);
    QCOMPARE(view->Model().Current().clock, 2);

    // Home in the signal tree is the tree's; in the graph it jumps to clock 0.
    view->SetSelection(500, 0, 500, 0);
    CChildFrame* child = m_frame->ActiveChildFrame();
    child->Tree()->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(child->Tree(), Qt::Key_Home);
    QCOMPARE(view->Model().Current().clock, 500);
    view = Graph();
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->Model().Current().clock, 999);
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(view->Model().Current().clock, 0);

    // Save, then open the file again: the words the keys gave.
    const QString path = QDir(QDir::tempPath())
                             .filePath(QStringLiteral("nivara-editing-%1.vpb").arg(QCoreApplication::applicationPid()));
    m_chooser.Answer = path.toStdString();
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_frame->Doc()->Document().Saved.load(), 1);
    // Undo after the save: the document is modified again.
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_frame->Doc()->Document().Saved.load(), 0);
    m_frame->Doc()->Document().Saved = 1;
    App()->ExitInstance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    Start(path);
    QCOMPARE(Memory().Length(), 1000U);
    for (uint32_t i = 0; i < Memory().Length(); ++i) {
        const uint32_t expected = i <= 1 ? 3U : (i == 2 ? 2U : 0U);
        QCOMPARE(Memory().Data()[i], expected);
    }
    QFile::remove(path);
}

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestEditingFrame test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_editing_frame.moc"
