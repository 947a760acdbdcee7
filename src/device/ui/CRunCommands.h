#pragma once
#include "document/ICommandModule.h"

class ICommandHost;

// Start and Stop of the active document window's run, and the run state the
// enablement of other commands reads (a run refuses loads into the memories).
class CRunCommands final : public ICommandModule {
public:
    explicit CRunCommands(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;

private:
    ICommandHost& m_host;
};
