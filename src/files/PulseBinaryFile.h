#pragma once
#include <string>

#include "files/FileResult.h"

class CLogicDocument;
class CWindowRecords;
class IFileWindow;

// Writes the current direction's condition, channel table, bookmarks and
// valid data to a pulse binary file at path (beside it first, then renamed
// over it). Fails with 64516 for texts over 255 bytes.
[[nodiscard]] FileResult WritePulseBinaryFile(const CLogicDocument& document, const CWindowRecords& records,
                                              IFileWindow& window, const std::string& path);

// Replaces the condition, the channel table and bookmarks of the file's
// direction and that direction's memory with the file's content. The whole
// header is checked and the file's length must cover its announced words
// before anything changes; the words are read straight into the memory.
[[nodiscard]] FileResult ReadPulseBinaryFile(CLogicDocument& document, CWindowRecords& records,
                                             IFileWindow& window, const std::string& path);

// Reads only the data words of an automatically saved block into the
// sampling memory (document in sampling direction); LastCount = words stored.
// A block with more words than the memory holds is refused with 61477.
[[nodiscard]] FileResult ReadPulseBinaryBlock(CLogicDocument& document, IFileWindow& window,
                                              const std::string& path);
