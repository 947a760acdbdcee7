#include "signals/ui/CSignalCommands.h"

#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "resources/CommandIds.h"
#include "signals/ui/CChannelTreeView.h"

CSignalCommands::CSignalCommands(ICommandHost& host) : m_host(host) {}

void CSignalCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::SignalNameProperties, [this] {
        IDocumentWindow* window = m_host.ActiveWindow();
        if (window != nullptr && window->Tree() != nullptr) {
            window->Tree()->OnProperties();
        }
    });
}
