// Every refused read leaves the document and the window records exactly as
// they were; every failed write leaves the previous file and no stray file.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "FilesTestSupport.h"
#include "files/ConditionFile.h"
#include "files/DataPatternFile.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseTextFile.h"

namespace {

using Reader = std::function<FileResult(CLogicDocument&, CWindowRecords&, IFileWindow&, const std::string&)>;

const Reader TextReader = [](CLogicDocument& d, CWindowRecords& r, IFileWindow& w, const std::string& p) {
    return ReadPulseTextFile(d, r, w, p);
};
const Reader BinaryReader = [](CLogicDocument& d, CWindowRecords& r, IFileWindow& w, const std::string& p) {
    return ReadPulseBinaryFile(d, r, w, p);
};
const Reader ConditionReader = [](CLogicDocument& d, CWindowRecords&, IFileWindow& w, const std::string& p) {
    return ReadConditionFile(d, w, p);
};
const Reader PatternReader = [](CLogicDocument& d, CWindowRecords&, IFileWindow& w, const std::string& p) {
    return ReadDataPatternFile(d, w, p);
};
const Reader TextBlockReader = [](CLogicDocument& d, CWindowRecords&, IFileWindow& w, const std::string& p) {
    return ReadPulseTextBlock(d, w, p);
};
const Reader BinaryBlockReader = [](CLogicDocument& d, CWindowRecords&, IFileWindow& w, const std::string& p) {
    return ReadPulseBinaryBlock(d, w, p);
};

std::string Le16(uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); }
std::string Le32(uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }
std::string Text(const std::string& t) { return Le16(static_cast<uint16_t>(t.size())) + t; }

// A generating binary file up to (not including) the channel row count.
std::string BinaryHead(int16_t direction, uint32_t size, const std::string& name = "dev") {
    return std::string("VARDEK NIVARA STUDIOS") + Text("2.2.0.0") + Text("QDX-32A-PE") + Text(name) +
           Le16(static_cast<uint16_t>(direction)) + Le16(32) + Le16(1) + Le32(1) + Le16(2) + Le16(1) + Le16(4) +
           Le32(size) + Le32(1) + Le32(0) + Le32(9) + Le32(0);
}

class FailureTest : public FilesTest {
protected:
    FailureTest() {
        MakeRich(DIRECTION_SAMPLING);
        MakeRich(DIRECTION_GENERATING);
        Document.LastCount = 1500;
    }

    // Reads bytes with a reader and expects a refusal that changed nothing.
    void ExpectRefused(const Reader& reader, const std::string& bytes, const std::string& what) {
        SCOPED_TRACE(what);
        WriteBytes(Path("bad"), bytes);
        const DOCUMENT_STATE before = StateOf(Document, Records);
        CHeadlessFileWindow window;
        const FileResult result = reader(Document, Records, window, Path("bad"));
        EXPECT_FALSE(result);
        EXPECT_EQ(result.MessageId, 64515);
        EXPECT_FALSE(result.Reason.empty());
        EXPECT_TRUE(StateOf(Document, Records) == before);
        EXPECT_TRUE(window.Path.empty());
        EXPECT_EQ(window.DeviceSelections + window.Repaints + window.TreeRebuilds, 0);
    }
};

}  // namespace

