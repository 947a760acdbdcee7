#pragma once
#include <string>

// Reads one auto-saved block file into the sampling memory of the document:
// the pulse binary reader when `binary`, else the pulse text reader. The
// window layer provides it with the file readers; tests provide fakes.
class IBlockReader {
public:
    virtual ~IBlockReader() = default;
    // False when the file could not be read (the reader has told the user).
    [[nodiscard]] virtual bool ReadBlock(const std::string& path, bool binary) = 0;
};
