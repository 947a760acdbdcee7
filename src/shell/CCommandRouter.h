#pragma once
#include <memory>
#include <unordered_map>
#include <vector>

#include "document/ICommandModule.h"

class IUserMessages;

// The main window's command routing: the handlers and rules the command
// modules registered, the modules themselves, and the guarded call every
// handler runs in. Commands without a rule of their own are decided by the
// enablement table (CCommandState); commands without a handler stay
// disabled.
class CCommandRouter final : public ICommandRegistry {
public:
    explicit CCommandRouter(IUserMessages& messages);
    ~CCommandRouter() override;
    CCommandRouter(const CCommandRouter&) = delete;
    CCommandRouter& operator=(const CCommandRouter&) = delete;

    // Keeps the module and lets it register its commands.
    void AddModule(std::unique_ptr<ICommandModule> module);
    void AddCommand(int command, HANDLER handler, RULE rule = {}) override;

    [[nodiscard]] bool HasHandler(int command) const;
    // The module of that class; nullptr when none was added.
    template <class MODULE>
    [[nodiscard]] MODULE* FindModule() const {
        for (const auto& module : m_modules) {
            if (auto* found = dynamic_cast<MODULE*>(module.get())) {
                return found;
            }
        }
        return nullptr;
    }
    // The rule's answer (a command without a handler shows its check mark
    // but cannot be enabled: see HasHandler).
    [[nodiscard]] COMMAND_UI Query(int command, const COMMAND_CONTEXT& context) const;
    // Every module adds what it knows to the context.
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const;
    // Every module gives a new document window what it puts there.
    void OnWindowCreated(IDocumentWindow& window);
    // Every module follows a change of the active window.
    void OnWindowActivated(IDocumentWindow* active);
    // Every module follows records replaced under a window.
    void OnRecordsReplaced(IDocumentWindow& window);
    // Every module keeps what it keeps at exit.
    void OnExit(IDocumentWindow* active);
    // Runs the command's handler in the guarded call when the command is
    // enabled in `context`; false when it was refused.
    bool Execute(int command, const COMMAND_CONTEXT& context);

private:
    struct ENTRY {
        HANDLER Handler;
        RULE Rule;
    };

    IUserMessages& m_messages;
    std::vector<std::unique_ptr<ICommandModule>> m_modules;
    std::unordered_map<int, ENTRY> m_commands;
};
