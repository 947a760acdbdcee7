// Hostile and unusual files: what is not a regular file, lines without end,
// numbers outside their fields, and writes onto links, odd names, odd
// targets and full disks.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "FilesTestSupport.h"
#include "files/CBufferedFile.h"
#include "files/CCsvFileRW.h"
#include "files/CVpbFileRW.h"
#include "files/ConditionFile.h"
#include "files/DataPatternFile.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseFile.h"
#include "files/PulseTextFile.h"

namespace {

using Read = std::function<FileResult(const std::string&)>;

class FaultTest : public FilesTest {
protected:
    FaultTest() { MakeRich(DIRECTION_GENERATING); }

    FileResult ReadPulse(const std::string& path) { return ReadPulseFile(Document, Records, Window, path); }
    FileResult ReadCondition(const std::string& path) { return ReadConditionFile(Document, Window, path); }
    FileResult ReadPattern(const std::string& path) { return ReadDataPatternFile(Document, Window, path); }

    // The read is refused with a reason holding every part of `parts`, and
    // the document and the records are as they were.
    void ExpectRefused(const Read& read, const std::string& path, const std::vector<std::string>& parts) {
        SCOPED_TRACE(path);
        const DOCUMENT_STATE before = StateOf(Document, Records);
        const FileResult result = read(path);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.MessageId, 64515);
        for (const std::string& part : parts) {
            EXPECT_NE(result.Reason.find(part), std::string::npos) << result.Reason;
        }
        EXPECT_TRUE(StateOf(Document, Records) == before);
    }

    // A generating pulse text file with `value` for `key` on its value line.
    std::string TextFileWith(const std::string& key, const std::string& value) {
        return "VARDEK NIVARA STUDIOS\r\nVersion,Direction,Size," + key + "\r\n2.2.0.0,2,20," + value +
               "\r\nChannelName,DeviceChannel,IsEnable,IsBus,BusChannel\r\nA,0,1,0,0x00000000\r\nData\r\n";
    }
};

FileResult ReadPulseBlock(CLogicDocument& document, IFileWindow& window, const std::string& path) {
    return IsPulseTextPath(path) ? ReadPulseTextBlock(document, window, path)
                                 : ReadPulseBinaryBlock(document, window, path);
}

struct FILE_SIZE_LIMIT {
    explicit FILE_SIZE_LIMIT(rlim_t bytes) {
        (void)::getrlimit(RLIMIT_FSIZE, &Saved);
        Previous = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = Saved;
        small.rlim_cur = bytes;
        (void)::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FILE_SIZE_LIMIT() {
        (void)::setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, Previous);
    }
    struct rlimit Saved {};
    void (*Previous)(int) = nullptr;
};

}  // namespace

