#include "graph/ui/CPrintJob.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "graph/CGraphModel.h"
#include "graph/CPdfFileCheck.h"
#include "graph/ui/CPrintPainter.h"
#include "resources/CStringTable.h"

namespace {

std::string Failed(const std::string& step) { return FormatText(IDS_PRINT_FAILED, step); }

// The output file of a PDF print, or "" for a printer.
QString PdfTarget(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
}

}  // namespace

CPrintJob::CPrintJob(CGraphModel& model, std::string title) : m_model(model), m_title(std::move(title)) {}

PRINT_DEVICE CPrintJob::DeviceOf(QPrinter& printer) {
    PRINT_DEVICE device;
    device.printerDpiX = printer.logicalDpiX();
    device.printerDpiY = printer.logicalDpiY();
    device.horzRes = printer.width();
    device.vertRes = printer.height();
    device.horzSizeMm = printer.widthMM();
    device.vertSizeMm = printer.heightMM();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        device.screenDpiX = static_cast<int>(screen->logicalDotsPerInchX());
        device.screenDpiY = static_cast<int>(screen->logicalDotsPerInchY());
    }
    return device;
}

PRINT_GRAPH CPrintJob::GraphNow() const {
    PRINT_GRAPH graph = CPrintLayout::GraphFrom(m_model, m_title);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    graph.dateLine = CPrintLayout::DateLine(local);
    return graph;
}

PRINT_PAGE CPrintJob::Layout(QPrinter& printer) const {
    const QFont large = CPrintPainter::LargeFont();
    const QFont small = CPrintPainter::SmallFont();
    const CPrintMeasure measure(large, small);
    const CPrintLayout layout(DeviceOf(printer), QFontMetrics(large).height(), QFontMetrics(small).height(), measure);
    return layout.Compute(GraphNow());
}

void CPrintJob::PaintPage(QPainter& painter, QPrinter& printer) {
    const PRINT_DEVICE device = DeviceOf(printer);
    const PRINT_PAGE page = Layout(printer);
    // Logical units are screen pixels.
    const double screenX = device.screenDpiX > 0 ? device.screenDpiX : device.printerDpiX;
    const double screenY = device.screenDpiY > 0 ? device.screenDpiY : device.printerDpiY;
    painter.save();
    painter.scale(device.printerDpiX / screenX, device.printerDpiY / screenY);
    CPrintPainter(m_model.Geometry().Scale()).Paint(painter, page, m_model);
    painter.restore();
}

bool CPrintJob::Print(QPrinter& printer, std::string& error) {
    printer.setFromTo(1, 1);
    const QString target = PdfTarget(printer);
    const QString part = target.isEmpty() ? QString() : target + QStringLiteral(".part");
    if (!part.isEmpty()) {
        printer.setOutputFileName(part);
    }
    const auto restore = [&printer, &target, &part] {
        if (!part.isEmpty()) {
            QFile::remove(part);
            printer.setOutputFileName(target);
        }
    };
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = Failed(LoadText(IDS_PRINT_STEP_START));
        restore();
        return false;
    }
    PaintPage(painter, printer);
    // Nothing reports a failed drawing call; a printer that gave up while
    // the page was drawn shows it in its state.
    if (!painter.isActive() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        painter.end();
        error = Failed(LoadText(IDS_PRINT_STEP_PAGE));
        restore();
        return false;
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        error = Failed(LoadText(IDS_PRINT_STEP_FINISH));
        restore();
        return false;
    }
    if (part.isEmpty()) {
        return true;
    }
    // The PDF writer does not report a full disk: a file cut short in the
    // middle would otherwise replace the user's file.
    std::error_code failure;
    if (!CPdfFileCheck::IsCompleteFile(part.toStdString())) {
        failure = std::make_error_code(std::errc::no_space_on_device);
    } else {
        std::filesystem::rename(part.toStdString(), target.toStdString(), failure);
    }
    if (failure) {
        error = Failed(FormatText(IDS_PRINT_STEP_SAVE, target.toStdString()));
        restore();
        return false;
    }
    printer.setOutputFileName(target);
    return true;
}
