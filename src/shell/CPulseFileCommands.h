#pragma once
#include <atomic>
#include <cstdint>
#include <string>

class IFileChooser;
class IPulseFileAccess;
class IUserMessages;

// Open, Save and Save As of pulse files: the dialogs with their filters, the
// extension rule, the messages and the document's saved flag. A failed read
// or write reports 64515 / 64516 and leaves the saved flag as it was.
// A path ending in ".vcd" is a value change dump: Open reads it as a new
// generating document (unsaved: it is in no pulse file yet), and Save As
// writes a copy that leaves the document's path and saved flag as they were.
class CPulseFileCommands {
public:
    // Copied: a value change dump was written; the document keeps its path.
    enum class Outcome { Cancelled, Failed, Done, Copied };

    static constexpr const char* PulseFilter =
        "VARDEK Pulse Binary Data (*.vpb) |*.vpb|VARDEK Pulse Text Data (*.csv) |*.csv|VCD files (*.vcd) |*.vcd||";
    static constexpr const char* OpenExtension = "csv";
    static constexpr const char* SaveExtension = "*.csv";

    CPulseFileCommands(IFileChooser& chooser, IUserMessages& messages);

    // Asks for an existing file name only; the caller creates the document
    // when there is none before reading.
    [[nodiscard]] Outcome ChooseOpen(std::string& path);
    [[nodiscard]] Outcome Read(IPulseFileAccess& access, const std::string& path, std::atomic<int32_t>& saved);
    // Save to `path`, or Save As when it is empty. `path` receives the name
    // written to.
    [[nodiscard]] Outcome Save(IPulseFileAccess& access, std::string& path, std::atomic<int32_t>& saved);
    [[nodiscard]] Outcome SaveAs(IPulseFileAccess& access, std::string& path, std::atomic<int32_t>& saved);

private:
    [[nodiscard]] Outcome ReadDump(IPulseFileAccess& access, const std::string& path);
    [[nodiscard]] Outcome WriteDump(IPulseFileAccess& access, const std::string& path);
    [[nodiscard]] Outcome Write(IPulseFileAccess& access, const std::string& path, std::atomic<int32_t>& saved);

    IFileChooser& m_chooser;
    IUserMessages& m_messages;
};
