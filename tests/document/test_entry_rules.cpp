#include <gtest/gtest.h>

#include "document/CEntryRules.h"

TEST(EntryRules, ClockLimitsPerModelAndUnit) {
    EXPECT_EQ(CEntryRules::Clock(1, 4, 0), 20u);
    EXPECT_EQ(CEntryRules::Clock(1, 4, 23), 25u);
    EXPECT_EQ(CEntryRules::Clock(0, 4, 51), 75u);
    EXPECT_EQ(CEntryRules::Clock(0, 4, 50), 50u);
    EXPECT_EQ(CEntryRules::Clock(0, 4, 1000000), 1000000u);
    EXPECT_EQ(CEntryRules::Clock(1, 1, 22), 21u);
    EXPECT_EQ(CEntryRules::Clock(0, 1, 200), 107u);
    EXPECT_EQ(CEntryRules::Clock(1, 2, 21000), 21000u);
    EXPECT_EQ(CEntryRules::Clock(0, 2, 107001), 107000u);
    EXPECT_EQ(CEntryRules::Clock(1, 3, 30000000), 21000000u);
    EXPECT_EQ(CEntryRules::Clock(0, 3, 0), 1u);
    // A negative entry counts as very large.
    EXPECT_EQ(CEntryRules::Clock(0, 2, -1), 107000u);
    // Nanoseconds have no maximum; the step never overflows.
    EXPECT_EQ(CEntryRules::Clock(0, 4, -1) % 25u, 0u);
    EXPECT_GT(CEntryRules::Clock(0, 4, -1), 4000000000u);
    // An unknown unit only turns 0 into 1.
    EXPECT_EQ(CEntryRules::Clock(0, 7, 0), 1u);
    EXPECT_EQ(CEntryRules::Clock(0, 7, 500000000), 500000000u);
}

TEST(EntryRules, PositionsStayInsideTheMemory) {
    EXPECT_EQ(CEntryRules::StartPosition(999, 999, 1000), 998u);
    EXPECT_EQ(CEntryRules::StartPosition(5000, 999, 1000), 998u);
    EXPECT_EQ(CEntryRules::StartPosition(10, 999, 1000), 10u);
    EXPECT_EQ(CEntryRules::StartPosition(10, 20, 8), 6u);
    EXPECT_EQ(CEntryRules::StopPosition(0, 0, 1000), 1u);
    EXPECT_EQ(CEntryRules::StopPosition(5000, 0, 1000), 999u);
    EXPECT_EQ(CEntryRules::StopPosition(3, 10, 1000), 11u);
}

TEST(EntryRules, RepeatCountIsHeldToTheBoardsTransferLimit) {
    EXPECT_EQ(CEntryRules::RepeatCount(100, 0, 0, 999999), 16u);
    EXPECT_EQ(CEntryRules::RepeatCount(1000, 1, 0, 999999), 536u);
    EXPECT_EQ(CEntryRules::RepeatCount(0, 0, 0, 999), 1u);
    EXPECT_EQ(CEntryRules::RepeatCount(-5, 0, 0, 999), 1u);
    EXPECT_EQ(CEntryRules::RepeatCount(7, 0, 0, 999), 7u);
    // A range longer than the limit still allows one pass.
    EXPECT_EQ(CEntryRules::RepeatCount(3, 0, 0, 99999999), 1u);
}

TEST(EntryRules, SizeAndTheFollowingPositions) {
    EXPECT_EQ(CEntryRules::Size(0), 1u);
    EXPECT_EQ(CEntryRules::Size(77), 77u);
    DIRECTION_GROUP group;
    CEntryRules::AfterSizeChange(group, 500);
    EXPECT_EQ(group.StartPosition, 0u);
    EXPECT_EQ(group.StopPosition, 499u);
    group.StartPosition = 400;
    CEntryRules::AfterSizeChange(group, 300);
    EXPECT_EQ(group.StartPosition, 298u);
    EXPECT_EQ(group.StopPosition, 299u);
    CEntryRules::AfterSizeChange(group, 2000);
    EXPECT_EQ(group.StartPosition, 298u);
}

TEST(EntryRules, MonitorFields) {
    EXPECT_EQ(CEntryRules::MonitorPercentage(-3), 0);
    EXPECT_EQ(CEntryRules::MonitorPercentage(101), 100);
    EXPECT_EQ(CEntryRules::MonitorDataBitNumbers(0), 1);
    EXPECT_EQ(CEntryRules::MonitorDataBitNumbers(33), 32);
    EXPECT_EQ(CEntryRules::MonitorChannel(-1), 0);
    EXPECT_EQ(CEntryRules::MonitorChannel(40), 31);
}
