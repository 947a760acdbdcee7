// nivara-cli, run as a program.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "FilesTestSupport.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseFile.h"
#include "files/PulseTextFile.h"

namespace {

struct RUN_RESULT {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class CliTest : public FilesTest {
protected:
    RUN_RESULT Run(const std::string& arguments) { return RunShell(std::string(NIVARA_CLI) + " " + arguments); }
    // A shell command line, its output caught as Run's.
    RUN_RESULT RunShell(const std::string& line) {
        const std::string command = line + " >" + Path("out.txt") + " 2>" + Path("err.txt");
        RUN_RESULT result;
        const int status = std::system(command.c_str());
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = ReadBytes(Path("out.txt"));
        result.Err = ReadBytes(Path("err.txt"));
        std::remove(Path("out.txt").c_str());
        std::remove(Path("err.txt").c_str());
        return result;
    }
};

}  // namespace

TEST_F(CliTest, EveryCommandAnswersHelp) {
    for (const char* command : {"--help", "info --help", "convert --help", "dump --help"}) {
        const RUN_RESULT run = Run(command);
        EXPECT_EQ(run.Status, 0) << command;
        EXPECT_NE(run.Out.find("usage: nivara-cli"), std::string::npos) << command;
        EXPECT_TRUE(run.Err.empty()) << command;
    }
    EXPECT_EQ(Run("").Status, 1);
    EXPECT_EQ(Run("frobnicate x").Status, 1);
    EXPECT_EQ(Run("info").Status, 1);
    EXPECT_EQ(Run("dump x.csv --from").Status, 1);
    EXPECT_EQ(Run("dump x.csv --count -2").Status, 1);
}

TEST_F(CliTest, InfoPrintsTheFileKeysAsTextAndJson) {
    MakeRich(DIRECTION_SAMPLING);
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("s.vpb")));
    const RUN_RESULT text = Run("info " + Path("s.vpb"));
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("StartPattern: 0xA5A5A5A5\n"), std::string::npos);
    EXPECT_NE(text.Out.find("  Bus signal0,0,1,1,0x00000024\n"), std::string::npos);
    EXPECT_NE(text.Out.find("Bookmarks: 3\n"), std::string::npos);
    EXPECT_NE(text.Out.find("Data words: 2000\n"), std::string::npos);

    const RUN_RESULT json = Run("info --json " + Path("s.vpb"));
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out.front(), '{');
    EXPECT_EQ(json.Out.substr(json.Out.size() - 2), "}\n");
    EXPECT_EQ(std::count(json.Out.begin(), json.Out.end(), '\n'), 1);
    for (const char* key : {"\"ClockType\":2", "\"StartTrigger\":4", "\"Clock\":-1294967296",
                            "\"MonitorData\":\"0xDEADBEEF\"", "\"AutoSavePath\":\"/data/runs\"",
                            "\"BookmarkMemo\":\"\"", "\"WordCount\":2000", "\"Version\":\"2.2.0.0\""}) {
        EXPECT_NE(json.Out.find(key), std::string::npos) << key;
    }

    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("s.csv")));
    const RUN_RESULT csv = Run("info --json " + Path("s.csv"));
    EXPECT_NE(csv.Out.find("\"WordCount\":2000"), std::string::npos);
}

TEST_F(CliTest, InfoReadsConditionFiles) {
    WriteBytes(Path("c.nvc"), "VARDEK NIVARA STUDIOS\r\nVersion,2.1.0.0\r\nDirection,1\r\nClock,7\r\n\r\n");
    const RUN_RESULT run = Run("info --json " + Path("c.nvc"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("\"Version\":\"2.1.0.0\""), std::string::npos);
    EXPECT_NE(run.Out.find("\"Clock\":7"), std::string::npos);
    EXPECT_NE(run.Out.find("\"AutoSaveFileName\":\"LogicData\""), std::string::npos);
    EXPECT_EQ(run.Out.find("WordCount"), std::string::npos);
}

TEST_F(CliTest, ConvertRoundTripsAndDumpPrintsPositions) {
    MakeRich(DIRECTION_GENERATING);
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("g.vpb")));
    ASSERT_EQ(Run("convert " + Path("g.vpb") + " " + Path("g.csv")).Status, 0);
    ASSERT_EQ(Run("convert " + Path("g.csv") + " " + Path("h.vpb")).Status, 0);
    EXPECT_EQ(ReadBytes(Path("g.vpb")), ReadBytes(Path("h.vpb")));

    const RUN_RESULT dump = Run("dump " + Path("g.csv") + " --from 2343 --count 5");
    ASSERT_EQ(dump.Status, 0) << dump.Err;
    char expected[64];
    std::snprintf(expected, sizeof expected, "2343,%08X\n2344,%08X\n", Document.GeneratingMemory().Word(2343),
                  Document.GeneratingMemory().Word(2344));
    EXPECT_EQ(dump.Out, expected);
    EXPECT_EQ(Run("dump " + Path("g.csv") + " --from 2346").Status, 1);
    std::size_t bytes = 0;
    for (uint32_t i = 0; i < 2345; ++i) {
        bytes += std::to_string(i).size() + 10;
    }
    EXPECT_EQ(Run("dump " + Path("g.csv")).Out.size(), bytes);
}

