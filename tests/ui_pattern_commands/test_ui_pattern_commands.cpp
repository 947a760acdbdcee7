#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "analysis/ui/CAnalysisResults.h"
#include "document/CLogicDocument.h"
#include "graph/ui/CNivaraView.h"
#include "patterns/ui/CSwapDlg.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelTreeView.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

QMenu* MenuOf(QMenuBar* bar, QAction* action) {
    for (QAction* top : bar->actions()) {
        if (QMenu* menu = top->menu(); menu != nullptr && menu->actions().contains(action)) return menu;
    }
    return nullptr;
}

// Answers the next modal dialog the way a user fills it in.
void AnswerDialog(std::function<void(QDialog&)> answer, int* shown = nullptr) {
    QTimer::singleShot(0, [answer = std::move(answer), shown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        if (shown != nullptr) ++*shown;
        answer(*dialog);
    });
}

void Type(QDialog& dialog, int id, const char* text) {
    QLineEdit* edit = dialog.findChild<QLineEdit*>(QString::number(id));
    QVERIFY(edit != nullptr);
    edit->setText(QString::fromLatin1(text));
}

void Choose(QDialog& dialog, int id, int index) {
    QComboBox* list = dialog.findChild<QComboBox*>(QString::number(id));
    QVERIFY(list != nullptr);
    list->setCurrentIndex(index);
}

void Create(QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == QString::fromStdString(LoadText(IDS_PATTERN_CREATE))) {
            button->click();
            return;
        }
    }
    QFAIL("no Create button");
}

uint32_t Bit(const CLogicMemory& memory, std::size_t clock, int channel) {
    return (memory.Data()[clock] >> channel) & 1U;
}

}  // namespace

class TestPatternCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<CMainFrame> m_frame;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;

    CChildFrame* Active() const { return m_frame->ActiveChildFrame(); }
    CLogicDocument& Document() const { return Active()->Doc().Document(); }

    // Chooses a command from its menu, as the user does: the menu is opened
    // first, which enables its commands from the state. False when disabled.
    bool Choose(int command) {
        QAction* action = m_frame->Action(command);
        QMenu* menu = MenuOf(m_frame->menuBar(), action);
        if (menu == nullptr) {
            for (QAction* top : m_frame->menuBar()->actions()) {
                for (QAction* inner : top->menu()->actions()) {
                    if (inner->menu() != nullptr && inner->menu()->actions().contains(action)) menu = inner->menu();
                }
            }
        }
        if (menu == nullptr) return false;
        menu->popup(QPoint(0, 0));
        menu->hide();
        if (!action->isEnabled()) return false;
        action->trigger();
        return true;
    }

    void ClockOnChannel(int channel, int start, const char* zeros, const char* ones, const char* pulses) {
        int shown = 0;
        AnswerDialog([=](QDialog& dialog) {
            Type(dialog, 1011, QByteArray::number(channel).constData());
            ::Choose(dialog, 1012, start);
            Type(dialog, 1013, zeros);
            Type(dialog, 1014, ones);
            Type(dialog, 1015, pulses);
            Create(dialog);
        }, &shown);
        QVERIFY(Choose(cmd::PatternClock));
        QCOMPARE(shown, 1);
    }

