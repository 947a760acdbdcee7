#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "device/CDeviceRun.h"
#include "device/ui/CStatusView.h"
#include "document/CChannelTable.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"
#include "shell/CChildFrameLayout.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelListView.h"
#include "signals/ui/CChannelTreeView.h"
#include "support/CFreshSettingsFolder.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

void ProcessDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The popup of the menu bar that holds the action, opened and closed as the
// user does: its commands are enabled from the state on the way.
bool OpenMenuOf(QMenuBar* bar, QAction* action) {
    for (QAction* top : bar->actions()) {
        if (QMenu* menu = top->menu(); menu != nullptr && menu->actions().contains(action)) {
            menu->popup(QPoint(0, 0));
            menu->hide();
            return true;
        }
    }
    return false;
}

QStringList ListTexts(const CChannelListView& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) {
        texts << list.item(i)->text();
    }
    return texts;
}

LOGIC_DATA Bus(int16_t number, uint32_t mask) {
    LOGIC_DATA row;
    row.DeviceChannel = number;
    row.ChannelName = "Bus";
    row.IsEnable = 1;
    row.IsBus = 1;
    row.BusChannel = mask;
    row.IsShown = 1;
    return row;
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

class TestDocumentWindow : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_frame = nullptr;
    std::unique_ptr<CFreshSettingsFolder> m_settings;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;

    CChildFrame* Active() const { return m_frame->ActiveChildFrame(); }
    CLogicDocument& Document() const { return Active()->Doc().Document(); }
    CChannelTable& Generating() const { return Active()->Records().GeneratingTable; }

    // Moves the row of device channel `channel` to the top of the generating table.
    void MoveToTop(int channel) {
        CChannelTable& table = Generating();
        for (std::size_t i = 0; i < table.Size(); ++i) {
            if (table[i].DeviceChannel == channel && table[i].IsBus == 0) {
                const LOGIC_DATA row = table[i];
                table.RemoveAt(i);
                table.InsertAt(0, row);
                break;
            }
        }
        Active()->RebuildSignalTree();
    }

    void OpenDataPattern(const QString& path) {
        m_chooser.Answer = path.toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileOpenDataPattern));
    }

    void ClearGenerating() {
        CLogicMemory& memory = Document().GeneratingMemory();
        std::fill(memory.Data(), memory.Data() + memory.Length(), 0u);
        Document().Saved = 1;
    }

