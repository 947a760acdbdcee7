// nivara-cli, run as a program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>

#include "FilesTestSupport.h"
#include "files/PulseFile.h"

namespace {

struct RUN_RESULT {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class CliTest : public FilesTest {
protected:
    RUN_RESULT Run(const std::string& arguments) {
        const std::string command = std::string(NIVARA_CLI) + " " + arguments + " >" + Path("out.txt") + " 2>" +
                                    Path("err.txt");
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
