#pragma once
#include <string>

#include "device/BOARD_STATUS_ROWS.h"

// What a run asks of its document window and the main window. Called only on
// the window thread.
class IRunWindow {
public:
    virtual ~IRunWindow() = default;
    // The properties pane (device list and condition grid) of the main window.
    virtual void EnableProperties(bool enable) = 0;
    virtual void RefreshConditionGrid() = 0;
    // Status timer id 1: every 500 ms the window calls CDeviceRun::OnStatusTimer.
    virtual void StartStatusTimer() = 0;
    virtual void StopStatusTimer() = 0;
    // The operation status list shows these rows.
    virtual void ShowBoardStatus(const BOARD_STATUS_ROWS& rows) = 0;
    // Document title and path name (no recent-file entry).
    virtual void SetDocumentTitle(const std::string& title) = 0;
    virtual void SetDocumentPath(const std::string& path) = 0;
    virtual void Repaint() = 0;
};
