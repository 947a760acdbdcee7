#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <string>

#include "../support/CScriptedChooser.h"
#include "../support/CScriptedMessages.h"
#include "document/CLogicDocument.h"
#include "graph/CGraphModel.h"
#include "graph/ui/CNivaraView.h"
#include "graph/ui/CPrintJob.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"
#include "shell/ui/CChildFrame.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNivaraApp.h"
#include "shell/ui/CNivaraDoc.h"

namespace {

CNivaraApp* App() { return qobject_cast<CNivaraApp*>(QCoreApplication::instance()); }

// The text of a PDF file, "" when pdftotext is missing.
QString PdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return {};
    }
    QProcess process;
    process.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page of a PDF file as an image at 96 dpi: one pixel per logical unit.
QImage PdfImage(const QString& pdf, const QString& folder) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty()) {
        return {};
    }
    const QString base = QDir(folder).filePath(QStringLiteral("page"));
    QProcess::execute(tool, {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                             QStringLiteral("-singlefile"), pdf, base});
    return QImage(base + QStringLiteral(".png"));
}

bool IsColour(QRgb pixel, int r, int g, int b, int tolerance = 40) {
    return std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance &&
           std::abs(qBlue(pixel) - b) <= tolerance;
}

}  // namespace

// Printing the graph: the page printed to a PDF file where no printer is
// installed, in English and Japanese, a failed print that keeps the previous
// file, and the print preview's page compared with the layout.
class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void printDirectWritesAPdfInBothLanguages();
    void aFailedPrintKeepsThePreviousFile();
    void aPdfThatCannotBeSavedLeavesNothingBehind();
    void previewPaintsThePageOfTheLayout();

private:
    CNivaraView* Graph() {
        CChildFrame* child = m_frame->ActiveChildFrame();
        child->ActivateGraph();
        child->View()->setFocus();
        QCoreApplication::processEvents();
        return child->View();
    }
    QString Path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_folder;
    CMainFrame* m_frame = nullptr;
    CScriptedMessages m_messages;
    CScriptedChooser m_chooser;
};

void TestPrint::initTestCase() {
    QVERIFY(m_folder.isValid());
    {
        // Two preview pages side by side, as a previous run may have stored.
        QSettings settings(QStringLiteral("VARDEK"), QStringLiteral("Nivara"));
        settings.setValue(QStringLiteral("Settings/PreviewPages"), 2);
    }
    App()->SetUserMessages(&m_messages);
    QVERIFY(App()->InitInstance(QString()));
    m_frame = App()->MainFrame();
    m_frame->SetFileChooser(&m_chooser);
    m_frame->resize(1200, 800);
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame));
    // Clock i holds i: channel 0 changes every clock, channel 1 every second one.
    CLogicMemory& memory = m_frame->ActiveChildFrame()->Doc().Document().GeneratingMemory();
    for (uint32_t i = 0; i < memory.Length(); ++i) {
        memory.Data()[i] = i;
    }
    CNivaraView* view = Graph();
    view->Model().SetCurrent({5, 0});
    QVERIFY(m_frame->OnCommand(cmd::CursorA));
    QVERIFY(view->IsCursorShown(0));
    QVERIFY(!view->IsCursorShown(1));
    m_messages.Shown.clear();  // the start-up's driver messages
}

void TestPrint::cleanupTestCase() {
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    if (m_frame != nullptr && m_frame->Doc() != nullptr) {
        m_frame->Doc()->Document().Saved = 1;
    }
    App()->ExitInstance();
}

