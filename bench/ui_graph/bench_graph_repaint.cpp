// Repaint cost of the waveform graph: one full off-screen repaint of a
// 1920x1080 graph with 30 visible rows (15 buses, 15 signals) at every zoom
// from 0.0125 to 128, for a 1,000,000 and a 100,000,000-word memory, and a
// zoom step on the large memory. Target: under 16 ms each. Then a caret
// blink and a hover of the clock scroll bar, which repaint only their dirty
// rectangle from the cached surface, against a full repaint through the
// window in the same run. Target: under 1 ms CPU.
//
//   bench_graph_repaint [--small-only] [--save DIR]
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "document/CWindowRecords.h"
#include "graph/ui/CNivaraView.h"
#include "shell/ui/CNivaraDoc.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

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

// 15 two-member buses, each followed by its two member rows (30 rows shown of 45).
CChannelTable BusyTable() {
    CChannelTable table;
    for (int k = 0; k < 15; ++k) {
        LOGIC_DATA bus;
        bus.DeviceChannel = static_cast<int16_t>(k);
        bus.ChannelName = "Bus signal" + std::to_string(k);
        bus.IsEnable = 1;
        bus.IsBus = 1;
        bus.BusChannel = 3u << (2 * k);
        bus.IsShown = 1;
        table.Append(bus);
        for (int m = 0; m < 2; ++m) {
            LOGIC_DATA signal;
            signal.DeviceChannel = static_cast<int16_t>(2 * k + m);
            signal.ChannelName = "Signal" + std::to_string(2 * k + m);
            signal.IsEnable = 1;
            signal.IsShown = m == 0 ? 1 : 0;
            table.Append(signal);
        }
    }
    return table;
}

// CPU time of this thread: what a repaint costs when the two cores are
// shared with other work (wall time then also counts the waits).
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct FIGURE {
    double median = 0;
    double worst = 0;
    double cpuMedian = 0;
    double cpuWorst = 0;
};

template <class F>
FIGURE Measure(int runs, F&& action) {
    std::vector<double> times;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        const double cpuStart = ThreadMilliseconds();
        action();
        cpu.push_back(ThreadMilliseconds() - cpuStart);
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    return {times[times.size() / 2], times.back(), cpu[cpu.size() / 2], cpu.back()};
}