TEST_F(CliTest, BadInputGivesOneLineNamingTheFileAndLeavesNoOutput) {
    WriteBytes(Path("bad.csv"), "not a pulse file\r\n");
    const RUN_RESULT info = Run("info " + Path("bad.csv"));
    EXPECT_EQ(info.Status, 1);
    EXPECT_TRUE(info.Out.empty());
    EXPECT_EQ(std::count(info.Err.begin(), info.Err.end(), '\n'), 1);
    EXPECT_NE(info.Err.find(Path("bad.csv")), std::string::npos);

    const RUN_RESULT convert = Run("convert " + Path("bad.csv") + " " + Path("out.vpb"));
    EXPECT_EQ(convert.Status, 1);
    EXPECT_NE(convert.Err.find(Path("bad.csv")), std::string::npos);

    // A document the text format cannot hold: the output is not written.
    Records.GeneratingTable[0].ChannelName = "a,b";
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("comma.vpb")));
    const RUN_RESULT refused = Run("convert " + Path("comma.vpb") + " " + Path("comma.csv"));
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find(Path("comma.csv")), std::string::npos);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"bad.csv", "comma.vpb"}));
}

// ------------------------------------------------------------------ faults

namespace {

constexpr uint32_t HalfWords = 262140;

// nivara-cli started as a child process, its output in files.
class CliProcess {
public:
    CliProcess(const std::vector<std::string>& arguments, const std::string& out, const std::string& err) {
        m_pid = ::fork();
        if (m_pid == 0) {
            std::freopen(out.c_str(), "w", stdout);
            std::freopen(err.c_str(), "w", stderr);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(NIVARA_CLI));
            for (const std::string& argument : arguments) {
                argv.push_back(const_cast<char*>(argument.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(NIVARA_CLI, argv.data());
            ::_exit(127);
        }
    }
    ~CliProcess() {
        if (m_pid > 0 && !m_waited) {
            ::kill(m_pid, SIGKILL);
            (void)Wait();
        }
    }
    void Signal(int signal) const { ::kill(m_pid, signal); }
    // The wait status.
    int Wait() {
        if (!m_waited) {
            ::waitpid(m_pid, &m_status, 0);
            m_waited = true;
        }
        return m_status;
    }
    [[nodiscard]] bool Ended() {
        if (m_waited) {
            return true;
        }
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_waited = true;
            m_status = status;
            return true;
        }
        return false;
    }
    [[nodiscard]] int Status() const { return m_status; }

private:
    pid_t m_pid = -1;
    bool m_waited = false;
    int m_status = 0;
};

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::vector<std::string> Sorted(const std::string& folder, const char* extension) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == extension) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The data words of a block file, as the window's block loading reads them.
std::vector<uint32_t> BlockWords(const std::string& path, uint32_t blockWords) {
    CLogicDocument document("/tmp");
    CHeadlessFileWindow window;
    document.Condition().Direction = DIRECTION_SAMPLING;
    EXPECT_TRUE(document.SetSize(DIRECTION_SAMPLING, blockWords, 1));
    const FileResult read = IsPulseTextPath(path) ? ReadPulseTextBlock(document, window, path)
                                                  : ReadPulseBinaryBlock(document, window, path);
    EXPECT_TRUE(read) << path << ": " << read.Reason;
    const uint32_t* data = document.SamplingMemory().Data();
    return std::vector<uint32_t>(data, data + document.LastCount.load());
}

// The counter source's words 0, 1, 2, ... continue across the blocks; the
// number of words.
uint64_t ExpectCounterAcross(const std::vector<std::string>& blocks, uint32_t blockWords) {
    uint64_t k = 0;
    for (const std::string& path : blocks) {
        for (uint32_t word : BlockWords(path, blockWords)) {
            if (word != static_cast<uint32_t>(k)) {
                ADD_FAILURE() << path << ": word " << k << " is " << word;
                return k;
            }
            ++k;
        }
    }
    return k;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

TEST_F(CliTest, AnOutputFileIsWrittenOnlyFromARunThatSampledWords) {
    const std::string out = Path("k.vpb");
    ASSERT_EQ(Run("sample --words 50 --out " + out).Status, 0);
    ASSERT_NE(Run("info " + out).Out.find("Data words: 50\n"), std::string::npos);
    const std::string before = ReadBytes(out);
    const RUN_RESULT failed = Run("sample --words 50 --clock 0 --out " + out);
    EXPECT_EQ(failed.Status, 1);
    EXPECT_NE(failed.Err.find(out), std::string::npos) << failed.Err;
    EXPECT_EQ(ReadBytes(out), before);
}

TEST_F(CliTest, AnOutputThatCannotBeWrittenRefusesTheStart) {
    WriteBytes(Path("file"), "a file, not a folder");
    const RUN_RESULT out = Run("sample --words 2000000 --clock 1 --unit us --out " + Path("file/x.vpb"));
    EXPECT_EQ(out.Status, 1);
    EXPECT_NE(out.Err.find(Path("file/x.vpb")), std::string::npos) << out.Err;
    EXPECT_EQ(out.Out.find("Operation status"), std::string::npos);  // the board never started
    const RUN_RESULT blocks = Run("sample --words 2000000 --clock 1 --unit us --auto-save " + Path("file/blocks"));
    EXPECT_EQ(blocks.Status, 1);
    EXPECT_NE(blocks.Err.find(Path("file/blocks")), std::string::npos) << blocks.Err;
    EXPECT_EQ(blocks.Out.find("Operation status"), std::string::npos);

    // The memory option takes what a file can carry, as the window's does.
    const RUN_RESULT memory = Run("sample --words 10 --memory 100000001 --out " + Path("m.vpb"));
    EXPECT_EQ(memory.Status, 1);
    EXPECT_NE(memory.Err.find("--memory"), std::string::npos);
    EXPECT_NE(memory.Err.find("100000000"), std::string::npos);
    EXPECT_EQ(memory.Out.find("Operation status"), std::string::npos);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"file"});
}

