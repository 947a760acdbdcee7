#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "files/CBufferedFile.h"

// The words of a Value Change Dump, separated by any white space, with the
// line each one stands on. A line longer than the reader takes refuses the file.
class CVcdTokens {
public:
    static constexpr std::size_t MaxLineBytes = std::size_t{64} << 10;

    [[nodiscard]] bool Open(const std::string& path);
    // The next word; false at the end of the file or on a read error (Failed()).
    [[nodiscard]] bool Next(std::string_view& token);
    [[nodiscard]] uint64_t Line() const { return m_line; }
    [[nodiscard]] bool Failed() const { return !m_error.empty(); }
    [[nodiscard]] const std::string& Error() const { return m_error; }

private:
    CBufferedFile m_file;
    std::string_view m_rest;
    uint64_t m_line = 0;
    std::string m_error;
};
