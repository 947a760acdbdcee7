// nivara-cli: reads, converts and dumps Nivara data files without windows.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CliCommand.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: nivara-cli COMMAND [ARGUMENTS]\n       nivara-cli COMMAND --help\n\ncommands:\n");
    for (const CLI_COMMAND& command : CliCommands()) {
        std::fprintf(out, "  %-36s %s\n", command.Usage, command.Summary);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 1;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    for (const CLI_COMMAND& command : CliCommands()) {
        if (name == command.Name) {
            return command.Run(std::vector<std::string>(argv + 2, argv + argc));
        }
    }
    std::fprintf(stderr, "nivara-cli: unknown command \"%s\" (try nivara-cli --help)\n", name.c_str());
    return 1;
}
