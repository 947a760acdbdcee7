#include "files/CVcdChanges.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "files/CVcdSamples.h"
#include "files/CVcdTokens.h"
#include "files/VCD_DECLARATIONS.h"

namespace {
constexpr std::size_t ChunkBytes = std::size_t{1} << 20;
const char* const TooManyWords = "no period gives at most 100,000,000 words";
const char* const NoMemory = "the words do not fit in memory";
// '#' and at most 19 digits: any such number fits in 64 bits; longer ones go
// the slow way.
constexpr std::ptrdiff_t MostTimeDigits = 20;

// Blanks between tokens, the line feed included.
constexpr std::array<bool, 256> Blanks = [] {
    std::array<bool, 256> blank{};
    for (const char c : {' ', '\t', '\r', '\v', '\f', '\n'}) blank[static_cast<unsigned char>(c)] = true;
    return blank;
}();

bool IsBlank(char c) { return Blanks[static_cast<unsigned char>(c)]; }
bool IsLevel(char c) { return c == '0' || c == '1' || c == 'x' || c == 'X' || c == 'z' || c == 'Z'; }
}  // namespace

CVcdChanges::CVcdChanges(const std::string& path, const VCD_DECLARATIONS& declarations, CVcdSamples& samples,
                         uint64_t periodUnits)
    : m_path(path), m_declarations(declarations), m_samples(samples), m_period(periodUnits) {
    m_single.fill(-1);
    for (const auto& [code, index] : declarations.ByCode) {
        if (code.size() == 1) {
            m_single[static_cast<unsigned char>(code[0])] = static_cast<int>(index);
            m_singleMask[static_cast<unsigned char>(code[0])] = uint32_t{1} << declarations.Variables[index].FirstChannel;
        }
    }
}

CVcdChanges::~CVcdChanges() = default;

FileResult CVcdChanges::Run(CVcdTokens& tokens) {
    // What stands after "$enddefinitions $end" on its own line comes first.
    m_line = tokens.Line();
    const std::string_view rest = tokens.TakeRest();
    if (!Scan(rest.data(), rest.data() + rest.size())) {
        return FileResult::ReadRefused(m_error);
    }
    ++m_line;
    CBufferedFile& file = tokens.File();
    m_chunk = std::make_unique<char[]>(ChunkBytes);
    char* const chunk = m_chunk.get();
    std::size_t kept = 0;  // the start of a line the chunk before ended in
    for (;;) {
        const uint64_t left = file.BytesLeft();
        const std::size_t fresh = static_cast<std::size_t>(std::min<uint64_t>(ChunkBytes - kept, left));
        if (fresh > 0 && !file.ReadExact(chunk + kept, fresh)) {
            (void)Fail(file.Error().empty() ? "the file could not be read" : file.Error());
            return FileResult::ReadRefused(m_error);
        }
        const std::size_t size = kept + fresh;
        const bool last = fresh == left;
        const char* stop = chunk + size;
        if (!last) {
            // Whole lines only: a token never spans two chunks.
            while (stop > chunk && stop[-1] != '\n') --stop;
            kept = static_cast<std::size_t>(chunk + size - stop);
            if (kept > CVcdTokens::MaxLineBytes) {
                (void)Fail("a line longer than 64 KiB");
                return FileResult::ReadRefused(m_error);
            }
        }
        if (!Scan(chunk, stop)) {
            return FileResult::ReadRefused(m_error);
        }
        if (last) {
            break;
        }
        std::memmove(chunk, stop, kept);
    }
    m_chunk.reset();
    return End();
}