TEST_F(FailureTest, RefusedTextFilesChangeNothing) {
    const std::string head = "VARDEK NIVARA STUDIOS\r\nDirection,Size,DeviceName\r\n";
    const std::string rows = "ChannelName,DeviceChannel\r\nA,1\r\n";
    ExpectRefused(TextReader, "", "empty file");
    ExpectRefused(TextReader, "\r\nVARDEK NIVARA STUDIOS\r\n", "empty first line");
    ExpectRefused(TextReader, "VARDEK NIVARA STUDIO\r\n" + head.substr(23) + "2,5,x\r\n" + rows + "Data\r\n", "magic");
    ExpectRefused(TextReader, "VARDEK NIVARA STUDIOS,other\r\n" + head.substr(23) + "2,5,x\r\n" + rows + "Data\r\n",
                  "magic cells");
    ExpectRefused(TextReader, head + "2,5,x\r\n" + rows, "no Data line");
    ExpectRefused(TextReader, head + "2,5,x\r\n" + rows + "\r\nData\r\n", "empty line before Data");
    ExpectRefused(TextReader, head + "2,0,x\r\n" + rows + "Data\r\n", "Size 0");
    ExpectRefused(TextReader, head + "2,100000001,x\r\n" + rows + "Data\r\n", "Size beyond the largest memory");
    ExpectRefused(TextReader, head + "2,-1,x\r\n" + rows + "Data\r\n", "Size 4294967295");
    ExpectRefused(TextReader, head + "3,5,x\r\n" + rows + "Data\r\n", "direction 3");
    ExpectRefused(TextReader, head + "2,5," + std::string(256, 'n') + "\r\n" + rows + "Data\r\n", "long device name");
    ExpectRefused(TextReader, head + "2,5,x\r\nC\r\n" + std::string(256, 'c') + ",1\r\nData\r\n", "long channel name");
    ExpectRefused(TextReader,
                  head + "2,5,x\r\n" + rows + "BookmarkAbsolutePosition\r\n1,1," + std::string(300, 'm') +
                      "\r\nData\r\n",
                  "long memo");
    ExpectRefused(TextReader,
                  "VARDEK NIVARA STUDIOS\r\nDirection,AutoSavePath\r\n1," + std::string(256, 'p') + "\r\n" + rows +
                      "Data\r\n",
                  "long auto-save path");
}

TEST_F(FailureTest, TextFileCutBeforeItsDataLineIsRefusedAtEveryByte) {
    CLogicDocument source("");
    CWindowRecords records("Signal");
    records.GeneratingBookmarks.Append({4, "m", 1});
    ASSERT_TRUE(WritePulseTextFile(source, records, Window, Path("good.csv")));
    const std::string good = ReadBytes(Path("good.csv"));
    const std::size_t data = good.find("\r\nData\r\n") + 2;
    for (std::size_t cut = 0; cut < data + 3; ++cut) {
        ExpectRefused(TextReader, good.substr(0, cut), "cut at " + std::to_string(cut));
    }
}

TEST_F(FailureTest, BinaryFileCutAnywhereIsRefused) {
    CLogicDocument source("");
    CWindowRecords records("Signal");
    records.GeneratingBookmarks.Append({4, "memo", 1});
    records.GeneratingBookmarks.Append({9, "", 0});
    ASSERT_TRUE(source.SetSize(DIRECTION_GENERATING, 12, 1));
    ASSERT_TRUE(WritePulseBinaryFile(source, records, Window, Path("good.vpb")));
    const std::string good = ReadBytes(Path("good.vpb"));
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        ExpectRefused(BinaryReader, good.substr(0, cut), "cut at " + std::to_string(cut));
    }
}

TEST_F(FailureTest, RefusedBinaryFilesChangeNothing) {
    ExpectRefused(BinaryReader, "", "empty file");
    ExpectRefused(BinaryReader, std::string("VARDEK NIVARA STUDIOs") + std::string(200, '\0'), "magic");
    ExpectRefused(BinaryReader, std::string("VARDEK NIVARA STUDIOS") + Le16(300) + std::string(400, 'v'),
                  "version text over 255 bytes");
    ExpectRefused(BinaryReader, BinaryHead(2, 10, std::string(256, 'n')) + Le32(0) + Le32(0) + Le32(0),
                  "device name over 255 bytes");
    ExpectRefused(BinaryReader, BinaryHead(2, 0) + Le32(0) + Le32(0) + Le32(0), "Size 0");
    ExpectRefused(BinaryReader, BinaryHead(2, 0xFFFFFFFF) + Le32(0) + Le32(0) + Le32(0), "Size too large");
    ExpectRefused(BinaryReader, BinaryHead(3, 10) + Le32(0) + Le32(0) + Le32(0), "direction 3");
    ExpectRefused(BinaryReader, BinaryHead(2, 10) + Le32(0xFFFFFFFF) + std::string(64, '\0'), "row count");
    ExpectRefused(BinaryReader, BinaryHead(2, 10) + Le32(0) + Le32(0x10000000) + std::string(64, '\0'),
                  "bookmark count");
    ExpectRefused(BinaryReader, BinaryHead(2, 10) + Le32(0) + Le32(0) + Le32(5) + std::string(16, '\0'),
                  "word count beyond the file");
    ExpectRefused(BinaryReader, BinaryHead(2, 10) + Le32(1) + Le16(256) + std::string(300, 'r'),
                  "channel name over 255 bytes");
}

