// nivara-cli convert IN OUT
#include <string>
#include <vector>

#include "CCliArguments.h"
#include "CCliSession.h"
#include "CCliSignals.h"
#include "CliCommand.h"
#include "files/CVcdReader.h"
#include "files/CVcdWriter.h"

int RunConvert(const std::vector<std::string>& arguments) {
    const CLI_COMMAND& command = FindCliCommand("convert");
    if (CCliSession::AnswerHelp(arguments, command.Usage, command.Summary)) {
        return 0;
    }
    // --period TIME samples a value change dump at its multiples ("50ns").
    const CCliArguments parsed(arguments, {}, {"--period"});
    if (!parsed.Ok()) {
        return CCliSession::UsageError(command.Usage, "convert: " + parsed.Error());
    }
    uint64_t period = 0;
    for (const auto& [option, value] : parsed.Options()) {
        if (option == "--period" && !CVcdReader::ParsePeriod(value, period)) {
            return CCliSession::UsageError(command.Usage, "convert: --period takes a whole number of s, ms, us or ns, like 50ns");
        }
    }
    const std::vector<std::string>& files = parsed.Operands();
    if (files.size() != 2) {
        return CCliSession::UsageError(command.Usage, "convert: give IN and OUT");
    }
    if (period != 0 && !CVcdWriter::IsVcdPath(files[0])) {
        return CCliSession::UsageError(command.Usage, "convert: --period applies only to a .vcd IN");
    }
    // An interrupted write leaves no temporary file behind.
    CCliSignals::ForWrite();
    CCliSession session;
    session.VcdPeriod = period;
    if (!session.LoadPulse(files[0]) || !session.SavePulse(files[1])) {
        return 1;
    }
    return 0;
}
