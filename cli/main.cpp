// nivara-cli: reads, converts and dumps Nivara data files without windows.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CCliSignals.h"
#include "CliCommand.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: nivara-cli COMMAND [ARGUMENTS]\n       nivara-cli COMMAND --help\n\ncommands:\n");
    for (const CLI_COMMAND& command : CliCommands()) {
        std::fprintf(out, "  %-36s %s\n", command.Usage, command.Summary);
    }
}

// What a command printed must have reached its destination: a full disk or
// a closed pipe behind the standard output is a failure, not a success.
int CloseOutput(int status) {
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    const int error = errno;
    if (std::fclose(stdout) != 0 || failed) {
        std::fprintf(stderr, "nivara-cli: cannot write the standard output: %s\n",
                     std::strerror(failed ? error : errno));
        return 1;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CCliSignals::IgnoreFileSizeSignal();
    if (argc < 2) {
        PrintUsage(stderr);
        return 1;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return CloseOutput(0);
    }
    for (const CLI_COMMAND& command : CliCommands()) {
        if (name == command.Name) {
            return CloseOutput(command.Run(std::vector<std::string>(argv + 2, argv + argc)));
        }
    }
    std::fprintf(stderr, "nivara-cli: unknown command \"%s\" (try nivara-cli --help)\n", name.c_str());
    return 1;
}
