#include <array>
#include <stdexcept>

#include "CliCommand.h"

namespace {

const std::array Commands = {
    CLI_COMMAND{"info", "info [--json] FILE",
                "print the condition, channels, bookmarks and data word count of a .csv, .vpb or .nvc file",
                &RunInfo},
    CLI_COMMAND{"convert", "convert IN OUT [--period TIME]",
                "read a pulse file and write it as OUT (a path ending in \"csv\" is text, \".vcd\" a value change "
                "dump, any other binary); --period samples a .vcd IN at multiples of TIME (50ns, 1us, 2ms, 1s)",
                &RunConvert},
    CLI_COMMAND{"dump", "dump FILE [--from N] [--count K]",
                "print data words of a pulse file, one a line as \"clock,word\"", &RunDump},
    CLI_COMMAND{"sample", "sample [CONDITION.nvc] [OPTIONS]",
                "sample with a simulated board into a pulse file or auto-saved blocks (--help for options)",
                &RunSample},
    CLI_COMMAND{"generate", "generate [CONDITION.nvc | PULSE FILE] [OPTIONS]",
                "output the generating memory with a simulated board (--help for options)", &RunGenerate},
    CLI_COMMAND{"count", "count FILE --channel C [--from S] [--to E] [--falling] [--json]",
                "count the rising (or falling) edges of a channel between clocks S and E", &RunCount},
    CLI_COMMAND{"frequency", "frequency FILE --channel C [--from S] [--to E] [--json]",
                "the frequency of a channel's rising edges between clocks S and E", &RunFrequency},
    CLI_COMMAND{"search",
                "search FILE... --channel C (--bits TEXT | --hex TEXT [--bit-count N]) [--vertical --count K] "
                "[--from CLOCK] [--backward] [--every] [--json]",
                "find a bit pattern along a channel or across rows; several FILEs are the blocks of one "
                "auto-saved run",
                &RunSearch},
};

}  // namespace

std::span<const CLI_COMMAND> CliCommands() { return Commands; }

const CLI_COMMAND& FindCliCommand(const std::string& name) {
    for (const CLI_COMMAND& command : Commands) {
        if (name == command.Name) {
            return command;
        }
    }
    throw std::logic_error("no command " + name);
}
