#pragma once
#include "document/ICommandModule.h"

class CNivaraView;
class ICommandHost;

// The graph's commands: zoom, cursors, graph unit, mouse mode, edit mode and
// Edit Disabled. They act on the graph of the active document window, and
// only while the graph is that window's active view.
class CGraphCommands final : public ICommandModule {
public:
    explicit CGraphCommands(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;

private:
    void Add(ICommandRegistry& registry, int command, void (*action)(CNivaraView&));
    void SetInsertMode(CNivaraView& view, bool insert);
    void ToggleEditDisabled(CNivaraView& view);

    ICommandHost& m_host;
};
