#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "device/BOARD_STATUS_ROWS.h"
#include "device/RUN_DRIVER_CALLS.h"

class CLogicDocument;
class CWindowRecords;
class IRunGraph;
class IRunWindow;
class IWindowPoster;
class IUserMessages;
class CRunState;
class CAutoSaveWriter;
struct DRIVER_FAILURE;

// The board and run state of one document window: opens and closes the
// board, starts and stops runs, follows a sampling run with its worker
// threads and handles the window messages they post. Every member function
// runs on the window thread. Destroying it stops a running transfer and ends
// the threads before the window's data goes.
class CDeviceRun {
public:
    struct LINKS {
        CLogicDocument& Document;
        CWindowRecords& Records;
        IRunGraph& Graph;
        IRunWindow& Window;
        IWindowPoster& Poster;
        IUserMessages& Messages;
    };

    CDeviceRun(const RUN_DRIVER_CALLS& driver, const LINKS& links);
    ~CDeviceRun();
    CDeviceRun(const CDeviceRun&) = delete;
    CDeviceRun& operator=(const CDeviceRun&) = delete;

    // DioInit result (0 on success). A library that is not bound opens nothing.
    int32_t OpenDevice(const std::string& name);
    void CloseDevice();

    // The Start command: the auto-save folder step, the grid refresh, StartRun.
    void StartCommand();
    void StartRun();
    void StopRun();
    // Status timer id 1.
    void OnStatusTimer();
    // WM_TRANSFER_STOPPED, WM_STOP_RUN, WM_AUTOSAVE_BLOCK, WM_SHOW_FROM,
    // WM_UPDATE_VIEWS, WM_FILE_WRITE_ERROR and the run threads' requests.
    void OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam);

    void ShowDriverError(int32_t code, const std::string& functionName, const std::string& errorText);

    [[nodiscard]] bool DeviceOpen() const { return m_deviceOpen; }
    [[nodiscard]] bool RunActive() const { return m_runActive; }
    [[nodiscard]] int16_t DeviceId() const { return m_deviceId; }
    // Start: the board is open, no window of the document runs, and the
    // previous run has ended its threads and closed its last block file.
    [[nodiscard]] bool CanStart() const;
    [[nodiscard]] bool CanStop() const { return m_deviceOpen && m_runActive; }
    // True while a worker thread of the last run has not ended yet.
    [[nodiscard]] bool ThreadsAlive() const;
    [[nodiscard]] const BOARD_STATUS_ROWS& StatusRows() const { return m_statusRows; }

private:
    [[nodiscard]] bool SetupSampling(DRIVER_FAILURE& failure);
    [[nodiscard]] bool SetupGenerating(DRIVER_FAILURE& failure);
    void PrepareRunState();
    void StartThreads();
    void EndThreads();
    void RestoreAfterRun();
    void WaitForCopiedWords(uint32_t count);
    // How the final count of a sampling run is taken: Stop reports failing
    // board calls, a window that goes asks nobody any more.
    enum class FinalCount { Report, Quiet };
    void CaptureFinalCount(FinalCount mode);
    void ReportCall(int32_t code, const char* functionName);
    [[nodiscard]] std::string ErrorText(int32_t code) const;
    void OnAutoSaveBlock();
    void OnShowFrom(intptr_t clock);
    void OnMonitorMatch(uint32_t position, intptr_t lparam);
    void OnBlockFileFailed(const std::string& error);
    void OnFileWriteError();
    [[nodiscard]] bool TransferStillRuns() const;
    void ShowStatus(uint32_t count, uint32_t status, uint32_t errorBits);
    void UpdateCurrentBlock(uint32_t count, uint32_t status);

    RUN_DRIVER_CALLS m_driver;
    LINKS m_links;
    std::unique_ptr<CRunState> m_state;
    std::unique_ptr<CAutoSaveWriter> m_saveWriter;
    std::thread m_copyThread;
    std::thread m_saveThread;
    std::thread m_monitorThread;
    BOARD_STATUS_ROWS m_statusRows;
    int16_t m_deviceId = 0;
    bool m_deviceOpen = false;
    bool m_runActive = false;
    bool m_timerRunning = false;
    int32_t m_savedReadOnly = 0;
};
