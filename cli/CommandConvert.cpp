// nivara-cli convert IN OUT
#include <string>
#include <vector>

#include "CCliSession.h"
#include "CliCommand.h"

int RunConvert(const std::vector<std::string>& arguments) {
    const CLI_COMMAND& command = FindCliCommand("convert");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return 0;
    }
    for (const std::string& argument : arguments) {
        if (argument.size() > 1 && argument[0] == '-') {
            return CCliSession::UsageError(command.Usage, "convert: unknown option " + argument);
        }
    }
    if (arguments.size() != 2) {
        return CCliSession::UsageError(command.Usage, "convert: give IN and OUT");
    }
    CCliSession session;
    if (!session.LoadPulse(arguments[0]) || !session.SavePulse(arguments[1])) {
        return 1;
    }
    return 0;
}
