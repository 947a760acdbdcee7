#pragma once
#include <string>
#include <vector>

#include "files/FileResult.h"

class CVcdTokens;
struct VCD_DECLARATIONS;

// The declarations of a dump up to "$enddefinitions $end": the timescale,
// the variables (nested scopes give dotted names, a range names each bit),
// and this program's own comments (device channels, buses, names VCD cannot
// hold, bookmarks). A header that cannot be read is refused at its line.
class CVcdHeader {
public:
    CVcdHeader(CVcdTokens& tokens, const std::string& path, VCD_DECLARATIONS& out)
        : m_tokens(tokens), m_path(path), m_out(out) {}

    [[nodiscard]] FileResult Read();

private:
    [[nodiscard]] FileResult Malformed(const std::string& reason) const;
    [[nodiscard]] FileResult Declare(const std::string& keyword, const std::vector<std::string>& words);
    [[nodiscard]] FileResult Variable(const std::vector<std::string>& words);
    [[nodiscard]] FileResult Range(const std::string& range, int width, struct VCD_VARIABLE& variable) const;
    void Comment(const std::vector<std::string>& words);
    void Bookmark(const std::vector<std::string>& words);
    [[nodiscard]] FileResult Finish();

    CVcdTokens& m_tokens;
    const std::string& m_path;
    VCD_DECLARATIONS& m_out;
    std::vector<std::string> m_scopes;
};
