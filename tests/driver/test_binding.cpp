// The binding against the real board library: table, enumeration, device
// selection and the guard against unbound calls.
#include <cstring>

#include "CBoundDriverTest.h"
#include "document/CLogicDocument.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

namespace {

using BindingTest = CBoundDriverTest;

TEST(DriverTable, HoldsTheFiftyThreeRowsInOrderWithTheirVersions)
{
    CScriptedMessages messages;
    const CDriverBinding binding(messages);
    const auto& table = binding.Table();
    ASSERT_EQ(table.size(), 54u);
    EXPECT_STREQ(table[0].FunctionName, "DioInit");
    EXPECT_STREQ(table[22].FunctionName, "DioQueryDeviceName");
    EXPECT_STREQ(table[30].FunctionName, "DioDmSetDirection");
    EXPECT_STREQ(table[52].FunctionName, "DioDmSetCountCallBackProc");
    for (std::size_t row = 0; row < 53; ++row) {
        EXPECT_STREQ(table[row].LibraryName, "libqdxapi.so");
        EXPECT_NE(table[row].Slot, nullptr);
        const char* expected = row < 27 ? "1.00" : row < 30 ? "2.00" : "2.02";
        EXPECT_STREQ(table[row].MinimumVersion, expected) << table[row].FunctionName;
        for (std::size_t other = 0; other < row; ++other) EXPECT_NE(table[row].Slot, table[other].Slot);
    }
    EXPECT_STREQ(table[53].LibraryName, "");
}

TEST(DriverTable, UnboundBindingCallsNothing)
{
    CScriptedMessages messages;
    const CDriverBinding binding(messages);
    char name[256];
    char type[256];
    EXPECT_FALSE(binding.DriverBound());
    EXPECT_EQ(binding.Call(&QDX_ENTRY_POINTS::DioQueryDeviceName, int16_t{0}, name, type),
              CDriverBinding::DRIVER_NOT_BOUND);
    EXPECT_FALSE(binding.RunCalls().Complete());
    EXPECT_FALSE(binding.ErrorText(21001).empty());
    binding.GetSelectedDevice(type, name);
    EXPECT_STREQ(type, "");
    EXPECT_STREQ(name, "");
}

TEST_F(BindingTest, DefaultBenchListsSupportedBoardsAndSkipsTheRest)
{
    EXPECT_TRUE(m_messages.Texts().empty());
    const std::vector<std::string> entries{"DIO000 QDX-32A-PE", "DIO001 QDX-32A(PCI)", "DIO002 QDX-32C-PE",
                                           "DIO005 QDX-32C-PE"};
    EXPECT_EQ(m_binding->DeviceEntries(), entries);
    EXPECT_EQ(m_binding->DeviceNames(), (std::vector<std::string>{"DIO000", "DIO001", "DIO002", "DIO005"}));
    EXPECT_EQ(m_binding->DeviceTypes(),
              (std::vector<std::string>{"QDX-32A-PE", "QDX-32A(PCI)", "QDX-32C-PE", "QDX-32C-PE"}));
    EXPECT_EQ(m_binding->SelectedIndex(), 0);
    char type[256];
    char name[256];
    m_binding->GetSelectedDevice(type, name);
    EXPECT_STREQ(type, "QDX-32A-PE");
    EXPECT_STREQ(name, "DIO000");
    EXPECT_TRUE(m_binding->RunCalls().Complete());
}

TEST_F(BindingTest, EnumerationGoesOnAfterAnEmptyIndexAndIsCaseSensitive)
{
    ASSERT_EQ(m_sim.ConfigureBoards("#20003,BENCH1:QDX-32C-PE,LOWER:qdx-32c-pe,#20003,#20003,LAST:QDX-32A-PE,"
                                    "#21012,AFTER:QDX-32A-PE"),
              0);
    m_binding->EnumerateDevices();
    EXPECT_EQ(m_binding->DeviceEntries(), (std::vector<std::string>{"BENCH1 QDX-32C-PE", "LAST QDX-32A-PE"}));
    EXPECT_EQ(m_binding->SelectedIndex(), 0);

    ASSERT_EQ(m_sim.ConfigureBoards("#21000"), 0);
    m_binding->EnumerateDevices();
    EXPECT_TRUE(m_binding->DeviceEntries().empty());
    EXPECT_EQ(m_binding->SelectedIndex(), -1);
}

TEST_F(BindingTest, SelectDeviceByNameSelectsOrWarnsAndKeepsTheSelection)
{
    CLogicDocument document("/tmp");
    EXPECT_TRUE(m_binding->SelectDeviceByName(document, "DIO002"));
    EXPECT_EQ(m_binding->SelectedIndex(), 2);
    EXPECT_TRUE(m_messages.Texts().empty());

    document.SetDevice("QDX-32A-PE", "NOSUCH");
    EXPECT_FALSE(m_binding->SelectDeviceByName(document, "dio002"));
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_EQ(m_messages.Texts()[0], LoadText(IDS_INVALID_DEVICE_NAME));
    EXPECT_EQ(m_messages.Icons()[0], MessageIcon::Warning);
    EXPECT_EQ(m_binding->SelectedIndex(), 2);
    EXPECT_EQ(document.Condition().DeviceName, "DIO002");
    EXPECT_EQ(document.Condition().DeviceDesc, "QDX-32C-PE");
    EXPECT_EQ(document.Condition().ModelType, MODEL_TYPE_C);
}

TEST(DriverStrings, InvalidDeviceNameWarningInBothLanguages)
{
    EXPECT_EQ(CStringTable::Text(64520, LANGUAGE_ENGLISH),
              "An invalid device name was read, so current device continues to use.");
    EXPECT_EQ(CStringTable::Text(64520, LANGUAGE_JAPANESE),
              "無効なデバイス名が読み込まれたため、現在のデバイスの使用を続行します。");
}

TEST_F(BindingTest, ErrorTextsAreTerminatedForEveryCode)
{
    for (const int32_t code : {0, 20003, 21000, 21001, 21002, 21003, 21004, 21005, 21006, 21007, 21008, 21009, 21010,
                               21011, 21012, 21013, -1, 12345, INT32_MIN, INT32_MAX}) {
        char text[256];
        std::memset(text, 'x', sizeof text);
        ASSERT_EQ(Dio(&E::DioGetErrorString, code, text), 0);
        const std::size_t length = strnlen(text, sizeof text);
        EXPECT_LT(length, sizeof text) << code;
        EXPECT_GT(length, 0u) << code;
    }
    EXPECT_NE(m_binding->ErrorText(21001), m_binding->ErrorText(21002));
}

TEST_F(BindingTest, SetterFailuresAndWrongStateAnswerDistinctCodes)
{
    uint32_t buffer[16] = {};
    int16_t id = -1;
    EXPECT_EQ(Dio(&E::DioInit, "NOSUCH", &id), QDX_ERR_INVALID_DEVICE_NAME);
    EXPECT_EQ(Dio(&E::DioResetDevice, int16_t{200}), QDX_ERR_INVALID_ID);
    id = Open("DIO002");
    EXPECT_EQ(Dio(&E::DioDmSetStartTrigger, id, 3, 1), QDX_ERR_INVALID_DIRECTION);
    EXPECT_EQ(Dio(&E::DioDmSetStartTrigger, id, 1, 5), QDX_ERR_INVALID_PARAMETER);
    EXPECT_EQ(Dio(&E::DioDmSetStartTrigger, id, 2, 0), QDX_ERR_INVALID_PARAMETER);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, id, 1, 19u, 4), QDX_ERR_CLOCK_RANGE);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, id, 1, 20u, 4), 0);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, id, 1, 22u, 1), QDX_ERR_CLOCK_RANGE);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, id, 1, 21u, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, id, 1, 1u, 5), QDX_ERR_INVALID_PARAMETER);
    EXPECT_EQ(Dio(&E::DioDmSetStopNumber, id, 1, 0u), QDX_ERR_INVALID_PARAMETER);
    EXPECT_EQ(Dio(&E::DioDmTransferStart, id, 1), QDX_ERR_NO_BUFFER);
    EXPECT_EQ(Dio(&E::DioDmSetBuffer, id, 1, buffer, 0u, 1), QDX_ERR_INVALID_PARAMETER);
    EXPECT_EQ(Dio(&E::DioDmSetBuffer, id, 1, static_cast<uint32_t*>(nullptr), 16u, 1), QDX_ERR_NULL_POINTER);
    EXPECT_EQ(Dio(&E::DioDmSetDirection, id, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmSetBuffer, id, 2, buffer, 16u, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmTransferStart, id, 2), QDX_ERR_DIRECTION_NOT_SET);

    const int16_t slow = Open("DIO000");
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, slow, 1, 49u, 4), QDX_ERR_CLOCK_RANGE);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, slow, 1, 107u, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmSetInternalClock, slow, 1, 108u, 1), QDX_ERR_CLOCK_RANGE);
    EXPECT_EQ(Dio(&E::DioExit, slow), 0);
    EXPECT_EQ(Dio(&E::DioExit, slow), QDX_ERR_INVALID_ID);
}

