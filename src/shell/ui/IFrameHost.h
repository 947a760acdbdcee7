#pragma once

class CChildFrame;
class CDriverBinding;
class CWindowMessageRouter;
class IUserMessages;

// What a document window needs of the main window: the board services, the
// condition pane, the command routing and the close sequence. The main
// window implements it; a document window includes only this.
class IFrameHost {
public:
    virtual ~IFrameHost() = default;

    // --- services
    [[nodiscard]] virtual CWindowMessageRouter& MessageRouter() = 0;
    [[nodiscard]] virtual CDriverBinding& DriverBinding() = 0;
    [[nodiscard]] virtual IUserMessages& Messages() = 0;

    // --- condition pane
    // A run keeps the pane disabled.
    virtual void EnableConditionPane(bool enable) = 0;
    // Shows entry `index` of the device list as selected.
    virtual void ShowSelectedDevice(int index) = 0;
    // Shows the active document's condition again.
    virtual void RefreshGrid() = 0;

    // The window's records were replaced under it (a file read, a change of
    // direction): the command modules follow (the graph's bookmark markers,
    // the bookmark list's copy).
    virtual void OnRecordsReplaced(CChildFrame& frame) = 0;

    // --- commands
    virtual void UpdateCommandUI() = 0;
    // Shows the read-only and insert marks of the status bar.
    virtual void SetEditStatus(bool readOnly, bool insert) = 0;
    // Runs a command when it is enabled; false when it was refused.
    virtual bool OnCommand(int command) = 0;

    // --- closing
    [[nodiscard]] virtual bool CloseQuery(CChildFrame* frame) = 0;
    virtual void OnFrameClosed(CChildFrame* frame) = 0;
    virtual void OnFrameDestroyed(CChildFrame* frame) = 0;
};