void TestPrint::printDirectWritesAPdfInBothLanguages() {
    const QString english = Path("english.pdf");
    m_chooser.Answer = english.toStdString();
    QVERIFY(m_frame->Action(cmd::FilePrint)->isEnabled());
    QVERIFY(m_frame->OnCommand(cmd::FilePrintDirect));
    QVERIFY2(m_messages.Shown.empty(), m_messages.Shown.empty() ? "" : m_messages.Shown.front().first.c_str());
    QCOMPARE(m_chooser.LastFilter, std::string("PDF File (*.pdf) |*.pdf||"));
    QFile file(english);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(!QFile::exists(english + QStringLiteral(".part")));
    const QString text = PdfText(english);
    if (text.isEmpty()) {
        QSKIP("pdftotext is not installed");
    }
    for (const char* label : {"Print Out", "<Generating Infomation>", "<Cursor Information>", "File name",
                              "Total channels", "Device name", "Cursor A time", "Cursor B-A time",
                              "<Channel Information>", "Cursor B value", "xxxxx", "5[Clock]",
                              "[ Clock ]"}) {
        QVERIFY2(text.contains(QString::fromUtf8(label)), qPrintable(QString::fromUtf8(label) + QStringLiteral(" in ") + text));
    }

    // The footer "- 1 -" (the extraction drops its blanks).
    QVERIFY(QString(text).remove(QLatin1Char(' ')).contains(QStringLiteral("\n-1-\n")));

    // The same page in Japanese: the labels of the Japanese set, no boxes.
    CStringTable::SetLanguage(LANGUAGE_JAPANESE);
    const QString japanese = Path("japanese.pdf");
    m_chooser.Answer = japanese.toStdString();
    QVERIFY(m_frame->OnCommand(cmd::FilePrintDirect));
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
    QCOMPARE(m_chooser.SaveDialogs, 2);
    const QString jaText = PdfText(japanese);
    for (const char* label : {"<ジェネレーティング情報>", "<カーソル情報>", "ファイル名", "総チャネル数", "デバイス名", "カーソルA時間",
                              "カーソルB-A時間", "<チャネル情報>", "カーソルB値"}) {
        QVERIFY2(jaText.contains(QString::fromUtf8(label)), label);
    }
}

void TestPrint::aFailedPrintKeepsThePreviousFile() {
    CNivaraView* view = Graph();
    const QString target = Path("kept.pdf");
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("previous content");
    }
    // The file beside the target cannot be created: the job fails at its start.
    QVERIFY(QDir().mkpath(target + QStringLiteral(".part/x")));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(target);
    CPrintJob job(view->Model(), "kept");
    std::string error;
    QVERIFY(!job.Print(printer, error));
    QCOMPARE(error, std::string("The page could not be printed.\r\nStep: Starting the print job"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("previous content"));
    QCOMPARE(printer.outputFileName(), target);
    // Once the way is clear the same job prints and replaces the file.
    QVERIFY(QDir(target + QStringLiteral(".part")).removeRecursively());
    QVERIFY(job.Print(printer, error));
    old.close();
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.read(5) == "%PDF-");
}

void TestPrint::aPdfThatCannotBeSavedLeavesNothingBehind() {
    Graph();
    // The user points at a folder that holds a file: the page is written
    // beside it, but cannot take its place.
    const QString target = Path("folder.pdf");
    QVERIFY(QDir().mkpath(target));
    {
        QFile inside(target + QStringLiteral("/notes.txt"));
        QVERIFY(inside.open(QIODevice::WriteOnly));
        inside.write("notes");
    }
    m_chooser.Answer = target.toStdString();
    m_messages.Shown.clear();
    QVERIFY(m_frame->OnCommand(cmd::FilePrintDirect));
    QCOMPARE(m_messages.Shown.size(), std::size_t{1});
    QCOMPARE(m_messages.Shown.front().first,
             "The page could not be printed.\r\nStep: Saving the PDF file " + target.toStdString());
    QVERIFY(m_messages.Shown.front().second == MessageIcon::Error);
    QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    QVERIFY(QFileInfo(target).isDir());
    QCOMPARE(QDir(target).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("notes.txt")});
    QFile inside(target + QStringLiteral("/notes.txt"));
    QVERIFY(inside.open(QIODevice::ReadOnly));
    QCOMPARE(inside.readAll(), QByteArray("notes"));
    // Nothing else appeared beside it either.
    QCOMPARE(QDir(m_folder.path()).entryList({QStringLiteral("folder.pdf*")}, QDir::AllEntries),
             QStringList{QStringLiteral("folder.pdf")});
    m_messages.Shown.clear();
}