TEST_F(BindingTest, SimpleLinesWriteEchoAndReachTheLoopback)
{
    const int16_t out = Open("DIO000");
    const int16_t in = Open("DIO002");
    ASSERT_EQ(m_sim.SetInputSource("DIO002", QDX_SIM_INPUT_LOOPBACK), 0);
    EXPECT_EQ(Dio(&E::DioOutByte, out, 1, uint8_t{0xAB}), 0);
    EXPECT_EQ(Dio(&E::DioOutBit, out, 0, uint8_t{1}), 0);
    uint8_t value = 0;
    EXPECT_EQ(Dio(&E::DioEchoBackByte, out, 1, &value), 0);
    EXPECT_EQ(value, 0xAB);
    EXPECT_EQ(Dio(&E::DioEchoBackBit, out, 8, &value), 0);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(Dio(&E::DioInpByte, in, 1, &value), 0);
    EXPECT_EQ(value, 0xAB);
    EXPECT_EQ(Dio(&E::DioInpBit, in, 0, &value), 0);
    EXPECT_EQ(value, 1);
    const int16_t ports[2] = {0, 1};
    uint8_t bytes[2] = {};
    EXPECT_EQ(Dio(&E::DioInpMultiByte, in, ports, int16_t{2}, bytes), 0);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0xAB);
    EXPECT_EQ(Dio(&E::DioOutByte, out, 4, uint8_t{0}), QDX_ERR_PORT_RANGE);
    EXPECT_EQ(Dio(&E::DioInpBit, in, 32, &value), QDX_ERR_PORT_RANGE);
    int16_t inPorts = 0;
    int16_t outPorts = 0;
    EXPECT_EQ(Dio(&E::DioGetMaxPorts, in, &inPorts, &outPorts), 0);
    EXPECT_EQ(inPorts, 4);
    EXPECT_EQ(outPorts, 4);
    uint16_t mode = 0;
    EXPECT_EQ(Dio(&E::DioGet8255Mode, in, uint16_t{0}, &mode), QDX_ERR_NOT_SUPPORTED);
}