TEST_F(FaultTest, WhatIsNotARegularFileIsRefusedBeforeItIsRead) {
    ASSERT_EQ(::mkfifo(Path("p.vpb").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(Path("p.csv").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(Path("p.nvc").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", Path("z.csv"));
    std::filesystem::create_symlink("/dev/zero", Path("z.vpb"));
    std::filesystem::create_directory(Path("d.csv"));
    const Read pulse = [this](const std::string& p) { return ReadPulse(p); };
    const Read condition = [this](const std::string& p) { return ReadCondition(p); };
    // A FIFO with no writer would block the open for ever; /dev/zero never ends.
    ExpectRefused(pulse, Path("p.vpb"), {"not a regular file"});
    ExpectRefused(pulse, Path("p.csv"), {"not a regular file"});
    ExpectRefused(condition, Path("p.nvc"), {"not a regular file"});
    ExpectRefused(pulse, Path("z.csv"), {"not a regular file"});
    ExpectRefused(pulse, Path("z.vpb"), {"not a regular file"});
    ExpectRefused(pulse, Path("d.csv"), {"folder"});
    // A link to a regular file is read as that file.
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("real.vpb")));
    std::filesystem::create_symlink(Path("real.vpb"), Path("link.vpb"));
    EXPECT_TRUE(ReadPulse(Path("link.vpb")));
}

TEST_F(FaultTest, ALineLongerThanTheFormatHoldsIsRefusedWithItsNumber) {
    const std::string huge(300000, 'A');
    const Read pulse = [this](const std::string& p) { return ReadPulse(p); };
    WriteBytes(Path("magic.csv"), "VARDEK NIVARA STUDIOS" + huge);
    ExpectRefused(pulse, Path("magic.csv"), {"line 1 ", "65536"});
    WriteBytes(Path("values.csv"), TextFileWith("ClockType", "1" + huge));
    ExpectRefused(pulse, Path("values.csv"), {"line 3 ", "65536"});
    std::string data = TextFileWith("ClockType", "1");
    data += std::string(200000, '0') + "\r\n";
    WriteBytes(Path("data.csv"), data);
    // A data line is met after the head was taken: refused, though not untouched.
    const FileResult dataLine = ReadPulse(Path("data.csv"));
    EXPECT_FALSE(dataLine);
    EXPECT_NE(dataLine.Reason.find("line 7 is longer than 65536 bytes"), std::string::npos) << dataLine.Reason;
    WriteBytes(Path("c.nvc"), "VARDEK NIVARA STUDIOS\r\nVersion,2.2.0.0\r\nAutoSavePath," + huge + "\r\n");
    ExpectRefused([this](const std::string& p) { return ReadCondition(p); }, Path("c.nvc"), {"line 3 "});
    WriteBytes(Path("p.bdp"), "VARDEK NIVARA STUDIOS\r\nData," + std::string(100000, '1') + "\r\nPulseNum,1\r\n");
    ExpectRefused([this](const std::string& p) { return ReadPattern(p); }, Path("p.bdp"), {"line 2 "});

    // A line of the longest length the reader takes is still read.
    WriteBytes(Path("ok.nvc"), "VARDEK NIVARA STUDIOS\r\nX," + std::string(CBufferedFile::MaxLineBytes - 2, 'x') +
                                   "\r\nDirection,2\r\nSize,77\r\n");
    EXPECT_TRUE(ReadCondition(Path("ok.nvc")));
    EXPECT_EQ(Document.GeneratingMemory().Length(), 77u);
}

TEST_F(FaultTest, ANumberOutsideItsFieldIsRefusedWithTheFieldNamed) {
    const Read pulse = [this](const std::string& p) { return ReadPulse(p); };
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"Size", "4294967301"},        {"Size", "99999999999999999999999"}, {"ClockType", "70000"},
        {"ClockType", "-32769"},       {"Clock", "4294967296"},            {"Clock", "-2147483649"},
        {"StartPosition", "5000000000"}, {"ReadOnly", "2147483648"}};
    for (const auto& [key, value] : refused) {
        WriteBytes(Path("v.csv"), TextFileWith(key, value));
        ExpectRefused(pulse, Path("v.csv"), {key, value});
        WriteBytes(Path("v.nvc"), "VARDEK NIVARA STUDIOS\r\nDirection,2\r\n" + key + "," + value + "\r\n");
        if (key != "ReadOnly") {  // not a key of a condition file
            ExpectRefused([this](const std::string& p) { return ReadCondition(p); }, Path("v.nvc"), {key, value});
        }
    }
    std::string row = TextFileWith("ClockType", "1");
    row.replace(row.find("A,0,1"), 5, "A,40000,1");
    WriteBytes(Path("row.csv"), row);
    ExpectRefused(pulse, Path("row.csv"), {"DeviceChannel", "40000"});
    WriteBytes(Path("hex.nvc"), "VARDEK NIVARA STUDIOS\r\nDirection,1\r\nStartTrigger,4\r\nStartPattern,0x100000000\r\n");
    ExpectRefused([this](const std::string& p) { return ReadCondition(p); }, Path("hex.nvc"), {"StartPattern"});
    WriteBytes(Path("p.bdp"), "VARDEK NIVARA STUDIOS\r\nData,01\r\nPulseNum,4294967296\r\n");
    ExpectRefused([this](const std::string& p) { return ReadPattern(p); }, Path("p.bdp"), {"PulseNum"});

    // The values "%d" writes stay readable: a u32 above 2^31 as a negative number.
    WriteBytes(Path("ok.csv"), TextFileWith("Clock", "-1294967296"));
    ASSERT_TRUE(ReadPulse(Path("ok.csv")));
    EXPECT_EQ(Document.Condition().GeneratingGroup.Clock, 3000000000u);
    WriteBytes(Path("ok2.csv"), TextFileWith("Clock", "4294967295"));
    ASSERT_TRUE(ReadPulse(Path("ok2.csv")));
    EXPECT_EQ(Document.Condition().GeneratingGroup.Clock, 4294967295u);
}

TEST_F(FaultTest, TargetsWithLongNamesAreWrittenWithoutStrayFiles) {
    const std::string name = std::string(251, 'n') + ".vpb";  // 255 bytes, the longest a name may be
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path(name)));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{name});
    const std::string text = std::string(251, 't') + ".csv";
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path(text)));
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path(text)));
    EXPECT_EQ(FolderEntries().size(), 2u);
}

