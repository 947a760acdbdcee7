#include "files/CVcdHeader.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "files/CVcdTokens.h"
#include "files/VCD_DECLARATIONS.h"

namespace {
// Everything up to "$end", as words.
bool Section(CVcdTokens& tokens, std::vector<std::string>& words) {
    std::string_view token;
    words.clear();
    while (tokens.Next(token)) {
        if (token == "$end") return true;
        words.emplace_back(token);
    }
    return false;
}

// A bit index: decimal, optionally negative, within the int range.
bool Index(std::string_view text, int64_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= std::numeric_limits<int>::min() &&
           value <= std::numeric_limits<int>::max();
}

// Words from `first` on, joined by one blank (comments of older files).
std::string Joined(const std::vector<std::string>& words, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < words.size(); ++i) text += (i > first ? " " : "") + words[i];
    return text;
}
}  // namespace

FileResult CVcdHeader::Read() {
    std::string_view token;
    std::vector<std::string> words;
    while (m_tokens.Next(token)) {
        const std::string keyword(token);
        if (keyword == "$enddefinitions") {
            return Section(m_tokens, words) ? Finish() : Malformed("$enddefinitions without $end");
        }
        if (keyword.empty() || keyword[0] != '$') {
            continue;  // text between the sections (some writers put notes there) declares nothing
        }
        if (!Section(m_tokens, words)) return Malformed(keyword + " without $end");
        FileResult step = Declare(keyword, words);
        if (!step) return step;
    }
    return Malformed(m_tokens.Failed() ? m_tokens.Error() : "the file ends before $enddefinitions");
}

FileResult CVcdHeader::Malformed(const std::string& reason) const {
    return FileResult::ReadRefused(m_path + ":" + std::to_string(m_tokens.Line()) + ": " + reason);
}

FileResult CVcdHeader::Declare(const std::string& keyword, const std::vector<std::string>& words) {
    if (keyword == "$timescale") {
        const bool ok = (words.size() == 1 && CVcdTokens::Time(words[0], {}, m_out.TimescaleFs)) ||
                        (words.size() == 2 && CVcdTokens::Time(words[0], words[1], m_out.TimescaleFs));
        return ok ? FileResult::Success() : Malformed("a timescale that cannot be read");
    }
    if (keyword == "$scope") {
        if (words.size() < 2) return Malformed("$scope without a name");
        m_scopes.push_back(words[1]);
    } else if (keyword == "$upscope") {
        if (!m_scopes.empty()) m_scopes.pop_back();
    } else if (keyword == "$var") {
        return Variable(words);
    } else if (keyword == "$comment") {
        Comment(words);
    }
    return FileResult::Success();
}

FileResult CVcdHeader::Variable(const std::vector<std::string>& words) {
    if (words.size() < 4) return Malformed("$var needs a type, a width, a code and a name");
    const std::string& type = words[0];
    if (type != "wire" && type != "reg" && type != "integer") {
        // Other kinds (real, event, parameter) carry no levels of ours:
        // their changes are read and dropped.
        m_out.IgnoredCodes.insert(words[2]);
        return FileResult::Success();
    }
    uint64_t width = 0;
    if (!CVcdTokens::Number(words[1], width) || width == 0) return Malformed("a width that cannot be read");
    if (m_out.ByCode.count(words[2]) != 0) return FileResult::Success();  // the same bits again
    if (width > 32 || m_out.Bits + static_cast<int>(width) > 32) {
        return Malformed("the file declares more than 32 bits");
    }
    VCD_VARIABLE variable;
    variable.Code = words[2];
    variable.Width = static_cast<int>(width);
    // The range stands apart ("d [7:0]") or on the reference ("d[7:0]").
    std::string reference = words[3];
    std::string range = words.size() > 4 ? words[4] : std::string();
    if (const std::size_t bracket = reference.find('['); bracket != std::string::npos && bracket > 0) {
        if (range.empty()) range = reference.substr(bracket);
        reference.resize(bracket);
    }
    if (!range.empty()) {
        FileResult read = Range(range, variable.Width, variable);
        if (!read) return read;
    }
    variable.Reference = reference;
    for (const std::string& scope : m_scopes) variable.Name += scope + ".";
    variable.Name += reference;
    variable.FirstChannel = m_out.Bits;
    m_out.Bits += variable.Width;
    m_out.ByCode[variable.Code] = m_out.Variables.size();
    m_out.Variables.push_back(std::move(variable));
    return FileResult::Success();
}