bool CVcdChanges::Scan(const char* from, const char* end) {
    const char* at = from;
    while (at < end) {
        const char c = *at;
        if (IsBlank(c)) {
            m_line += c == '\n' ? 1 : 0;
            ++at;
            continue;
        }
        // Nearly every token of a dump is a level of a one-character code or
        // a timestamp: those are read here, in place, with the blank after
        // them; the rest go by Token.
        if (m_waiting == Waiting::Nothing) {
            if ((c == '0' || c == '1') && end - at > 2 && IsBlank(at[2])) {
                const uint32_t mask = m_singleMask[static_cast<unsigned char>(at[1])];
                if (mask != 0) {
                    m_value = c == '1' ? (m_value | mask) : (m_value & ~mask);
                    m_changes = true;
                    m_line += at[2] == '\n' ? 1 : 0;
                    at += 3;
                    continue;
                }
            } else if (c == '#') {
                const char* digit = at + 1;
                const char* const most = std::min(end, at + MostTimeDigits);
                uint64_t time = 0;
                while (digit < most && static_cast<unsigned>(*digit - '0') < 10) {
                    time = time * 10 + static_cast<unsigned>(*digit - '0');
                    ++digit;
                }
                if (digit > at + 1 && digit < end && IsBlank(*digit)) {
                    if (m_period == 0 && m_step != 0 && time > m_time && time - m_time == m_step) {
                        // One step on (the common case): the times so far are
                        // multiples of the step, so this one is too, and
                        // exactly one word is due.
                        m_time = time;
                        m_changes = false;
                        if (!m_samples.Add(m_value)) {
                            return Fail(m_samples.Filled() >= VCD_MAX_WORDS ? TooManyWords : NoMemory);
                        }
                    } else if (!Time(time)) {
                        return false;
                    }
                    m_line += *digit == '\n' ? 1 : 0;
                    at = digit + 1;
                    continue;
                }
            }
        }
        const char* start = at;
        while (at < end && !IsBlank(*at)) ++at;
        if (!Token(std::string_view(start, static_cast<std::size_t>(at - start)))) {
            return false;
        }
    }
    return true;
}

bool CVcdChanges::Token(std::string_view token) {
    switch (m_waiting) {
        case Waiting::VectorCode:
            m_waiting = Waiting::Nothing;
            return Vector(token);
        case Waiting::RealCode:
            m_waiting = Waiting::Nothing;
            return true;  // reals are no logic levels
        case Waiting::CommentEnd:
            if (token == "$end") m_waiting = Waiting::Nothing;
            return true;
        case Waiting::Nothing:
            break;
    }
    const char kind = token[0];
    if (kind == '#') {
        uint64_t time = 0;
        return CVcdTokens::Number(token.substr(1), time) ? Time(time) : Fail("a timestamp that cannot be read");
    }
    if (IsLevel(kind)) {
        m_changes = true;
        return Scalar(kind, token.substr(1));
    }
    if (kind == 'b' || kind == 'B') {
        m_changes = true;
        return KeepVector(token.substr(1));
    }
    if (kind == 'r' || kind == 'R') {
        m_changes = true;
        m_waiting = Waiting::RealCode;
        return true;
    }
    if (kind == '$') {
        // $dumpvars, $dumpall, $dumpon, $dumpoff, $end: the changes inside count as any.
        if (token == "$comment") m_waiting = Waiting::CommentEnd;
        return true;
    }
    return Fail("\"" + std::string(token) + "\" is not a value change");
}

// A timestamp: the words before it take the value as it is now.
bool CVcdChanges::Time(uint64_t next) {
    if (m_sawTime && next < m_time) return Fail("a timestamp earlier than the one before");
    m_changes = false;
    m_sawTime = true;
    m_time = next;
    uint64_t step = m_period;
    if (step == 0) {
        if (next == 0) return true;
        step = m_step == 0 ? next : next % m_step == 0 ? m_step : std::gcd(m_step, next);
        if (m_step != 0 && step < m_step && !m_samples.Refine(m_step / step)) {
            return Fail(m_samples.Filled() > VCD_MAX_WORDS / (m_step / step) ? TooManyWords : NoMemory);
        }
        m_step = step;
    }
    if (!m_samples.FillBefore(next, step, m_value)) {
        return Fail((next - 1) / step + 1 > VCD_MAX_WORDS ? TooManyWords : NoMemory);
    }
    return true;
}

bool CVcdChanges::Scalar(char level, std::string_view code) {
    const VCD_VARIABLE* variable = Find(code);
    if (variable == nullptr) {
        return IsIgnored(code) || Fail("a change of an undeclared code");
    }
    if (level != '0' && level != '1') ++m_unknown;
    const uint32_t mask = uint32_t{1} << variable->FirstChannel;
    m_value = level == '1' ? (m_value | mask) : (m_value & ~mask);
    return true;
}

