#pragma once
#include <string>

#include "files/FileResult.h"

class CLogicDocument;
class CWindowRecords;
class IFileWindow;

// Writes the current direction's condition, channel table, bookmarks and
// valid data of the document and window to a pulse text file at path (beside
// it first, then renamed over it). Fails with 64516 when the texts cannot be
// stored in the format (comma, line break, section keyword, over 255 bytes).
[[nodiscard]] FileResult WritePulseTextFile(const CLogicDocument& document, const CWindowRecords& records,
                                            IFileWindow& window, const std::string& path);

// Replaces the condition, the channel table and bookmarks of the file's
// direction and that direction's memory with the file's content. A refused
// file (64515) leaves document and window records as they were.
[[nodiscard]] FileResult ReadPulseTextFile(CLogicDocument& document, CWindowRecords& records,
                                           IFileWindow& window, const std::string& path);

// Reads only the data words of an automatically saved block into the
// sampling memory (document in sampling direction); LastCount = words stored.
[[nodiscard]] FileResult ReadPulseTextBlock(CLogicDocument& document, IFileWindow& window,
                                            const std::string& path);
