#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "files/PulseTextFile.h"

namespace {

std::string DefaultGeneratingFile() {
    std::string text =
        "VARDEK NIVARA STUDIOS\r\n"
        "Version,DeviceDesc,DeviceName,Direction,MaxChannels,ClockType,Clock,ClockUnit,StartTrigger,StopTrigger,"
        "Size,RepeatCount,StartPosition,StopPosition,ReadOnly\r\n"
        "2.2.0.0,,,2,32,1,1,2,1,4,1000,1,0,999,0\r\n"
        "ChannelName,DeviceChannel,IsEnable,IsBus,BusChannel\r\n";
    for (int i = 0; i < 32; ++i) {
        text += "Signal" + std::to_string(i) + "," + std::to_string(i) + ",1,0,0x00000000\r\n";
    }
    text += "BookmarkAbsolutePosition,IsCurrentBookmark,BookmarkMemo\r\nData\r\n";
    for (int line = 0; line < 100; ++line) {
        text += "00000000,00000000,00000000,00000000,00000000,00000000,00000000,00000000,00000000,00000000\r\n";
    }
    return text;
}

}  // namespace

TEST_F(FilesTest, DefaultGeneratingDocumentIsWrittenByteForByte) {
    ASSERT_TRUE(WritePulseTextFile(Document, Records, Window, Path("a.csv")));
    EXPECT_EQ(ReadBytes(Path("a.csv")), DefaultGeneratingFile());
    EXPECT_EQ(Window.Path, Path("a.csv"));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"a.csv"});
}

TEST_F(FilesTest, TextDataLinesHoldTenWordsAndTheRestOnAShorterLine) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    for (uint32_t i = 0; i < 25; ++i) {
        Document.SamplingMemory().Data()[i] = 0xABCDEF00 + i;
    }
    Document.LastCount = 25;
    ASSERT_TRUE(WritePulseTextFile(Document, Records, Window, Path("a.csv")));
    const std::string text = ReadBytes(Path("a.csv"));
    const std::string data = text.substr(text.find("\r\nData\r\n") + 8);
    EXPECT_EQ(data,
              "ABCDEF00,ABCDEF01,ABCDEF02,ABCDEF03,ABCDEF04,ABCDEF05,ABCDEF06,ABCDEF07,ABCDEF08,ABCDEF09\r\n"
              "ABCDEF0A,ABCDEF0B,ABCDEF0C,ABCDEF0D,ABCDEF0E,ABCDEF0F,ABCDEF10,ABCDEF11,ABCDEF12,ABCDEF13\r\n"
              "ABCDEF14,ABCDEF15,ABCDEF16,ABCDEF17,ABCDEF18\r\n");

    CLogicDocument other("");
    CWindowRecords records("Signal");
    ASSERT_TRUE(ReadPulseTextFile(other, records, Window, Path("a.csv")));
    EXPECT_EQ(other.LastCount.load(), 25u);
    EXPECT_EQ(other.SamplingMemory().Word(24), 0xABCDEF18u);
    EXPECT_EQ(other.SamplingMemory().Word(25), 0u);
}

TEST_F(FilesTest, EmptySamplingDocumentEndsWithTheDataLineAndReadsBackEmpty) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    ASSERT_TRUE(WritePulseTextFile(Document, Records, Window, Path("a.csv")));
    const std::string text = ReadBytes(Path("a.csv"));
    EXPECT_EQ(text.substr(text.size() - 8), "\r\nData\r\n");
    Document.LastCount = 99;
    ASSERT_TRUE(ReadPulseTextFile(Document, Records, Window, Path("a.csv")));
    EXPECT_EQ(Document.LastCount.load(), 0u);
}

TEST_F(FilesTest, PatternMatchSamplingFileCarriesThePatternKeys) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    Document.Condition().SamplingGroup.StartTrigger = 4;
    ASSERT_TRUE(WritePulseTextFile(Document, Records, Window, Path("a.csv")));
    const std::string text = ReadBytes(Path("a.csv"));
    EXPECT_NE(text.find("StartTrigger,StartPattern,PatternMask,StopTrigger,"), std::string::npos);
    EXPECT_NE(text.find(",4,0x00000055,0xFFFFFFFF,4,1000000,"), std::string::npos);
    EXPECT_NE(text.find(",ReadOnly,MonitorMode,MonitorMethod,MonitorPercentage,MonitorDataBase,MonitorData,"
                        "MonitorDataBitNumbers,MonitorChannel,AutoSave,AutoSavePath,AutoSaveFileType,"
                        "AutoSaveFileName\r\n"),
              std::string::npos);
    // Software start: no pattern keys.
    Document.Condition().SamplingGroup.StartTrigger = 1;
    ASSERT_TRUE(WritePulseTextFile(Document, Records, Window, Path("b.csv")));
    EXPECT_EQ(ReadBytes(Path("b.csv")).find("StartPattern"), std::string::npos);
}

