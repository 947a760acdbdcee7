// The analysis commands through the real main window: the result box, the
// page list, the enablement of NOT, Compare and its highlights, and the
// result box lines against nivara-cli run as a program.
#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "analysis/CResultStripHandler.h"
#include "analysis/ResultBoxColours.h"
#include "analysis/ui/CAnalysisResults.h"
#include "analysis/ui/CResultBox.h"
#include "document/CDataPatternList.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseFile.h"
#include "graph/GraphColours.h"
#include "graph/ui/CDrawRect.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"
#include "signals/ui/CChannelTreeView.h"
#include "signals/ui/CWorkSpaceView.h"
#include "support/CScriptedMessages.h"

namespace {

// The painters' colours, as the pixels must show them.
const QColor BoxGrey = ToQColor(result_colour::Box);
const QColor SlotRed = ToQColor(result_colour::Slot);
const QColor StepGreen = ToQColor(result_colour::Step);
const QColor Black = ToQColor(graph_colour::Background);
const QColor InvertedBlack = ToQColor(graph_colour::Background.Inverted());

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

std::string RunCli(const std::string& arguments, int& status) {
    QTemporaryDir folder;
    const std::string out = folder.filePath("out.txt").toStdString();
    const std::string command = std::string(NIVARA_CLI) + " " + arguments + " >" + out + " 2>/dev/null";
    const int result = std::system(command.c_str());
    status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    std::ifstream in(out, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

class TestAnalysis : public QObject {
    Q_OBJECT
private:
    CMainFrame* m_main = nullptr;
    CScriptedMessages m_messages;
    QTemporaryDir m_folder;

    CChildFrame* Frame() const { return m_main->ActiveChildFrame(); }
    CNivaraView* View() const { return Frame()->View(); }
    CLogicDocument& Document() const { return Frame()->Doc().Document(); }
    CAnalysisResults* Results() const { return CAnalysisResults::Of(*View()); }
    QStringList BoxTexts() const { return Results()->Box().Texts(); }
    int PageShown() const { return Frame()->WorkSpace()->PageList()->currentIndex(); }

    // 100 generating words: channel 3 toggles every clock (0,1,0,1,...),
    // channel 5 every third; 10 uSec clocks.
    void FillGenerating() {
        CLogicDocument& document = Document();
        QVERIFY(document.SetSize(DIRECTION_GENERATING, 100, 1));
        uint32_t* words = document.GeneratingMemory().Data();
        for (uint32_t i = 0; i < 100; ++i) {
            words[i] = ((i & 1U) << 3) | (((i / 3) & 1U) << 5);
        }
        document.Condition().GeneratingGroup.Clock = 10;
        document.Condition().GeneratingGroup.ClockUnit = 3;
        View()->OnDocumentUpdate();
    }

    std::string SavePulseFile(const char* name) {
        const std::string path = m_folder.filePath(name).toStdString();
        CHeadlessFileWindow window;
        if (!WritePulseFile(Document(), Frame()->Records(), window, path).Ok) {
            return std::string();
        }
        return path;
    }

    std::string BoxLines() const {
        const QStringList texts = BoxTexts();
        return texts.size() == 2 ? (texts[0] + "\n" + texts[1] + "\n").toStdString() : std::string();
    }

    void SelectTreeRows(std::initializer_list<int> rows) {
        CChannelTreeView* tree = Frame()->Tree();
        tree->clearSelection();
        for (int row : rows) {
            tree->topLevelItem(row)->setSelected(true);
        }
        m_main->UpdateCommandUI();
    }

    QColor Pixel(int x, int y) { return View()->RenderSurface().pixelColor(x, y); }

private slots:
    void init() {
        qputenv("LC_ALL", "C.UTF-8");
        m_messages = CScriptedMessages();
        m_messages.DefaultAnswer = MessageAnswer::No;
        App()->SetUserMessages(&m_messages);
        QVERIFY(App()->InitInstance(QString()));
        m_main = App()->MainFrame();
        m_main->resize(1400, 900);
        m_main->show();
        QVERIFY(Frame() != nullptr);
        QVERIFY(Results() != nullptr);
        FillGenerating();
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

    void pulseCountsShowTheLinesTheCommandLinePrints() {
        const std::string file = SavePulseFile("p.vpb");
        QVERIFY(!file.empty());
        View()->SetSelection(0, 3, 9, 3);
        QVERIFY(m_main->OnCommand(cmd::PulseRise));
        QCOMPARE(PageShown(), 1);
        QCOMPARE(BoxTexts(), QStringList({"PULSECOUNT(RISING): 5[Dec]", "Channel: 3 Start: 0[Clock] End: 9[Clock]"}));
        int status = -1;
        QCOMPARE(RunCli("count " + file + " --channel 3 --from 0 --to 9", status), BoxLines());
        QCOMPARE(status, 0);

        View()->SetSelection(9, 3, 0, 3);
        QVERIFY(m_main->OnCommand(cmd::PulseFall));
        QCOMPARE(BoxTexts()[0], QString("PULSECOUNT(FALLING): 4[Dec]"));
        QCOMPARE(RunCli("count " + file + " --channel 3 --from 9 --to 0 --falling", status), BoxLines());

        // A one-clock selection counts nothing.
        View()->SetSelection(4, 5, 4, 5);
        QVERIFY(m_main->OnCommand(cmd::PulseRise));
        QCOMPARE(BoxTexts()[0], QString("PULSECOUNT(RISING): 0[Dec]"));
        QCOMPARE(RunCli("count " + file + " --channel 5 --from 4 --to 4", status), BoxLines());

        // Another page chosen in the list shows that page; the result stays.
        Frame()->WorkSpace()->PageList()->setCurrentIndex(2);
        QVERIFY(BoxTexts().isEmpty());
        Frame()->WorkSpace()->PageList()->setCurrentIndex(1);
        QCOMPARE(BoxTexts()[0], QString("PULSECOUNT(RISING): 0[Dec]"));
    }

    void frequencyOfTenMicrosecondClocks() {
        const std::string file = SavePulseFile("f.csv");
        QVERIFY(!file.empty());
        View()->SetSelection(0, 3, 9, 3);
        QVERIFY(m_main->OnCommand(cmd::Frequency));
        QCOMPARE(PageShown(), 2);
        QCOMPARE(BoxTexts(), QStringList({"FREQUENCY: 50000.00[Hz]", "Channel: 3 Start: 0[Clock] End: 9[Clock]"}));
        int status = -1;
        QCOMPARE(RunCli("frequency " + file + " --channel 3 --to 9", status), BoxLines());
        View()->SetSelection(4, 5, 77, 5);
        QVERIFY(m_main->OnCommand(cmd::Frequency));
        QCOMPARE(RunCli("frequency " + file + " --channel 5 --from 4 --to 77", status), BoxLines());
        QCOMPARE(status, 0);
        // An external clock disables the command.
        Document().Condition().GeneratingGroup.ClockType = 2;
        m_main->UpdateCommandUI();
        QVERIFY(!m_main->Action(cmd::Frequency)->isEnabled());
        QVERIFY(!m_main->OnCommand(cmd::Frequency));
    }

    void autoSavedBlocksOffsetStartAndEnd() {
        CLogicDocument& document = Document();
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.Condition().AutoSave = 1;
        document.CurrentBlock = 2;
        document.LastCount = 1000000;
        View()->OnDocumentUpdate();
        View()->SetSelection(5, 0, 20, 0);
        QVERIFY(m_main->OnCommand(cmd::PulseRise));
        QCOMPARE(BoxTexts()[1], QString("Channel: 0 Start: 2000005[Clock] End: 2000020[Clock]"));
    }

    void notNeedsExactlyOneSelectedChannel() {
        SelectTreeRows({2});
        QVERIFY(m_main->Action(cmd::LogicNot)->isEnabled());
        QVERIFY(!m_main->Action(cmd::LogicAnd)->isEnabled());
        QVERIFY(m_main->OnCommand(cmd::LogicNot));
        QCOMPARE(PageShown(), 0);
        QCOMPARE(BoxTexts(), QStringList({"LOGIC NOT:", "Channel: 2"}));

        SelectTreeRows({3, 5});
        QVERIFY(!m_main->Action(cmd::LogicNot)->isEnabled());
        QVERIFY(m_main->Action(cmd::LogicAnd)->isEnabled());
        QVERIFY(m_main->Action(cmd::LogicXor)->isEnabled());
        QVERIFY(m_main->OnCommand(cmd::LogicAnd));
        QCOMPARE(BoxTexts(), QStringList({"LOGIC AND:", "Channel: 3, 5"}));

        // A bus of two members counts two channels.
        CChannelTable table = Frame()->Records().GeneratingTable;
        table[0].IsBus = 1;
        table[0].BusChannel = 0x6;
        Frame()->Records().GeneratingTable = table;
        Frame()->RebuildSignalTree();
        View()->OnDocumentUpdate();
        SelectTreeRows({0});
        QVERIFY(!m_main->Action(cmd::LogicNot)->isEnabled());
        QVERIFY(m_main->Action(cmd::LogicOr)->isEnabled());

        // Sampling direction disables all four.
        SelectTreeRows({4});
        Document().Condition().Direction = DIRECTION_SAMPLING;
        m_main->UpdateCommandUI();
        QVERIFY(!m_main->Action(cmd::LogicNot)->isEnabled());
    }

    void logicRowShowsTheVisibleDigits() {
        QVERIFY(Document().SetSize(DIRECTION_GENERATING, 20, 1));
        View()->OnDocumentUpdate();
        SelectTreeRows({3});
        QVERIFY(m_main->OnCommand(cmd::LogicNot));
        // NOT of 0,1,0,1...: 1 at even clocks. The digits are white on grey in the
        // lower half of the box, centred in each clock column.
        const GRAPH_RECT strip = View()->Model().Geometry().ResultStrip();
        const QImage& surface = View()->RenderSurface();
        const double p = View()->Model().Geometry().PixelsPerClock();
        const int left = View()->Model().Geometry().GraphArea().left;
        QVERIFY(View()->Model().Geometry().ClocksPerPage() > 24);
        int whiteInLastColumn = 0;
        for (int x = left + static_cast<int>(19 * p); x < left + static_cast<int>(20 * p); ++x) {
            for (int y = strip.top + strip.Height() / 2; y < strip.bottom; ++y) {
                whiteInLastColumn += surface.pixelColor(x, y).lightness() > 200;
            }
        }
        QVERIFY(whiteInLastColumn > 0);
        // Nothing is drawn past the result's last clock.
        int whitePast = 0;
        for (int x = left + static_cast<int>(20 * p) + 1; x < left + static_cast<int>(23 * p); ++x) {
            for (int y = strip.top + strip.Height() / 2; y < strip.bottom - 1; ++y) {
                whitePast += surface.pixelColor(x, y).lightness() > 200;
            }
        }
        QCOMPARE(whitePast, 0);
        QCOMPARE(Pixel(strip.right - 4, strip.bottom - 4), BoxGrey);
    }

    void compareMarksRunsAndAClickClearsThem() {
        uint32_t* words = Document().GeneratingMemory().Data();
        for (uint32_t i = 0; i < 100; ++i) {
            words[i] = 0;
        }
        words[5] = 0x1;
        words[7] = 0x2;
        View()->OnDocumentUpdate();
        View()->SetSelection(0, 0, 9, 1);
        View()->RenderSurface();
        m_main->UpdateCommandUI();
        QVERIFY(m_main->Action(cmd::Compare)->isEnabled());
        QVERIFY(m_main->OnCommand(cmd::Compare));
        CCompareList& list = Frame()->Records().ComparePositions;
        QCOMPARE(list.Size(), std::size_t{2});
        QVERIFY((list[0] == COMPARE_POSITION{0, 1, 5, 5}));
        QVERIFY((list[1] == COMPARE_POSITION{0, 1, 7, 7}));
        QCOMPARE(View()->Model().Anchor(), (GRAPH_CELL{0, 0}));
        QCOMPARE(View()->Model().Current(), (GRAPH_CELL{0, 0}));
        // The highlight inverts clock 5 of rows 0 and 1.
        const CGraphGeometry& g = View()->Model().Geometry();
        const int x5 = g.GraphArea().left + static_cast<int>(5.5 * g.PixelsPerClock());
        QCOMPARE(Pixel(x5, g.GraphArea().top + 45), InvertedBlack);
        // A selection in one row leaves Compare disabled.
        View()->RenderSurface();
        m_main->UpdateCommandUI();
        QVERIFY(!m_main->Action(cmd::Compare)->isEnabled());
        // Reselect and compare again: the records double.
        View()->SetSelection(9, 1, 0, 0);
        View()->RenderSurface();
        m_main->UpdateCommandUI();
        QVERIFY(m_main->OnCommand(cmd::Compare));
        QCOMPARE(list.Size(), std::size_t{4});
        // One click into the waveform area removes them all.
        QTest::mouseClick(View(), Qt::LeftButton, Qt::NoModifier, QPoint(g.GraphArea().left + 40, g.GraphArea().top + 100));
        QCOMPARE(list.Size(), std::size_t{0});
        QCOMPARE(Pixel(x5, g.GraphArea().top + 45), Black);
    }

    void dataPatternSlotsWithStepLines() {
        CDataPatternList& patterns = Frame()->Records().DataPatterns;
        for (int i = 0; i < 6; ++i) {
            patterns.Add(CDataPatternList::MakePattern(0, i == 5 ? std::string(200, '1') : "0011"));
        }
        Results()->ShowPage(RESULT_PAGE::DataPattern);
        QCOMPARE(PageShown(), 4);
        const GRAPH_RECT strip = View()->Model().Geometry().ResultStrip();
        View()->RenderSurface();
        QCOMPARE(patterns.Size(), std::size_t{5});
        const int slot = CResultBox::SlotWidth(strip.Width());
        for (std::size_t i = 0; i < patterns.Size(); ++i) {
            QCOMPARE(patterns.At(i)->SlotLeft, strip.left + static_cast<int>(i) * (slot + 2));
            QCOMPARE(patterns.At(i)->SlotRight, patterns.At(i)->SlotLeft + slot);
        }
        QCOMPARE(patterns.SlotAt(patterns.At(1)->SlotLeft + 3), 1);
        QCOMPARE(Pixel(strip.left, strip.top + 5), SlotRed);
        // "0011": low for two clocks then high; the step line is green.
        const int x0 = strip.left + 2;
        const int high = strip.bottom - 16 - 1;
        QCOMPARE(Pixel(x0 + 25, high), StepGreen);
        // The long pattern does not fit: it is cut before the truncation mark.
        QVERIFY(!CResultBox::PatternFits(strip.Width(), 200, View()->Model().Geometry().PixelsPerClock()));
        const int lastLeft = patterns.At(4)->SlotLeft;
        QCOMPARE(Pixel(lastLeft + slot - 3 * 2 - 8 + 3, high), BoxGrey);

        // A left press on the cut pattern's mark asks for its details; elsewhere it applies.
        std::vector<std::pair<std::size_t, bool>> applied;
        Results()->StripHandler().SetApplyHandler([&applied](std::size_t index, bool details) {
            applied.emplace_back(index, details);
        });
        const int y = strip.top + strip.Height() / 2;
        QTest::mouseClick(View(), Qt::LeftButton, Qt::NoModifier, QPoint(patterns.At(4)->SlotRight - 3, y));
        QTest::mouseClick(View(), Qt::LeftButton, Qt::NoModifier, QPoint(patterns.At(0)->SlotLeft + 5, y));
        QCOMPARE(applied.size(), std::size_t{2});
        QVERIFY((applied[0] == std::pair<std::size_t, bool>{4, true}));
        QVERIFY((applied[1] == std::pair<std::size_t, bool>{0, false}));
        // A right-button release on a slot removes that pattern.
        const std::string third = patterns.At(2)->Bits;
        QTest::mouseClick(View(), Qt::RightButton, Qt::NoModifier, QPoint(patterns.At(1)->SlotLeft + 5, y));
        QCOMPARE(patterns.Size(), std::size_t{4});
        QCOMPARE(patterns.At(1)->Bits, third);
        // On another page the strip keeps the patterns.
        Results()->ShowPage(RESULT_PAGE::PulseCount);
        QTest::mouseClick(View(), Qt::RightButton, Qt::NoModifier, QPoint(patterns.At(1)->SlotLeft + 5, y));
        QCOMPARE(patterns.Size(), std::size_t{4});
    }
};

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestAnalysis test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_analysis.moc"