// The value's digits are kept until its code comes, which may stand on the
// next line. 32 bits are the most a variable has; longer values keep their
// last 33 digits.
bool CVcdChanges::KeepVector(std::string_view digits) {
    if (digits.empty()) return Fail("an empty vector value");
    m_bitCount = std::min(digits.size(), m_bits.size());
    std::copy(digits.end() - static_cast<std::ptrdiff_t>(m_bitCount), digits.end(), m_bits.begin());
    m_lead = digits[0];
    if (m_bitCount < digits.size() && m_lead != '0' && m_lead != '1') {
        m_bits[0] = m_lead;  // a leading x or z extends, as the full text would
    }
    m_waiting = Waiting::VectorCode;
    return true;
}

bool CVcdChanges::Vector(std::string_view code) {
    const VCD_VARIABLE* variable = Find(code);
    if (variable == nullptr) {
        return IsIgnored(code) || Fail("a change of an undeclared code");
    }
    const std::string_view bits(m_bits.data(), m_bitCount);
    // Shorter values are extended with 0 (or with x and z when they lead).
    uint32_t value = m_value;
    for (int k = 0; k < variable->Width; ++k) {
        const bool inside = bits.size() > static_cast<std::size_t>(k);
        const char bit = inside ? bits[bits.size() - 1 - static_cast<std::size_t>(k)] : (m_lead == '1' ? '0' : m_lead);
        if (!IsLevel(bit)) return Fail("a vector value that cannot be read");
        if (bit != '0' && bit != '1') ++m_unknown;
        const uint32_t mask = uint32_t{1} << (variable->FirstChannel + k);
        value = bit == '1' ? (value | mask) : (value & ~mask);
    }
    m_value = value;
    return true;
}

const VCD_VARIABLE* CVcdChanges::Find(std::string_view code) const {
    // One-character codes (nearly every file's) by table, longer ones by map.
    if (code.size() == 1) {
        const int index = m_single[static_cast<unsigned char>(code[0])];
        return index < 0 ? nullptr : &m_declarations.Variables[static_cast<std::size_t>(index)];
    }
    const auto found = m_declarations.ByCode.find(std::string(code));
    return found == m_declarations.ByCode.end() ? nullptr : &m_declarations.Variables[found->second];
}

bool CVcdChanges::IsIgnored(std::string_view code) const {
    return !m_declarations.IgnoredCodes.empty() && m_declarations.IgnoredCodes.count(std::string(code)) != 0;
}

bool CVcdChanges::Fail(const std::string& reason) {
    m_error = m_path + ":" + std::to_string(m_line) + ": " + reason;
    return false;
}

// A last timestamp without changes ends the data; one with changes gives a
// last word.
FileResult CVcdChanges::End() {
    --m_line;  // the line the file ends on
    if (m_waiting == Waiting::VectorCode || m_waiting == Waiting::RealCode) {
        (void)Fail("a value without its code");
        return FileResult::ReadRefused(m_error);
    }
    if (m_waiting == Waiting::CommentEnd) {
        (void)Fail("$comment without $end");
        return FileResult::ReadRefused(m_error);
    }
    const bool lastHasChanges = m_changes || !m_sawTime;
    const uint64_t step = Period();
    const uint64_t whole = m_time / step;
    const uint64_t count = lastHasChanges ? whole + 1 : whole + (m_time % step != 0 ? 1 : 0);
    if (count == 0) {
        (void)Fail("the dump holds no word: its data ends at time 0");
        return FileResult::ReadRefused(m_error);
    }
    if (count > VCD_MAX_WORDS) {
        (void)Fail(TooManyWords);
        return FileResult::ReadRefused(m_error);
    }
    if (!m_samples.Finish(count, m_value)) {
        (void)Fail(NoMemory);
        return FileResult::ReadRefused(m_error);
    }
    m_count = count;
    return FileResult::Success();
}