TEST_F(FilesTest, TextKeysInAnyOrderAreReadAndMissingKeysKeepTheDocumentValues) {
    Document.Condition().GeneratingGroup.RepeatCount = 9;
    Document.Condition().GeneratingGroup.ClockUnit = 3;
    WriteBytes(Path("a.csv"),
               "VARDEK NIVARA STUDIOS\r\n"
               "Size,Extra,Direction,Clock,StopPosition,DeviceName\r\n"
               "20,whatever,2,0x10,17,Board 7\r\n"
               "ChannelName,DeviceChannel,IsEnable,IsBus,BusChannel\r\n"
               "A,3,1,0,0\r\n"
               "B,4\r\n"
               "Data\r\n"
               "1,2,0xff,  3,zz,FFFFFFFFF\r\n");
    ASSERT_TRUE(ReadPulseTextFile(Document, Records, Window, Path("a.csv")));
    const DIRECTION_GROUP& g = Document.Condition().GeneratingGroup;
    EXPECT_EQ(Document.GeneratingMemory().Length(), 20u);
    EXPECT_EQ(g.Clock, 0u);  // "%d" field: "0x10" reads as 0
    EXPECT_EQ(g.StopPosition, 17u);
    EXPECT_EQ(g.RepeatCount, 9u);
    EXPECT_EQ(g.ClockUnit, 3);
    EXPECT_EQ(Document.Condition().DeviceName, "Board 7");
    ASSERT_EQ(Records.GeneratingTable.Size(), 2u);
    // Missing trailing cells keep the previous row's values.
    EXPECT_EQ(Records.GeneratingTable[1].ChannelName, "B");
    EXPECT_EQ(Records.GeneratingTable[1].DeviceChannel, 4);
    EXPECT_EQ(Records.GeneratingTable[1].IsEnable, 1);
    EXPECT_EQ(Records.GeneratingTable[1].IsShown, 1);
    const std::vector<uint32_t> expected = {1, 2, 0xFF, 3, 0, 0xFFFFFFFF};
    for (uint32_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Document.GeneratingMemory().Word(i), expected[i]) << i;
    }
    EXPECT_EQ(Window.DeviceSelections, 1);
    EXPECT_EQ(Window.SelectedDeviceName, "Board 7");
    EXPECT_EQ(Window.TreeRebuilds, 1);
    EXPECT_EQ(Window.DeviceReopens, 1);
}

TEST_F(FilesTest, TextFileWithoutBookmarkHeaderKeepsTheBookmarksAndStopsAtSize) {
    Records.GeneratingBookmarks.Append({3, "kept", 1});
    WriteBytes(Path("a.csv"),
               "VARDEK NIVARA STUDIOS\r\nDirection,Size\r\n2,3\r\nChannelName\r\nData\r\n"
               "00000001,00000002\r\n00000003,00000004\r\n00000005\r\n");
    ASSERT_TRUE(ReadPulseTextFile(Document, Records, Window, Path("a.csv")));
    ASSERT_EQ(Records.GeneratingBookmarks.Size(), 1u);
    EXPECT_EQ(Records.GeneratingBookmarks[0].BookmarkMemo, "kept");
    EXPECT_EQ(Records.GeneratingTable.Size(), 0u);
    ASSERT_EQ(Document.GeneratingMemory().Length(), 3u);
    EXPECT_EQ(Document.GeneratingMemory().Word(2), 3u);
}

TEST_F(FilesTest, TextBookmarksReadBackWithEmptyMemos) {
    Records.GeneratingBookmarks.Append({10, "", 1});
    Records.GeneratingBookmarks.Append({3000000000U, "x y", 0});
    ASSERT_TRUE(WritePulseTextFile(Document, Records, Window, Path("a.csv")));
    EXPECT_NE(ReadBytes(Path("a.csv")).find("\r\n10,1,\r\n-1294967296,0,x y\r\n"), std::string::npos);
    CWindowRecords records("Signal");
    ASSERT_TRUE(ReadPulseTextFile(Document, records, Window, Path("a.csv")));
    EXPECT_EQ(records.GeneratingBookmarks, Records.GeneratingBookmarks);
    EXPECT_EQ(Window.MarkerRebuilds, 1);
}

TEST_F(FilesTest, TextBlockReadsOnlyTheData) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    ASSERT_TRUE(Document.SetBufferSize(4));
    WriteBytes(Path("b.csv"),
               "VARDEK NIVARA STUDIOS\r\nDirection,Size\r\n2,99\r\nx\r\nName,Data,00000009\r\n"
               "0000000A,0000000B\r\n0000000C,0000000D,0000000E\r\n");
    const LOGIC_CONDITION before = Document.Condition();
    const CChannelTable table = Records.SamplingTable;
    ASSERT_TRUE(ReadPulseTextBlock(Document, Window, Path("b.csv")));
    EXPECT_EQ(Document.Condition(), before);
    EXPECT_EQ(Records.SamplingTable, table);
    EXPECT_EQ(Document.LastCount.load(), 4u);
    const std::vector<uint32_t> expected = {0xA, 0xB, 0xC, 0xD};  // the rest of the "Data" line is skipped
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Document.SamplingMemory().Word(i), expected[i]);
    }
    EXPECT_EQ(Window.Path, Path("b.csv"));
}
