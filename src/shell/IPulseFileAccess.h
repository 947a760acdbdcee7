#pragma once
#include <string>

// Reads a pulse file into, or writes one from, a document window, in the
// format the path names (IsPulseTextPath). False when the file could not be
// read or written.
class IPulseFileAccess {
public:
    virtual ~IPulseFileAccess() = default;
    [[nodiscard]] virtual bool ReadPulseFile(const std::string& path) = 0;
    [[nodiscard]] virtual bool WritePulseFile(const std::string& path) = 0;
};
