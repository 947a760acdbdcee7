// nivara-cli search FILE... --channel C (--bits TEXT | --hex TEXT [--bit-count N])
//                  [--vertical --count K] [--from CLOCK] [--backward] [--every] [--json]
#include <charconv>
#include <cstdio>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "CCliSession.h"
#include "CliCommand.h"
#include "analysis/CFileSearchBlocks.h"
#include "analysis/CPatternSearch.h"
#include "analysis/CSearchCommand.h"
#include "resources/CStringTable.h"

namespace {

constexpr int ExitHit = 0;
constexpr int ExitMiss = 1;
constexpr int ExitError = 2;

// What the options ask for.
struct SEARCH_OPTIONS {
    std::vector<std::string> Files;
    std::optional<int> Channel;
    std::string Text;
    int TextOptions = 0;  // how many of --bits and --hex were given
    SEARCH_RADIX Radix = SEARCH_RADIX::Binary;
    std::optional<int> BitCount;
    bool Vertical = false;
    std::optional<int> Count;
    std::optional<uint64_t> From;
    bool Backward = false;
    bool Every = false;
    bool Json = false;
};

template <class T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && text[0] != '-' && error == std::errc() && stop == end;
}

// The option with a value at arguments[i]; "" when it is none of them.
std::string ParseValueOption(SEARCH_OPTIONS& options, const std::string& option, const std::string& value) {
    int number = 0;
    if (option == "--channel") {
        if (!ParseNumber(value, number) || number > 31) {
            return "--channel needs a channel 0..31";
        }
        options.Channel = number;
    } else if (option == "--bits" || option == "--hex") {
        options.Text = value;
        options.Radix = option == "--hex" ? SEARCH_RADIX::Hexadecimal : SEARCH_RADIX::Binary;
        ++options.TextOptions;
    } else if (option == "--bit-count") {
        if (!ParseNumber(value, number) || number < 1 || number > 32) {
            return "--bit-count needs a number 1..32";
        }
        options.BitCount = number;
    } else if (option == "--count") {
        if (!ParseNumber(value, number) || number < 1 || number > 32) {
            return "--count needs a number 1..32";
        }
        options.Count = number;
    } else if (option == "--from") {
        uint64_t clock = 0;
        if (!ParseNumber(value, clock)) {
            return "--from needs a clock";
        }
        options.From = clock;
    }
    return {};
}

// The options' own rules; "" when they hold.
std::string CheckOptions(const SEARCH_OPTIONS& options) {
    if (options.Files.empty()) {
        return "give a FILE";
    }
    if (!options.Channel) {
        return "give --channel C";
    }
    if (options.TextOptions != 1) {
        return "give exactly one of --bits TEXT and --hex TEXT";
    }
    const bool hex = options.Radix == SEARCH_RADIX::Hexadecimal;
    const std::size_t limit = hex ? 8 : 32;
    bool digits = false;
    (void)ParsePatternText(options.Text, options.Radix, &digits);
    if (!digits || options.Text.size() > limit) {
        return hex ? "--hex needs 1 to 8 hexadecimal digits" : "--bits needs 1 to 32 binary digits";
    }
    if (options.BitCount && (options.Vertical || !hex)) {
        return "--bit-count goes only with a horizontal --hex";
    }
    if (options.Vertical != options.Count.has_value()) {
        return "--vertical and --count K go together";
    }
    if (options.Count && *options.Count > 32 - *options.Channel) {
        return "--count must be 1.." + std::to_string(32 - *options.Channel) + " for channel " +
               std::to_string(*options.Channel);
    }
    return {};
}

// Parses the arguments; "" on success, else what is wrong.
std::string ParseOptions(const std::vector<std::string>& arguments, SEARCH_OPTIONS& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--vertical" || argument == "--backward" || argument == "--every" || argument == "--json") {
            (argument == "--vertical" ? options.Vertical
             : argument == "--backward" ? options.Backward
             : argument == "--every"    ? options.Every
                                        : options.Json) = true;
        } else if (argument == "--channel" || argument == "--bits" || argument == "--hex" ||
                   argument == "--bit-count" || argument == "--count" || argument == "--from") {
            if (i + 1 >= arguments.size()) {
                return argument + " needs a value";
            }
            const std::string problem = ParseValueOption(options, argument, arguments[++i]);
            if (!problem.empty()) {
                return problem;
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            return "unknown option " + argument;
        } else {
            options.Files.push_back(argument);
        }
    }
    return CheckOptions(options);
}

// The resolved search and where its miss text takes its channels from.
struct RESOLVED_SEARCH {
    std::optional<CPatternSearch> Search;
    int FirstChannel = 0;
    int LastChannel = 0;
};

