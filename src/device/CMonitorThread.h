#pragma once
#include <cstdint>

#include "device/CMonitorScanner.h"

class CRunState;

// The data monitor of a sampling run: polls the board every half clock
// period, keeps LastCount and LastCarry, and scans the new words for the
// compare pattern. A match is posted to the window thread, which stops the
// run (mode 1) or moves the graph (mode 2).
class CMonitorThread {
public:
    explicit CMonitorThread(CRunState& state);

    void Run();

private:
    [[nodiscard]] bool Wait();
    [[nodiscard]] bool Pass();
    void Post(const MONITOR_EVENT& event);

    CRunState& m_state;
    CMonitorScanner m_scanner;
    uint64_t m_count = 0;
    uint64_t m_available = 0;
};
