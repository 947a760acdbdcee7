#pragma once
#include <cstdint>
#include <string>

struct LOGIC_CONDITION;

// Which auto-save texts a block file can hold. Every block file carries the
// path and the file prefix in its head: a pulse binary file at most 255
// bytes each, a pulse text file also no comma or line break. The prefix
// becomes part of a file name inside the folder, so it holds no "/" or "..".
// Each check gives 0 when the text can be used, else the id of the message
// that refuses it.
class CAutoSaveTexts {
public:
    static constexpr std::size_t MaxBytes = 255;
    static constexpr int16_t TextFileType = 0;

    [[nodiscard]] static int PathProblem(const std::string& path, int16_t fileType);
    [[nodiscard]] static int PrefixProblem(const std::string& prefix, int16_t fileType);
    // The file type of the condition becomes `fileType`: its path and prefix
    // must suit it.
    [[nodiscard]] static int FileTypeProblem(const LOGIC_CONDITION& condition, int16_t fileType);
};
