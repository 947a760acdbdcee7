#pragma once
#include <string>

// Reads a pulse file into, or writes one from, the active document window.
// `text` chooses the pulse text format, otherwise the binary one. False when
// the file could not be read or written.
class IPulseFileAccess {
public:
    virtual ~IPulseFileAccess() = default;
    [[nodiscard]] virtual bool ReadPulseFile(const std::string& path, bool text) = 0;
    [[nodiscard]] virtual bool WritePulseFile(const std::string& path, bool text) = 0;
};
