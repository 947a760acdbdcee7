#include "files/CVcdTokens.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

bool CVcdTokens::Open(const std::string& path) {
    m_line = 0;
    m_rest = {};
    m_error.clear();
    if (!m_file.OpenRead(path)) {
        m_error = m_file.Error();
        return false;
    }
    return true;
}

bool CVcdTokens::Next(std::string_view& token) {
    for (;;) {
        std::size_t start = 0;
        while (start < m_rest.size() && IsSpace(m_rest[start])) {
            ++start;
        }
        if (start < m_rest.size()) {
            std::size_t end = start;
            while (end < m_rest.size() && !IsSpace(m_rest[end])) {
                ++end;
            }
            token = m_rest.substr(start, end - start);
            m_rest = m_rest.substr(end);
            return true;
        }
        std::string_view line;
        if (!m_file.ReadLine(line)) {
            if (m_file.Position() < m_file.FileSize() || !m_file.Error().empty()) {
                m_error = m_file.Error().empty() ? "the file could not be read" : m_file.Error();
            }
            return false;
        }
        ++m_line;
        if (line.size() > MaxLineBytes) {
            m_error = "line " + std::to_string(m_line) + " is longer than 64 KiB";
            return false;
        }
        m_rest = line;
    }
}

std::string_view CVcdTokens::TakeRest() {
    const std::string_view rest = m_rest;
    m_rest = {};
    return rest;
}

bool CVcdTokens::Number(std::string_view text, uint64_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool CVcdTokens::Time(std::string_view number, std::string_view unit, uint64_t& femtoseconds, std::size_t units) {
    static constexpr uint64_t UnitFs[] = {1000000000000000ULL, 1000000000000ULL, 1000000000ULL,
                                          1000000ULL,          1000ULL,          1ULL};
    static constexpr std::string_view UnitNames[] = {"s", "ms", "us", "ns", "ps", "fs"};
    if (unit.empty()) {
        const std::size_t digits = number.find_first_not_of("0123456789");
        if (digits == std::string_view::npos) return false;
        unit = number.substr(digits);
        number = number.substr(0, digits);
    }
    uint64_t count = 0;
    if (!Number(number, count) || count == 0) return false;
    for (std::size_t i = 0; i < std::min(units, std::size(UnitNames)); ++i) {
        if (unit == UnitNames[i]) {
            if (count > UINT64_MAX / UnitFs[i]) return false;
            femtoseconds = count * UnitFs[i];
            return true;
        }
    }
    return false;
}

std::string CVcdTokens::Escape(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 32 || byte == 127 || c == '%' || c == '$') {
            out += '%';
            out += Hex[byte >> 4];
            out += Hex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string CVcdTokens::Unescape(std::string_view word) {
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 2 < word.size() && digit(word[i + 1]) >= 0 && digit(word[i + 2]) >= 0) {
            out += static_cast<char>(digit(word[i + 1]) * 16 + digit(word[i + 2]));
            i += 2;
        } else {
            out += word[i];
        }
    }
    return out;
}
