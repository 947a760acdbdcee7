#include <gtest/gtest.h>

#include <cstring>

#include "FilesTestSupport.h"
#include "files/CVpbFileRW.h"
#include "files/PulseBinaryFile.h"

namespace {

// Reads little-endian fields from a byte string.
class CBytes {
public:
    explicit CBytes(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::string Raw(std::size_t n) {
        std::string part = m_bytes.substr(m_at, n);
        m_at += n;
        return part;
    }
    int16_t I16() {
        int16_t v = 0;
        std::memcpy(&v, m_bytes.data() + m_at, 2);
        m_at += 2;
        return v;
    }
    uint32_t U32() {
        uint32_t v = 0;
        std::memcpy(&v, m_bytes.data() + m_at, 4);
        m_at += 4;
        return v;
    }
    std::string Text() { return Raw(static_cast<uint16_t>(I16())); }
    [[nodiscard]] std::size_t Left() const { return m_bytes.size() - m_at; }

private:
    std::string m_bytes;
    std::size_t m_at = 0;
};

std::string Le32(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

}  // namespace

TEST_F(FilesTest, DefaultGeneratingBinaryLayout) {
    ASSERT_TRUE(WritePulseBinaryFile(Document, Records, Window, Path("a.vpb")));
    CBytes in(ReadBytes(Path("a.vpb")));
    EXPECT_EQ(in.Raw(21), "VARDEK NIVARA STUDIOS");
    EXPECT_EQ(in.Text(), "2.2.0.0");
    EXPECT_EQ(in.Text(), "");
    EXPECT_EQ(in.Text(), "");
    EXPECT_EQ(in.I16(), 2);
    EXPECT_EQ(in.I16(), 32);
    EXPECT_EQ(in.I16(), 1);
    EXPECT_EQ(in.U32(), 1u);
    EXPECT_EQ(in.I16(), 2);
    EXPECT_EQ(in.I16(), 1);  // StartTrigger; no pattern fields follow in generating direction
    EXPECT_EQ(in.I16(), 4);
    EXPECT_EQ(in.U32(), 1000u);
    EXPECT_EQ(in.U32(), 1u);
    EXPECT_EQ(in.U32(), 0u);
    EXPECT_EQ(in.U32(), 999u);
    EXPECT_EQ(in.U32(), 0u);
    ASSERT_EQ(in.U32(), 32u);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(in.Text(), "Signal" + std::to_string(i));
        EXPECT_EQ(in.I16(), i);
        EXPECT_EQ(in.U32(), 1u);
        EXPECT_EQ(in.U32(), 0u);
        EXPECT_EQ(in.U32(), 0u);
    }
    EXPECT_EQ(in.U32(), 0u);
    EXPECT_EQ(in.U32(), 1000u);
    EXPECT_EQ(in.Left(), 4000u);
}

TEST_F(FilesTest, SamplingBinaryHasPatternFieldsOnlyForPatternMatch) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    Document.Condition().SamplingGroup.StartTrigger = 1;
    ASSERT_TRUE(WritePulseBinaryFile(Document, Records, Window, Path("a.vpb")));
    Document.Condition().SamplingGroup.StartTrigger = 4;
    ASSERT_TRUE(WritePulseBinaryFile(Document, Records, Window, Path("b.vpb")));
    const std::string a = ReadBytes(Path("a.vpb"));
    const std::string b = ReadBytes(Path("b.vpb"));
    ASSERT_EQ(b.size(), a.size() + 8);
    // magic, version, two empty texts, Direction, MaxChannels, ClockType, Clock, ClockUnit, StartTrigger;
    // then StopTrigger, or the pattern pair first.
    const std::size_t after = 21 + 9 + 2 + 2 + 2 + 2 + 2 + 4 + 2 + 2;
    EXPECT_EQ(a.substr(after, 2), std::string("\x04\x00", 2));
    EXPECT_EQ(b.substr(after, 8), Le32(0x55) + Le32(0xFFFFFFFF));
}

TEST_F(FilesTest, BookmarkFieldsFollowTheByteWiseVersionComparison) {
    EXPECT_TRUE(CVpbFileRW::HasBookmarks("2.2.0.0"));
    EXPECT_TRUE(CVpbFileRW::HasBookmarks("3.0.0.0"));
    EXPECT_TRUE(CVpbFileRW::HasBookmarks("2.1.0.0"));
    EXPECT_FALSE(CVpbFileRW::HasBookmarks("2.0.9.9"));
    EXPECT_FALSE(CVpbFileRW::HasBookmarks("10.0.0.0"));
    EXPECT_FALSE(CVpbFileRW::HasBookmarks("2.1"));
    EXPECT_FALSE(CVpbFileRW::HasBookmarks("0"));
}

