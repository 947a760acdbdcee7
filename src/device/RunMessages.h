#pragma once
#include <cstdint>

#include "document/WindowMessages.h"

// Requests of the run threads that only the window thread may carry out,
// beside the fixed window messages. Handled by CDeviceRun::OnWindowMessage.
//
// The auto-save fell behind or its source buffer was lapped: show message
// 62001 (the run is already being stopped by a WM_STOP_RUN).
constexpr uint32_t WM_RUN_OVERFLOW = 0x41F;
// The data monitor found its pattern: wParam the match position in the
// sampling memory, lParam MakeMatchParam(...). The window thread resumes
// drawing and selects the match.
constexpr uint32_t WM_MONITOR_MATCH = 0x40E;

// Packs what the window thread needs to show a monitor match.
struct MONITOR_MATCH_PARAM {
    int Mode = 0;     // 1 stop sampling, 2 graph automatic update
    int Method = 0;   // 0 along the clock axis of one channel, 1 across rows
    int Channel = 0;  // c
    int Bits = 0;     // n
};

[[nodiscard]] constexpr intptr_t MakeMatchParam(const MONITOR_MATCH_PARAM& p) {
    return static_cast<intptr_t>((p.Mode & 0xFF) | ((p.Method & 0xFF) << 8) | ((p.Channel & 0xFF) << 16) |
                                 ((p.Bits & 0xFF) << 24));
}

[[nodiscard]] constexpr MONITOR_MATCH_PARAM ReadMatchParam(intptr_t lparam) {
    const auto v = static_cast<uint32_t>(lparam);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF),
            static_cast<int>((v >> 24) & 0xFF)};
}
