#include "CBoundDriverTest.h"

void CBoundDriverTest::SetUp()
{
    m_binding = std::make_unique<CDriverBinding>(m_messages);
    m_binding->BindDriver();
    ASSERT_TRUE(m_binding->DriverBound());
    ASSERT_TRUE(m_sim.Resolve());
    ASSERT_EQ(m_sim.ConfigureBoards(nullptr), 0);
    ASSERT_EQ(m_sim.FailFunction(nullptr, 0, 0), 0);
    ASSERT_EQ(m_sim.SetMaxBufferLength(0), 0);
    ASSERT_EQ(m_sim.EnableCallLog(1), 0);
    ASSERT_EQ(m_sim.ClearCallLog(), 0);
    ASSERT_TRUE(m_binding->SetMessagePoster(&CTestMessageQueue::Post, &m_queue));
}

void CBoundDriverTest::TearDown()
{
    if (m_sim.ConfigureBoards != nullptr) (void)m_sim.ConfigureBoards(nullptr);
    if (m_binding) (void)m_binding->SetMessagePoster(nullptr, nullptr);
}

int16_t CBoundDriverTest::Open(const char* name) const
{
    int16_t id = -1;
    EXPECT_EQ(Dio(&E::DioInit, name, &id), 0);
    EXPECT_EQ(Dio(&E::DioResetDevice, id), 0);
    return id;
}

void CBoundDriverTest::SetupTransfer(int16_t id, int16_t dir, uint32_t* buffer, uint32_t length,
                                     uint32_t stopNumber, uint32_t clock, int16_t unit, int16_t start) const
{
    ASSERT_EQ(Dio(&E::DioDmSetDirection, id, dir), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStandAlone, id), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStartTrigger, id, dir, start), 0);
    ASSERT_EQ(Dio(&E::DioDmSetClockTrigger, id, dir, 1), 0);
    ASSERT_EQ(Dio(&E::DioDmSetInternalClock, id, dir, clock, unit), 0);
    ASSERT_EQ(Dio(&E::DioDmSetStopTrigger, id, dir, stopNumber == 0 ? 1 : 4), 0);
    if (stopNumber != 0) {
        ASSERT_EQ(Dio(&E::DioDmSetStopNumber, id, dir, stopNumber), 0);
    }
    ASSERT_EQ(Dio(&E::DioDmSetStopEvent, id, dir, kWindow), 0);
    ASSERT_EQ(Dio(&E::DioDmFifoReset, id, 4), 0);
    ASSERT_EQ(Dio(&E::DioDmSetBuffer, id, dir, buffer, length, 1), 0);
}

uint32_t CBoundDriverTest::Status(int16_t id, int16_t dir, uint32_t* errors) const
{
    uint32_t status = 0;
    uint32_t errorBits = 0;
    EXPECT_EQ(Dio(&E::DioDmGetStatus, id, dir, &status, &errorBits), 0);
    if (errors != nullptr) *errors = errorBits;
    return status;
}

uint32_t CBoundDriverTest::Count(int16_t id, int16_t dir, uint32_t* carry) const
{
    uint32_t count = 0;
    uint32_t carryValue = 0;
    EXPECT_EQ(Dio(&E::DioDmGetCount, id, dir, &count, &carryValue), 0);
    if (carry != nullptr) *carry = carryValue;
    return count;
}

bool CBoundDriverTest::WaitEnded(int16_t id, int16_t dir) const
{
    return WaitUntil([&] { return (Status(id, dir) & 0x01) != 0; });
}
