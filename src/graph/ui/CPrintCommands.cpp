#include "graph/ui/CPrintCommands.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "document/IFileChooser.h"
#include "document/IUserMessages.h"
#include "graph/ui/CNivaraView.h"
#include "graph/ui/CPrintJob.h"
#include "resources/CStringTable.h"
#include "resources/CommandIds.h"

CPrintCommands::CPrintCommands(ICommandHost& host) : m_host(host) {}

CPrintCommands::~CPrintCommands() = default;

void CPrintCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::FilePrint, [this] { OnPrint(); });
    registry.AddCommand(cmd::FilePrintDirect, [this] { OnPrintDirect(); },
                        [](const COMMAND_CONTEXT& context) { return COMMAND_UI{context.HasFrame}; });
    registry.AddCommand(cmd::FilePrintPreview, [this] { OnPrintPreview(); });
    registry.AddCommand(cmd::FilePrintSetup, [this] { OnPrintSetup(); });
}

QPrinter& CPrintCommands::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_noPrinter = QPrinterInfo::availablePrinters().isEmpty();
        if (m_noPrinter) {
            m_printer->setOutputFormat(QPrinter::PdfFormat);
        }
    }
    return *m_printer;
}

CNivaraView* CPrintCommands::ActiveView() const {
    IDocumentWindow* window = m_host.ActiveWindow();
    return window != nullptr ? window->View() : nullptr;
}

std::string CPrintCommands::ActiveTitle() const {
    IDocumentWindow* window = m_host.ActiveWindow();
    return window != nullptr ? window->Title() : std::string();
}

void CPrintCommands::OnPrint() {
    CNivaraView* view = ActiveView();
    if (view == nullptr) {
        return;
    }
    QPrintDialog dialog(&Printer(), m_host.MainWindow());
    // One page, no range to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintView(*view);
}

void CPrintCommands::OnPrintDirect() {
    CNivaraView* view = ActiveView();
    if (view == nullptr || !ChoosePdfWhenNoPrinter()) {
        return;
    }
    PrintView(*view);
}

bool CPrintCommands::ChoosePdfWhenNoPrinter() {
    QPrinter& printer = Printer();
    if (!m_noPrinter) {
        return true;
    }
    const std::optional<std::string> path =
        m_host.FileChooser().ChooseFileToSave(LoadText(IDS_PRINT_PDF_FILTER), "pdf", ActiveTitle() + ".pdf");
    if (!path) {
        return false;
    }
    printer.setOutputFileName(QString::fromStdString(*path));
    return true;
}

void CPrintCommands::PrintView(CNivaraView& view) {
    CPrintJob job(view.Model(), ActiveTitle());
    std::string error;
    if (!job.Print(Printer(), error)) {
        m_host.Messages().ShowMessage(error, MessageIcon::Error);
    }
}

void CPrintCommands::OnPrintPreview() {
    CNivaraView* view = ActiveView();
    if (view == nullptr) {
        return;
    }
    CPrintJob job(view->Model(), ActiveTitle());
    QPrintPreviewDialog dialog(&Printer(), m_host.MainWindow());
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    // The stored number of pages side by side: two face each other, more
    // show every page.
    if (auto* preview = dialog.findChild<QPrintPreviewWidget*>()) {
        const int pages = m_host.PreviewPages();
        preview->setViewMode(pages <= 1   ? QPrintPreviewWidget::SinglePageView
                             : pages == 2 ? QPrintPreviewWidget::FacingPagesView
                                          : QPrintPreviewWidget::AllPagesView);
    }
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&job](QPrinter* printer) {
        QPainter painter(printer);
        job.PaintPage(painter, *printer);
    });
    dialog.exec();
}

void CPrintCommands::OnPrintSetup() {
    QPageSetupDialog dialog(&Printer(), m_host.MainWindow());
    dialog.exec();
}
