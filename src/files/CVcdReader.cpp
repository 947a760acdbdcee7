#include "files/CVcdReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>

#include "document/CChannelTable.h"
#include "document/CEntryRules.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CPulseLoad.h"
#include "files/CVcdTokens.h"
#include "files/IFileWindow.h"
#include "files/PULSE_CONTENT.h"
#include "files/VCD_DECLARATIONS.h"

namespace {
constexpr uint64_t UnitFs[] = {1000000000000000ULL, 1000000000000ULL, 1000000000ULL, 1000000ULL, 1000ULL, 1ULL};
constexpr std::string_view UnitNames[] = {"s", "ms", "us", "ns", "ps", "fs"};

// The refusal of a file at a line: "FILE:LINE: reason".
FileResult Refuse(const std::string& path, uint64_t line, const std::string& reason) {
    return FileResult::ReadRefused(path + ":" + std::to_string(line) + ": " + reason);
}

bool ParseNumber(std::string_view text, uint64_t& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "1ns", or the number and the unit as two words.
bool ParseTime(std::string_view number, std::string_view unit, uint64_t& femtoseconds) {
    if (unit.empty()) {
        const std::size_t digits = number.find_first_not_of("0123456789");
        if (digits == std::string_view::npos) return false;
        unit = number.substr(digits);
        number = number.substr(0, digits);
    }
    uint64_t count = 0;
    if (!ParseNumber(number, count) || count == 0) return false;
    for (std::size_t i = 0; i < std::size(UnitNames); ++i) {
        if (unit == UnitNames[i]) {
            if (count > UINT64_MAX / UnitFs[i]) return false;
            femtoseconds = count * UnitFs[i];
            return true;
        }
    }
    return false;
}

// A name the pulse files can hold: no comma, CR or LF, at most 255 bytes, no
// section keyword.
std::string CleanName(std::string name) {
    std::replace_if(name.begin(), name.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }, '_');
    if (name.size() > 255) name.resize(255);
    for (const char* keyword : {"Data", "BookmarkAbsolutePosition", "IsCurrentBookmark", "BookmarkMemo"}) {
        if (name == keyword) name += "_";
    }
    return name.empty() ? std::string("_") : name;
}

// A memo the pulse files can hold.
std::string StorableMemo(std::string memo) {
    std::replace(memo.begin(), memo.end(), ',', '_');
    if (memo.size() > 255) memo.resize(255);
    return memo;
}

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

class CVcdHeader {
public:
    CVcdHeader(CVcdTokens& tokens, const std::string& path, VCD_DECLARATIONS& out)
        : m_tokens(tokens), m_path(path), m_out(out) {}

