#include <gtest/gtest.h>

#include <cstring>

#include "FilesTestSupport.h"
#include "files/PulseFile.h"

namespace {

struct ROUND_TRIP {
    int Direction;
    const char* First;
    const char* Second;
};

class RoundTrip : public FilesTest, public ::testing::WithParamInterface<ROUND_TRIP> {};

}  // namespace

// first -> second -> first again gives the same bytes, and every reader gives
// the document the same content.
TEST_P(RoundTrip, IsByteIdentical) {
    const ROUND_TRIP trip = GetParam();
    MakeRich(trip.Direction);
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path(std::string("one.") + trip.First)));

    CLogicDocument second("");
    CWindowRecords secondRecords("x");
    ASSERT_TRUE(ReadPulseFile(second, secondRecords, Window, Path(std::string("one.") + trip.First)));
    ASSERT_TRUE(WritePulseFile(second, secondRecords, Window, Path(std::string("two.") + trip.Second)));

    CLogicDocument third("");
    CWindowRecords thirdRecords("y");
    ASSERT_TRUE(ReadPulseFile(third, thirdRecords, Window, Path(std::string("two.") + trip.Second)));
    ASSERT_TRUE(WritePulseFile(third, thirdRecords, Window, Path(std::string("three.") + trip.First)));

    EXPECT_EQ(ReadBytes(Path(std::string("one.") + trip.First)),
              ReadBytes(Path(std::string("three.") + trip.First)));
    // The content survives both formats.
    const int d = trip.Direction;
    EXPECT_EQ(third.Condition().Direction, d);
    EXPECT_EQ(*third.Condition().Group(d), *Document.Condition().Group(d));
    EXPECT_EQ(third.Condition().DeviceName, "QDX32C0");
    EXPECT_EQ(third.Condition().ModelType, MODEL_TYPE_C);
    EXPECT_EQ(third.Condition().ReadOnly, 1);
    EXPECT_EQ(*thirdRecords.Table(d), *Records.Table(d));
    EXPECT_EQ(*thirdRecords.Bookmarks(d), *Records.Bookmarks(d));
    EXPECT_EQ(third.ValidLengthOf(d), Document.ValidLengthOf(d));
    const uint32_t valid = Document.ValidLengthOf(d);
    EXPECT_EQ(0, std::memcmp(third.Memory(d)->Data(), Document.Memory(d)->Data(), valid * 4));
    if (d == DIRECTION_SAMPLING) {
        const LOGIC_CONDITION& c = third.Condition();
        EXPECT_EQ(c.StartPattern, 0xA5A5A5A5u);
        EXPECT_EQ(c.PatternMask, 0x0000FFFFu);
        EXPECT_EQ(c.MonitorData, 0xDEADBEEFu);
        EXPECT_EQ(c.MonitorDataBitNumbers, 12);
        EXPECT_EQ(c.AutoSavePath, "/data/runs");
        EXPECT_EQ(c.AutoSaveFileName, "Bench");
        EXPECT_EQ(c.AutoSaveFileType, 1);
        EXPECT_EQ(c.SamplingBufferSize, 2345u);
        EXPECT_EQ(third.LastCount.load(), 2000u);
    }
}

INSTANTIATE_TEST_SUITE_P(BothFormatsBothDirections, RoundTrip,
                         ::testing::Values(ROUND_TRIP{DIRECTION_SAMPLING, "csv", "vpb"},
                                           ROUND_TRIP{DIRECTION_SAMPLING, "vpb", "csv"},
                                           ROUND_TRIP{DIRECTION_GENERATING, "csv", "vpb"},
                                           ROUND_TRIP{DIRECTION_GENERATING, "vpb", "csv"}));

TEST_F(FilesTest, ExtensionRuleLooksAtTheLastThreeCharactersOnly) {
    EXPECT_TRUE(IsPulseTextPath("a.csv"));
    EXPECT_TRUE(IsPulseTextPath("data_csv"));
    EXPECT_FALSE(IsPulseTextPath("a.CSV"));
    EXPECT_FALSE(IsPulseTextPath("a.vpb"));
    EXPECT_FALSE(IsPulseTextPath("cs"));
}
