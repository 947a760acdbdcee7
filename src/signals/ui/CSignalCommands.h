#pragma once
#include "document/ICommandModule.h"

class ICommandHost;

// The signal panel's commands: the signal name properties of the tree.
class CSignalCommands final : public ICommandModule {
public:
    explicit CSignalCommands(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;

private:
    ICommandHost& m_host;
};
