#pragma once
#include <string>

#include "graph/CPrintLayout.h"

class CGraphModel;
class QPainter;
class QPrinter;

// One print of the graph: the page laid out from the printer's metrics and
// the graph's state at print time, drawn on exactly one sheet. A page for a
// PDF file is written beside the file and put in its place only when
// complete, so a failed print leaves the previous file as it was.
class CPrintJob {
public:
    CPrintJob(CGraphModel& model, std::string title);

    // The printer's resolution, printable size in dots and millimetres, and
    // the screen's dpi (0 when there is no screen).
    [[nodiscard]] static PRINT_DEVICE DeviceOf(QPrinter& printer);

    // Lays out and draws the page on a painter begun on the printer.
    void PaintPage(QPainter& painter, QPrinter& printer);
    // The page the printer would get now.
    [[nodiscard]] PRINT_PAGE Layout(QPrinter& printer) const;

    // Runs the whole job; false with the message naming the failed step.
    [[nodiscard]] bool Print(QPrinter& printer, std::string& error);

private:
    [[nodiscard]] PRINT_GRAPH GraphNow() const;

    CGraphModel& m_model;
    std::string m_title;
};
