#pragma once
#include <string>
#include <string_view>

#include "document/LOGIC_CONDITION.h"
#include "files/CBufferedFile.h"
#include "files/CConditionFields.h"
#include "files/FileResult.h"

// The condition file (".nvc") and the basic data pattern file (".bdp"): CR
// LF lines of "key,value" after the magic line, ended by an empty line.
class CComFileRW {
public:
    // --- writing: the whole text at once, beside the target, then renamed over it.
    [[nodiscard]] FileResult WriteText(const std::string& path, std::string_view text);

    // Lines 1 to 8 of a condition file; the direction must be 1 or 2.
    [[nodiscard]] static std::string ConditionText(const LOGIC_CONDITION& condition, uint32_t size);
    // Lines 1 to 5 of a basic data pattern file.
    [[nodiscard]] static std::string DataPatternText(std::string_view bits, uint32_t repeatCount);

    // --- reading
    [[nodiscard]] FileResult OpenRead(const std::string& path);
    // Checks the magic line, then collects "key,value" lines (split at the
    // first ","); empty lines and lines without "," are skipped; a key given
    // twice keeps its last value.
    [[nodiscard]] FileResult ReadKeyValues(KEY_VALUES& values);

private:
    CBufferedFile m_file;
};
