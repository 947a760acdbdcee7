// One direction of a simulated board's bus-master transfer: its settings,
// its counters and the library thread that runs it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "CSimMessenger.h"
#include "CSimTransferState.h"
#include "CSimWire.h"
#include "SimRun.h"

namespace qdxsim {

// What the board adds to the transfer's own settings at the start.
struct SIM_START {
    int16_t Id = 0;
    SIM_MODEL Model;
    int32_t Source = 1;
    uint64_t ExternalRate = 0;
    uint64_t HandshakeRate = 0;
    uint32_t Pattern = 0;
    uint32_t Mask = 0;
    uint64_t StartWaitNs = 0;
    QDX_DM_STOP_CALLBACK StopProc = nullptr;
    void* StopParam = nullptr;
    QDX_DM_COUNT_CALLBACK CountProc = nullptr;
    void* CountParam = nullptr;
};

class CSimTransfer {
public:
    CSimTransfer(int16_t direction, CSimWire& wire, CSimMessenger& messenger, std::atomic<uint32_t>& outputLines);
    ~CSimTransfer();
    CSimTransfer(const CSimTransfer&) = delete;
    CSimTransfer& operator=(const CSimTransfer&) = delete;

    [[nodiscard]] int32_t SetStartTrigger(int16_t start);
    [[nodiscard]] int32_t SetClockTrigger(int16_t clock);
    [[nodiscard]] int32_t SetInternalClock(uint32_t value, int16_t unit, const SIM_MODEL& model);
    [[nodiscard]] int32_t SetStopTrigger(int16_t stop);
    [[nodiscard]] int32_t SetStopNumber(uint32_t number);
    // Replaces the buffer; a transfer that runs on the old one ends silently first.
    [[nodiscard]] int32_t SetBuffer(int16_t owner, uint32_t* buffer, uint32_t length, int16_t ring);
    [[nodiscard]] int32_t SetStopEvent(int16_t id, intptr_t hwnd);
    [[nodiscard]] int32_t SetCountEvent(int16_t id, uint32_t count, intptr_t hwnd);
    [[nodiscard]] int32_t ResetCounters();

    [[nodiscard]] int32_t Start(const SIM_START& start);
    // Ends the transfer (notifications follow); returns when the thread is done.
    void Stop();
    // Ends the transfer silently; returns when the thread is done.
    void Abort();
    void AbortIfOwnedBy(int16_t id);
    // Abort, then default settings and cleared counters.
    void Reset();

    [[nodiscard]] SIM_COUNTERS Counters() const { return m_state.Counters(); }
    // Reading the count acknowledges a pending count notification.
    [[nodiscard]] SIM_COUNTERS AcknowledgeCounters();
    [[nodiscard]] bool Active() const { return m_state.Active(); }
    void FireEdge(int32_t line, int32_t edge);
    void RaiseError(uint32_t errors);

private:
    [[nodiscard]] bool OnEngineThread() const;
    [[nodiscard]] int32_t CheckIdle() const;
    void EndThread(bool abort);

    const int16_t m_direction;
    CSimWire& m_wire;
    CSimMessenger& m_messenger;
    std::atomic<uint32_t>& m_outputLines;

    std::mutex m_control;  // host calls: settings, start, stop
    SIM_TRANSFER_SETUP m_setup;
    CSimTransferState m_state;
    std::thread m_thread;
    std::atomic<std::thread::id> m_threadId{};
};

}  // namespace qdxsim
