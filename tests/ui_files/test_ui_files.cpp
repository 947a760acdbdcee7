// Value change dumps through the window's File menu: Save As writes a copy,
// Open reads a generating document, and a sampled run's dump passes the
// waveform viewer's converter.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <functional>

#include "device/CDeviceRun.h"
#include "document/CLogicDocument.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Chooses a command as the user does: the File menu is opened (its commands
// are enabled from the state on the way) and the item is triggered.
bool ChooseFromMenu(CMainFrame* frame, int command) {
    QAction* action = frame->Action(command);
    for (QAction* top : frame->menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (menu != nullptr && menu->actions().contains(action)) {
            menu->popup(QPoint(0, 0));
            const bool enabled = action->isEnabled();
            if (enabled) action->trigger();
            menu->hide();
            return enabled;
        }
    }
    return false;
}

}  // namespace

class TestFileTypes : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
    QTemporaryDir m_folder;

    CChildFrame* Active() const { return m_frame->ActiveChildFrame(); }
    std::string Path(const char* name) const { return m_folder.filePath(name).toStdString(); }

private slots:
    void init() {
        m_messages = CScriptedMessages();
        m_chooser = CScriptedChooser();
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_frame = App()->MainFrame();
        m_frame->SetFileChooser(&m_chooser);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }

    void cleanup() {
        if (CNivaraDoc* doc = m_frame->Doc()) doc->Document().Saved = 1;
        App()->ExitInstance();
        m_frame = nullptr;
        ProcessDeletes();
    }

    void saveAsDumpWritesACopyAndOpenReadsItBack() {
        CLogicDocument& document = Active()->Doc().Document();
        for (uint32_t i = 0; i < 1000; ++i) document.GeneratingMemory().Data()[i] = i * 0x01010101U;
        m_chooser.Answer = Path("doc.vpb");
        QVERIFY(ChooseFromMenu(m_frame, cmd::FileSaveAs));
        QCOMPARE(document.Saved.load(), 1);
        document.GeneratingMemory().Data()[3] = 0xDEADBEEF;
        document.Saved = 0;

        m_chooser.Answer = Path("copy.vcd");
        QVERIFY(ChooseFromMenu(m_frame, cmd::FileSaveAs));
        QVERIFY(QFileInfo::exists(QString::fromStdString(Path("copy.vcd"))));
        QVERIFY(m_chooser.LastFilter.find("|*.csv|VCD files (*.vcd) |*.vcd||") != std::string::npos);
        QCOMPARE(m_chooser.LastInitial, Path("doc.vpb"));
        // A copy: the document keeps its path, title and unsaved data.
        QCOMPARE(Active()->Doc().PathName().toStdString(), Path("doc.vpb"));
        QCOMPARE(Active()->Doc().Title(), QString("doc.vpb"));
        QCOMPARE(document.Saved.load(), 0);
        QVERIFY(m_messages.Shown.empty());

        // Open reads the dump as a new generating document.
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.GeneratingMemory().Data()[3] = 0;
        document.Saved = 1;
        QVERIFY(ChooseFromMenu(m_frame, cmd::FileOpen));
        QVERIFY(m_chooser.LastFilter.find("VCD files (*.vcd) |*.vcd||") != std::string::npos);
        QVERIFY2(m_messages.Shown.empty(), m_messages.Shown.empty() ? "" : m_messages.Shown[0].first.c_str());
        QCOMPARE(document.Condition().Direction, int16_t(DIRECTION_GENERATING));
        QCOMPARE(document.GeneratingMemory().Length(), 1000u);
        QCOMPARE(document.GeneratingMemory().Data()[3], 0xDEADBEEFu);
        QCOMPARE(document.GeneratingMemory().Data()[999], 999u * 0x01010101U);
        QCOMPARE(Active()->Records().GeneratingTable.At(5).ChannelName, std::string("Signal5"));
        // The words are in no document file yet.
        QVERIFY(Active()->Doc().PathName().isEmpty());
        QCOMPARE(Active()->Doc().Title(), QString("copy.vcd"));
        QCOMPARE(document.Saved.load(), 0);
    }

    void aRefusedDumpNamesItsLineAndChangesNothing() {
        CLogicDocument& document = Active()->Doc().Document();
        document.GeneratingMemory().Data()[0] = 0x55;
        QFile bad(QString::fromStdString(Path("bad.vcd")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("$timescale 1ns $end\n$var wire 1 ! a $end\n$enddefinitions $end\n#0\n1!\n#5\nq!\n");
        bad.close();
        document.Saved = 1;
        m_chooser.Answer = Path("bad.vcd");
        QVERIFY(ChooseFromMenu(m_frame, cmd::FileOpen));
        QCOMPARE(m_messages.Shown.size(), std::size_t{1});
        QCOMPARE(m_messages.Shown[0].second, MessageIcon::Error);
        QCOMPARE(m_messages.Shown[0].first, LoadText(IDS_OPEN_FAILED) + "\r\n" + Path("bad.vcd") +
                                                ":7: \"q!\" is not a value change");
        QCOMPARE(document.GeneratingMemory().Length(), 1000u);
        QCOMPARE(document.GeneratingMemory().Data()[0], 0x55u);
        QCOMPARE(document.Saved.load(), 1);
    }

    void aSampledRunsDumpPassesTheViewersConverter() {
        CChildFrame* child = Active();
        CLogicDocument& document = child->Doc().Document();
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.Condition().SamplingGroup.RepeatCount = 1;
        document.Condition().SamplingGroup.StopPosition = 299;
        document.NotifyViews();
        QVERIFY(ChooseFromMenu(m_frame, cmd::DeviceStart));
        QTRY_VERIFY_WITH_TIMEOUT(!child->RunActive(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!child->Run().ThreadsAlive(), 3000);
        QCOMPARE(document.LastCount.load(), 300u);
        std::vector<uint32_t> sampled(document.SamplingMemory().Data(), document.SamplingMemory().Data() + 300);
        // The simulated board's inputs change: the dump has changes to carry.
        QVERIFY(std::adjacent_find(sampled.begin(), sampled.end(), std::not_equal_to<>()) != sampled.end());

        m_chooser.Answer = Path("run.vcd");
        QVERIFY(ChooseFromMenu(m_frame, cmd::FileSaveAs));
        QVERIFY(m_messages.Shown.empty());
        const QString converter = QStandardPaths::findExecutable("vcd2fst");
        if (!converter.isEmpty()) {
            QProcess process;
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(converter, {m_folder.filePath("run.vcd"), m_folder.filePath("run.fst")});
            QVERIFY(process.waitForFinished(30000));
            const QString log = QString::fromLocal8Bit(process.readAll());
            QCOMPARE(process.exitCode(), 0);
            QVERIFY2(!log.contains("arning") && !log.contains("rror"), qPrintable(log));
            QVERIFY(QFileInfo(m_folder.filePath("run.fst")).size() > 0);
        }

        // Read back, the dump gives the recorded words.
        QVERIFY(ChooseFromMenu(m_frame, cmd::FileOpen));
        QVERIFY(m_messages.Shown.empty());
        QCOMPARE(document.Condition().Direction, int16_t(DIRECTION_GENERATING));
        QCOMPARE(document.GeneratingMemory().Length(), 300u);
        for (uint32_t i = 0; i < 300; ++i) QCOMPARE(document.GeneratingMemory().Data()[i], sampled[i]);
        if (converter.isEmpty()) QSKIP("vcd2fst is not installed: the converter check did not run");
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestFileTypes test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_files.moc"
