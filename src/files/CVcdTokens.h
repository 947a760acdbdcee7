#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "files/CBufferedFile.h"

// The words of a Value Change Dump's header, separated by any white space,
// with the line each one stands on. A line longer than the reader takes
// refuses the file. Also the number, time and escape rules of the format.
class CVcdTokens {
public:
    static constexpr std::size_t MaxLineBytes = std::size_t{64} << 10;

    [[nodiscard]] bool Open(const std::string& path);
    // The next word; false at the end of the file or on a read error (Failed()).
    [[nodiscard]] bool Next(std::string_view& token);
    // What is left of the current line; the file then goes on at the next line.
    [[nodiscard]] std::string_view TakeRest();
    [[nodiscard]] CBufferedFile& File() { return m_file; }
    [[nodiscard]] uint64_t Line() const { return m_line; }
    [[nodiscard]] bool Failed() const { return !m_error.empty(); }
    [[nodiscard]] const std::string& Error() const { return m_error; }

    // Decimal digits only.
    [[nodiscard]] static bool Number(std::string_view text, uint64_t& value);
    // "1ns", or the number and the unit ("s", "ms", "us", "ns", "ps", "fs")
    // as two words, in femtoseconds; `units` limits the units to the first ones.
    [[nodiscard]] static bool Time(std::string_view number, std::string_view unit, uint64_t& femtoseconds,
                                   std::size_t units = 6);
    // A text as one word that never ends a comment: blanks, control
    // characters, '%' and '$' become "%XX" (two hexadecimal digits).
    [[nodiscard]] static std::string Escape(std::string_view text);
    [[nodiscard]] static std::string Unescape(std::string_view word);

private:
    CBufferedFile m_file;
    std::string_view m_rest;
    uint64_t m_line = 0;
    std::string m_error;
};