    FileResult Read() {
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

private:
    FileResult Malformed(const std::string& reason) { return Refuse(m_path, m_tokens.Line(), reason); }

    FileResult Declare(const std::string& keyword, const std::vector<std::string>& words) {
        if (keyword == "$timescale") {
            const bool ok = (words.size() == 1 && ParseTime(words[0], {}, m_out.TimescaleFs)) ||
                            (words.size() == 2 && ParseTime(words[0], words[1], m_out.TimescaleFs));
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

    FileResult Variable(const std::vector<std::string>& words) {
        if (words.size() < 4) return Malformed("$var needs a type, a width, a code and a name");
        const std::string& type = words[0];
        if (type != "wire" && type != "reg" && type != "integer") {
            // Other kinds (real, event, parameter) carry no levels of ours:
            // their changes are read and dropped.
            m_out.IgnoredCodes.insert(words[2]);
            return FileResult::Success();
        }
        uint64_t width = 0;
        if (!ParseNumber(words[1], width) || width == 0) return Malformed("a width that cannot be read");
        if (m_out.ByCode.count(words[2]) != 0) return FileResult::Success();  // the same bits again
        if (width > 32 || m_out.Bits + static_cast<int>(width) > 32) {
            return Malformed("the file declares more than 32 bits");
        }
        VCD_VARIABLE variable;
        variable.Code = words[2];
        variable.Width = static_cast<int>(width);
        std::string name;
        for (const std::string& scope : m_scopes) name += scope + ".";
        name += words[3];
        const std::string select = words.size() > 4 ? words[4] : std::string();
        const std::size_t bracket = name.find('[');
        const std::string range = !select.empty() ? select : bracket != std::string::npos ? name.substr(bracket) : "";
        if (bracket != std::string::npos) name.resize(bracket);
        variable.Reference = name.substr(name.size() - std::min(name.size(), words[3].find('[') == std::string::npos
                                                                                   ? words[3].size()
                                                                                   : words[3].find('[')));
        const std::size_t colon = range.find(':');
        if (colon != std::string::npos) {
            const std::size_t close = range.find(']');
            uint64_t msb = 0;
            uint64_t lsb = 0;
            if (ParseNumber(std::string_view(range).substr(1, colon - 1), msb) &&
                ParseNumber(std::string_view(range).substr(colon + 1, close - colon - 1), lsb)) {
                variable.LowIndex = static_cast<int>(std::min(msb, lsb));
            }
        }
        variable.Name = name;
        variable.FirstChannel = m_out.Bits;
        m_out.Bits += variable.Width;
        m_out.ByCode[variable.Code] = m_out.Variables.size();
        m_out.Variables.push_back(std::move(variable));
        return FileResult::Success();
    }

    // This program's own comments: the wires' channels, buses, bookmarks.
    void Comment(const std::vector<std::string>& words) {
        if (words.empty()) return;
        if (words[0] == "channels") {
            m_out.WireChannels.clear();
            for (std::size_t i = 1; i < words.size(); ++i) {
                uint64_t channel = 0;
                if (!ParseNumber(words[i], channel) || channel > 31) {
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
                if (!ParseNumber(words[i], channel) || channel > 31) return;
                bus.Channels.push_back(static_cast<int>(channel));
            }
            m_out.Buses.push_back(std::move(bus));
        } else if ((words[0] == "name" || words[0] == "busname") && words.size() >= 3) {
            std::string text = words[2];
            for (std::size_t i = 3; i < words.size(); ++i) text += " " + words[i];
            (words[0] == "name" ? m_out.WireNames : m_out.BusNames)[words[1]] = text;
        } else if (words[0] == "bookmark" && words.size() >= 2) {
            uint64_t position = 0;
            if (!ParseNumber(words[1], position) || position > UINT32_MAX) return;
            std::size_t next = 2;
            const bool current = words.size() > 2 && words[2] == "current";
            if (current) ++next;
            std::string memo;
            for (std::size_t i = next; i < words.size(); ++i) memo += (i > next ? " " : "") + words[i];
            m_out.Bookmarks.push_back({static_cast<uint32_t>(position), current, memo});
        }
    }

    FileResult Finish() {
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

    CVcdTokens& m_tokens;
    const std::string& m_path;
    VCD_DECLARATIONS& m_out;
    std::vector<std::string> m_scopes;
};

// The value changes after the header. The first pass measures (last time,
// greatest common divisor of the times, x and z values); the second writes
// the words.
class CVcdChanges {
public:
    CVcdChanges(CVcdTokens& tokens, const std::string& path, const VCD_DECLARATIONS& declarations)
        : m_tokens(tokens), m_path(path), m_declarations(declarations) {
        m_single.fill(-1);
        for (const auto& [code, index] : declarations.ByCode) {
            if (code.size() == 1) m_single[static_cast<unsigned char>(code[0])] = static_cast<int>(index);
        }
    }

    struct MEASURE {
        uint64_t LastTime = 0;
        bool LastHasChanges = true;
        uint64_t Divisor = 0;
        uint64_t Unknown = 0;
    };

    // words == nullptr: measure only. Otherwise the value at every multiple of
    // `period` goes into words[0 .. count - 1].
    FileResult Run(MEASURE& measure, uint32_t* words, uint64_t count, uint64_t period) {
        std::string_view token;
        uint32_t value = 0;
        uint64_t time = 0;
        uint64_t filled = 0;
        bool sawTime = false;
        bool changes = false;
        while (m_tokens.Next(token)) {
            if (token[0] == '#') {
                uint64_t next = 0;
                if (!ParseNumber(token.substr(1), next)) return Malformed("a timestamp that cannot be read");
                if (sawTime && next < time) return Malformed("a timestamp earlier than the one before");
                if (words != nullptr) filled = Fill(words, filled, count, period, next, value);
                if (next > 0) measure.Divisor = std::gcd(measure.Divisor, next);
                time = next;
                sawTime = true;
                changes = false;
                continue;
            }
            if (token == "$comment") {
                std::vector<std::string> ignored;
                if (!Section(m_tokens, ignored)) return Malformed("$comment without $end");
                continue;
            }
            if (token[0] == '$') {
                continue;  // $dumpvars, $dumpall, $dumpon, $dumpoff, $end: the changes inside count as any
            }
            FileResult step = Change(token, value, measure);
            if (!step) return step;
            changes = true;
        }
        if (m_tokens.Failed()) return Malformed(m_tokens.Error());
        measure.LastTime = time;
        measure.LastHasChanges = changes || !sawTime;
        if (words != nullptr) Fill(words, filled, count, period, UINT64_MAX, value);
        return FileResult::Success();
    }

private:
    FileResult Malformed(const std::string& reason) { return Refuse(m_path, m_tokens.Line(), reason); }

    // Words at the multiples of the period before `until` hold the value as it is now.
    static uint64_t Fill(uint32_t* words, uint64_t filled, uint64_t count, uint64_t period, uint64_t until,
                         uint32_t value) {
        while (filled < count && filled * period < until) {
            words[filled++] = value;
        }
        return filled;
    }

    FileResult Change(std::string_view token, uint32_t& value, MEASURE& measure) {
        const char kind = token[0];
        if (kind == '0' || kind == '1' || kind == 'x' || kind == 'X' || kind == 'z' || kind == 'Z') {
            if (IsIgnored(token.substr(1))) return FileResult::Success();
            const VCD_VARIABLE* variable = Find(token.substr(1));
            if (variable == nullptr) return Malformed("a change of an undeclared code");
            if (kind != '0' && kind != '1') ++measure.Unknown;
            Set(value, *variable, 0, kind == '1');
            return FileResult::Success();
        }
        if (kind == 'b' || kind == 'B') {
            // The value's digits are kept before the code is read: the next
            // word may stand on the next line, and reading it reuses the buffer.
            // 32 bits are the most a variable has; longer values keep their last 33.
            std::array<char, 33> kept{};
            const std::string_view digits = token.substr(1);
            const std::size_t keep = std::min(digits.size(), kept.size());
            std::copy(digits.end() - static_cast<std::ptrdiff_t>(keep), digits.end(), kept.begin());
            const char lead = digits.empty() ? '0' : digits[0];
            std::string_view code;
            if (!m_tokens.Next(code)) return Malformed("a vector value without its code");
            if (IsIgnored(code)) return FileResult::Success();
            const VCD_VARIABLE* variable = Find(code);
            if (variable == nullptr) return Malformed("a change of an undeclared code");
            std::string_view bits(kept.data(), keep);
            if (keep < digits.size() && keep > 0 && lead != '0' && lead != '1') {
                kept[0] = lead;  // a leading x or z extends, as the full text would
            }
            if (bits.empty()) return Malformed("an empty vector value");
            // Shorter values are extended with 0 (or with x and z when they lead).
            for (int k = 0; k < variable->Width; ++k) {
                const std::size_t from = bits.size() > static_cast<std::size_t>(k) ? bits.size() - 1 - k : 0;
                char bit = bits.size() > static_cast<std::size_t>(k) ? bits[from] : (lead == '1' ? '0' : lead);
                if (bit != '0' && bit != '1' && bit != 'x' && bit != 'X' && bit != 'z' && bit != 'Z') {
                    return Malformed("a vector value that cannot be read");
                }
                if (bit != '0' && bit != '1') ++measure.Unknown;
                Set(value, *variable, k, bit == '1');
            }
            return FileResult::Success();
        }
        if (kind == 'r' || kind == 'R') {
            std::string_view code;
            if (!m_tokens.Next(code)) return Malformed("a real value without its code");
            return FileResult::Success();  // reals are not logic levels
        }
        return Malformed("\"" + std::string(token) + "\" is not a value change");
    }

    [[nodiscard]] bool IsIgnored(std::string_view code) const {
        return !m_declarations.IgnoredCodes.empty() && m_declarations.IgnoredCodes.count(std::string(code)) != 0;
    }

    [[nodiscard]] const VCD_VARIABLE* Find(std::string_view code) const {
        // One-character codes (nearly every file's) by table, longer ones by map.
        if (code.size() == 1) {
            const int index = m_single[static_cast<unsigned char>(code[0])];
            return index < 0 ? nullptr : &m_declarations.Variables[static_cast<std::size_t>(index)];
        }
        const auto found = m_declarations.ByCode.find(std::string(code));
        return found == m_declarations.ByCode.end() ? nullptr : &m_declarations.Variables[found->second];
    }

    static void Set(uint32_t& value, const VCD_VARIABLE& variable, int bit, bool one) {
        const uint32_t mask = uint32_t{1} << (variable.FirstChannel + bit);
        value = one ? (value | mask) : (value & ~mask);
    }

    CVcdTokens& m_tokens;
    const std::string& m_path;
    const VCD_DECLARATIONS& m_declarations;
    std::array<int, 256> m_single{};
};

// The signal rows (and buses) of the declarations, in declaration order.
CChannelTable TableOf(const VCD_DECLARATIONS& declarations) {
    CChannelTable table;
    auto row = [](int channel, const std::string& name) {
        LOGIC_DATA data;
        data.DeviceChannel = static_cast<int16_t>(channel);
        data.ChannelName = CleanName(name);
        data.IsEnable = 1;
        data.IsShown = 1;
        return data;
    };
    std::vector<LOGIC_DATA> buses;
    for (const VCD_BUS& bus : declarations.Buses) {
        LOGIC_DATA data = row(static_cast<int>(buses.size()), bus.Name);
        data.IsBus = 1;
        for (int channel : bus.Channels) data.BusChannel |= uint32_t{1} << channel;
        buses.push_back(data);
    }
    for (const VCD_VARIABLE& variable : declarations.Variables) {
        if (variable.Width > 1 && variable.Width <= 8) {
            LOGIC_DATA data = row(static_cast<int>(buses.size()), variable.Name);
            data.IsBus = 1;
            data.BusChannel = ((uint32_t{1} << variable.Width) - 1) << variable.FirstChannel;
            buses.push_back(data);
        }
    }
    std::vector<bool> placed(buses.size(), false);
    for (const VCD_VARIABLE& variable : declarations.Variables) {
        for (int k = 0; k < variable.Width; ++k) {
            const int channel = variable.FirstChannel + k;
            // A bus stands before its first member.
            for (std::size_t b = 0; b < buses.size(); ++b) {
                if (!placed[b] && ((buses[b].BusChannel >> channel) & 1U) != 0) {
                    table.InsertAt(table.Size(), buses[b]);
                    placed[b] = true;
                }
            }
            const std::string name = variable.Width == 1
                                         ? variable.Name
                                         : variable.Name + "[" + std::to_string(variable.LowIndex + k) + "]";
            table.InsertAt(table.Size(), row(channel, name));
        }
    }
    return table;
}

// The board's clock for a period, in the largest unit that holds it whole,
// when the model can run it.
bool ClockOf(uint64_t periodFs, int16_t model, uint32_t& clock, int16_t& unit) {
    for (int u = 0; u < 4; ++u) {
        if (periodFs % UnitFs[u] == 0 && periodFs / UnitFs[u] <= UINT32_MAX) {
            clock = static_cast<uint32_t>(periodFs / UnitFs[u]);
            unit = static_cast<int16_t>(u + 1);
            const uint32_t allowed = CEntryRules::Clock(model, unit, static_cast<int32_t>(std::min<uint32_t>(clock, INT32_MAX)));
            return allowed == clock;
        }
    }
    return false;
}
}  // namespace

bool CVcdReader::ParsePeriod(const std::string& text, uint64_t& femtoseconds) {
    const std::size_t blank = text.find(' ');
    const std::string_view view(text);
    return blank == std::string::npos ? ParseTime(view, {}, femtoseconds)
                                      : ParseTime(view.substr(0, blank), view.substr(blank + 1), femtoseconds);
}

FileResult CVcdReader::Read(CLogicDocument& document, CWindowRecords& records, IFileWindow& window,
                            const std::string& path, uint64_t periodFemtoseconds,
                            std::vector<std::string>& warnings) {
    if (document.IsRunning.load() != 0) {
        return FileResult::ReadRefused(path + ": a run of the document is active");
    }
    VCD_DECLARATIONS declarations;
    CVcdTokens tokens;
    if (!tokens.Open(path)) return FileResult::ReadRefused(path + ": " + tokens.Error());
    FileResult header = CVcdHeader(tokens, path, declarations).Read();
    if (!header) return header;
    CVcdChanges::MEASURE measure;
    FileResult measured = CVcdChanges(tokens, path, declarations).Run(measure, nullptr, 0, 1);
    if (!measured) return measured;

    // The period in time units of the file.
    uint64_t period = measure.Divisor == 0 ? 1 : measure.Divisor;
    if (periodFemtoseconds != 0) {
        if (periodFemtoseconds % declarations.TimescaleFs != 0) {
            return Refuse(path, tokens.Line(), "the period is not a whole number of the file's time units");
        }
        period = periodFemtoseconds / declarations.TimescaleFs;
    }
    const uint64_t whole = measure.LastTime / period;
    const uint64_t count = measure.LastHasChanges ? whole + 1 : whole + (measure.LastTime % period != 0 ? 1 : 0);
    if (count == 0 || count > MaxWords) {
        return Refuse(path, tokens.Line(), "no period gives at most 100,000,000 words");
    }

    PULSE_CONTENT content;
    content.Staged.Condition = document.Condition();
    LOGIC_CONDITION& condition = content.Staged.Condition;
    condition.Direction = DIRECTION_GENERATING;
    DIRECTION_GROUP& group = condition.GeneratingGroup;
    const bool representable = period <= UINT64_MAX / declarations.TimescaleFs;
    const uint64_t periodFs = representable ? period * declarations.TimescaleFs : 0;
    if (!representable || !ClockOf(periodFs, condition.ModelType, group.Clock, group.ClockUnit)) {
        group.Clock = DIRECTION_GROUP{}.Clock;
        group.ClockUnit = DIRECTION_GROUP{}.ClockUnit;
        warnings.push_back(path + ": a period of " + std::to_string(periodFs) +
                           " fs is no clock the board can run; the clock is 1 ms");
    }
    group.ClockType = 1;
    group.StartPosition = 0;
    group.StopPosition = static_cast<uint32_t>(count - 1);
    group.RepeatCount = 1;
    content.Staged.Size = static_cast<uint32_t>(count);
    content.Table = TableOf(declarations);
    content.HasBookmarks = true;
    for (const auto& mark : declarations.Bookmarks) {
        if (mark.Position >= count) continue;  // beyond the data read
        content.Bookmarks.InsertAt(content.Bookmarks.Size(),
                                   BOOKMARK_DATA{mark.Position, StorableMemo(mark.Memo), mark.Current ? 1U : 0U});
    }
    FileResult applied = CPulseLoad::Apply(document, records, content);
    if (!applied) return applied;

    // The second pass samples the values straight into the resized memory.
    CVcdTokens again;
    if (!again.Open(path)) return FileResult::ReadRefused(path + ": " + again.Error());
    VCD_DECLARATIONS ignored;
    FileResult reread = CVcdHeader(again, path, ignored).Read();
    CVcdChanges::MEASURE second;
    if (reread) reread = CVcdChanges(again, path, declarations).Run(second, document.GeneratingMemory().Data(), count, period);
    if (!reread) return reread;
    if (measure.Unknown > 0) {
        warnings.push_back(path + ": " + std::to_string(measure.Unknown) + " x or z values were read as 0");
    }
    document.GeneratingMemory().MarkReplaced();
    CPulseLoad::Finish(document, window, DIRECTION_GENERATING, static_cast<uint32_t>(count), std::string());
    document.Saved.store(0);
    return FileResult::Success();
}
