#pragma once
#include "document/COMMAND_CONTEXT.h"

// The enablement table of the main window: for each command id the rule that
// enables, checks or marks it from the context. Commands without a rule are
// disabled.
class CCommandState {
public:
    [[nodiscard]] static COMMAND_UI Query(int command, const COMMAND_CONTEXT& context);

    // True for the graph commands, which need the graph as the active view.
    [[nodiscard]] static bool IsGraphCommand(int command);
    // True for the commands the main window's routing refuses outright.
    [[nodiscard]] static bool IsBlocked(int command);

private:
    [[nodiscard]] static COMMAND_UI QueryWithoutFrame(int command, const COMMAND_CONTEXT& context);
    [[nodiscard]] static COMMAND_UI QueryFrame(int command, const COMMAND_CONTEXT& context);
    [[nodiscard]] static COMMAND_UI QueryGraph(int command, const COMMAND_CONTEXT& context);
    [[nodiscard]] static bool QueryAlwaysAvailable(int command, const COMMAND_CONTEXT& context,
                                                   COMMAND_UI& result);
};
