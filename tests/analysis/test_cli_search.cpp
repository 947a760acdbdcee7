// nivara-cli search, run as a program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SearchTestSupport.h"
#include "analysis/CPatternSearch.h"
#include "analysis/CSearchCommand.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseFile.h"

namespace {

struct RUN_RESULT {
    int Status = -1;
    std::string Out;
    std::string Err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CliSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = std::filesystem::temp_directory_path() /
                   ("nivara_cli_search_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    [[nodiscard]] std::string Path(const std::string& name) const { return (m_folder / name).string(); }

    RUN_RESULT Run(const std::string& arguments, const std::string& environment = "LANG=C") {
        const std::string command = environment + " LC_ALL= LC_MESSAGES= " + std::string(NIVARA_CLI) + " search " +
                                    arguments + " >" + Path("out.txt") + " 2>" + Path("err.txt");
        RUN_RESULT result;
        const int status = std::system(command.c_str());
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = ReadAll(Path("out.txt"));
        result.Err = ReadAll(Path("err.txt"));
        return result;
    }

    // A pulse file of the fixture's document and records.
    void Save(CSearchFixture& f, const std::string& name) {
        CHeadlessFileWindow window;
        const FileResult result = WritePulseFile(f.Document, f.Records, window, Path(name));
        ASSERT_TRUE(result.Ok) << result.Reason;
    }

private:
    std::filesystem::path m_folder;
};

}  // namespace

TEST_F(CliSearchTest, PrintsTheFirstHitOrEveryHit) {
    CSearchFixture f;
    f.SetBits(2, {21, 22, 51, 52, 53});
    Save(f, "g.vpb");
    const RUN_RESULT first = Run(Path("g.vpb") + " --channel 2 --bits 0110");
    EXPECT_EQ(first.Status, 0) << first.Err;
    EXPECT_EQ(first.Out, "20\n");
    EXPECT_TRUE(first.Err.empty());
    const RUN_RESULT hex = Run(Path("g.vpb") + " --channel 2 --hex 6 --every");
    EXPECT_EQ(hex.Out, "20\n");
    const RUN_RESULT ones = Run(Path("g.vpb") + " --channel 2 --bits 11 --every");
    EXPECT_EQ(ones.Out, "21\n51\n52\n");  // overlapping windows included
    const RUN_RESULT back = Run(Path("g.vpb") + " --channel 2 --bits 11 --every --backward");
    EXPECT_EQ(back.Out, "52\n51\n21\n");
    // --from: forward at or after, backward the window ending at or before.
    EXPECT_EQ(Run(Path("g.vpb") + " --channel 2 --bits 11 --from 22").Out, "51\n");
    EXPECT_EQ(Run(Path("g.vpb") + " --channel 2 --bits 11 --from 52 --backward").Out, "51\n");
    EXPECT_EQ(Run(Path("g.vpb") + " --channel 2 --bits 11 --from 53 --backward").Out, "52\n");
    const RUN_RESULT json = Run(Path("g.vpb") + " --channel 2 --bits 11 --every --json");
    EXPECT_EQ(json.Out, "{\"hits\": [21, 51, 52], \"channel\": 2, \"type\": \"horizontal\", \"direction\": \"forward\"}\n");
}

TEST_F(CliSearchTest, MissesPrintTheMissTextInTheLanguage) {
    CSearchFixture f;
    f.SetBits(0, {5});
    Save(f, "g.csv");
    const RUN_RESULT miss = Run(Path("g.csv") + " --channel 3 --hex 1F");
    EXPECT_EQ(miss.Status, 1);
    EXPECT_TRUE(miss.Out.empty());
    EXPECT_EQ(miss.Err, "Horizontal axis (CH3), '1F' is not found in the forward search\n");
    const RUN_RESULT back = Run(Path("g.csv") + " --channel 1 --bits 1 --vertical --count 2 --backward");
    EXPECT_EQ(back.Err, "Vertical axis (CH1-CH2), '1' is not found in the backward search\n");
    const RUN_RESULT japanese = Run(Path("g.csv") + " --channel 3 --hex 1F", "LANG=ja_JP.UTF-8");
    EXPECT_EQ(japanese.Status, 1);
    EXPECT_EQ(japanese.Err, "横軸（CH3）で前方に”1F”が見つかりません\n");
    const RUN_RESULT json = Run(Path("g.csv") + " --channel 3 --hex 1F --json --backward");
    EXPECT_EQ(json.Status, 1);
    EXPECT_EQ(json.Out, "{\"hits\": [], \"channel\": 3, \"type\": \"horizontal\", \"direction\": \"backward\"}\n");
}

TEST_F(CliSearchTest, BadOptionsAndUnreadableFiles) {
    CSearchFixture f;
    Save(f, "g.vpb");
    const std::string g = Path("g.vpb");
    for (const std::string& bad :
         {g, g + " --channel 32 --bits 1", g + " --channel 1", g + " --channel 1 --bits 1 --hex 1",
          g + " --channel 1 --bits ''", g + " --channel 1 --bits 1.1", g + " --channel 1 --bits 102",
          g + " --channel 1 --hex 123456789", g + " --channel 1 --bits 1 --bit-count 4",
          g + " --channel 1 --hex 1 --bit-count 33", g + " --channel 1 --hex 1 --vertical --count 2 --bit-count 4",
          g + " --channel 30 --bits 1 --vertical --count 3", g + " --channel 1 --bits 1 --vertical",
          g + " --channel 1 --bits 1 --count 2", g + " --channel 1 --bits 1 --from -1", g + " --channel 1 --bits 1 --frob",
          std::string("--channel 1 --bits 1")}) {
        const RUN_RESULT run = Run(bad);
        EXPECT_EQ(run.Status, 2) << bad;
        EXPECT_NE(run.Err.find("usage: nivara-cli search"), std::string::npos) << bad;
    }
    const RUN_RESULT missing = Run(Path("none.vpb") + " --channel 1 --bits 1");
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err.rfind("nivara-cli: " + Path("none.vpb") + ": ", 0), 0u) << missing.Err;
    EXPECT_EQ(Run(g + " --channel 1 --bits 0 --vertical --count 31").Status, 0);
}