TEST_F(FilesTest, OldBinaryFileWithoutBookmarksKeepsTheBookmarkList) {
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 4, 1));
    CVpbFileRW file;
    ASSERT_TRUE(file.Create(Path("tmp.vpb")));
    CChannelTable table;
    LOGIC_DATA row;
    row.ChannelName = "only";
    row.DeviceChannel = 9;
    table.Append(row);
    ASSERT_TRUE(file.WriteHeader(Document.Condition(), 4, table, {}, 0));
    const uint32_t words[4] = {1, 2, 3, 4};
    ASSERT_TRUE(file.AppendWords(words, 4));
    ASSERT_TRUE(file.Finish());
    // Make it a 2.0.0.0 file: same length version text, no bookmark count.
    std::string bytes = ReadBytes(Path("tmp.vpb"));
    bytes.replace(23, 7, "2.0.0.0");
    const std::size_t countAt = bytes.size() - 16 - 4 - 4;  // bookmark count, then word count, then data
    bytes.erase(countAt, 4);
    WriteBytes(Path("old.vpb"), bytes);
    Records.GeneratingBookmarks.Append({1, "kept", 1});
    ASSERT_TRUE(ReadPulseBinaryFile(Document, Records, Window, Path("old.vpb")));
    ASSERT_EQ(Records.GeneratingBookmarks.Size(), 1u);
    EXPECT_EQ(Records.GeneratingTable.Size(), 1u);
    EXPECT_EQ(Records.GeneratingTable[0].DeviceChannel, 9);
    EXPECT_EQ(Document.GeneratingMemory().Word(3), 4u);
}

TEST_F(FilesTest, BinaryWordCountAboveOrBelowSize) {
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 6, 1));
    for (uint32_t i = 0; i < 6; ++i) {
        Document.GeneratingMemory().Data()[i] = 100 + i;
    }
    const uint32_t words[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    CVpbFileRW file;
    // Size 3 with 8 words: 3 stored.
    ASSERT_TRUE(file.Create(Path("more.vpb")));
    ASSERT_TRUE(file.WriteHeader(Document.Condition(), 3, Records.GeneratingTable, {}, 8));
    ASSERT_TRUE(file.AppendWords(words, 8));
    ASSERT_TRUE(file.Finish());
    ASSERT_TRUE(ReadPulseBinaryFile(Document, Records, Window, Path("more.vpb")));
    ASSERT_EQ(Document.GeneratingMemory().Length(), 3u);
    EXPECT_EQ(Document.GeneratingMemory().Word(2), 3u);
    // Size 6 with 2 words: the rest keeps its values.
    for (uint32_t i = 0; i < 3; ++i) {
        Document.GeneratingMemory().Data()[i] = 50;
    }
    ASSERT_TRUE(file.Create(Path("fewer.vpb")));
    ASSERT_TRUE(file.WriteHeader(Document.Condition(), 6, Records.GeneratingTable, {}, 0));
    ASSERT_TRUE(file.AppendWords(words, 2));
    ASSERT_TRUE(file.Finish());  // patches the word count to 2
    ASSERT_TRUE(ReadPulseBinaryFile(Document, Records, Window, Path("fewer.vpb")));
    ASSERT_EQ(Document.GeneratingMemory().Length(), 6u);
    EXPECT_EQ(Document.GeneratingMemory().Word(1), 2u);
    EXPECT_EQ(Document.GeneratingMemory().Word(2), 50u);
    EXPECT_EQ(Document.GeneratingMemory().Word(5), 0u);
}

TEST_F(FilesTest, BinaryBlockWithPatternFieldsFindsItsData) {
    MakeRich(DIRECTION_SAMPLING);
    ASSERT_TRUE(WritePulseBinaryFile(Document, Records, Window, Path("block.vpb")));
    CLogicDocument other("");
    other.Condition().Direction = DIRECTION_SAMPLING;
    CHeadlessFileWindow window;
    const LOGIC_CONDITION before = other.Condition();
    ASSERT_TRUE(ReadPulseBinaryBlock(other, window, Path("block.vpb")));
    EXPECT_EQ(other.Condition(), before);
    EXPECT_EQ(other.LastCount.load(), 2000u);
    for (uint32_t i = 0; i < 2000; ++i) {
        ASSERT_EQ(other.SamplingMemory().Word(i), Document.SamplingMemory().Word(i)) << i;
    }
    EXPECT_EQ(window.Path, Path("block.vpb"));
}

TEST_F(FilesTest, BlockLargerThanTheSamplingMemoryIsRefusedUntouched) {
    MakeRich(DIRECTION_SAMPLING);
    ASSERT_TRUE(WritePulseBinaryFile(Document, Records, Window, Path("block.vpb")));
    CLogicDocument other("");
    other.Condition().Direction = DIRECTION_SAMPLING;
    ASSERT_TRUE(other.SetBufferSize(100));
    other.SamplingMemory().Data()[0] = 77;
    CWindowRecords records("Signal");
    const DOCUMENT_STATE before = StateOf(other, records);
    const FileResult result = ReadPulseBinaryBlock(other, Window, Path("block.vpb"));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.MessageId, 61477);
    EXPECT_EQ(StateOf(other, records), before);
    // A generating document takes no block.
    other.Condition().Direction = DIRECTION_GENERATING;
    EXPECT_EQ(ReadPulseBinaryBlock(other, Window, Path("block.vpb")).MessageId, 64515);
}
