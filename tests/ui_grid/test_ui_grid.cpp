#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <deque>

#include "document/CLogicDocument.h"
#include "document/IUserMessages.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"
#include "shell/CConditionGrid.h"
#include "shell/IConditionGridHost.h"
#include "shell/IFolderChooser.h"
#include "shell/ui/CFolderPropertyEdit.h"
#include "shell/ui/CMemoryOptionDlg.h"
#include "shell/ui/CPropertyGridCtrl.h"
#include "shell/ui/CPropertiesWnd.h"
#include "files/CHeadlessFileWindow.h"
#include "files/ConditionFile.h"
#include "document/CEntryRules.h"
#include "resources/CommandIds.h"
#include "document/IFileChooser.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CConditionPane.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelTreeView.h"
#include "graph/ui/CNivaraView.h"
#include "support/CScriptedChooser.h"
#include "support/CScriptedMessages.h"
#include <QAction>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class ScriptedFolders : public IFolderChooser {
public:
    std::optional<std::string> ChooseFolder(const std::string& initial) override {
        Initial = initial;
        return Answer;
    }
    std::optional<std::string> Answer;
    std::string Initial;
};

class NoHost : public IConditionGridHost {
public:
    void OnDirectionChanged() override { ++Directions; }
    void OnMemoryResized(int) override {}
    int Directions = 0;
};

// The editor commits through queued calls, the grid reports through one more.
void Settle() {
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

// The editor open in the grid's value column.
template <class T>
T* OpenEditor(CPropertyGridCtrl& grid, const QString& name) {
    QTreeWidgetItem* item = grid.PropertyItem(name);
    if (item == nullptr) {
        return nullptr;
    }
    grid.EditProperty(item);
    return qobject_cast<T*>(grid.Editor(item));
}

}  // namespace

// The grid widget over the core grid and a document, wired as the condition
// pane wires them.
class TestGrid : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<CLogicDocument> m_document;
    std::unique_ptr<CConditionGrid> m_core;
    std::unique_ptr<CPropertyGridCtrl> m_grid;
    CScriptedMessages m_messages;
    ScriptedFolders m_folders;
    NoHost m_host;

    // Types a value into the named property's editor and commits it.
    void Type(const QString& name, const QString& value) {
        auto* edit = OpenEditor<QLineEdit>(*m_grid, name);
        QVERIFY2(edit != nullptr, qPrintable(name));
        edit->selectAll();
        QTest::keyClicks(edit, value);
        QTest::keyClick(edit, Qt::Key_Return);
        Settle();
    }
    void Pick(const QString& name, const QString& option) {
        auto* box = OpenEditor<QComboBox>(*m_grid, name);
        QVERIFY2(box != nullptr, qPrintable(name));
        const int index = box->findText(option);
        QVERIFY2(index >= 0, qPrintable(option));
        box->setCurrentIndex(index);
        emit box->activated(index);
        Settle();
    }
    QString Shown(const QString& name) const { return m_grid->PropertyItem(name)->text(1); }