TEST_F(CliSearchTest, BlockFilesAreSearchedAsSearchAllDoes) {
    CSearchFixture f(DIRECTION_SAMPLING, 100);
    f.Document.Condition().AutoSave = 1;
    f.SetBits(4, {98, 99});
    Save(f, "b0.vpb");
    f.Document.SamplingMemory().Clear();
    f.SetBits(4, {0, 10});
    Save(f, "b1.vpb");
    f.Document.SamplingMemory().Clear();
    f.SetBits(4, {3});
    f.Document.LastCount.store(50);  // a last block of 50 valid words
    f.SetBits(4, {60});              // beyond them
    Save(f, "b2.csv");
    const std::string files = Path("b0.vpb") + " " + Path("b1.vpb") + " " + Path("b2.csv");
    EXPECT_EQ(Run(files + " --channel 4 --bits 1 --every").Out, "98\n99\n100\n110\n203\n");
    // No window spans two files: 98, 99, 100 are ones but "111" is nowhere.
    EXPECT_EQ(Run(files + " --channel 4 --bits 111").Status, 1);
    EXPECT_EQ(Run(files + " --channel 4 --bits 1 --from 101").Out, "110\n");
    EXPECT_EQ(Run(files + " --channel 4 --bits 1 --backward").Out, "203\n");
    EXPECT_EQ(Run(files + " --channel 4 --bits 1 --backward --from 150").Out, "110\n");
    EXPECT_EQ(Run(files + " --channel 4 --bits 1 --from 5000").Status, 1);
    EXPECT_EQ(Run(files + " --channel 4 --bits 1 --vertical --count 1 --every --backward --from 109").Out,
              "100\n99\n98\n");
    const RUN_RESULT broken = Run(Path("b0.vpb") + " " + Path("none.vpb") + " --channel 4 --bits 111");
    EXPECT_EQ(broken.Status, 2);
    EXPECT_EQ(broken.Err.rfind("nivara-cli: " + Path("none.vpb") + ": ", 0), 0u) << broken.Err;
}

TEST_F(CliSearchTest, HitsEqualTheWindowsSearchNextSelects) {
    CSearchFixture f(DIRECTION_GENERATING, 5000);
    uint32_t x = 12345;
    for (uint32_t t = 0; t < 5000; ++t) {
        x = x * 1103515245u + 12345u;
        f.Document.GeneratingMemory().SetWord(t, x >> 3);
    }
    CChannelTable& table = f.Records.GeneratingTable;
    std::swap(table.At(2), table.At(9));  // channel 9 shown on row 2
    Save(f, "r.vpb");

    CSearchFixture window;
    CHeadlessFileWindow headless;
    ASSERT_TRUE(ReadPulseFile(window.Document, window.Records, headless, Path("r.vpb")).Ok);
    window.Model.OnDocumentUpdate();
    struct CASE {
        std::string Options;
        SEARCH_REQUEST Request;
    };
    SEARCH_REQUEST horizontal;
    horizontal.Text = "1011";
    horizontal.TextLength = 4;
    horizontal.Value = 0xB;
    horizontal.StartChannel = 9;
    SEARCH_REQUEST hex = horizontal;
    hex.Text = "2D";
    hex.TextLength = 2;
    hex.Value = 0x2D;
    hex.Radix = SEARCH_RADIX::Hexadecimal;
    hex.BitCount = 6;
    SEARCH_REQUEST vertical = horizontal;
    vertical.Type = SEARCH_TYPE::Vertical;
    vertical.StartChannel = 1;
    vertical.ChannelCount = 3;
    vertical.Text = "101";
    vertical.TextLength = 3;
    vertical.Value = 5;
    for (const CASE& c : {CASE{"--channel 9 --bits 1011", horizontal}, CASE{"--channel 9 --hex 2D --bit-count 6", hex},
                          CASE{"--channel 1 --bits 101 --vertical --count 3", vertical}}) {
        window.Select(0, 0, 0, 0);
        CSearchCommand command(window.Model, &window.Reader, window.Messages);
        std::string selections;
        while (command.Run(c.Request, SEARCH_DIRECTION::Forward, false) == SEARCH_OUTCOME::Hit) {
            const GRAPH_CELL first = c.Request.Type == SEARCH_TYPE::Vertical ? window.Model.Current()
                                                                             : window.Model.Anchor();
            selections += std::to_string(first.clock) + "\n";
        }
        ASSERT_FALSE(selections.empty()) << c.Options;
        // Search Next from a fresh window starts at clock 1.
        const RUN_RESULT run = Run(Path("r.vpb") + " " + c.Options + " --every --from 1");
        EXPECT_EQ(run.Out, selections) << c.Options;
    }
}
