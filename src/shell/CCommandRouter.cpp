#include "shell/CCommandRouter.h"

#include "document/GuardedCall.h"
#include "shell/CCommandState.h"

CCommandRouter::CCommandRouter(IUserMessages& messages) : m_messages(messages) {}

CCommandRouter::~CCommandRouter() = default;

void CCommandRouter::AddModule(std::unique_ptr<ICommandModule> module) {
    module->Register(*this);
    m_modules.push_back(std::move(module));
}

void CCommandRouter::AddCommand(int command, HANDLER handler, RULE rule) {
    m_commands[command] = ENTRY{std::move(handler), std::move(rule)};
}

bool CCommandRouter::HasHandler(int command) const {
    const auto found = m_commands.find(command);
    return found != m_commands.end() && found->second.Handler;
}

COMMAND_UI CCommandRouter::Query(int command, const COMMAND_CONTEXT& context) const {
    if (CCommandState::IsBlocked(command)) {
        return {};
    }
    const auto found = m_commands.find(command);
    if (found != m_commands.end() && found->second.Rule) {
        return found->second.Rule(context);
    }
    return CCommandState::Query(command, context);
}

void CCommandRouter::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
    for (const auto& module : m_modules) {
        module->FillContext(context, active);
    }
}

void CCommandRouter::OnWindowCreated(IDocumentWindow& window) {
    for (const auto& module : m_modules) {
        module->OnWindowCreated(window);
    }
}

void CCommandRouter::OnWindowActivated(IDocumentWindow* active) {
    for (const auto& module : m_modules) {
        module->OnWindowActivated(active);
    }
}

void CCommandRouter::OnRecordsReplaced(IDocumentWindow& window) {
    for (const auto& module : m_modules) {
        module->OnRecordsReplaced(window);
    }
}

void CCommandRouter::OnExit(IDocumentWindow* active) {
    for (const auto& module : m_modules) {
        module->OnExit(active);
    }
}

bool CCommandRouter::Execute(int command, const COMMAND_CONTEXT& context) {
    if (!HasHandler(command) || !Query(command, context).Enabled) {
        return false;
    }
    // A copy: the handler may register or replace commands while it runs.
    const HANDLER handler = m_commands.at(command).Handler;
    (void)GuardedCall(m_messages, handler);
    return true;
}