TEST_F(FailureTest, RefusedConditionAndPatternFilesChangeNothing) {
    const std::string magic = "VARDEK NIVARA STUDIOS\r\n";
    ExpectRefused(ConditionReader, "", "empty condition file");
    ExpectRefused(ConditionReader, "VARDEK\r\nSize,5\r\n", "condition magic");
    ExpectRefused(ConditionReader, magic + "Direction,2\r\nSize,0\r\n\r\n", "condition Size 0");
    ExpectRefused(ConditionReader, magic + "Direction,7\r\n\r\n", "condition direction 7");
    ExpectRefused(ConditionReader, magic + "Direction,1\r\nAutoSaveFileName," + std::string(256, 'f') + "\r\n",
                  "condition long file name");
    ExpectRefused(PatternReader, "", "empty pattern file");
    ExpectRefused(PatternReader, "VARDEK NIVARA\r\nData,01\r\nPulseNum,1\r\n", "pattern magic");
    ExpectRefused(PatternReader, magic + "PulseNum,1\r\n\r\n", "no Data line");
    ExpectRefused(PatternReader, magic + "Data,\r\nPulseNum,1\r\n\r\n", "empty pattern");
    ExpectRefused(PatternReader, magic + "Data,0110\r\n\r\n", "no PulseNum line");
    ExpectRefused(PatternReader, magic + "Data,0120\r\nPulseNum,1\r\n", "digit 2");
    Document.Condition().Direction = DIRECTION_SAMPLING;
    ExpectRefused(TextBlockReader, magic + "a,b\r\n", "block without Data");
    ExpectRefused(TextBlockReader, "VARDEK\r\nData\r\n00000001\r\n", "block magic");
    ExpectRefused(BinaryBlockReader, BinaryHead(2, 10) + Le32(0) + Le32(0) + Le32(9), "block word count");
    const DOCUMENT_STATE before = StateOf(Document, Records);
    EXPECT_FALSE(ReadPulseTextFile(Document, Records, Window, Path("missing.csv")));
    EXPECT_FALSE(ReadPulseBinaryFile(Document, Records, Window, Path("missing.vpb")));
    EXPECT_FALSE(ReadConditionFile(Document, Window, Path("missing.nvc")));
    EXPECT_FALSE(ReadPulseBinaryFile(Document, Records, Window, Path("")));
    EXPECT_TRUE(StateOf(Document, Records) == before);
}

TEST_F(FailureTest, ReadsAreRefusedWhileARunIsActive) {
    ASSERT_TRUE(WritePulseBinaryFile(Document, Records, Window, Path("good.vpb")));
    Document.IsRunning = 1;
    ExpectRefused(BinaryReader, ReadBytes(Path("good.vpb")), "running");
    Document.IsRunning = 0;
}

// ---------------------------------------------------------------- writes

