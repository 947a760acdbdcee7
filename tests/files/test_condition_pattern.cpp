#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "files/ConditionFile.h"
#include "files/DataPatternFile.h"

TEST_F(FilesTest, GeneratingConditionFileHasNoSamplingLines) {
    ASSERT_TRUE(WriteConditionFile(Document, Path("a.nvc")));
    EXPECT_EQ(ReadBytes(Path("a.nvc")),
              "VARDEK NIVARA STUDIOS\r\nVersion,2.2.0.0\r\nDeviceDesc,\r\nDeviceName,\r\nDirection,2\r\n"
              "ClockType,1\r\nClock,1\r\nClockUnit,2\r\nStartTrigger,1\r\nStopTrigger,4\r\nSize,1000\r\n"
              "RepeatCount,1\r\nStartPosition,0\r\nStopPosition,999\r\n\r\n");
    EXPECT_TRUE(Window.Path.empty());
    // Reading it back leaves the sampling-only fields of the target alone.
    CLogicDocument other("/x");
    other.Condition().MonitorMode = 2;
    other.Condition().AutoSaveFileName = "Keep";
    ASSERT_TRUE(ReadConditionFile(other, Window, Path("a.nvc")));
    EXPECT_EQ(other.Condition().MonitorMode, 2);
    EXPECT_EQ(other.Condition().AutoSaveFileName, "Keep");
    EXPECT_EQ(Window.DeviceSelections, 1);
    EXPECT_EQ(Window.GridRefreshes, 1);
    EXPECT_EQ(Window.DeviceReopens, 1);
}

