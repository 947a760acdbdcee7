#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "../support/CScriptedChooser.h"
#include "../support/CScriptedMessages.h"
#include "analysis/ui/CAnalysisResults.h"
#include "analysis/ui/CDataPatternDetailDlg.h"
#include "document/CDataPatternList.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/ui/CNivaraView.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "shell/ui/CAboutDlg.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

QString Text(int id) { return QString::fromStdString(LoadText(id)); }

// Runs `check` on the modal dialog a command opens, then closes it.
template <class Dialog>
bool WithModal(const std::function<void()>& open, const std::function<void(Dialog&)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            seen = true;
            check(*dialog);
            dialog->close();
        }
    });
    open();
    return seen;
}

}  // namespace

// The About box from Help and the data pattern details window from the
// result box, in both languages.
class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void aboutBoxShowsItsTextsInBothLanguages();
    void truncationMarkOpensTheDetailsAboveTheGraph();

private:
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
};

void TestDialogs::initTestCase() {
    App()->SetUserMessages(&m_messages);
    QVERIFY(App()->InitInstance(QString()));
    m_frame = App()->MainFrame();
    m_frame->SetFileChooser(&m_chooser);
    m_frame->resize(1000, 700);
    m_frame->move(0, 300);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
}

void TestDialogs::cleanupTestCase() {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    if (m_frame != nullptr && m_frame->Doc() != nullptr) {
        m_frame->Doc()->Document().Saved = 1;
    }
    App()->ExitInstance();
}

void TestDialogs::aboutBoxShowsItsTextsInBothLanguages() {
    for (const int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE}) {
        CStringTable::SetLanguage(language);
        const bool seen = WithModal<CAboutDlg>([this] { QVERIFY(m_frame->OnCommand(cmd::AppAbout)); },
                                               [](CAboutDlg& dialog) {
                                                   QCOMPARE(dialog.objectName(), QStringLiteral("Dialog100"));
                                                   QCOMPARE(dialog.windowTitle(), Text(IDS_ABOUT_CAPTION));
                                                   auto* version = dialog.findChild<QLabel*>(QStringLiteral("1003"));
                                                   QVERIFY(version != nullptr);
                                                   QCOMPARE(version->text(), QStringLiteral("Ver2.20"));
                                                   QStringList texts;
                                                   for (const QLabel* label : dialog.findChildren<QLabel*>()) {
                                                       texts << label->text();
                                                   }
                                                   QVERIFY(texts.contains(QStringLiteral("Nivara")));
                                                   QVERIFY(texts.contains(Text(IDS_ABOUT_NOTICE)));
                                                   auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("1"));
                                                   QVERIFY(ok != nullptr);
                                                   QCOMPARE(ok->text(), Text(IDS_ABOUT_OK));
                                                   QVERIFY(!dialog.findChild<QLabel*>(QStringLiteral("icon"))
                                                                ->pixmap()
                                                                .isNull());
                                               });
        QVERIFY(seen);
    }
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    QCOMPARE(Text(IDS_ABOUT_CAPTION), QStringLiteral("Nivara のバージョン情報"));
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    QCOMPARE(Text(IDS_ABOUT_CAPTION), QStringLiteral("About Nivara"));
}

void TestDialogs::truncationMarkOpensTheDetailsAboveTheGraph() {
    CChildFrame* child = m_frame->ActiveChildFrame();
    CNivaraView* view = child->View();
    CAnalysisResults* results = CAnalysisResults::Of(*view);
    QVERIFY(results != nullptr);
    // A pattern far longer than its slot: 0011 and then 96 ones.
    CDataPatternList& patterns = child->Records().DataPatterns;
    patterns.Add(CDataPatternList::MakePattern(0, "0011" + std::string(96, '1')));
    results->ShowPage(RESULT_PAGE::DataPattern);
    view->repaint();
    QCoreApplication::processEvents();
    const DATA_PATTERN& entry = *patterns.At(0);
    QVERIFY(entry.SlotRight > entry.SlotLeft);
    const GRAPH_RECT strip = view->Model().Geometry().ResultStrip();
    const QPoint mark(entry.SlotRight - 3, (strip.top + strip.bottom) / 2);
    const QPoint viewTopLeft = view->mapToGlobal(QPoint(0, 0));

    for (const int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE}) {
        CStringTable::SetLanguage(language);
        const bool seen = WithModal<CDataPatternDetailDlg>(
            [&] {
                QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, mark);
                QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, mark);
            },
            [&](CDataPatternDetailDlg& dialog) {
                QCOMPARE(dialog.objectName(), QStringLiteral("Dialog331"));
                QCOMPARE(dialog.windowTitle(), Text(IDS_DATA_PATTERN_DETAIL_CAPTION));
                // Above the graph, at the slot.
                QCOMPARE(dialog.frameGeometry().left(), viewTopLeft.x() + entry.SlotLeft - 1);
                QCOMPARE(dialog.frameGeometry().bottom() + 1, viewTopLeft.y() - 1);
                QScrollBar* bar = dialog.ScrollBar();
                const int width = dialog.Detail().BitWidth();
                QCOMPARE(bar->maximum(), dialog.Detail().ScrollMaximum());
                QCOMPARE(bar->minimum(), 0);
                // Two low bits, a step, then high bits.
                const QImage image = dialog.Client()->grab().toImage();
                const int h = image.height();
                const QColor green(80, 200, 30);
                QCOMPARE(image.pixelColor(width / 2, h - 2), green);
                QCOMPARE(image.pixelColor(2 * width, h - 10), green);
                QCOMPARE(image.pixelColor(3 * width, h - 17), green);
                QVERIFY(image.pixelColor(3 * width, h - 2) != green);
                // One line right: the drawing starts with the second bit, the step one bit earlier.
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                QCOMPARE(dialog.Detail().FirstBit(), 1);
                QCOMPARE(bar->value(), 10);
                const QImage scrolled = dialog.Client()->grab().toImage();
                QCOMPARE(scrolled.pixelColor(width, h - 10), green);
                QVERIFY(scrolled.pixelColor(2 * width, h - 10) != green);
                // Pages do nothing.
                bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
                QCOMPARE(bar->value(), 10);
                QCOMPARE(dialog.Detail().FirstBit(), 1);
                // The scroll box dragged to the far right: the last bit at the left edge.
                bar->setSliderPosition(bar->maximum());
                QCOMPARE(dialog.Detail().FirstBit(), dialog.Detail().BitCount() - 1);
                bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
                QCOMPARE(bar->value(), bar->maximum() / 10 * 10 - 10);
            });
        QVERIFY(seen);
    }
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    // A press on the slot but off the mark opens nothing.
    const QPoint inside(entry.SlotLeft + 3, mark.y());
    const bool opened = WithModal<CDataPatternDetailDlg>(
        [&] {
            QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, inside);
            QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, inside);
        },
        [](CDataPatternDetailDlg&) {});
    QVERIFY(!opened);
}

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_dialogs.moc"