private slots:
    void init() {
        CStringTable::SetLanguage(LANGUAGE_ENGLISH);
        m_messages = CScriptedMessages();
        m_messages.DefaultAnswer = MessageAnswer::No;
        m_document = std::make_unique<CLogicDocument>("/tmp/Nivara");
        m_core = std::make_unique<CConditionGrid>(m_messages);
        m_core->BuildDefaultGrid("/tmp/Nivara");
        m_grid = std::make_unique<CPropertyGridCtrl>();
        m_grid->SetFolderChooser(&m_folders);
        m_grid->resize(400, 600);
        m_grid->BuildGrid(m_core->Groups());
        connect(m_grid.get(), &CPropertyGridCtrl::PropertyChanged, this, [this](const QString& name, const QString& value) {
            m_core->OnConditionChanged(*m_document, m_host, name.toStdString(), value.toStdString());
            m_grid->ShowGrid(m_core->Groups());
        });
        m_core->RefreshGrid(*m_document);
        m_grid->ShowGrid(m_core->Groups());
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    }
    void cleanup() { m_grid.reset(); }

    void groupsAndHiddenPropertiesOfGenerating() {
        QTreeWidget* tree = m_grid->Tree();
        QCOMPARE(tree->topLevelItemCount(), 7);
        QCOMPARE(tree->topLevelItem(0)->text(0), QString("Mode"));
        QCOMPARE(tree->topLevelItem(3)->childCount(), 4);
        QVERIFY(tree->topLevelItem(4)->isHidden());  // monitor data
        QVERIFY(tree->topLevelItem(5)->isHidden());  // auto save
        QVERIFY(!tree->topLevelItem(6)->isHidden());  // buffer size
        QVERIFY(m_grid->PropertyItem("Pattern[Hex]")->isHidden());
        QCOMPARE(Shown("Buffer size"), QString("1000"));
        QVERIFY(!m_grid->PropertyItem("Buffer size")->font(1).bold());
    }

    void typedNumbersAreLimitedAndShownAgain() {
        Type("Transfer stop position", "5000");
        QCOMPARE(m_document->Condition().GeneratingGroup.StopPosition, 999u);
        QCOMPARE(Shown("Transfer stop position"), QString("999"));
        Type("Transfer start position", "999");
        QCOMPARE(Shown("Transfer start position"), QString("998"));
        QVERIFY(m_grid->PropertyItem("Transfer start position")->font(1).bold());
        Type("Transfer start position", "10");
        Type("Transfer stop position", "3");
        QCOMPARE(Shown("Transfer stop position"), QString("11"));
        Type("Repeat", "100000000");
        QCOMPARE(Shown("Repeat"), QString::number(16777215 / 2));
    }

    void numberEditorTakesOnlyANumber() {
        auto* edit = OpenEditor<QLineEdit>(*m_grid, "Clock value");
        QVERIFY(edit != nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, "12ab");
        QCOMPARE(edit->text(), QString("12"));
        QTest::keyClick(edit, Qt::Key_Return);
        Settle();
        QCOMPARE(m_document->Condition().GeneratingGroup.Clock, 12u);
    }

    void clockLimitsThroughTheEditors() {
        Pick("Clock unit", "nSec");
        QCOMPARE(Shown("Clock value"), QString("1"));
        Type("Clock value", "60");
        QCOMPARE(Shown("Clock value"), QString("75"));
        m_document->SetDevice("QDX-32C-PE", "DIO001");
        Type("Clock value", "61");
        QCOMPARE(Shown("Clock value"), QString("65"));
        Type("Clock value", "7");
        QCOMPARE(Shown("Clock value"), QString("20"));
        Pick("Clock type", "Handshake");
        QVERIFY(!(m_grid->PropertyItem("Clock value")->flags() & Qt::ItemIsEnabled));
        QVERIFY(OpenEditor<QLineEdit>(*m_grid, "Clock value") == nullptr);
    }

    void bufferSizeAsksBeforeItShrinks() {
        m_messages.Answers = {MessageAnswer::No};
        Type("Buffer size", "500");
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].second, MessageIcon::Warning);
        QCOMPARE(Shown("Buffer size"), QString("1000"));
        m_messages.Answers = {MessageAnswer::Yes};
        Type("Buffer size", "500");
        QCOMPARE(m_document->GeneratingMemory().Length(), 500u);
        QCOMPARE(Shown("Transfer stop position"), QString("499"));
    }

    void samplingShowsItsGroupsAndStartOptions() {
        Pick("Mode", "Sampling");
        QCOMPARE(m_host.Directions, 1);
        QTreeWidget* tree = m_grid->Tree();
        QVERIFY(!tree->topLevelItem(4)->isHidden());
        QVERIFY(tree->topLevelItem(6)->isHidden());
        auto* box = OpenEditor<QComboBox>(*m_grid, "Start condition");
        QVERIFY(box != nullptr);
        QCOMPARE(box->count(), 4);
        QCOMPARE(box->itemText(3), QString("Pattern match"));
        box->setCurrentIndex(3);
        emit box->activated(3);
        Settle();
        Type("Mask[Hex]", "ffffffff");
        QCOMPARE(m_document->Condition().PatternMask, 0xFFFFFFFFu);
        Type("Pattern[Hex]", "1g");
        QCOMPARE(Shown("Pattern[Hex]"), QString("1"));
        Pick("Monitor data mode", "Graph automatic update");
        Pick("Pattern data radix", "Binary");
        Type("Compare pattern", "0101");
        QCOMPARE(m_document->Condition().MonitorData, 5u);
        Pick("Pattern data radix", "Hexadecimal");
        QCOMPARE(Shown("Compare pattern"), QString("5"));
        Type("After-trigger display ratio", "150%");
        QCOMPARE(Shown("After-trigger display ratio"), QString("100%"));
        Type("After-trigger display ratio", "-5");
        QCOMPARE(m_document->Condition().MonitorPercentage, int16_t(0));
    }

    void fileTypeOffersOptionsAndTakesTyping() {
        Pick("Mode", "Sampling");
        Pick("Auto save", "Valid");
        auto* box = OpenEditor<QComboBox>(*m_grid, "File type");
        QVERIFY(box != nullptr);
        QVERIFY(box->isEditable());
        QCOMPARE(box->count(), 2);
        box->setCurrentIndex(1);
        emit box->activated(1);
        Settle();
        QCOMPARE(m_document->Condition().AutoSaveFileType, int16_t(1));
        Type("File prefiex", "a/b");
        QCOMPARE(Shown("File prefiex"), QString("LogicData"));
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
    }

    void folderBrowserSetsThePath() {
        Pick("Mode", "Sampling");
        Pick("Auto save", "Valid");
        auto* folder = OpenEditor<CFolderPropertyEdit>(*m_grid, "Path");
        QVERIFY(folder != nullptr);
        m_folders.Answer = "/data/runs";
        QTest::mouseClick(folder->BrowseButton(), Qt::LeftButton);
        Settle();
        QCOMPARE(m_folders.Initial, std::string("/tmp/Nivara"));
        QCOMPARE(m_document->Condition().AutoSavePath, std::string("/data/runs"));
        QCOMPARE(Shown("Path"), QString("/data/runs"));
    }

    void alphabeticalListKeepsHiddenProperties() {
        m_grid->SetAlphabetic(true);
        QTreeWidget* tree = m_grid->Tree();
        QCOMPARE(tree->topLevelItemCount(), 23);
        QCOMPARE(tree->topLevelItem(0)->text(0), QString("After-trigger display ratio"));
        QVERIFY(tree->topLevelItem(0)->isHidden());
        QVERIFY(!m_grid->PropertyItem("Buffer size")->isHidden());
        m_grid->SetAlphabetic(false);
        QCOMPARE(tree->topLevelItemCount(), 7);
        QVERIFY(tree->topLevelItem(4)->isHidden());
        QCOMPARE(tree->topLevelItem(1)->child(1)->text(0), QString("Clock value"));
    }

    void descriptionOfTheCurrentProperty() {
        m_grid->Tree()->setCurrentItem(m_grid->PropertyItem("Repeat"));
        QVERIFY(m_grid->Description()->text().contains(Text(42071).toHtmlEscaped()));
    }

    void memoryOptionDialog() {
        QVERIFY(m_document->SetBufferSize(1000));
        CMemoryOptionDlg dialog(*m_document, m_messages);
        QCOMPARE(dialog.windowTitle(), QString("Sampling Memory Option"));
        QCOMPARE(dialog.Edit()->text(), QString("1"));
        dialog.Edit()->setText("0");
        QCOMPARE(dialog.Edit()->text(), QString("10"));
        dialog.Edit()->setText("101");
        QCOMPARE(dialog.Edit()->text(), QString("10"));
        QCOMPARE(dialog.Option().Size(), 10000000u);
        dialog.Edit()->setText("100");
        QTest::mouseClick(dialog.SpinUp(), Qt::LeftButton);
        QCOMPARE(dialog.Edit()->text(), QString("1"));
        QTest::keyClick(dialog.Edit(), Qt::Key_Down);
        QCOMPARE(dialog.Edit()->text(), QString("100"));
        QTest::keyClick(dialog.Edit(), Qt::Key_Down);
        QCOMPARE(dialog.Edit()->text(), QString("99"));
        dialog.Edit()->setText("2");
        dialog.accept();
        QCOMPARE(m_document->Condition().SamplingBufferSize, 2000000u);
        QCOMPARE(m_document->SamplingMemory().Length(), 2000000u);

        CMemoryOptionDlg cancelled(*m_document, m_messages);
        QCOMPARE(cancelled.Edit()->text(), QString("2"));
        cancelled.Edit()->setText("3");
        cancelled.reject();
        QCOMPARE(m_document->SamplingMemory().Length(), 2000000u);
    }
};

