// The simulated bench of the process: the board set, the open device ids,
// the loopback wire, the host's message poster, the call log and the faults.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "CSimBoard.h"
#include "CSimCallLog.h"
#include "CSimConfig.h"
#include "CSimFaults.h"
#include "CSimMessenger.h"
#include "CSimWire.h"

namespace qdxsim {

class CSimBench {
public:
    static constexpr std::size_t kMaxOpen = 256;

    // The process's bench, configured from the environment on first use.
    [[nodiscard]] static CSimBench& Instance();

    explicit CSimBench(const SIM_SETTINGS& settings);
    ~CSimBench();
    CSimBench(const CSimBench&) = delete;
    CSimBench& operator=(const CSimBench&) = delete;

    [[nodiscard]] CSimMessenger& Messenger() { return m_messenger; }
    [[nodiscard]] CSimCallLog& CallLog() { return m_callLog; }
    [[nodiscard]] CSimFaults& Faults() { return m_faults; }

    [[nodiscard]] int32_t Query(int16_t index, char* name, char* type) const;
    [[nodiscard]] int32_t Open(const char* name, int16_t& id);
    [[nodiscard]] int32_t Close(int16_t id);
    [[nodiscard]] std::shared_ptr<CSimBoard> Board(int16_t id) const;
    [[nodiscard]] std::shared_ptr<CSimBoard> BoardByName(std::string_view name) const;
    [[nodiscard]] bool HasType(std::string_view type) const;
    // Replaces the board set; open ids are closed and transfers end first.
    [[nodiscard]] int32_t Configure(const char* boards);

private:
    void Build(const SIM_SETTINGS& settings);
    void ShutDown();

    // The wire and the messenger outlive the boards that refer to them.
    CSimWire m_wire;
    CSimMessenger m_messenger;
    CSimCallLog m_callLog;
    CSimFaults m_faults;

    mutable std::mutex m_lock;
    std::vector<SIM_BOARD_ENTRY> m_entries;
    std::vector<std::shared_ptr<CSimBoard>> m_boards;  // parallel to m_entries
    std::array<std::shared_ptr<CSimBoard>, kMaxOpen> m_open;
    SIM_SETTINGS m_settings;
};

}  // namespace qdxsim
