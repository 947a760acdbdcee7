// nivara-cli dump FILE [--from N] [--count K]
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CCliArguments.h"
#include "CCliSession.h"
#include "CliCommand.h"
#include "files/CNumberText.h"

namespace {

constexpr std::size_t OutputBytes = std::size_t{1} << 20;
constexpr std::size_t LineBytes = 20;  // up to 10 digits, ",", 8 digits, LF

// A plain decimal number of at most 10 digits; false for anything else.
bool ParseCount(const std::string& text, uint32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

// Writes "%u,%08X\n" lines in bulk; false when stdout fails.
bool PrintWords(const uint32_t* words, uint32_t from, uint32_t count) {
    std::unique_ptr<char[]> buffer(new char[OutputBytes]);
    std::size_t used = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (OutputBytes - used < LineBytes) {
            if (std::fwrite(buffer.get(), 1, used, stdout) != used) {
                return false;
            }
            used = 0;
        }
        char* out = buffer.get() + used;
        out = std::to_chars(out, out + 10, from + i).ptr;
        *out++ = ',';
        CNumberText::Hex8(out, words[from + i]);
        out[8] = '\n';
        used = static_cast<std::size_t>(out + 9 - buffer.get());
    }
    return std::fwrite(buffer.get(), 1, used, stdout) == used && std::fflush(stdout) == 0;
}

}  // namespace

int RunDump(const std::vector<std::string>& arguments) {
    const CLI_COMMAND& command = FindCliCommand("dump");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return 0;
    }
    const CCliArguments parsed(arguments, {}, {"--from", "--count"});
    if (!parsed.Ok()) {
        return CCliSession::UsageError(command.Usage, "dump: " + parsed.Error());
    }
    uint32_t from = 0;
    uint32_t count = 0;
    bool counted = false;
    for (const auto& [option, text] : parsed.Options()) {
        uint32_t value = 0;
        if (!ParseCount(text, value)) {
            return CCliSession::UsageError(command.Usage, "dump: " + option + " needs a number");
        }
        (option == "--from" ? from : count) = value;
        counted = counted || option == "--count";
    }
    if (parsed.Operands().size() != 1) {
        return CCliSession::UsageError(command.Usage, parsed.Operands().empty() ? "dump: give a FILE"
                                                                                : "dump: give exactly one FILE");
    }
    const std::string& file = parsed.Operands()[0];
    CCliSession session;
    if (!session.LoadPulse(file)) {
        return 1;
    }
    const int direction = session.Document.Condition().Direction;
    const uint32_t words = session.Document.ValidLengthOf(direction);
    if (from > words) {
        CCliSession::Complain(file, "--from " + std::to_string(from) + " is beyond its " + std::to_string(words) +
                                        " data words");
        return 1;
    }
    const uint32_t available = words - from;
    const uint32_t shown = counted && count < available ? count : available;
    if (!PrintWords(session.Document.Memory(direction)->Data(), from, shown)) {
        std::fprintf(stderr, "nivara-cli: dump: cannot write the output\n");
        return 1;
    }
    return 0;
}