TEST_F(CliTest, FurtherInterruptsDuringTheFinalSaveOnlyAskToWait) {
    const std::string out = Path("big.csv");
    CliProcess run({"sample", "--device", "DIO002", "--words", "60000000", "--clock", "50", "--unit", "ns",
                    "--memory", "30000000", "--out", out},
                   Path("run.out"), Path("run.err"));
    Sleep(1800);
    run.Signal(SIGINT);
    // Interrupts keep coming while the stop and the save go on.
    for (int i = 0; i < 400 && !run.Ended(); ++i) {
        Sleep(10);
        run.Signal(i % 3 == 0 ? SIGINT : (i % 3 == 1 ? SIGTERM : SIGHUP));
    }
    while (!run.Ended()) {
        Sleep(10);
    }
    ASSERT_TRUE(WIFEXITED(run.Status())) << "killed by signal " << WTERMSIG(run.Status());
    EXPECT_EQ(WEXITSTATUS(run.Status()), 0) << ReadBytes(Path("run.err"));
    EXPECT_NE(ReadBytes(Path("run.err")).find("saving, please wait"), std::string::npos);
    const RUN_RESULT info = Run("info " + out);
    ASSERT_EQ(info.Status, 0) << info.Err;
    const std::size_t at = info.Out.find("Data words: ");
    ASSERT_NE(at, std::string::npos);
    // How far the board got in 1.8 s depends on the build (sanitizers slow it):
    // the save must hold the sampled words, whatever their number.
    const unsigned long words = std::stoul(info.Out.substr(at + 12));
    EXPECT_GT(words, 100000u);
    EXPECT_LT(words, 60000000u);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"big.csv", "run.err", "run.out"}));
}

TEST_F(CliTest, TerminateAndHangUpStopASamplingRunLikeCtrlC) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        const std::string folder = Path("blocks" + std::to_string(signal));
        CliProcess run({"sample", "--words", "500000000", "--clock", "250", "--unit", "ns", "--memory", "1000000",
                        "--auto-save", folder, "--block-type", "vpb"},
                       Path("run.out"), Path("run.err"));
        Sleep(1500);
        run.Signal(signal);
        const int status = run.Wait();
        ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0) << ReadBytes(Path("run.err"));
        const std::vector<std::string> blocks = Sorted(folder, ".vpb");
        ASSERT_GE(blocks.size(), 2u);
        const uint64_t words = ExpectCounterAcross(blocks, 1000000);
        const std::string out = ReadBytes(Path("run.out"));
        EXPECT_NE(out.find("Current position: " + std::to_string(words) + " / 500000000"), std::string::npos) << out;
    }
}