private slots:
    void init() {
        m_messages = CScriptedMessages();
        m_chooser = CScriptedChooser();
        m_frame = std::make_unique<CMainFrame>(&m_messages);
        m_frame->SetFileChooser(&m_chooser);
        QVERIFY(m_frame->OnFileNew() != nullptr);
        m_frame->resize(1280, 900);
        m_frame->show();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        Active()->ActivateGraph();
    }

    void cleanup() {
        if (m_frame && m_frame->Doc() != nullptr) m_frame->Doc()->Document().Saved = 1;
        m_frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void clockPatternFromTheMenuIsOneUndoStepAndEntersTheDataPatternPage() {
        CLogicMemory& memory = Document().GeneratingMemory();
        memory.Data()[20] = 0xFFFFFFFFu;
        memory.Data()[7] = 0x1u;
        QAction* saveDataPattern = m_frame->Action(cmd::FileSaveDataPattern);
        QVERIFY(!Choose(cmd::FileSaveDataPattern));
        // The graph has the focus: its current row decides the channel offered.
        Active()->View()->Model().SetCurrent({0, 5});
        Active()->View()->Model().SetAnchor({0, 5});
        int shown = 0;
        QString offered;
        AnswerDialog([&](QDialog& dialog) {
            offered = dialog.findChild<QLineEdit*>("1011")->text();
            Type(dialog, 1013, "2");
            Type(dialog, 1014, "3");
            Type(dialog, 1015, "4");
            Create(dialog);
        }, &shown);
        QVERIFY(Choose(cmd::PatternClock));
        QCOMPARE(shown, 1);
        QCOMPARE(offered, QStringLiteral("5"));
        const uint32_t expected[5] = {0, 0, 1, 1, 1};
        for (std::size_t clock = 0; clock < 20; ++clock) QCOMPARE(Bit(memory, clock, 5), expected[clock % 5]);
        QCOMPARE(memory.Data()[20], 0xFFFFFFFFu);  // beyond the pulse count
        QCOMPARE(memory.Data()[7], 0x21u);         // the other channels stay
        QCOMPARE(Active()->Records().DataPatterns.Size(), std::size_t(1));
        QCOMPARE(Active()->Records().DataPatterns.At(0)->Bits, std::string("00111"));
        QCOMPARE(CAnalysisResults::Of(*Active()->View())->Pages().Page(), RESULT_PAGE::DataPattern);
        QCOMPARE(Document().Saved.load(), 0);
        QCOMPARE(Document().PatternParameters.BasicPatternLength, 5U);

        // Save Data Pattern is open now and writes the pattern's file.
        QTemporaryDir folder;
        const QString path = folder.filePath("clock.bdp");
        m_chooser.Answer = path.toStdString();
        QVERIFY(Choose(cmd::FileSaveDataPattern));
        QVERIFY(saveDataPattern->isEnabled());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("VARDEK NIVARA STUDIOS\r\nVersion,2.2.0.0\r\nData,00111\r\nPulseNum,4\r\n\r\n"));

        // One Undo takes the whole pattern back.
        QVERIFY(Choose(cmd::EditUndo));
        for (std::size_t clock = 0; clock < 20; ++clock) QCOMPARE(Bit(memory, clock, 5), 0U);
        QCOMPARE(memory.Data()[7], 0x1u);
        QVERIFY(!Choose(cmd::EditUndo));
    }

    void clockPatternSavedAsReadsBackWithItsWords() {
        ClockOnChannel(9, 1, "2", "3", "0");
        CLogicMemory& memory = Document().GeneratingMemory();
        QCOMPARE(memory.Length(), 1000U);
        const uint32_t expected[5] = {1, 1, 1, 0, 0};
        for (std::size_t clock = 0; clock < memory.Length(); ++clock) QCOMPARE(Bit(memory, clock, 9), expected[clock % 5]);
        QCOMPARE(Active()->Records().DataPatterns.At(0)->Bits, std::string("11100"));
        QTemporaryDir folder;
        const QString path = folder.filePath("clock.csv");
        m_chooser.Answer = path.toStdString();
        QVERIFY(Choose(cmd::FileSaveAs));
        memory.Clear();
        QVERIFY(Choose(cmd::FileOpen));
        QVERIFY(!m_messages.Showed(LoadText(IDS_OPEN_FAILED)));
        const CLogicMemory& read = Document().GeneratingMemory();
        QCOMPARE(read.Length(), 1000U);
        for (std::size_t clock = 0; clock < read.Length(); ++clock) {
            QCOMPARE(read.Data()[clock], expected[clock % 5] << 9);
        }
    }

    void continuousRepeatsTheSelectedStretchOfTheAnchorRow() {
        CLogicMemory& memory = Document().GeneratingMemory();
        memory.Data()[4] = 1U << 1;  // row 1: 1, 0, 0 at clocks 4..6
        memory.Data()[9] = 1U << 2;  // beyond the pattern: kept
        CGraphModel& model = Active()->View()->Model();
        model.SetAnchor({4, 1});
        model.SetCurrent({6, 3});
        int shown = 0;
        int rowWhenShown = -1;
        AnswerDialog([&](QDialog& dialog) {
            rowWhenShown = model.Current().row;
            Type(dialog, 1016, "2");
            Type(dialog, 1017, "3");
            Create(dialog);
        }, &shown);
        QVERIFY(Choose(cmd::PatternContinuous));
        QCOMPARE(shown, 1);
        QCOMPARE(rowWhenShown, 1);  // the selection keeps one row, the source
        const uint32_t expected[9] = {1, 0, 0, 1, 0, 0, 1, 0, 0};
        for (std::size_t clock = 0; clock < 9; ++clock) QCOMPARE(Bit(memory, clock, 2), expected[clock]);
        QCOMPARE(Bit(memory, 9, 2), 1U);
        QCOMPARE(Active()->Records().DataPatterns.At(0)->Bits, std::string("100"));
        QCOMPARE(Active()->Records().DataPatterns.At(0)->Kind, int16_t(1));
    }

    void offsetSetsTheChannelAndSixPatternsKeepFive() {
        for (int i = 0; i < 6; ++i) ClockOnChannel(i, 0, "1", QByteArray::number(i + 1).constData(), "0");
        QCOMPARE(Active()->Records().DataPatterns.Size(), std::size_t(5));
        QCOMPARE(Active()->Records().DataPatterns.At(0)->Bits, std::string("011"));  // the first went
        // Offset 1 on channel 3 from the tree's selection.
        Active()->Tree()->setFocus(Qt::OtherFocusReason);
        Active()->Tree()->SelectRow(3);
        QCoreApplication::processEvents();
        QString offered;
        AnswerDialog([&](QDialog& dialog) {
            offered = dialog.findChild<QLineEdit*>("1018")->text();
            ::Choose(dialog, 1019, 1);
            Create(dialog);
        });
        QVERIFY(Choose(cmd::PatternOffset));
        QCOMPARE(offered, QStringLiteral("3"));
        const CLogicMemory& memory = Document().GeneratingMemory();
        for (std::size_t clock = 0; clock < memory.Length(); ++clock) QCOMPARE(Bit(memory, clock, 3), 1U);
        QCOMPARE(Active()->Records().DataPatterns.Size(), std::size_t(5));  // an offset keeps no pattern
        QCOMPARE(Document().PatternParameters.BasicPatternLength, 1U);
    }

    void aBadChannelKeepsTheDialogOpenAndCancelChangesNothing() {
        int shown = 0;
        bool stayedOpen = false;
        AnswerDialog([&](QDialog& dialog) {
            Type(dialog, 1011, "32");
            Create(dialog);
            stayedOpen = dialog.isVisible();
            dialog.reject();
        }, &shown);
        QVERIFY(Choose(cmd::PatternClock));
        QCOMPARE(shown, 1);
        QVERIFY(stayedOpen);
        QVERIFY(m_messages.Showed("Enter an integer between 0 and 31."));
        QCOMPARE(Document().Saved.load(), 1);
        QVERIFY(!Choose(cmd::FileSaveDataPattern));
        QVERIFY(!Choose(cmd::EditUndo));
    }

    void swapExchangesTwoChannelsAsOneUndoStep() {
        CLogicMemory& memory = Document().GeneratingMemory();
        for (std::size_t clock = 0; clock < memory.Length(); ++clock) memory.Data()[clock] = clock % 2 == 0 ? 0x1u : 0x30u;
        int shown = 0;
        QString firstText;
        AnswerDialog([&](QDialog& dialog) {
            auto* swap = qobject_cast<CSwapDlg*>(&dialog);
            QVERIFY(swap != nullptr);
            firstText = swap->FirstList()->itemText(3);
            swap->SecondList()->setCurrentIndex(3);
            swap->accept();
        }, &shown);
        QVERIFY(Choose(cmd::EditSwap));
        QCOMPARE(shown, 1);
        QCOMPARE(firstText, QStringLiteral("3:Signal3"));
        for (std::size_t clock = 0; clock < memory.Length(); ++clock) {
            QCOMPARE(memory.Data()[clock], clock % 2 == 0 ? 0x8u : 0x30u);
        }
        QCOMPARE(Document().Saved.load(), 0);
        QVERIFY(Choose(cmd::EditUndo));
        for (std::size_t clock = 0; clock < memory.Length(); ++clock) {
            QCOMPARE(memory.Data()[clock], clock % 2 == 0 ? 0x1u : 0x30u);
        }
    }

    void editingDisabledOffersNoPatternAndSwapChangesNothing() {
        QVERIFY(Choose(cmd::EditDisabled));
        QVERIFY(Document().Condition().ReadOnly != 0);
        int shown = 0;
        AnswerDialog([](QDialog& dialog) { dialog.reject(); }, &shown);
        QVERIFY(!Choose(cmd::PatternClock));
        QVERIFY(!Choose(cmd::PatternContinuous));
        QVERIFY(!Choose(cmd::PatternOffset));
        Document().GeneratingMemory().Data()[0] = 0x1u;
        (void)Choose(cmd::EditSwap);  // offered while generating; refuses to change anything
        QCoreApplication::processEvents();
        QCOMPARE(shown, 0);
        QCOMPARE(Document().GeneratingMemory().Data()[0], 0x1u);
        QVERIFY(!Choose(cmd::EditUndo));
        // The sampling direction offers none of them.
        QVERIFY(Choose(cmd::EditDisabled));
        Document().Condition().Direction = DIRECTION_SAMPLING;
        QVERIFY(!Choose(cmd::PatternClock));
        QVERIFY(!Choose(cmd::EditSwap));
    }
};

QTEST_MAIN(TestPatternCommands)
#include "test_ui_pattern_commands.moc"
