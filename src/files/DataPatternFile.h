#pragma once
#include <cstdint>
#include <string>

#include "files/FileResult.h"

class CLogicDocument;
class IFileWindow;

// The longest pattern a data pattern file is written with (the largest memory).
inline constexpr uint32_t MaxDataPatternLength = 100000000;

// Writes the document's last created pattern: bit PatternChannel of
// generating words 0 .. BasicPatternLength - 1 ("0" beyond the memory's end)
// and PatternCount as the repeat count. Fails when no pattern was created.
[[nodiscard]] FileResult WriteDataPatternFile(const CLogicDocument& document, const std::string& path);

// Stamps the file's pattern into the window's target channel of the
// generating memory from clock 0, repeated PulseNum times (0: the whole
// memory), and marks the document as modified. Refuses a file without "Data"
// or "PulseNum", with an empty pattern or a character other than "0"/"1",
// and a target that is a bus or outside channels 0..31.
[[nodiscard]] FileResult ReadDataPatternFile(CLogicDocument& document, IFileWindow& window,
                                             const std::string& path);