TEST_F(CliTest, KilledRunLeavesBlocksHoldingEveryWordUpToTheLastWrittenHalf) {
    const std::string folder = Path("blocks");
    CliProcess run({"sample", "--words", "500000000", "--clock", "250", "--unit", "ns", "--memory", "1000000",
                    "--auto-save", folder, "--block-type", "vpb"},
                   Path("run.out"), Path("run.err"));
    Sleep(1700);
    run.Signal(SIGKILL);
    (void)run.Wait();
    const std::vector<std::string> blocks = Sorted(folder, ".vpb");
    ASSERT_GE(blocks.size(), 2u);
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i) {
        EXPECT_EQ(BlockWords(blocks[i], 1000000).size(), 1000000u) << blocks[i];
    }
    // The last block was being written: it holds whole halves.
    const std::size_t last = BlockWords(blocks.back(), 1000000).size();
    EXPECT_EQ(last % HalfWords, 0u) << last;
    EXPECT_EQ(ExpectCounterAcross(blocks, 1000000), (blocks.size() - 1) * 1000000 + last);
    // At 4 Mwords/s for over a second, more than a block's worth was sampled.
    EXPECT_GT((blocks.size() - 1) * 1000000 + last, 1000000u);
}

TEST_F(CliTest, AFullDiskStopsTheRunAndKeepsEveryWordThatReachedIt) {
    for (const char* type : {"vpb", "csv"}) {
        SCOPED_TRACE(type);
        const std::string folder = Path(std::string("full-") + type);
        // A file-size limit of 6000 blocks of 512 bytes stands in for a disk that fills.
        const RUN_RESULT run = RunShell("ulimit -f 6000; exec " + std::string(NIVARA_CLI) +
                                   " sample --words 5000000 --clock 100 --unit ns --memory 1000000 --auto-save " +
                                   folder + " --block-type " + type);
        EXPECT_EQ(run.Status, 1);
        const std::vector<std::string> blocks = Sorted(folder, (std::string(".") + type).c_str());
        ASSERT_EQ(blocks.size(), 1u);  // no further block after the failure
        EXPECT_EQ(Occurrences(run.Err, blocks[0]), 1u) << run.Err;
        EXPECT_EQ(Occurrences(run.Err, "Sampling has stopped."), 1u) << run.Err;
        const uint64_t words = ExpectCounterAcross(blocks, 1000000);
        // Every word up to where the disk filled: beyond the first half, and
        // the file's bytes, less its head, are its words.
        EXPECT_GT(words, HalfWords);
        const uint64_t bytes = std::filesystem::file_size(blocks[0]);
        EXPECT_LE(bytes, 6000u * 512);
        const uint64_t wordBytes = std::string(type) == "vpb" ? words * 4 : words * 91 / 10;
        EXPECT_LT(bytes - wordBytes, 2000u) << bytes << " bytes, " << words << " words";
    }
}

TEST_F(CliTest, HostileInputsAreRefusedWithoutHangingOrAborting) {
    std::filesystem::create_symlink("/dev/zero", Path("z.csv"));
    ASSERT_EQ(::mkfifo(Path("p.vpb").c_str(), 0600), 0);
    for (const char* name : {"z.csv", "p.vpb"}) {
        const RUN_RESULT info = Run("info " + Path(name));
        EXPECT_EQ(info.Status, 1) << name;
        EXPECT_NE(info.Err.find("not a regular file"), std::string::npos) << info.Err;
    }
    WriteBytes(Path("magic.csv"), "VARDEK NIVARA STUDIOS" + std::string(1 << 20, 'A'));
    const RUN_RESULT line = Run("info " + Path("magic.csv"));
    EXPECT_EQ(line.Status, 1);
    EXPECT_NE(line.Err.find(Path("magic.csv") + ": line 1 is longer than 65536 bytes"), std::string::npos)
        << line.Err;
    WriteBytes(Path("size.csv"), "VARDEK NIVARA STUDIOS\r\nVersion,Direction,Size\r\n2.2.0.0,2,4294967301\r\n"
                                 "ChannelName,DeviceChannel,IsEnable,IsBus,BusChannel\r\nData\r\n");
    const RUN_RESULT size = Run("info " + Path("size.csv"));
    EXPECT_EQ(size.Status, 1);
    EXPECT_NE(size.Err.find("Size"), std::string::npos) << size.Err;
    EXPECT_NE(size.Err.find("4294967301"), std::string::npos) << size.Err;
}

