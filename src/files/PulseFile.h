#pragma once
#include <string>

#include "files/FileResult.h"

class CLogicDocument;
class CWindowRecords;
class IFileWindow;

// The main window's extension rule: a path whose last three characters are
// exactly "csv" is a pulse text file, every other path a pulse binary file.
[[nodiscard]] bool IsPulseTextPath(const std::string& path);

// Read or write a pulse file of the kind the path names.
[[nodiscard]] FileResult ReadPulseFile(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                                       const std::string& path);
[[nodiscard]] FileResult WritePulseFile(const CLogicDocument& document, const CWindowRecords& records,
                                        IFileWindow& window, const std::string& path);
