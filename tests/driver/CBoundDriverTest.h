#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "DriverTestSupport.h"

// A fixture with the real board library bound, the default bench configured,
// no injected faults, an empty call log and the test's message queue as the
// library's message poster.
class CBoundDriverTest : public ::testing::Test {
protected:
    static constexpr intptr_t kWindow = 0x5151;
    using E = QDX_ENTRY_POINTS;

    void SetUp() override;
    void TearDown() override;

    template <typename F, typename... A>
    [[nodiscard]] int32_t Dio(F E::*entry, A... args) const
    {
        return m_binding->Call(entry, args...);
    }

    // Opens a board (asserting success) and returns its id.
    [[nodiscard]] int16_t Open(const char* name) const;
    // Sets up a transfer: direction, software start unless given, internal
    // clock value/unit, stop condition 4 with stopNumber, stop event to kWindow, buffer.
    void SetupTransfer(int16_t id, int16_t dir, uint32_t* buffer, uint32_t length, uint32_t stopNumber,
                       uint32_t clock = 1, int16_t unit = 3, int16_t start = 1) const;
    [[nodiscard]] uint32_t Status(int16_t id, int16_t dir, uint32_t* errors = nullptr) const;
    [[nodiscard]] uint32_t Count(int16_t id, int16_t dir, uint32_t* carry = nullptr) const;
    [[nodiscard]] bool WaitEnded(int16_t id, int16_t dir) const;

    CScriptedMessages m_messages;
    std::unique_ptr<CDriverBinding> m_binding;
    SIM_CONTROLS m_sim;
    CTestMessageQueue m_queue;
};