namespace {

class WriteFailureTest : public FilesTest {
protected:
    // Writes a previous file, runs the failing write and checks that the
    // previous file and the folder are as before.
    void ExpectWriteFails(const std::function<FileResult(const std::string&)>& write, const std::string& name,
                          const std::string& what) {
        SCOPED_TRACE(what);
        WriteBytes(Path(name), "previous content");
        const std::vector<std::string> entries = FolderEntries();
        const FileResult result = write(Path(name));
        EXPECT_FALSE(result);
        EXPECT_EQ(result.MessageId, 64516);
        EXPECT_FALSE(result.Reason.empty());
        EXPECT_EQ(ReadBytes(Path(name)), "previous content");
        EXPECT_EQ(FolderEntries(), entries);
        EXPECT_TRUE(Window.Path.empty());
    }
    FileResult WriteText(const std::string& path) { return WritePulseTextFile(Document, Records, Window, path); }
    FileResult WriteBinary(const std::string& path) { return WritePulseBinaryFile(Document, Records, Window, path); }
};

}  // namespace

TEST_F(WriteFailureTest, TextsTheTextFormatCannotHoldFailTheWrite) {
    const auto text = [this](const std::string& p) { return WriteText(p); };
    const std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"comma in a name", [this] { Records.GeneratingTable[2].ChannelName = "a,b"; }},
        {"CR in a memo", [this] { Records.GeneratingBookmarks.Append({1, "line\r", 0}); }},
        {"LF in the device name", [this] { Document.Condition().DeviceName = "x\ny"; }},
        {"name Data", [this] { Records.GeneratingTable[0].ChannelName = "Data"; }},
        {"memo keyword", [this] { Records.GeneratingBookmarks.Append({1, "IsCurrentBookmark", 0}); }},
        {"name keyword", [this] { Records.GeneratingTable[1].ChannelName = "BookmarkAbsolutePosition"; }},
        {"long name", [this] { Records.GeneratingTable[1].ChannelName = std::string(256, 'x'); }},
        {"direction 0", [this] { Document.Condition().Direction = 0; }},
    };
    for (const auto& [what, spoil] : cases) {
        Document.Condition() = CLogicDocument("").Condition();
        Records = CWindowRecords("Signal");
        spoil();
        ExpectWriteFails(text, "a.csv", what);
    }
}

TEST_F(WriteFailureTest, TheBinaryFormatHoldsCommasButNotLongTexts) {
    Records.GeneratingTable[0].ChannelName = "a,b";
    Records.GeneratingTable[1].ChannelName = "Data";
    Records.GeneratingBookmarks.Append({1, "x\r\ny", 0});
    ASSERT_TRUE(WriteBinary(Path("ok.vpb")));
    CWindowRecords records("Signal");
    ASSERT_TRUE(ReadPulseBinaryFile(Document, records, Window, Path("ok.vpb")));
    EXPECT_EQ(records.GeneratingTable, Records.GeneratingTable);
    EXPECT_EQ(records.GeneratingBookmarks, Records.GeneratingBookmarks);
    std::filesystem::remove(Path("ok.vpb"));
    Window.Path.clear();

    Records.GeneratingBookmarks.Append({2, std::string(256, 'm'), 0});
    ExpectWriteFails([this](const std::string& p) { return WriteBinary(p); }, "a.vpb", "long memo");
}

TEST_F(WriteFailureTest, UnwritableTargetsKeepThePreviousFile) {
    EXPECT_EQ(WriteText(Path("no/such/folder.csv")).MessageId, 64516);
    std::filesystem::create_directory(Path("folder.csv"));
    const FileResult overFolder = WriteText(Path("folder.csv"));
    EXPECT_FALSE(overFolder);
    EXPECT_TRUE(std::filesystem::is_directory(Path("folder.csv")));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"folder.csv"});
    EXPECT_FALSE(WriteConditionFile(Document, Path("no/such/folder.nvc")));
    EXPECT_FALSE(WriteDataPatternFile(Document, Path("x.bdp")));  // no pattern created yet
}

TEST_F(WriteFailureTest, AWriteThatRunsOutOfSpaceKeepsThePreviousFile) {
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 200000, 1));
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectWriteFails([this](const std::string& p) { return WriteText(p); }, "a.csv", "text");
    ExpectWriteFails([this](const std::string& p) { return WriteBinary(p); }, "a.vpb", "binary");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
}