TEST_F(BindingTest, CallLogRecordsCallsAndInjectedFailuresChangeNothing)
{
    const int16_t id = Open("DIO002");
    ASSERT_EQ(m_sim.ClearCallLog(), 0);
    ASSERT_EQ(m_sim.FailFunction("DioDmSetClockTrigger", 23456, 1), 0);
    EXPECT_EQ(Dio(&E::DioDmSetClockTrigger, id, 1, 2), 23456);
    EXPECT_EQ(Dio(&E::DioDmSetClockTrigger, id, 1, 3), 0);
    EXPECT_EQ(Dio(&E::DioDmSetStopNumber, id, 1, 3000u), 0);
    uint32_t status = 0;
    uint32_t errors = 0;
    EXPECT_EQ(Dio(&E::DioDmGetStatus, id, 1, &status, &errors), 0);
    EXPECT_EQ(m_sim.CallLog(),
              "DioDmSetClockTrigger(0, 1, 2)\n"
              "DioDmSetClockTrigger(0, 1, 3)\n"
              "DioDmSetStopNumber(0, 1, 3000)\n"
              "DioDmGetStatus(0, 1, out, out)\n");

    ASSERT_EQ(m_sim.FailFunction("DioDmGetCount", 777, -1), 0);
    uint32_t count = 5;
    uint32_t carry = 5;
    EXPECT_EQ(Dio(&E::DioDmGetCount, id, 1, &count, &carry), 777);
    EXPECT_EQ(Dio(&E::DioDmGetCount, id, 1, &count, &carry), 777);
    EXPECT_EQ(count, 5u);
    ASSERT_EQ(m_sim.FailFunction("DioDmGetCount", 0, 0), 0);
    EXPECT_EQ(Dio(&E::DioDmGetCount, id, 1, &count, &carry), 0);
    EXPECT_EQ(count, 0u);
}

TEST_F(BindingTest, RefusedBuffersGiveTheRingLadderItsSize)
{
    ASSERT_EQ(m_sim.SetMaxBufferLength(500000), 0);
    const int16_t id = Open("DIO000");
    std::vector<uint32_t> ring;
    uint32_t accepted = 0;
    for (uint32_t k = 0; k < 30 && accepted == 0; ++k) {
        const uint32_t size = (32 - k) * 32768;
        ring.assign(size, 0);
        if (Dio(&E::DioDmSetBuffer, id, 1, ring.data(), size, 1) == 0) accepted = size;
    }
    EXPECT_EQ(accepted, 491520u);
    ASSERT_EQ(m_sim.SetMaxBufferLength(0), 0);
    EXPECT_EQ(Dio(&E::DioDmSetBuffer, id, 1, ring.data(), 491520u, 1), 0);
}

}  // namespace
