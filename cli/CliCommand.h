#pragma once
#include <span>
#include <string>
#include <vector>

// One command of nivara-cli. Run gets the arguments after the command name
// and returns the exit status (0 success, 1 bad input or failure; count and
// frequency refuse bad options, channels and files with 2). Every
// command answers "--help" with its usage on stdout.
struct CLI_COMMAND {
    const char* Name;
    const char* Usage;    // "info [--json] FILE"
    const char* Summary;  // one line
    int (*Run)(const std::vector<std::string>& arguments);
};

// The commands, in the order the overall usage lists them (CliCommands.cpp).
[[nodiscard]] std::span<const CLI_COMMAND> CliCommands();

// The command of a name (one of the table's).
[[nodiscard]] const CLI_COMMAND& FindCliCommand(const std::string& name);

// The commands' entry points, one file each.
int RunInfo(const std::vector<std::string>& arguments);
int RunConvert(const std::vector<std::string>& arguments);
int RunDump(const std::vector<std::string>& arguments);
int RunSample(const std::vector<std::string>& arguments);
int RunGenerate(const std::vector<std::string>& arguments);
int RunCount(const std::vector<std::string>& arguments);
int RunFrequency(const std::vector<std::string>& arguments);
int RunSearch(const std::vector<std::string>& arguments);