// Chooses the row (or block) from the first file's channel table in table
// order, as a freshly opened window does (its anchor is row 0).
bool Resolve(const SEARCH_OPTIONS& options, const CChannelTable& table, RESOLVED_SEARCH& resolved) {
    std::vector<std::size_t> rows(table.Size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    const uint32_t value = ParsePatternText(options.Text, options.Radix);
    if (options.Vertical) {
        const std::vector<std::size_t> block = CSearchCommand::VerticalRows(table, rows, *options.Channel,
                                                                            *options.Count);
        if (block.empty()) {
            return false;
        }
        std::vector<int> channels;
        for (const std::size_t row : block) {
            channels.push_back(table.At(row).DeviceChannel);
        }
        resolved.Search.emplace(channels, value);
        resolved.FirstChannel = channels.front();
        resolved.LastChannel = channels.back();
        return true;
    }
    if (rows.empty()) {
        return false;
    }
    const std::size_t row = CSearchCommand::HorizontalRow(table, rows, *options.Channel, 0);
    const int channel = table.At(row).DeviceChannel;
    const bool hex = options.Radix == SEARCH_RADIX::Hexadecimal;
    const int length = hex ? options.BitCount.value_or(4) : static_cast<int>(options.Text.size());
    resolved.Search.emplace(channel, value, length);
    resolved.FirstChannel = channel;
    resolved.LastChannel = channel;
    return true;
}

void PrintJson(const SEARCH_OPTIONS& options, const std::vector<uint64_t>& hits) {
    std::fputs("{\"hits\": [", stdout);
    for (std::size_t i = 0; i < hits.size(); ++i) {
        std::printf(i == 0 ? "%llu" : ", %llu", static_cast<unsigned long long>(hits[i]));
    }
    std::printf("], \"channel\": %d, \"type\": \"%s\", \"direction\": \"%s\"}\n", *options.Channel,
                options.Vertical ? "vertical" : "horizontal", options.Backward ? "backward" : "forward");
}

// Where the scan starts: the block and the position in it.
struct START {
    std::size_t Block = 0;
    int64_t Position = 0;
    bool Beyond = false;  // a forward start after every block
};

START StartOf(const SEARCH_OPTIONS& options, uint64_t size, std::size_t blocks) {
    START start;
    if (!options.Backward) {
        const uint64_t from = options.From.value_or(0);
        start.Block = static_cast<std::size_t>(from / size);
        start.Position = static_cast<int64_t>(from % size);
        start.Beyond = start.Block >= blocks;
        return start;
    }
    start.Block = blocks - 1;
    start.Position = static_cast<int64_t>(size) - 1;  // the scan keeps to the valid words
    if (options.From && *options.From / size < blocks) {
        start.Block = static_cast<std::size_t>(*options.From / size);
        start.Position = static_cast<int64_t>(*options.From % size);
    }
    return start;
}

}  // namespace

int RunSearch(const std::vector<std::string>& arguments) {
    const CLI_COMMAND& command = FindCliCommand("search");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return ExitHit;
    }
    SEARCH_OPTIONS options;
    const std::string problem = ParseOptions(arguments, options);
    if (!problem.empty()) {
        (void)CCliSession::UsageError(command.Usage, "search: " + problem);
        return ExitError;
    }
    CStringTable::SetLanguage(CStringTable::LanguageFromEnvironment());
    CCliSession session;
    if (!session.LoadPulse(options.Files.front())) {
        return ExitError;
    }
    const int direction = session.Document.Condition().Direction;
    RESOLVED_SEARCH resolved;
    if (!Resolve(options, *session.Records.Table(direction), resolved)) {
        CCliSession::Complain(options.Files.front(), "the block of " + std::to_string(options.Count.value_or(1)) +
                                                         " rows from channel " + std::to_string(*options.Channel) +
                                                         " runs past the last row of the channel table");
        return ExitError;
    }
    const uint64_t size = session.Document.Memory(direction)->Length();
    CFileSearchBlocks blocks(session.Document, session.Window, options.Files);
    const START start = StartOf(options, size, options.Files.size());
    std::vector<uint64_t> hits;
    if (!start.Beyond) {
        std::size_t block = start.Block;
        int64_t position = start.Position;
        const bool forward = !options.Backward;
        if (block != 0 && !blocks.LoadBlock(block)) {
            CCliSession::Complain(options.Files[block], blocks.LastFailure().Reason);
            return ExitError;
        }
        for (;;) {
            const SEARCH_RESULT result = resolved.Search->Run(blocks, block, position, forward, true);
            if (result.FailedBlock) {
                CCliSession::Complain(options.Files[*result.FailedBlock], blocks.LastFailure().Reason);
                return ExitError;
            }
            if (!result.Hit) {
                break;
            }
            hits.push_back(result.Hit->Block * size + result.Hit->Clock);
            if (!options.Every) {
                break;
            }
            block = result.Hit->Block;
            // The next window starts one clock later, or ends one clock earlier.
            position = static_cast<int64_t>(result.Hit->Clock) + (forward ? 1 : resolved.Search->Length() - 2);
        }
    }
    if (options.Json) {
        PrintJson(options, hits);
    } else {
        for (const uint64_t hit : hits) {
            std::printf("%llu\n", static_cast<unsigned long long>(hit));
        }
    }
    if (hits.empty()) {
        const SEARCH_TYPE type = options.Vertical ? SEARCH_TYPE::Vertical : SEARCH_TYPE::Horizontal;
        const SEARCH_DIRECTION way = options.Backward ? SEARCH_DIRECTION::Backward : SEARCH_DIRECTION::Forward;
        std::fprintf(stderr, "%s\n",
                     CSearchCommand::MissText(type, way, resolved.FirstChannel, resolved.LastChannel, options.Text)
                         .c_str());
        return ExitMiss;
    }
    return std::fflush(stdout) == 0 ? ExitHit : ExitError;
}