// "[msb:lsb]" or "[index]". The rightmost digit of a value is the bit of the
// right index: [7:0] counts up from 0, [0:7] down from 7.
FileResult CVcdHeader::Range(const std::string& range, int width, VCD_VARIABLE& variable) const {
    if (range.size() < 3 || range.front() != '[' || range.back() != ']') {
        return Malformed("a bit range that cannot be read");
    }
    const std::string_view inside = std::string_view(range).substr(1, range.size() - 2);
    const std::size_t colon = inside.find(':');
    int64_t left = 0;
    int64_t right = 0;
    if (colon == std::string_view::npos) {
        if (!Index(inside, right)) return Malformed("a bit index that cannot be read or is too large");
        left = right + (width - 1);
        variable.Indexed = width == 1;
    } else if (!Index(inside.substr(0, colon), left) || !Index(inside.substr(colon + 1), right)) {
        return Malformed("a bit index that cannot be read or is too large");
    }
    const int64_t step = left >= right ? 1 : -1;
    const int64_t last = right + step * (width - 1);
    if (last < std::numeric_limits<int>::min() || last > std::numeric_limits<int>::max()) {
        return Malformed("a bit index that cannot be read or is too large");
    }
    variable.RightIndex = static_cast<int>(right);
    variable.IndexStep = static_cast<int>(step);
    return FileResult::Success();
}

// This program's own comments: the wires' channels, buses, names, bookmarks.
void CVcdHeader::Comment(const std::vector<std::string>& words) {
    if (words.empty()) return;
    if (words[0] == "channels") {
        m_out.WireChannels.clear();
        for (std::size_t i = 1; i < words.size(); ++i) {
            uint64_t channel = 0;
            if (!CVcdTokens::Number(words[i], channel) || channel > 31) {
                m_out.WireChannels.clear();
                return;
            }
            m_out.WireChannels.push_back(static_cast<int>(channel));
        }
    } else if (words[0] == "bus" && words.size() >= 3 && words[1].size() > 1 && words[1].back() == ':' &&
               words[2] == "channels") {
        VCD_BUS bus{words[1].substr(0, words[1].size() - 1), {}};
        for (std::size_t i = 3; i < words.size(); ++i) {
            uint64_t channel = 0;
            if (!CVcdTokens::Number(words[i], channel) || channel > 31) return;
            bus.Channels.push_back(static_cast<int>(channel));
        }
        m_out.Buses.push_back(std::move(bus));
    } else if ((words[0] == "name" || words[0] == "busname") && words.size() >= 3) {
        // One escaped word; older files wrote the text as it was.
        const std::string text = words.size() == 3 ? CVcdTokens::Unescape(words[2]) : Joined(words, 2);
        (words[0] == "name" ? m_out.WireNames : m_out.BusNames)[words[1]] = text;
    } else if (words[0] == "bookmark" && words.size() >= 2) {
        Bookmark(words);
    }
}

// "bookmark POS FLAG MEMO": FLAG 1 for the current bookmark, MEMO escaped
// (absent when empty). Older files: "bookmark POS [current] memo words".
void CVcdHeader::Bookmark(const std::vector<std::string>& words) {
    uint64_t position = 0;
    if (!CVcdTokens::Number(words[1], position) || position > UINT32_MAX) return;
    const auto at = static_cast<uint32_t>(position);
    if (words.size() >= 3 && words.size() <= 4 && (words[2] == "0" || words[2] == "1")) {
        m_out.Bookmarks.push_back({at, words[2] == "1", words.size() == 4 ? CVcdTokens::Unescape(words[3]) : ""});
        return;
    }
    const bool current = words.size() > 2 && words[2] == "current";
    m_out.Bookmarks.push_back({at, current, Joined(words, current ? 3 : 2)});
}

FileResult CVcdHeader::Finish() {
    if (m_out.Variables.empty()) return Malformed("the file declares no variable");
    // The channels of this program's own files, when they fit the variables.
    bool own = m_out.WireChannels.size() == m_out.Variables.size();
    uint32_t seen = 0;
    for (std::size_t i = 0; own && i < m_out.Variables.size(); ++i) {
        const uint32_t bit = uint32_t{1} << m_out.WireChannels[i];
        own = m_out.Variables[i].Width == 1 && (seen & bit) == 0;
        seen |= bit;
    }
    if (own) {
        for (std::size_t i = 0; i < m_out.Variables.size(); ++i) {
            VCD_VARIABLE& variable = m_out.Variables[i];
            variable.FirstChannel = m_out.WireChannels[i];
            variable.Name = variable.Reference;  // our own scope is no part of the name
            if (const auto name = m_out.WireNames.find(variable.Code); name != m_out.WireNames.end()) {
                variable.Name = name->second;
            }
        }
        for (std::size_t b = 0; b < m_out.Buses.size(); ++b) {
            if (const auto name = m_out.BusNames.find(std::to_string(b)); name != m_out.BusNames.end()) {
                m_out.Buses[b].Name = name->second;
            }
        }
    } else {
        m_out.Buses.clear();  // their channels name another file's signals
    }
    return FileResult::Success();
}
