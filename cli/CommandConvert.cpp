// nivara-cli convert IN OUT
#include <string>
#include <vector>

#include "CCliSession.h"
#include "CliCommand.h"
#include "files/CVcdReader.h"

int RunConvert(const std::vector<std::string>& arguments) {
    const CLI_COMMAND& command = FindCliCommand("convert");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return 0;
    }
    // --period TIME samples a value change dump at its multiples ("50ns").
    std::vector<std::string> files;
    uint64_t period = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--period") {
            if (i + 1 >= arguments.size() || !CVcdReader::ParsePeriod(arguments[i + 1], period)) {
                return CCliSession::UsageError(command.Usage, "convert: --period takes a time like 50ns");
            }
            ++i;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return CCliSession::UsageError(command.Usage, "convert: unknown option " + argument);
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2) {
        return CCliSession::UsageError(command.Usage, "convert: give IN and OUT");
    }
    CCliSession session;
    session.VcdPeriod = period;
    if (!session.LoadPulse(files[0]) || !session.SavePulse(files[1])) {
        return 1;
    }
    return 0;
}
