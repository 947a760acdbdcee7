// nivara-cli sample [CONDITION.nvc] [options]
#include <cstdio>
#include <string>
#include <vector>

#include "CCliRun.h"
#include "CCliSession.h"
#include "CliCommand.h"

namespace {

constexpr const char* Usage =
    "sample [CONDITION.nvc] [--device NAME] [--clock N] [--unit s|ms|us|ns] [--clock-type 1-3]\n"
    "       [--start-trigger 1-4] [--pattern X] [--mask X] [--stop-trigger 1-4] [--from N] [--to N]\n"
    "       [--repeat N] [--words N] [--memory N] [--out FILE] [--auto-save DIR] [--block-type csv|vpb]\n"
    "       [--block-name NAME] [--monitor 0-2] [--method 0|1] [--data X] [--bits N] [--channel N]\n"
    "       [--percentage N]";
constexpr const char* Summary =
    "sample with a board: the sampled words go to a pulse file (--out) or to auto-saved block files "
    "(--auto-save); progress on a terminal, the operation status at the end; Ctrl+C, SIGTERM or SIGHUP "
    "stops cleanly";

}  // namespace

int RunSample(const std::vector<std::string>& arguments) {
    if (CCliSession::AnswerHelp(arguments, Usage, Summary)) {
        return 0;
    }
    CCliSession session;
    CCliRun run(session);
    std::string error;
    if (!run.ApplyOptions(arguments, DIRECTION_SAMPLING, error)) {
        return CCliSession::UsageError(Usage, error);
    }
    if (!run.CheckOutputs() || !run.OpenBoard()) {
        return 1;
    }
    int status = run.Run();
    if (!run.SaveOutput()) {
        status = 1;
    }
    return status;
}
