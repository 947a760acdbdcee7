#include "files/CVcdTokens.h"

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
