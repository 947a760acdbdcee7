#pragma once
#include <string>
#include <vector>

#include "files/FileResult.h"

// Reads a pulse file into, or writes one from, a document window, in the
// format the path names (IsPulseTextPath). False when the file could not be
// read or written. Value change dumps (".vcd") are read into a generating
// document and written as a copy of the current direction.
class IPulseFileAccess {
public:
    virtual ~IPulseFileAccess() = default;
    [[nodiscard]] virtual bool ReadPulseFile(const std::string& path) = 0;
    [[nodiscard]] virtual bool WritePulseFile(const std::string& path) = 0;
    // `warnings` receives what was read in another way than written (x and z
    // levels, a period the board cannot clock); the read still succeeded.
    [[nodiscard]] virtual FileResult ReadValueChangeDump(const std::string& path,
                                                         std::vector<std::string>& warnings) = 0;
    [[nodiscard]] virtual FileResult WriteValueChangeDump(const std::string& path) = 0;
};
