#pragma once
#include <string>
#include <string_view>

// Whether a PDF file was written to its end. The print engine reports no
// write error of its own, so a full disk can leave a file that starts well
// and stops in the middle; only a file that opens with "%PDF-" and closes
// with "%%EOF" (white space may follow) is put where the user pointed.
class CPdfFileCheck {
public:
    // The first and last bytes of a file: `head` from its start, `tail` up
    // to its end (they may overlap or be the same for a short file).
    [[nodiscard]] static bool IsComplete(std::string_view head, std::string_view tail);
    // Reads the ends of the file at `path`; false when it cannot be read.
    [[nodiscard]] static bool IsCompleteFile(const std::string& path);

    // Bytes of the file's end that are read: room for the end marker after
    // any white space a writer leaves.
    static constexpr std::size_t TailBytes = 1024;
};
