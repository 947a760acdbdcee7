// nivara-cli count FILE --channel C [--from S] [--to E] [--falling] [--json]
// nivara-cli frequency FILE --channel C [--from S] [--to E] [--json]
// The same measurement and the same two lines as the graph's result box.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CCliSession.h"
#include "CliCommand.h"
#include "analysis/CAnalysisCommands.h"
#include "analysis/CRangeMeasure.h"
#include "analysis/CResultTexts.h"

namespace {

// Bad options, a channel without a signal row, an unreadable file.
constexpr int ExitRefused = 2;

struct MEASURE_OPTIONS {
    std::string File;
    std::optional<int> Channel;
    std::optional<uint32_t> From;
    std::optional<uint32_t> To;
    bool Falling = false;
    bool Json = false;
};

template <class T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

// Reads the options into `options`; an error message otherwise.
std::optional<std::string> ParseOptions(const std::vector<std::string>& arguments, bool allowFalling,
                                        MEASURE_OPTIONS& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--channel" || argument == "--from" || argument == "--to") {
            if (i + 1 >= arguments.size()) {
                return argument + " needs a number";
            }
            const std::string& text = arguments[++i];
            if (argument == "--channel") {
                int channel = 0;
                if (!ParseNumber(text, channel)) {
                    return "--channel needs a number";
                }
                options.Channel = channel;
            } else {
                uint32_t clock = 0;
                if (!ParseNumber(text, clock)) {
                    return argument + " needs a clock number";
                }
                (argument == "--from" ? options.From : options.To) = clock;
            }
        } else if (argument == "--falling" && allowFalling) {
            options.Falling = true;
        } else if (argument == "--json") {
            options.Json = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option " + argument;
        } else if (options.File.empty()) {
            options.File = argument;
        } else {
            return "give exactly one FILE";
        }
    }
    if (options.File.empty()) {
        return std::string("give a FILE");
    }
    if (!options.Channel) {
        return std::string("give --channel C");
    }
    return std::nullopt;
}

bool HasSignalRow(const CChannelTable& table, int channel) {
    for (const LOGIC_DATA& row : table) {
        if (row.IsBus == 0 && row.DeviceChannel == channel) {
            return true;
        }
    }
    return false;
}

// The selection clocks: defaults 0 and the last valid clock, swapped when
// reversed, cut to the last valid clock.
void ChooseRange(const MEASURE_OPTIONS& options, uint32_t valid, uint32_t& start, uint32_t& end) {
    const uint32_t last = valid == 0 ? 0 : valid - 1;
    start = options.From.value_or(0);
    end = options.To.value_or(last);
    if (start > end) {
        std::swap(start, end);
    }
    start = std::min(start, last);
    end = std::min(end, last);
}

std::string JsonFloat(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void PrintJson(const char* kind, int channel, int64_t start, int64_t end, const std::string& valueKey,
               const std::string& value) {
    std::printf("{\"kind\": \"%s\", \"channel\": %d, \"start\": %lld, \"end\": %lld, \"%s\": %s}\n", kind, channel,
                static_cast<long long>(start), static_cast<long long>(end), valueKey.c_str(), value.c_str());
}

int RunMeasure(const std::vector<std::string>& arguments, bool frequency) {
    const CLI_COMMAND& command = FindCliCommand(frequency ? "frequency" : "count");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return 0;
    }
    MEASURE_OPTIONS options;
    if (const auto error = ParseOptions(arguments, !frequency, options)) {
        (void)CCliSession::UsageError(command.Usage, std::string(command.Name) + ": " + *error);
        return ExitRefused;
    }
    CCliSession session;
    if (!session.LoadPulse(options.File)) {
        return ExitRefused;
    }
    const CLogicDocument& document = session.Document;
    const int direction = document.Condition().Direction;
    const CChannelTable* table = session.Records.Table(direction);
    const CLogicMemory* memory = document.Memory(direction);
    const DIRECTION_GROUP* group = document.Condition().Group(direction);
    if (table == nullptr || memory == nullptr || group == nullptr) {
        CCliSession::Complain(options.File, "the file names no direction");
        return ExitRefused;
    }
    const int channel = *options.Channel;
    if (!HasSignalRow(*table, channel)) {
        CCliSession::Complain(options.File, "no signal row on channel " + std::to_string(channel));
        return ExitRefused;
    }
    if (frequency && !CAnalysisCommands::CanFrequency(group->ClockType)) {
        CCliSession::Complain(options.File, "an external clock gives no frequency");
        return ExitRefused;
    }
    const uint32_t valid = document.ValidLengthOf(direction);
    uint32_t start = 0;
    uint32_t end = 0;
    ChooseRange(options, valid, start, end);
    const CRangeMeasure measure(memory->Data(), valid, static_cast<int64_t>(document.AbsolutePosition(0)));
    if (frequency) {
        const FREQUENCY_RESULT result = measure.Frequency(channel, start, end, *group);
        if (options.Json) {
            PrintJson("frequency", channel, result.Start, result.End, "hertz", JsonFloat(result.Hertz));
        } else {
            std::printf("%s\n%s\n", CResultTexts::FrequencyTitle(result).c_str(),
                        CResultTexts::RangeLine(result.Channel, result.Start, result.End).c_str());
        }
    } else {
        const PULSE_COUNT_RESULT result =
            measure.PulseCount(channel, start, end, options.Falling ? EDGE_KIND::Falling : EDGE_KIND::Rising);
        if (options.Json) {
            PrintJson(options.Falling ? "falling" : "rising", channel, result.Start, result.End, "count",
                      std::to_string(result.Count));
        } else {
            std::printf("%s\n%s\n", CResultTexts::PulseCountTitle(result).c_str(),
                        CResultTexts::RangeLine(result.Channel, result.Start, result.End).c_str());
        }
    }
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "nivara-cli: %s: cannot write the output\n", command.Name);
        return 1;
    }
    return 0;
}

}  // namespace

int RunCount(const std::vector<std::string>& arguments) { return RunMeasure(arguments, false); }

int RunFrequency(const std::vector<std::string>& arguments) { return RunMeasure(arguments, true); }
