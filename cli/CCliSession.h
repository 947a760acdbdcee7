#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/FileResult.h"

struct CLI_COMMAND;

// One document with the records of one headless window, as the command-line
// commands load and save it. No board is bound: device texts pass through.
class CCliSession {
public:
    CCliSession();

    // Reads a pulse file by the extension rule (a ".vcd" file as a value
    // change dump sampled at VcdPeriod, or at its common divisor when 0); on
    // failure prints the reason.
    [[nodiscard]] bool LoadPulse(const std::string& path);
    // Reads a condition file; on failure prints the reason.
    [[nodiscard]] bool LoadCondition(const std::string& path);
    // Writes a pulse file by the extension rule (".vcd": a value change dump);
    // on failure prints the reason.
    [[nodiscard]] bool SavePulse(const std::string& path);

    // The auto-save folder of a new document: XDG_DOCUMENTS_DIR or
    // $HOME/Documents, then "/Nivara"; the current folder when neither is known.
    [[nodiscard]] static std::string DefaultAutoSavePath();
    // "nivara-cli: FILE: reason" on stderr.
    static void Complain(const std::string& path, const std::string& reason);
    // True when the arguments ask for help; prints the usage then.
    [[nodiscard]] static bool AnswerHelp(const std::vector<std::string>& arguments, const char* usage,
                                         const char* summary);
    // A usage error of a command: "nivara-cli: <message>" and the usage on stderr.
    static int UsageError(const char* usage, const std::string& message);

    uint64_t VcdPeriod = 0;  // femtoseconds
    CLogicDocument Document;
    CWindowRecords Records;
    CHeadlessFileWindow Window;

private:
    [[nodiscard]] bool Report(const std::string& path, const FileResult& result);
};
