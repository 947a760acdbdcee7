#include "device/ui/CRunCommands.h"

#include "device/CDeviceRun.h"
#include "document/CLogicDocument.h"
#include "document/ICommandHost.h"
#include "document/IDocumentWindow.h"
#include "resources/CommandIds.h"

CRunCommands::CRunCommands(ICommandHost& host) : m_host(host) {}

void CRunCommands::Register(ICommandRegistry& registry) {
    registry.AddCommand(cmd::DeviceStart, [this] {
        if (IDocumentWindow* window = m_host.ActiveWindow()) window->Run().StartCommand();
    });
    registry.AddCommand(cmd::DeviceStop, [this] {
        if (IDocumentWindow* window = m_host.ActiveWindow()) window->Run().StopRun();
    });
}

void CRunCommands::FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const {
    if (active == nullptr) {
        return;
    }
    CDeviceRun& run = active->Run();
    context.RunActive = run.RunActive();
    // The threads of an ended run still take its last words from the memories.
    context.DocumentRunning = active->Document().IsRunning.load() != 0 || run.ThreadsAlive();
    context.DeviceOpen = run.DeviceOpen();
}