TEST_F(FaultTest, AWriteThroughALinkReplacesTheFileItNamesAndKeepsItsPermissions) {
    std::filesystem::create_directory(Path("sub"));
    WriteBytes(Path("sub/real.vpb"), "old content");
    ASSERT_EQ(::chmod(Path("sub/real.vpb").c_str(), 0600), 0);
    std::filesystem::create_symlink("sub/real.vpb", Path("link.vpb"));
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("link.vpb")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.vpb")));
    EXPECT_EQ(std::filesystem::read_symlink(Path("link.vpb")), "sub/real.vpb");
    CLogicDocument copy("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    ASSERT_TRUE(ReadPulseFile(copy, records, window, Path("sub/real.vpb")));
    EXPECT_EQ(copy.GeneratingMemory().Length(), Document.GeneratingMemory().Length());
    struct stat info {};
    ASSERT_EQ(::stat(Path("sub/real.vpb").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"link.vpb", "sub"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("sub")), {}), 1);

    // A link to a file that does not exist yet creates that file.
    std::filesystem::create_symlink("sub/new.csv", Path("new.csv"));
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("new.csv")));
    EXPECT_TRUE(std::filesystem::is_regular_file(Path("sub/new.csv")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("new.csv")));
    // A new file gets the usual permissions, an existing one keeps its own.
    ASSERT_EQ(::chmod(Path("sub/new.csv").c_str(), 0640), 0);
    ASSERT_TRUE(WriteConditionFile(Document, Path("new.csv")));
    ASSERT_EQ(::stat(Path("sub/new.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FaultTest, WhatIsNotARegularFileIsNeverReplaced) {
    ASSERT_EQ(::mkfifo(Path("fifo.vpb").c_str(), 0600), 0);
    std::filesystem::create_symlink("fifo.vpb", Path("link.csv"));
    for (const char* name : {"fifo.vpb", "link.csv"}) {
        const FileResult result = WritePulseFile(Document, Records, Window, Path(name));
        EXPECT_FALSE(result) << name;
        EXPECT_EQ(result.MessageId, 64516);
        EXPECT_NE(result.Reason.find("not a regular file"), std::string::npos) << result.Reason;
    }
    EXPECT_FALSE(WriteConditionFile(Document, Path("fifo.vpb")));
    struct stat info {};
    ASSERT_EQ(::lstat(Path("fifo.vpb").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"fifo.vpb", "link.csv"}));
}

TEST_F(FaultTest, UnfinishedTemporaryFilesCanBeRemovedFromASignalHandler) {
    CBufferedFile first;
    CBufferedFile second;
    ASSERT_TRUE(first.CreateBeside(Path("a.vpb")));
    ASSERT_TRUE(second.CreateBeside(Path("b.csv")));
    ASSERT_TRUE(first.Write("bytes"));
    EXPECT_EQ(FolderEntries().size(), 2u);
    for (const std::string& name : FolderEntries()) {
        EXPECT_EQ(name.size(), std::string(".nvtmp-12345678").size()) << name;
    }
    CBufferedFile::RemoveTemporaries();
    EXPECT_TRUE(FolderEntries().empty());
    // A finished file is no temporary any more.
    CBufferedFile third;
    ASSERT_TRUE(third.CreateBeside(Path("c.vpb")));
    ASSERT_TRUE(third.Finish());
    CBufferedFile::RemoveTemporaries();
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"c.vpb"});
}

TEST_F(FaultTest, ABlockFileIsCreatedOnlyWhereNoFileIsYet) {
    WriteBytes(Path("taken.vpb"), "someone else's");
    CVpbFileRW binary;
    EXPECT_FALSE(binary.Create(Path("taken.vpb"), false));
    EXPECT_TRUE(binary.TargetExists());
    CCsvFileRW text;
    WriteBytes(Path("taken.csv"), "someone else's");
    EXPECT_FALSE(text.Create(Path("taken.csv"), false));
    EXPECT_TRUE(text.TargetExists());
    EXPECT_EQ(ReadBytes(Path("taken.vpb")), "someone else's");
    EXPECT_EQ(ReadBytes(Path("taken.csv")), "someone else's");
    ASSERT_TRUE(binary.Create(Path("free.vpb"), false));
    EXPECT_FALSE(binary.TargetExists());
}

