#pragma once
#include <QObject>
#include <memory>

#include "document/ICommandModule.h"

class CNivaraView;
class ICommandHost;
class QPrinter;

// Print (Ctrl+P), Print Direct, Print Preview and Print Setup. One printer
// is kept for the whole run, so the setup chosen once serves every print.
// Where no printer is installed, Print Direct asks for the PDF file to write
// each time; Print leaves that choice to the print dialog.
class CPrintCommands final : public QObject, public ICommandModule {
    Q_OBJECT
public:
    explicit CPrintCommands(ICommandHost& host);
    ~CPrintCommands() override;

    void Register(ICommandRegistry& registry) override;

    // The printer the commands print on.
    [[nodiscard]] QPrinter& Printer();

    void OnPrint();
    void OnPrintDirect();
    void OnPrintPreview();
    void OnPrintSetup();

private:
    // Prints the graph of the active window; reports a failure.
    void PrintView(CNivaraView& view);
    // Without an installed printer, asks for the PDF file; false when cancelled.
    [[nodiscard]] bool ChoosePdfWhenNoPrinter();
    [[nodiscard]] CNivaraView* ActiveView() const;
    [[nodiscard]] std::string ActiveTitle() const;

    ICommandHost& m_host;
    std::unique_ptr<QPrinter> m_printer;
    bool m_noPrinter = false;
};