TEST_F(CliTest, AnInterruptedConvertLeavesNoTemporaryFile) {
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 40000000, 1));
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("in.vpb")));
    CliProcess convert({"convert", Path("in.vpb"), Path("out.csv")}, Path("c.out"), Path("c.err"));
    bool seen = false;
    for (int i = 0; i < 20000 && !seen && !convert.Ended(); ++i) {
        for (const std::string& name : FolderEntries()) {
            seen = seen || name.rfind(".nvtmp-", 0) == 0;
        }
        if (!seen) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    ASSERT_TRUE(seen) << "the convert ended before its temporary file was seen";
    convert.Signal(SIGINT);
    const int status = convert.Wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"c.err", "c.out", "in.vpb"}));
}

TEST_F(CliTest, OutputToAFullDeviceIsAFailure) {
    MakeRich(DIRECTION_GENERATING);
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("g.vpb")));
    const std::string command = std::string(NIVARA_CLI) + " info " + Path("g.vpb") + " >/dev/full 2>" + Path("e");
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(ReadBytes(Path("e")).find("standard output"), std::string::npos);
    const std::string dump = std::string(NIVARA_CLI) + " dump " + Path("g.vpb") + " >/dev/full 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(dump.c_str())), 1);
}

TEST_F(CliTest, RunRangesAndFilesOfTheOtherDirectionAreRefused) {
    const RUN_RESULT backwards = Run("sample --from 10 --to 5");
    EXPECT_EQ(backwards.Status, 1);
    EXPECT_NE(backwards.Err.find("--to 5 is below --from 10"), std::string::npos) << backwards.Err;
    EXPECT_EQ(backwards.Out.find("Operation status"), std::string::npos);
    const RUN_RESULT past = Run("generate --from 0 --to 1000");  // the default memory has 1000 words
    EXPECT_EQ(past.Status, 1);
    EXPECT_NE(past.Err.find("beyond the generating memory"), std::string::npos) << past.Err;
    EXPECT_EQ(past.Out.find("Operation status"), std::string::npos);
    ASSERT_EQ(Run("generate --from 0 --to 999 --clock 1 --unit us").Status, 0);

    MakeRich(DIRECTION_SAMPLING);
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("s.vpb")));
    const RUN_RESULT sampling = Run("generate " + Path("s.vpb"));
    EXPECT_EQ(sampling.Status, 1);
    EXPECT_NE(sampling.Err.find("sampling file"), std::string::npos) << sampling.Err;
    EXPECT_EQ(sampling.Out.find("Operation status"), std::string::npos);
}

TEST_F(CliTest, InfoEscapesWhatIsNotTextAndPrintsBookmarksAsTheFilesDo) {
    MakeRich(DIRECTION_GENERATING);
    Records.GeneratingTable[0].ChannelName = "bell\x07name";
    Records.GeneratingTable[1].ChannelName = "caf\xE9";        // Latin-1, not UTF-8
    Records.GeneratingTable[2].ChannelName = "caf\xC3\xA9";    // UTF-8
    Records.GeneratingBookmarks[0].BookmarkAbsolutePosition = 0xFFFFFFFF;
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("-odd.vpb")));
    const RUN_RESULT text = Run("info -- " + Path("-odd.vpb"));
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_NE(text.Out.find("  bell\\x07name,"), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\n  -1,"), std::string::npos) << text.Out;
    const RUN_RESULT json = Run("info --json -- " + Path("-odd.vpb"));
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_NE(json.Out.find("\"ChannelName\":\"caf\\u00e9\""), std::string::npos) << json.Out;
    EXPECT_NE(json.Out.find("\"ChannelName\":\"caf\xC3\xA9\""), std::string::npos);
    EXPECT_NE(json.Out.find("\"ChannelName\":\"bell\\u0007name\""), std::string::npos);
    EXPECT_NE(json.Out.find("\"BookmarkAbsolutePosition\":-1,"), std::string::npos);
    EXPECT_EQ(json.Out.find('\xE9'), std::string::npos);
    // Without "--" a name starting with "-" is an option.
    const std::string here = "cd " + Path("") + " && " + NIVARA_CLI;
    EXPECT_EQ(RunShell(here + " info -odd.vpb").Status, 1);
    EXPECT_EQ(RunShell(here + " info -- -odd.vpb").Status, 0);
    EXPECT_EQ(RunShell(here + " dump -- -odd.vpb --count 1").Status, 1);
    EXPECT_EQ(RunShell(here + " dump --count 1 -- -odd.vpb").Status, 0);
}