void TestPrint::previewPaintsThePageOfTheLayout() {
    CNivaraView* view = Graph();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    const QString pdf = Path("preview.pdf");
    printer.setOutputFileName(pdf);
    bool opened = false;
    bool facing = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            opened = true;
            auto* preview = dialog->findChild<QPrintPreviewWidget*>();
            facing = preview != nullptr && preview->viewMode() == QPrintPreviewWidget::FacingPagesView;
            // The preview's paint request, answered onto a PDF page.
            emit dialog->paintRequested(&printer);
            dialog->reject();
        }
    });
    QVERIFY(m_frame->OnCommand(cmd::FilePrintPreview));
    QVERIFY(opened);
    QVERIFY(facing);
    QVERIFY(QFile::exists(pdf));
    const PRINT_PAGE page = CPrintJob(view->Model(), "preview").Layout(printer);
    QCOMPARE(page.printable.left, page.pageWidth * 20 / 210);
    const QImage image = PdfImage(pdf, m_folder.path());
    if (image.isNull()) {
        QSKIP("pdftoppm is not installed");
    }
    QVERIFY(std::abs(image.width() - page.pageWidth) <= 1);
    const int middle = (page.waveArea.top + page.waveArea.bottom) / 2;
    // The frame's left edge is black, the ruler white, cursor A's line cyan.
    QVERIFY(IsColour(image.pixel(page.frame.left, middle), 0, 0, 0, 90));
    QVERIFY(IsColour(image.pixel(page.frame.left + 3, middle), 255, 255, 255, 20));
    const int rulerY = page.ruler.bottom - 2;
    int whiteOnRuler = 0;
    for (int x = page.ruler.left + 2; x < page.ruler.right - 2; ++x) {
        whiteOnRuler += IsColour(image.pixel(x, rulerY), 255, 255, 255, 10) ? 1 : 0;
    }
    QVERIFY(whiteOnRuler > page.ruler.Width() / 2);
    // A ruler value hangs from 4 units below the frame's top, not from the
    // middle of the ruler.
    QVERIFY(!page.tickLabels.empty());
    const PRINT_TEXT& value = page.tickLabels.front();
    int inkTop = -1;
    for (int y = page.ruler.top + 1; y < page.ruler.bottom && inkTop < 0; ++y) {
        for (int x = value.box.left; x < value.box.right && inkTop < 0; ++x) {
            inkTop = IsColour(image.pixel(x, y), 0, 0, 0, 120) ? y : -1;
        }
    }
    // Digits start a unit or two below the line's top (its internal
    // leading); centred in the ruler they would start 5 units lower.
    QCOMPARE(value.box.top, page.frame.top + 4);
    QVERIFY2(inkTop >= value.box.top && inkTop < value.box.top + 4,
             qPrintable(QStringLiteral("ink from %1, box from %2").arg(inkTop).arg(value.box.top)));
    const PRINT_CURSOR& a = page.cursors[0];
    QVERIFY(a.inside);
    bool cyan = false;
    for (int y = page.waveArea.top + 2; y < page.waveArea.bottom - 2 && !cyan; ++y) {
        cyan = IsColour(image.pixel(a.x, y), 0, 221, 221, 70);
    }
    QVERIFY(cyan);
    // Row 0's signal is green at its high or low level, the separator below it light grey.
    const int rowTop = page.waveArea.top;
    int green = 0;
    for (int x = page.waveArea.left; x < page.waveArea.right; ++x) {
        for (const int y : {rowTop + 4, rowTop + page.rowHeight - 4}) {
            green += IsColour(image.pixel(x, y), 80, 200, 30, 60) ? 1 : 0;
        }
    }
    QVERIFY2(green > page.waveArea.Width() / 4, qPrintable(QString::number(green)));
    QVERIFY(IsColour(image.pixel(page.waveArea.left + 50, rowTop + page.rowHeight), 224, 224, 224, 30));
    // Nothing is printed right of the frame.
    QVERIFY(IsColour(image.pixel(page.printable.right + 3, middle), 255, 255, 255, 5));
}

int main(int argc, char** argv) {
    CNivaraApp app(argc, argv);
    TestPrint test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ui_print.moc"