private slots:
    void init() {
        qputenv("LC_ALL", "C.UTF-8");
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

    void cleanup() {
        if (CNivaraDoc* doc = m_frame->Doc()) {
            doc->Document().Saved = 1;
        }
        App()->ExitInstance();
        m_frame = nullptr;
        ProcessDeletes();
        m_settings.reset();
    }

    // Open Data Pattern writes the DeviceChannel of the chosen row, not the
    // row's index; a bus row stamps nothing and the read fails.
    void dataPatternGoesIntoTheChosenRowsChannel() {
        QTemporaryDir folder;
        const QString path = folder.filePath("one.bdp");
        WriteText(path, "VARDEK NIVARA STUDIOS\r\nVersion,2.2.0.0\r\nData,1\r\nPulseNum,0\r\n\r\n");
        MoveToTop(9);
        CChildFrame* child = Active();
        child->ActivateGraph();
        QVERIFY(child->View()->hasFocus());
        child->View()->SetSelection(0, 0, 0, 0);
        OpenDataPattern(path);
        QVERIFY(m_messages.Shown.empty());
        const CLogicMemory& memory = Document().GeneratingMemory();
        QCOMPARE(memory.Word(0), 1u << 9);
        QCOMPARE(memory.Word(memory.Length() - 1), 1u << 9);
        // The memory changed: the close query asks.
        QCOMPARE(Document().Saved.load(), 0);

        // The graph's caret on a bus row (bus number 1, members 2 and 3).
        ClearGenerating();
        Generating().InsertAt(1, Bus(1, (1u << 2) | (1u << 3)));
        child->RebuildSignalTree();
        const std::vector<std::size_t> shown = Generating().DisplayedRows();
        int busRow = -1;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (Generating()[shown[i]].IsBus != 0) {
                busRow = static_cast<int>(i);
            }
        }
        QVERIFY(busRow >= 0);
        child->View()->SetSelection(0, busRow, 0, busRow);
        OpenDataPattern(path);
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].first, LoadText(IDS_OPEN_FAILED));
        QCOMPARE(m_messages.Shown[0].second, MessageIcon::Error);
        for (uint32_t i = 0; i < memory.Length(); ++i) {
            QCOMPARE(memory.Word(i), 0u);
        }
        QCOMPARE(Document().Saved.load(), 1);

        // Without the graph's focus the first selected tree row counts.
        child->Tree()->setFocus(Qt::OtherFocusReason);
        QVERIFY(!child->View()->hasFocus());
        const int channelFive = [&] {
            for (std::size_t i = 0; i < shown.size(); ++i) {
                if (Generating()[shown[i]].IsBus == 0 && Generating()[shown[i]].DeviceChannel == 5) {
                    return static_cast<int>(i);
                }
            }
            return -1;
        }();
        QVERIFY(channelFive >= 0 && channelFive != 5);
        child->Tree()->Core().SelectVisibleRow(channelFive);
        OpenDataPattern(path);
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(memory.Word(7), 1u << 5);
        ClearGenerating();
        child->Tree()->Core().SelectVisibleRow(busRow);
        OpenDataPattern(path);
        QCOMPARE(m_messages.Shown.size(), std::size_t(2));
        QCOMPARE(memory.Word(7), 0u);
    }

    // The memory option resizes the memory the board writes into: refused in
    // the menu while this window or another window of the document runs.
    void memoryOptionIsRefusedDuringARun() {
        CChildFrame* child = Active();
        Document().Condition().Direction = DIRECTION_SAMPLING;
        Document().Condition().SamplingGroup.RepeatCount = 50;
        Document().NotifyViews();
        QAction* option = m_frame->Action(cmd::SamplingMemoryOption);
        QVERIFY(OpenMenuOf(m_frame->menuBar(), option));
        QVERIFY(option->isEnabled());
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(child->RunActive());
        QVERIFY(OpenMenuOf(m_frame->menuBar(), option));
        QVERIFY(!option->isEnabled());
        QVERIFY(m_frame->OnCommand(cmd::WindowNew));
        QVERIFY(Active() != child);
        QVERIFY(OpenMenuOf(m_frame->menuBar(), option));
        QVERIFY(!option->isEnabled());
        QVERIFY(child->close());
        ProcessDeletes();
        QTRY_VERIFY_WITH_TIMEOUT(Document().IsRunning.load() == 0, 3000);
        QVERIFY(OpenMenuOf(m_frame->menuBar(), option));
        QVERIFY(option->isEnabled());
    }

    // After Open, New and a direction change the value list shows the new
    // document's values at the caret, row for row with the tree.
    void valueListFollowsEveryLoad() {
        QTemporaryDir folder;
        CChildFrame* child = Active();
        // A file with a bus of channels 0 and 1 at the top.
        Generating().InsertAt(0, Bus(0, (1u << 0) | (1u << 1)));
        child->RebuildSignalTree();
        Document().GeneratingMemory().Data()[0] = 0x5;  // channels 0 and 2
        m_chooser.Answer = folder.filePath("bus.vpb").toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileSaveAs));
        // A file of plain signals.
        Generating() = CChannelTable::MakeDefault("Signal");
        child->RebuildSignalTree();
        Document().GeneratingMemory().Data()[0] = 0x80000002;
        m_chooser.Answer = folder.filePath("plain.csv").toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileSaveAs));

        m_chooser.Answer = folder.filePath("bus.vpb").toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileOpen));
        QCoreApplication::processEvents();
        QStringList texts = ListTexts(*child->List());
        QCOMPARE(texts.size(), 33);
        QCOMPARE(texts.mid(0, 4), QStringList({"01", "1", "0", "1"}));
        m_chooser.Answer = folder.filePath("plain.csv").toStdString();
        QVERIFY(m_frame->OnCommand(cmd::FileOpen));
        QCoreApplication::processEvents();
        texts = ListTexts(*child->List());
        QCOMPARE(texts.size(), 32);
        QCOMPARE(texts.mid(0, 3), QStringList({"0", "1", "0"}));
        QCOMPARE(texts[31], QString("1"));

        // A direction change shows the sampling memory's values.
        Document().SamplingMemory().Data()[0] = 0x1;
        m_frame->OnConditionChanged(QString::fromStdString(LoadText(IDS_GRID_MODE)),
                                    QString::fromStdString(LoadText(IDS_GRID_MODE_SAMPLING)));
        QCOMPARE(Document().Condition().Direction, DIRECTION_SAMPLING);
        QCoreApplication::processEvents();
        texts = ListTexts(*child->List());
        QCOMPARE(texts.size(), 32);
        QCOMPARE(texts.mid(0, 3), QStringList({"1", "0", "0"}));
        QCOMPARE(texts[31], QString("0"));

        // New after the last window closed: the new document's values, not "-".
        Document().Saved = 1;
        QVERIFY(m_frame->OnCommand(cmd::WindowClose));
        ProcessDeletes();
        QCOMPARE(m_frame->WindowCount(), 0);
        QVERIFY(m_frame->OnCommand(cmd::FileNew));
        QVERIFY(Active() != nullptr);
        QCoreApplication::processEvents();
        texts = ListTexts(*Active()->List());
        QCOMPARE(texts.size(), 32);
        QVERIFY2(!texts.contains("-"), qPrintable(texts.join(',')));
    }

    // The status list keeps the pane's width: the labels take what they
    // need, the values the rest; a value still too wide has a tooltip.
    void statusListGivesTheValuesTheRestOfThePane() {
        CChildFrame* child = Active();
        CStatusView* status = child->Status();
        QCOMPARE(child->OuterSplitter()->sizes().first(), CChildFrameLayout::LeftColumnWidth);
        const QFontMetrics metrics = status->fontMetrics();
        int widest = 0;
        for (int row = 0; row < CStatusView::Rows; ++row) {
            widest = std::max(widest, metrics.horizontalAdvance(status->Label(row)));
        }
        QVERIFY(widest > 0);
        QVERIFY(status->columnWidth(0) >= widest);
        QVERIFY2(status->columnWidth(0) <= widest + 10, qPrintable(QString::number(status->columnWidth(0))));
        QCOMPARE(status->columnWidth(0) + status->columnWidth(1), status->viewport()->width());

        const QString position = "2733 / 5000 [Clock]";
        status->SetValue(2, position);
        const bool fits = metrics.horizontalAdvance(position) + 8 <= status->columnWidth(1);
        QCOMPARE(status->item(2, 1)->toolTip(), fits ? QString() : position);
        const QString errors = QString::fromStdString(LoadText(IDS_ERROR_TRANSFER) + ", " +
                                                      LoadText(IDS_ERROR_BUFFER_OVERFLOW) + ", ");
        status->SetValue(4, errors);
        QCOMPARE(status->item(4, 1)->toolTip(), errors);
        status->SetValue(4, "-");
        QVERIFY(status->item(4, 1)->toolTip().isEmpty());
        // A wider pane gives the values room: the tooltip goes.
        child->OuterSplitter()->setSizes({600, 600});
        QCoreApplication::processEvents();
        QCOMPARE(status->columnWidth(0) + status->columnWidth(1), status->viewport()->width());
        QVERIFY(status->columnWidth(0) <= widest + 10);
        status->SetValue(4, errors);
        QVERIFY(status->item(4, 1)->toolTip().isEmpty());
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestDocumentWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_document_window.moc"
