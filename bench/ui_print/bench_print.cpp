// Printing the graph: a 1920-pixel-wide view with 32 rows of a
// 100,000,000-word memory printed to a PDF file (target: under 1 s, the file
// under 2 MB), and the print preview opened until its page is painted
// (target: under 500 ms). Both against one full screen repaint of the same
// view in the same run.
//
//   bench_print [--words N]
#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "document/CWindowRecords.h"
#include "graph/ui/CNivaraView.h"
#include "graph/ui/CPrintJob.h"
#include "shell/ui/CNivaraDoc.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Busy data: every channel changes often, at differing rates.
void Fill(CLogicMemory& memory) {
    uint32_t state = 0x12345678;
    uint32_t* words = memory.Data();
    uint32_t word = 0;
    for (uint32_t i = 0; i < memory.Length(); ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        word ^= state & 0x0F0F0F0F & (state >> 3);
        words[i] = word;
    }
}

template <class F>
double Median(int runs, F&& action) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        action();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    uint32_t words = 100000000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--words") == 0) {
            words = static_cast<uint32_t>(std::stoul(argv[i + 1]));
        }
    }
    CNivaraDoc doc;
    CLogicDocument& document = doc.Document();
    document.Condition().Direction = DIRECTION_SAMPLING;
    if (!document.SetBufferSize(words)) {
        std::printf("cannot allocate %u words\n", words);
        return 1;
    }
    Fill(document.SamplingMemory());
    document.LastCount = words;

    CWindowRecords records("Signal");
    CNivaraView view(doc.Document(), records);
    const int barWidth = view.findChild<QScrollBar*>()->sizeHint().width();
    view.resize(1920 + barWidth, 1080);
    view.show();
    QApplication::processEvents();
    view.OnDocumentUpdate();
    view.ToggleCursorA();
    view.JumpToClock(words / 2);
    view.ToggleCursorB();
    std::printf("%u words, %d shown rows, view %d px wide\n", words, view.Model().Geometry().RowCount(),
                view.Model().Geometry().GraphArea().Width());

    QTemporaryDir folder;
    std::printf("%10s %12s %12s %10s %12s %12s %10s\n", "zoom", "screen ms", "pdf ms", "ratio", "pdf bytes",
                "preview ms", "ratio");
    bool ok = true;
    for (const double zoom : {0.0125, 0.1, 1.0, 16.0}) {
        view.SetZoom(zoom);
        view.RenderSurface();
        const double screen = Median(9, [&] {
            view.Invalidate(GRAPH_PART_ALL);
            view.RenderSurface();
        });
        const QString pdf = folder.filePath(QStringLiteral("print-%1.pdf").arg(zoom));
        const double print = Median(5, [&] {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setOutputFileName(pdf);
            CPrintJob job(view.Model(), "bench.vpb");
            std::string error;
            if (!job.Print(printer, error)) {
                std::printf("print failed: %s\n", error.c_str());
            }
        });
        const qint64 bytes = QFileInfo(pdf).size();
        const double preview = Median(3, [&] {
            QPrinter printer(QPrinter::HighResolution);
            printer.setPageSize(QPageSize(QPageSize::A4));
            CPrintJob job(view.Model(), "bench.vpb");
            QPrintPreviewDialog dialog(&printer);
            bool painted = false;
            QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
                QPainter painter(target);
                job.PaintPage(painter, *target);
                painted = true;
            });
            dialog.resize(1000, 800);
            dialog.show();
            while (!painted) {
                QApplication::processEvents();
            }
            QApplication::processEvents();
            dialog.close();
        });
        std::printf("%10.4f %12.2f %12.2f %10.1f %12lld %12.2f %10.1f\n", zoom, screen, print, print / screen,
                    static_cast<long long>(bytes), preview, preview / screen);
        ok = ok && print < 1000 && bytes < 2 * 1024 * 1024 && preview < 500;
    }
    std::printf("targets (print < 1000 ms, PDF < 2 MB, preview < 500 ms): %s\n", ok ? "met" : "NOT met");
    return 0;
}