TEST_F(FilesTest, SamplingConditionFileSwitchesTheDocumentAndSetsTheSamplingGroup) {
    MakeRich(DIRECTION_SAMPLING);
    ASSERT_TRUE(WriteConditionFile(Document, Path("s.nvc")));
    const std::string text = ReadBytes(Path("s.nvc"));
    EXPECT_NE(text.find("StartTrigger,4\r\nStartPattern,0xA5A5A5A5\r\nPatternMask,0x0000FFFF\r\nStopTrigger,1\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("MonitorData,0xDEADBEEF\r\n"), std::string::npos);
    EXPECT_NE(text.find("AutoSaveFileName,Bench\r\n\r\n"), std::string::npos);
    EXPECT_EQ(text.find("ReadOnly"), std::string::npos);
    EXPECT_EQ(text.find("MaxChannels"), std::string::npos);

    CLogicDocument other("");
    ASSERT_EQ(other.Condition().Direction, DIRECTION_GENERATING);
    other.SamplingMemory().Data()[0] = 42;
    ASSERT_TRUE(ReadConditionFile(other, Window, Path("s.nvc")));
    EXPECT_EQ(other.Condition().Direction, DIRECTION_SAMPLING);
    EXPECT_EQ(other.Condition().SamplingGroup, Document.Condition().SamplingGroup);
    EXPECT_EQ(other.Condition().StartPattern, 0xA5A5A5A5u);
    EXPECT_EQ(other.Condition().AutoSavePath, "/data/runs");
    EXPECT_EQ(other.Condition().SamplingBufferSize, 2345u);
    EXPECT_EQ(other.SamplingMemory().Length(), 2345u);
    EXPECT_EQ(other.SamplingMemory().Word(0), 42u);
    EXPECT_EQ(other.Condition().ReadOnly, 0);
}

TEST_F(FilesTest, HandEditedConditionFileKeysInAnyOrder) {
    Document.GeneratingMemory().Data()[5] = 5;
    WriteBytes(Path("h.nvc"),
               "VARDEK NIVARA STUDIOS\r\n\r\nno comma here\r\nSize,2000000\r\nDirection,1\r\nSize,3000\r\n"
               "AutoSavePath,C:,with,commas\r\nAutoSave,65537\r\nDeviceDesc," + std::string(300, 'd') + "\r\n");
    ASSERT_TRUE(ReadConditionFile(Document, Window, Path("h.nvc")));
    EXPECT_EQ(Document.Condition().Direction, DIRECTION_SAMPLING);
    EXPECT_EQ(Document.SamplingMemory().Length(), 3000u);  // the last Size line wins
    EXPECT_EQ(Document.Condition().AutoSavePath, "C:,with,commas");
    EXPECT_EQ(Document.Condition().AutoSave, 1);  // stored as a 16-bit value
    EXPECT_EQ(Document.Condition().DeviceDesc, std::string(255, 'd'));

    WriteBytes(Path("g.nvc"), "VARDEK NIVARA STUDIOS\r\nDirection,2\r\nSize,2000000\r\n");
    ASSERT_TRUE(ReadConditionFile(Document, Window, Path("g.nvc")));
    EXPECT_EQ(Document.GeneratingMemory().Length(), 2000000u);
    EXPECT_EQ(Document.GeneratingMemory().Word(5), 5u);
}

namespace {

// A clock pattern with start data 0, zero count 2, one count 3 and pulse
// count 4 on channel 5, as the pattern command leaves it.
void MakeClockPattern(CLogicDocument& document) {
    PATTERN_PARAMETERS& p = document.PatternParameters;
    p.PatternKind = 0;
    p.PatternChannel = 5;
    p.PatternData = 0;
    p.ZeroClockCount = 2;
    p.OneClockCount = 3;
    p.PatternCount = 4;
    p.BasicPatternLength = 5;
    for (uint32_t i = 0; i < 20; ++i) {
        if (i % 5 >= 2) {
            document.GeneratingMemory().SetBit(i, 5);
        }
    }
}

}  // namespace

TEST_F(FilesTest, DataPatternFileSavesTheFirstPeriodAndStampsItRepeated) {
    MakeClockPattern(Document);
    ASSERT_TRUE(WriteDataPatternFile(Document, Path("p.bdp")));
    EXPECT_EQ(ReadBytes(Path("p.bdp")), "VARDEK NIVARA STUDIOS\r\nVersion,2.2.0.0\r\nData,00111\r\nPulseNum,4\r\n\r\n");

    CLogicDocument other("");
    other.Condition().Direction = DIRECTION_SAMPLING;  // the generating memory is written anyway
    for (uint32_t i = 0; i < 1000; ++i) {
        other.GeneratingMemory().Data()[i] = 0xFFFFFF7F;
    }
    Window.TargetChannel = 7;
    ASSERT_TRUE(ReadDataPatternFile(other, Window, Path("p.bdp")));
    for (uint32_t i = 0; i < 20; ++i) {
        EXPECT_EQ(other.GeneratingMemory().Bit(i, 7), i % 5 >= 2 ? 1 : 0) << i;
        EXPECT_EQ(other.GeneratingMemory().Word(i) | 0x80, 0xFFFFFFFFu);
    }
    EXPECT_EQ(other.GeneratingMemory().Word(20), 0xFFFFFF7Fu);
    // The generating memory changed: the close query must ask.
    EXPECT_EQ(other.Saved.load(), 0);
    EXPECT_EQ(Window.Repaints, 1);
}

TEST_F(FilesTest, DataPatternIntoABusRowOrAChannelOutsideTheWordStampsNothing) {
    WriteBytes(Path("b.bdp"), "VARDEK NIVARA STUDIOS\r\nData,1\r\nPulseNum,0\r\n");
    for (int target : {-1, 32, -2, 100}) {
        Window.TargetChannel = target;
        const FileResult result = ReadDataPatternFile(Document, Window, Path("b.bdp"));
        EXPECT_FALSE(result.Ok) << target;
        for (uint32_t i = 0; i < Document.GeneratingMemory().Length(); ++i) {
            ASSERT_EQ(Document.GeneratingMemory().Word(i), 0u) << target << " " << i;
        }
        EXPECT_EQ(Document.Saved.load(), 1) << target;
        EXPECT_EQ(Window.Repaints, 0) << target;
    }
    Window.TargetChannel = 0;
    ASSERT_TRUE(ReadDataPatternFile(Document, Window, Path("b.bdp")));
    EXPECT_EQ(Document.GeneratingMemory().Word(999), 1u);
    EXPECT_EQ(Document.Saved.load(), 0);
}

TEST_F(FilesTest, DataPatternRepeatZeroFillsTheMemoryAndLongPatternsStopAtItsEnd) {
    WriteBytes(Path("z.bdp"), "VARDEK NIVARA STUDIOS\r\nData,10\r\nPulseNum,0\r\n");
    ASSERT_TRUE(ReadDataPatternFile(Document, Window, Path("z.bdp")));
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(Document.GeneratingMemory().Word(i), i % 2 == 0 ? 1u : 0u) << i;
    }
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 3, 1));
    WriteBytes(Path("l.bdp"), "VARDEK NIVARA STUDIOS\r\nData,0111111\r\nPulseNum,9\r\n");
    Window.TargetChannel = 31;
    ASSERT_TRUE(ReadDataPatternFile(Document, Window, Path("l.bdp")));
    EXPECT_EQ(Document.GeneratingMemory().Word(0), 1u);
    EXPECT_EQ(Document.GeneratingMemory().Word(2), 0x80000001u);
    // A repeat count written as a negative "%d" reads back as the same count.
    WriteBytes(Path("n.bdp"), "VARDEK NIVARA STUDIOS\r\nData,1\r\nPulseNum,-2\r\n");
    Window.TargetChannel = 4;
    ASSERT_TRUE(ReadDataPatternFile(Document, Window, Path("n.bdp")));
    EXPECT_EQ(Document.GeneratingMemory().Word(2), 0x80000011u);
    // A pattern saved beyond the memory's end gives zeros there.
    Document.PatternParameters.BasicPatternLength = 5;
    Document.PatternParameters.PatternChannel = 31;
    ASSERT_TRUE(WriteDataPatternFile(Document, Path("w.bdp")));
    EXPECT_NE(ReadBytes(Path("w.bdp")).find("Data,01100\r\nPulseNum,0\r\n"), std::string::npos);
}