void Hover(CNivaraView& view, const QPoint& point) {
    QMouseEvent move(QEvent::MouseMove, QPointF(point), view.mapToGlobal(QPointF(point)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
    QApplication::processEvents();
}

// A caret blink and a hover against a full repaint, all through the window.
void MeasurePartialRepaints(CNivaraView& view) {
    const FIGURE full = Measure(15, [&] {
        view.RefreshView();
        QApplication::processEvents();
    });
    const FIGURE blink = Measure(50, [&] {
        view.update(view.CaretRect());
        QApplication::processEvents();
    });
    const CScrollBarGeometry& bar = view.Model().Geometry().ScrollBar();
    const QPoint thumb((bar.Thumb().left + bar.Thumb().right) / 2, bar.Thumb().top + 5);
    const QPoint away(thumb.x(), bar.ScaleArea().top + 30);
    bool onThumb = false;
    const FIGURE hover = Measure(50, [&] {
        onThumb = !onThumb;
        Hover(view, onThumb ? thumb : away);
    });
    std::printf("  zoom %.4f: full repaint cpu median %.3f ms (max %.3f); caret blink cpu median %.3f ms "
                "(max %.3f, %.1f%% of full); hover cpu median %.3f ms (max %.3f, %.1f%% of full)\n",
                view.Zoom(), full.cpuMedian, full.cpuWorst, blink.cpuMedian, blink.cpuWorst,
                100.0 * blink.cpuMedian / full.cpuMedian, hover.cpuMedian, hover.cpuWorst,
                100.0 * hover.cpuMedian / full.cpuMedian);
}

double RunMemory(uint32_t words, const char* saveDir) {
    CNivaraDoc doc;
    CLogicDocument& document = doc.Document();
    document.Condition().Direction = DIRECTION_SAMPLING;
    document.Condition().AutoSave = 1;  // a recording in blocks: the block buttons show
    if (!document.SetBufferSize(words)) {
        std::printf("cannot allocate %u words\n", words);
        return 0;
    }
    const auto fillStart = Clock::now();
    Fill(document.SamplingMemory());
    document.LastCount = words;
    std::printf("\n%u words (filled in %.0f ms)\n", words, Milliseconds(Clock::now() - fillStart));

    CWindowRecords records("Signal");
    records.SamplingTable = BusyTable();
    CNivaraView view(doc.Document(), records);
    const int barWidth = view.findChild<QScrollBar*>()->sizeHint().width();
    view.resize(1920 + barWidth, 1080);
    view.show();
    QApplication::processEvents();
    view.OnDocumentUpdate();
    view.SetSelection(0, 0, 0, 0);
    view.ToggleCursorA();
    view.JumpToClock(words / 2);
    view.ToggleCursorB();
    std::printf("rows per page %d, shown rows %d\n", view.Model().Geometry().RowsPerPage(),
                view.Model().Geometry().RowCount());

    double worst = 0;
    double worstCpu = 0;
    std::printf("%10s %10s %10s %10s %10s %10s %10s\n", "zoom", "clocks", "first", "median", "max",
                "cpu med", "cpu max");
    for (const double zoom : {0.0125, 0.025, 0.05, 0.1, 0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0, 128.0}) {
        view.SetZoom(zoom);
        const auto first = Clock::now();
        view.RenderSurface();  // glyphs and the bus band for this scale
        const double firstMs = Milliseconds(Clock::now() - first);
        const FIGURE figure = Measure(15, [&] { view.RenderSurface(); });
        worst = std::max({worst, figure.worst, firstMs});
        std::printf("%10.4f %10d %10.2f %10.2f %10.2f %10.2f %10.2f\n", zoom, view.ClocksPerPage(), firstMs,
                    figure.median, figure.worst, figure.cpuMedian, figure.cpuWorst);
        worstCpu = std::max(worstCpu, figure.cpuWorst);
        if (saveDir != nullptr && (zoom == 0.0125 || zoom == 1.0 || zoom == 4.0)) {
            view.SetGraphUnit(zoom == 4.0 ? GRAPH_UNIT_TIME : GRAPH_UNIT_CLOCK);
            view.RenderSurface();
            const std::string path = std::string(saveDir) + "/graph_" + std::to_string(words) + "_" +
                                     std::to_string(static_cast<int>(zoom * 10000)) + ".png";
            view.Surface().save(QString::fromStdString(path));
        }
    }
    std::printf("worst full repaint: %.2f ms wall, %.2f ms cpu\n", worst, worstCpu);

    // A zoom step from the command to the repainted surface.
    view.DefaultScale();
    view.RenderSurface();
    const FIGURE zoomIn = Measure(6, [&] {
        view.ZoomIn();
        view.RenderSurface();
    });
    view.SetZoom(128);
    const FIGURE zoomOut = Measure(13, [&] {
        view.ZoomOut();
        view.RenderSurface();
    });
    std::printf("zoom in step: median %.2f ms, max %.2f ms (cpu %.2f / %.2f); "
                "zoom out step: median %.2f ms, max %.2f ms (cpu %.2f / %.2f)\n",
                zoomIn.median, zoomIn.worst, zoomIn.cpuMedian, zoomIn.cpuWorst, zoomOut.median, zoomOut.worst,
                zoomOut.cpuMedian, zoomOut.cpuWorst);
    // The same through the window: render and copy to the backing store.
    const FIGURE window = Measure(10, [&] { view.repaint(); });
    std::printf("window repaint (render + copy): median %.2f ms, max %.2f ms (cpu %.2f / %.2f)\n", window.median,
                window.worst, window.cpuMedian, window.cpuWorst);
    view.DefaultScale();
    const FIGURE zoomWindow = Measure(6, [&] {
        view.ZoomIn();
        view.repaint();
    });
    std::printf("zoom in step to the repainted window: median %.2f ms, max %.2f ms (cpu %.2f / %.2f)\n",
                zoomWindow.median, zoomWindow.worst, zoomWindow.cpuMedian, zoomWindow.cpuWorst);
    std::printf("partial repaints (target under 1 ms cpu):\n");
    view.activateWindow();
    view.setFocus();
    QApplication::processEvents();
    for (const double zoom : {0.0125, 1.0, 128.0}) {
        view.SetZoom(zoom);
        MeasurePartialRepaints(view);
    }
    return worst;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    bool smallOnly = false;
    const char* saveDir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--small-only") == 0) {
            smallOnly = true;
        } else if (std::strcmp(argv[i], "--save") == 0 && i + 1 < argc) {
            saveDir = argv[++i];
        }
    }
    const double small = RunMemory(1000000, saveDir);
    const double large = smallOnly ? 0 : RunMemory(100000000, saveDir);
    std::printf("\nworst repaint: 1,000,000 words %.2f ms, 100,000,000 words %.2f ms (target < 16 ms)\n", small,
                large);
    return 0;
}
