#pragma once
#include <cstdint>

// Window messages between the run threads, the board library and the windows.
// The numbers are fixed.
constexpr uint32_t WM_UPDATE_VIEWS = 0x40A;
constexpr uint32_t WM_AUTOSAVE_BLOCK = 0x40B;
constexpr uint32_t WM_SHOW_FROM = 0x40D;
constexpr uint32_t WM_STOP_RUN = 0x414;
constexpr uint32_t WM_FILE_WRITE_ERROR = 0x41E;
constexpr uint32_t WM_TRANSFER_STOPPED = 0x1350;
constexpr uint32_t WM_DEVICE_SELECTED = 0x800A;
constexpr uint32_t WM_SEARCH_REQUEST = 0x800B;
constexpr uint32_t WM_BOOKMARK_JUMP = 0x800F;
constexpr uint32_t WM_BOOKMARK_LIST_OK = 0x8010;
constexpr uint32_t WM_SIGNALS_CHANGED = 0x8014;
