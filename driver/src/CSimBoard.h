// One simulated board: its identity, its I/O lines and its two transfer
// engines (input and output).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "CSimMessenger.h"
#include "CSimTransfer.h"
#include "CSimWire.h"
#include "SimModel.h"

namespace qdxsim {

class CSimBoard {
public:
    static constexpr int16_t kLines = 32;
    static constexpr int16_t kPorts = 4;

    CSimBoard(std::string name, std::string type, int32_t source, CSimWire& wire, CSimMessenger& messenger);
    CSimBoard(const CSimBoard&) = delete;
    CSimBoard& operator=(const CSimBoard&) = delete;

    [[nodiscard]] const std::string& Name() const { return m_name; }
    [[nodiscard]] const std::string& Type() const { return m_type; }
    [[nodiscard]] const SIM_MODEL& Model() const { return m_model; }

    // Transfer engine of dir 1 or 2, or nullptr for another value.
    [[nodiscard]] CSimTransfer* Transfer(int16_t dir);
    [[nodiscard]] int32_t SetDirection(int16_t dir);
    [[nodiscard]] int16_t Direction() const { return m_direction.load(); }
    [[nodiscard]] bool DirectionEnabled(int16_t dir) const { return (m_direction.load() & dir) != 0; }
    void SetStartPattern(uint32_t pattern, uint32_t mask);
    [[nodiscard]] int32_t SetStartWait(int16_t ms);
    void SetStopCallback(QDX_DM_STOP_CALLBACK proc, void* param);
    void SetCountCallback(QDX_DM_COUNT_CALLBACK proc, void* param);
    [[nodiscard]] int32_t Start(int16_t id, int16_t dir);
    [[nodiscard]] int32_t ResetFifo(int16_t which);
    // Ends every transfer silently and restores the settings of power-up.
    void Reset();
    void ReleaseOwner(int16_t id);

    // Simple I/O lines.
    [[nodiscard]] uint32_t InputLines() const;
    [[nodiscard]] uint32_t OutputLines() const { return m_outputLines.load(std::memory_order_relaxed); }
    void WriteOutputLines(uint32_t mask, uint32_t value);

    void SetFilter(int16_t value) { m_filter.store(value); }
    [[nodiscard]] int16_t Filter() const { return m_filter.load(); }
    void SetIoDirection(uint32_t dir) { m_ioDirection.store(dir); }
    [[nodiscard]] uint32_t IoDirection() const { return m_ioDirection.load(); }

    // Bench controls.
    void SetSource(int32_t source) { m_source.store(source); }
    void SetExternalRate(uint32_t rate) { m_externalRate.store(rate); }
    void SetHandshakeRate(uint32_t rate) { m_handshakeRate.store(rate); }
    void FireTrigger(int32_t line, int32_t edge);
    [[nodiscard]] int32_t RaiseError(int16_t dir, uint32_t errors);

private:
    const std::string m_name;
    const std::string m_type;
    const SIM_MODEL m_model;
    CSimWire& m_wire;
    std::atomic<int32_t> m_source;
    std::atomic<uint32_t> m_externalRate{1000000};
    std::atomic<uint32_t> m_handshakeRate{100000};
    std::atomic<int16_t> m_direction{1};
    std::atomic<uint32_t> m_outputLines{0};
    std::atomic<int16_t> m_filter{0};
    std::atomic<uint32_t> m_ioDirection{0};

    std::mutex m_lock;  // the settings below
    uint32_t m_pattern = 0;
    uint32_t m_mask = 0;
    uint64_t m_startWaitNs = 0;
    QDX_DM_STOP_CALLBACK m_stopProc = nullptr;
    void* m_stopParam = nullptr;
    QDX_DM_COUNT_CALLBACK m_countProc = nullptr;
    void* m_countParam = nullptr;

    CSimTransfer m_input;
    CSimTransfer m_output;
};

}  // namespace qdxsim