// The condition pane of the real main window over the active document.
class TestGridWindow : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
    ScriptedFolders m_folders;

    CChildFrame* Active() const { return m_frame->ActiveChildFrame(); }
    CLogicDocument& Document() const { return Active()->Doc().Document(); }
    CPropertyGridCtrl& Grid() const { return *m_frame->Properties()->Grid()->Grid(); }
    QString Shown(const QString& name) const { return Grid().PropertyItem(name)->text(1); }

    void Type(const QString& name, const QString& value) {
        auto* edit = OpenEditor<QLineEdit>(Grid(), name);
        QVERIFY2(edit != nullptr, qPrintable(name));
        edit->selectAll();
        QTest::keyClicks(edit, value);
        QTest::keyClick(edit, Qt::Key_Return);
        Settle();
    }
    void Pick(const QString& name, const QString& option) {
        auto* box = OpenEditor<QComboBox>(Grid(), name);
        QVERIFY2(box != nullptr, qPrintable(name));
        const int index = box->findText(option);
        QVERIFY2(index >= 0, qPrintable(option));
        box->setCurrentIndex(index);
        emit box->activated(index);
        Settle();
    }

private slots:
    void init() {
        qputenv("LC_ALL", "C.UTF-8");
        m_messages = CScriptedMessages();
        m_messages.DefaultAnswer = MessageAnswer::No;
        auto* app = qobject_cast<CNivaraApp*>(QCoreApplication::instance());
        app->SetUserMessages(&m_messages);
        QVERIFY(app->InitInstance(QString()));
        m_frame = app->MainFrame();
        m_frame->SetFileChooser(&m_chooser);
        m_frame->Properties()->Grid()->SetFolderChooser(&m_folders);
        m_frame->resize(1280, 900);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }
    void cleanup() {
        if (CNivaraDoc* doc = m_frame->Doc()) {
            doc->Document().Saved = 1;
        }
        qobject_cast<CNivaraApp*>(QCoreApplication::instance())->ExitInstance();
        m_frame = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void paneShowsTheActiveDocument() {
        CConditionPane* pane = m_frame->Properties()->Grid();
        QVERIFY(pane->HasProperties());
        QCOMPARE(Grid().Tree()->topLevelItemCount(), 7);
        QCOMPARE(Shown("Mode"), QString("Generating"));
        QCOMPARE(Shown("Buffer size"), QString("1000"));
        QCOMPARE(pane->ExpandAction()->toolTip(), QString("Expand All"));
        QVERIFY(pane->SortAction()->isCheckable());
        pane->SortAction()->trigger();
        QVERIFY(pane->SortAction()->isChecked());
        QVERIFY(Grid().IsAlphabetic());
        QVERIFY(m_frame->Properties()->isEnabled());
    }

    void editsReachTheDocumentAndComeBackLimited() {
        Type("Transfer stop position", "5000");
        QCOMPARE(Document().Condition().GeneratingGroup.StopPosition, 999u);
        QCOMPARE(Shown("Transfer stop position"), QString("999"));
        m_messages.Answers = {MessageAnswer::No};
        Type("Buffer size", "500");
        QCOMPARE(m_messages.Shown.size(), std::size_t(1));
        QCOMPARE(m_messages.Shown[0].first, LoadText(IDS_BUFFER_SHRINK_QUERY));
        QCOMPARE(Shown("Buffer size"), QString("1000"));
        m_messages.Answers = {MessageAnswer::Yes};
        Type("Buffer size", "500");
        QCOMPARE(Document().GeneratingMemory().Length(), 500u);
        QCOMPARE(Shown("Transfer stop position"), QString("499"));
        QCOMPARE(Active()->View()->LastClock(), 499u);
    }

    void modeChangeSwitchesTheWindowToSampling() {
        m_frame->UpdateCommandUI();
        QVERIFY(!m_frame->Action(cmd::SamplingMemoryOption)->isEnabled());
        Pick("Mode", "Sampling");
        QCOMPARE(Document().Condition().Direction, DIRECTION_SAMPLING);
        QCOMPARE(Active()->Tree()->topLevelItemCount(),
                 static_cast<int>(Active()->Records().SamplingTable.Size()));
        QVERIFY(!Grid().Tree()->topLevelItem(4)->isHidden());
        QVERIFY(Grid().Tree()->topLevelItem(6)->isHidden());
        QVERIFY(m_frame->Action(cmd::SamplingMemoryOption)->isEnabled());
    }

    void conditionSetInTheGridReadsBackFromItsFile() {
        QTemporaryDir dir;
        const int16_t model = Document().Condition().ModelType;
        Pick("Mode", "Sampling");
        Pick("Clock unit", "nSec");
        Type("Clock value", "60");
        Pick("Start condition", "Pattern match");
        Type("Mask[Hex]", "ffffffff");
        Type("Pattern[Hex]", "1g");
        Pick("Stop condition", "Software");
        Type("Transfer start position", "10");
        Type("Transfer stop position", "3");
        Type("Repeat", "100000000");
        Pick("Monitor data mode", "Graph automatic update");
        Pick("Pattern data radix", "Binary");
        Type("Compare pattern", "0101");
        Type("After-trigger display ratio", "150%");
        Type("Compare bit number", "40");
        Type("Compare channel", "-5");
        Pick("Auto save", "Valid");
        auto* folder = OpenEditor<CFolderPropertyEdit>(Grid(), "Path");
        QVERIFY(folder != nullptr);
        m_folders.Answer = dir.path().toStdString();
        QTest::mouseClick(folder->BrowseButton(), Qt::LeftButton);
        Settle();
        Type("File prefiex", "Run");
        const std::string path = dir.filePath("grid.nvc").toStdString();
        m_chooser.Answer = path;
        QVERIFY(m_frame->OnCommand(cmd::FileSaveCondition));

        CLogicDocument copy("/tmp");
        CHeadlessFileWindow window;
        QVERIFY(ReadConditionFile(copy, window, path).Ok);
        const LOGIC_CONDITION& c = copy.Condition();
        QCOMPARE(c.Direction, DIRECTION_SAMPLING);
        QCOMPARE(c.SamplingGroup.ClockUnit, int16_t(4));
        QCOMPARE(c.SamplingGroup.Clock, CEntryRules::Clock(model, 4, 60));
        QCOMPARE(c.SamplingGroup.StartTrigger, int16_t(4));
        QCOMPARE(c.PatternMask, 0xFFFFFFFFu);
        QCOMPARE(c.StartPattern, 1u);
        QCOMPARE(c.SamplingGroup.StopTrigger, int16_t(1));
        QCOMPARE(c.SamplingGroup.StartPosition, 10u);
        QCOMPARE(c.SamplingGroup.StopPosition, 11u);
        const uint32_t limit = model == MODEL_TYPE_C ? 0x20000000u : 0xFFFFFFu;
        QCOMPARE(c.SamplingGroup.RepeatCount, limit / 2);
        QCOMPARE(c.MonitorMode, int16_t(2));
        QCOMPARE(c.MonitorDataBase, int16_t(1));
        QCOMPARE(c.MonitorData, 5u);
        QCOMPARE(c.MonitorPercentage, int16_t(100));
        QCOMPARE(c.MonitorDataBitNumbers, int16_t(32));
        QCOMPARE(c.MonitorChannel, int16_t(0));
        QCOMPARE(c.AutoSave, 1);
        QCOMPARE(c.AutoSavePath, dir.path().toStdString());
        QCOMPARE(c.AutoSaveFileName, std::string("Run"));
        QCOMPARE(c.SamplingBufferSize, 1000000u);
    }

    void paneIsDisabledWhileTheWindowRuns() {
        CChildFrame* child = Active();
        QVERIFY(child->DeviceOpen());
        Document().Condition().GeneratingGroup.RepeatCount = 100;
        m_frame->UpdateCommandUI();
        QVERIFY(m_frame->OnCommand(cmd::DeviceStart));
        QVERIFY(child->RunActive());
        QVERIFY(!m_frame->Properties()->isEnabled());
        // An activation during the run keeps it disabled.
        m_frame->RefreshGrid();
        QVERIFY(!m_frame->Properties()->isEnabled());
        QVERIFY(m_frame->OnCommand(cmd::DeviceStop));
        QVERIFY(m_frame->Properties()->isEnabled());
    }

    void memoryOptionSizesTheSamplingMemory() {
        Pick("Mode", "Sampling");
        m_frame->UpdateCommandUI();
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CMemoryOptionDlg*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            shown = true;
            QCOMPARE(dialog->Edit()->text(), QString("1"));
            dialog->Edit()->setText("101");
            QCOMPARE(dialog->Edit()->text(), QString("10"));
            dialog->accept();
        });
        QVERIFY(m_frame->OnCommand(cmd::SamplingMemoryOption));
        QVERIFY(shown);
        QCOMPARE(Document().Condition().SamplingBufferSize, 10000000u);
        QCOMPARE(Document().SamplingMemory().Length(), 10000000u);
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    int status = 0;
    {
        TestGrid test;
        status |= QTest::qExec(&test, argc, argv);
    }
    {
        TestGridWindow test;
        status |= QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "test_ui_grid.moc"
