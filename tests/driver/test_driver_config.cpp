// The bench configured from a file and the environment. The library reads
// them once, at its first use in this process, which this test makes.
#include <gtest/gtest.h>

#include <cstdlib>

#include <chrono>
#include <vector>

#include "DriverTestSupport.h"

namespace {

using E = QDX_ENTRY_POINTS;

TEST(SimulatedBenchConfiguration, EnvironmentBoardsWithTheFilesInputAndClock)
{
    setenv("NIVARA_SIM_CONFIG", QDX_TEST_BENCH_FILE, 1);
    setenv("NIVARA_SIM_BOARDS", "ENV1:QDX-32C-PE,#20003,ENV2:QDX-32A-PE:counter,LOWER:qdx-32a-pe", 1);
    unsetenv("NIVARA_SIM_INPUT");
    unsetenv("NIVARA_SIM_EXTERNAL_CLOCK");
    CScriptedMessages messages;
    CDriverBinding binding(messages);
    binding.BindDriver();
    ASSERT_TRUE(binding.DriverBound());
    EXPECT_EQ(binding.DeviceEntries(), (std::vector<std::string>{"ENV1 QDX-32C-PE", "ENV2 QDX-32A-PE"}));

    // ENV1 takes the file's loopback input: it sees ENV2's output latch.
    int16_t scope = -1;
    int16_t generator = -1;
    ASSERT_EQ(binding.Call(&E::DioInit, "ENV1", &scope), 0);
    ASSERT_EQ(binding.Call(&E::DioInit, "ENV2", &generator), 0);
    ASSERT_EQ(binding.Call(&E::DioOutByte, generator, int16_t{0}, uint8_t{0x5A}), 0);
    uint8_t value = 0;
    ASSERT_EQ(binding.Call(&E::DioInpByte, scope, int16_t{0}, &value), 0);
    EXPECT_EQ(value, 0x5A);

    // The file's external clock: 50 words at 5000 words/s take 10 ms.
    std::vector<uint32_t> buffer(100, 0);
    ASSERT_EQ(binding.Call(&E::DioDmSetClockTrigger, scope, int16_t{1}, int16_t{2}), 0);
    ASSERT_EQ(binding.Call(&E::DioDmSetStopTrigger, scope, int16_t{1}, int16_t{4}), 0);
    ASSERT_EQ(binding.Call(&E::DioDmSetStopNumber, scope, int16_t{1}, 50u), 0);
    ASSERT_EQ(binding.Call(&E::DioDmSetBuffer, scope, int16_t{1}, buffer.data(), 100u, int16_t{1}), 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(binding.Call(&E::DioDmTransferStart, scope, int16_t{1}), 0);
    ASSERT_TRUE(WaitUntil([&] {
        uint32_t status = 0;
        uint32_t errors = 0;
        return binding.Call(&E::DioDmGetStatus, scope, int16_t{1}, &status, &errors) == 0 && (status & 1) != 0;
    }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(9));
    EXPECT_EQ(buffer[49], 0x5Au);
}

}  // namespace
