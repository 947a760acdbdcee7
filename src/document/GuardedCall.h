#pragma once
#include <functional>

class IUserMessages;

// The last line of defence around every command handler, mouse and key
// handler of the graph and dialog action: an index outside a table or memory
// (CImproperArgument) ends the action, and the user sees message 61477
// "Encountered an improper argument." with the application title. Handlers
// still check their indexes before they write anything, so nothing has
// changed when the exception arrives here. Returns false when the action was
// ended that way.
bool GuardedCall(IUserMessages& messages, const std::function<void()>& action);
