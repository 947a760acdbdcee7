// nivara-cli generate [CONDITION.nvc | PULSE.csv | PULSE.vpb] [options]
#include <cstdio>
#include <string>
#include <vector>

#include "CCliRun.h"
#include "CCliSession.h"
#include "CliCommand.h"

namespace {

constexpr const char* Usage =
    "generate [CONDITION.nvc | PULSE FILE] [--device NAME] [--clock N] [--unit s|ms|us|ns]\n"
    "       [--clock-type 1-3] [--start-trigger 1-4] [--pattern X] [--mask X] [--stop-trigger 1-4]\n"
    "       [--from N] [--to N] [--repeat N]";
constexpr const char* Summary =
    "output the generating memory (from a generating pulse file) words --from .. --to, repeated; "
    "progress on a terminal, the operation status at the end; Ctrl+C stops";

}  // namespace

int RunGenerate(const std::vector<std::string>& arguments) {
    if (CCliSession::AnswerHelp(arguments, Usage, Summary)) {
        return 0;
    }
    CCliSession session;
    CCliRun run(session);
    std::string error;
    if (!run.ApplyOptions(arguments, DIRECTION_GENERATING, error)) {
        return CCliSession::UsageError(Usage, error);
    }
    if (!run.OpenBoard()) {
        return 1;
    }
    return run.Run();
}
