#pragma once
#include <functional>

class IUserMessages;

// The last line of defence: an index outside a table or memory
// (CImproperArgument) ends the action, and the user sees message 61477
// "Encountered an improper argument." with the application title and the
// error icon, as every other report of 61477 shows it. Handlers still check
// their indexes before they write anything, so nothing has changed when the
// exception arrives here. The command router runs every command handler in
// it, the graph view every event of its own, and the application every event
// it delivers (so a dialog's button, a timer, a scroll bar or a popup's item
// is guarded too); an inner guard that caught the exception has shown the
// message and returns normally, so an outer one never shows it again.
// Returns false when the action was ended that way.
bool GuardedCall(IUserMessages& messages, const std::function<void()>& action);