TEST_F(FaultTest, ABlockFileReadsBackEveryCommittedWordBeforeItIsClosed) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    std::vector<uint32_t> words(25000);
    for (uint32_t i = 0; i < words.size(); ++i) {
        words[i] = i * 7;
    }
    CVpbFileRW binary;
    CCsvFileRW text;
    ASSERT_TRUE(binary.Create(Path("b.vpb"), false));
    ASSERT_TRUE(text.Create(Path("b.csv"), false));
    const LOGIC_CONDITION& c = Document.Condition();
    ASSERT_TRUE(binary.WriteHeader(c, 1000000, Records.SamplingTable, Records.SamplingBookmarks, 0));
    ASSERT_TRUE(text.WriteHeader(c, 1000000, Records.SamplingTable, Records.SamplingBookmarks));
    ASSERT_TRUE(binary.AppendWords(words.data(), 12345) && binary.CommitWords());
    ASSERT_TRUE(text.AppendWords(words.data(), 12345) && text.CommitWords());
    ASSERT_TRUE(binary.AppendWords(words.data() + 12345, 1000));  // not committed
    // As another program (or a later session after a crash) sees them now.
    for (const char* name : {"b.vpb", "b.csv"}) {
        SCOPED_TRACE(name);
        Document.Condition().Direction = DIRECTION_SAMPLING;
        ASSERT_TRUE(Document.SetSize(DIRECTION_SAMPLING, 1000000, 1));
        ASSERT_TRUE(ReadPulseBlock(Document, Window, Path(name)));
        ASSERT_EQ(Document.LastCount.load(), 12345u);
        for (uint32_t i = 0; i < 12345; ++i) {
            ASSERT_EQ(Document.SamplingMemory().Word(i), i * 7) << i;
        }
    }
}

TEST_F(FaultTest, ABlockFileThatRunsOutOfSpaceKeepsAndCountsTheWholeWordsOnDisk) {
    Document.Condition().Direction = DIRECTION_SAMPLING;
    std::vector<uint32_t> words(600000);
    for (uint32_t i = 0; i < words.size(); ++i) {
        words[i] = i;
    }
    const LOGIC_CONDITION& c = Document.Condition();
    CVpbFileRW binary;
    CCsvFileRW text;
    {
        const FILE_SIZE_LIMIT limit(1000003);  // not on a word's or a line's boundary
        ASSERT_TRUE(binary.Create(Path("b.vpb"), false));
        ASSERT_TRUE(binary.WriteHeader(c, 1000000, Records.SamplingTable, Records.SamplingBookmarks, 0));
        ASSERT_TRUE(binary.AppendWords(words.data(), 100000) && binary.CommitWords());
        const FileResult failed = binary.AppendWords(words.data() + 100000, 500000);
        EXPECT_FALSE(failed);
        EXPECT_FALSE(failed.Reason.empty());
        ASSERT_TRUE(text.Create(Path("b.csv"), false));
        ASSERT_TRUE(text.WriteHeader(c, 1000000, Records.SamplingTable, Records.SamplingBookmarks));
        ASSERT_TRUE(text.AppendWords(words.data(), 1003) && text.CommitWords());
        EXPECT_FALSE(text.AppendWords(words.data() + 1003, 500000));
    }
    EXPECT_GT(binary.WordsAppended(), 100000u);
    EXPECT_LT(binary.WordsAppended(), 250000u);
    for (const char* name : {"b.vpb", "b.csv"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Document.SetSize(DIRECTION_SAMPLING, 1000000, 1));
        ASSERT_TRUE(ReadPulseBlock(Document, Window, Path(name)));
        const uint32_t stored = Document.LastCount.load();
        EXPECT_GT(stored, 1003u);
        for (uint32_t i = 0; i < stored; ++i) {
            ASSERT_EQ(Document.SamplingMemory().Word(i), i) << i;
        }
        if (std::string(name) == "b.vpb") {
            EXPECT_EQ(stored, binary.WordsAppended());
            const std::size_t head =
                CVpbFileRW::HeaderBytes(c, 1000000, Records.SamplingTable, Records.SamplingBookmarks, 0).size();
            EXPECT_EQ(std::filesystem::file_size(Path(name)), head + 4 * std::size_t{stored});
        } else {
            // Whole lines only: the text ends with a line end.
            EXPECT_EQ(ReadBytes(Path(name)).substr(ReadBytes(Path(name)).size() - 2), "\r\n");
            EXPECT_EQ((stored - 1003) % 10, 0u);
        }
    }
}
