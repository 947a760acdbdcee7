#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

#include "device/CDeviceRun.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

constexpr uint32_t BlockWords = 1000;
constexpr uint32_t RunWords = 3500;  // three full blocks and half of a fourth

}  // namespace

// An auto-saved sampling run on the simulated board (its counter input makes
// word k of the run k), then the block buttons of the clock scroll bar and a
// jump through the real document window.
class TestGraphBlocks : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void blockButtonsAndJumpsShowTheSavedFiles();

private:
    void Click(const GRAPH_RECT& button);
    // The shown memory holds the run's words of block n, at their absolute clocks.
    void ExpectBlock(int block, uint32_t words);

    CScriptedMessages m_messages;
    CMainFrame* m_frame = nullptr;
    CChildFrame* m_child = nullptr;
};

void TestGraphBlocks::init() {
    m_messages = CScriptedMessages();
    m_messages.DefaultAnswer = MessageAnswer::No;
    App()->SetUserMessages(&m_messages);
    QVERIFY(App()->InitInstance(QString()));
    m_frame = App()->MainFrame();
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    m_child = m_frame->ActiveChildFrame();
    QVERIFY(m_child != nullptr);
}

void TestGraphBlocks::cleanup() {
    if (m_frame != nullptr && m_frame->Doc() != nullptr) {
        m_frame->Doc()->Document().Saved = 1;
    }
    App()->ExitInstance();
    m_frame = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestGraphBlocks::Click(const GRAPH_RECT& button) {
    const QPoint centre((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    QTest::mouseClick(m_child->View(), Qt::LeftButton, Qt::NoModifier, centre);
}

void TestGraphBlocks::ExpectBlock(int block, uint32_t words) {
    CNivaraView* view = m_child->View();
    const CGraphModel& model = view->Model();
    QCOMPARE(model.ShownBlock(), block);
    QCOMPARE(model.AbsoluteOffset(), static_cast<int64_t>(block) * BlockWords);
    QCOMPARE(model.ValidLength(), static_cast<int>(words));
    const CLogicMemory* memory = model.Memory();
    QVERIFY(memory != nullptr);
    for (uint32_t j = 0; j < words; ++j) {
        QCOMPARE(memory->Word(j), static_cast<uint32_t>(block) * BlockWords + j);
    }
    // The clock scroll bar runs over the block's absolute clocks.
    QCOMPARE(model.Geometry().ScrollBar().Minimum(), static_cast<int64_t>(block) * BlockWords);
}

void TestGraphBlocks::blockButtonsAndJumpsShowTheSavedFiles() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    CLogicDocument& document = m_child->Doc().Document();
    LOGIC_CONDITION& condition = document.Condition();
    condition.Direction = DIRECTION_SAMPLING;
    DIRECTION_GROUP& group = condition.SamplingGroup;
    group.ClockType = 1;
    group.Clock = 1000;  // 1 us
    group.ClockUnit = 4;
    group.StartTrigger = 1;
    group.StopTrigger = 4;
    group.StartPosition = 0;
    group.StopPosition = RunWords - 1;
    group.RepeatCount = 1;
    condition.AutoSave = 1;
    condition.AutoSaveFileType = 1;
    condition.AutoSavePath = folder.path().toStdString();
    QVERIFY(document.SetBufferSize(BlockWords));
    document.NotifyViews();
    m_frame->UpdateCommandUI();
    QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
    QTRY_VERIFY_WITH_TIMEOUT(!m_child->RunActive() && !m_child->Run().ThreadsAlive(), 10000);
    QCoreApplication::processEvents();
    QCOMPARE(document.AutoSavedFiles.size(), std::size_t{4});
    QVERIFY(m_messages.Shown.empty());

    CNivaraView* view = m_child->View();
    QVERIFY(view->Model().BlockButtonsShown());
    const CScrollBarGeometry& bar = view->Model().Geometry().ScrollBar();
    Click(bar.LastBlock());
    ExpectBlock(3, RunWords - 3 * BlockWords);
    Click(bar.FirstBlock());
    ExpectBlock(0, BlockWords);
    Click(bar.PreviousBlock());  // already the first
    ExpectBlock(0, BlockWords);
    Click(bar.NextBlock());
    ExpectBlock(1, BlockWords);
    Click(bar.LastBlock());
    ExpectBlock(3, RunWords - 3 * BlockWords);
    Click(bar.NextBlock());  // already the last
    ExpectBlock(3, RunWords - 3 * BlockWords);
    Click(bar.PreviousBlock());
    ExpectBlock(2, BlockWords);

    // A jump into another block loads it and lands on the absolute clock.
    m_child->JumpToClock(1234);
    ExpectBlock(1, BlockWords);
    QCOMPARE(view->Model().Current().clock, 234);
    const std::array<std::string, 4> current = view->Model().BoxLines(INFO_BOX::Current);
    QCOMPARE(QString::fromStdString(current[1]), QStringLiteral("Data: 000004D2[Hex]"));
    QCOMPARE(QString::fromStdString(current[2]), QStringLiteral("Position: 1234[Clock]"));
    // Cursor A placed there keeps its absolute position in another block.
    view->ToggleCursorA();
    QCOMPARE(view->Model().Cursor(0).position, 1234);
    m_child->JumpToClock(3499);
    ExpectBlock(3, RunWords - 3 * BlockWords);
    QCOMPARE(view->Model().Current().clock, 499);
    QCOMPARE(view->Model().Cursor(0).position, 1234);
    QVERIFY(m_messages.Shown.empty());
}

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestGraphBlocks test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_graph_blocks.moc"
