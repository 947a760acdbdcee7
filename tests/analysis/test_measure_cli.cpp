// nivara-cli count and frequency, run as programs, against the lines the
// analysis commands give the result box for the same data and selection.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/CAnalysisCommands.h"
#include "analysis/CResultTexts.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseFile.h"

#ifdef NIVARA_CLI

namespace {

struct RUN_RESULT {
    int Status = -1;
    std::string Out;
    std::string Err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class MeasureCliTest : public ::testing::Test {
protected:
    MeasureCliTest()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("nivara-measure-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::create_directories(m_folder);
        // 100 generating words: channel 3 toggles every clock, channel 5 every
        // third, 10 uSec clocks.
        (void)Document.SetSize(DIRECTION_GENERATING, 100, 1);
        uint32_t* words = Document.GeneratingMemory().Data();
        for (uint32_t i = 0; i < 100; ++i) {
            words[i] = ((i & 1U) << 3) | (((i / 3) & 1U) << 5);
        }
        Document.Condition().GeneratingGroup.Clock = 10;
        Document.Condition().GeneratingGroup.ClockUnit = 3;
        for (LOGIC_DATA& row : Records.GeneratingTable) {
            row.IsShown = 1;
            row.IsEnable = 1;
        }
    }
    ~MeasureCliTest() override { std::filesystem::remove_all(m_folder); }

    [[nodiscard]] std::string Path(const std::string& name) const { return (m_folder / name).string(); }

    void Save(const std::string& name) { ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path(name))); }

    RUN_RESULT Run(const std::string& arguments) const {
        const std::string command =
            std::string(NIVARA_CLI) + " " + arguments + " >" + Path("out.txt") + " 2>" + Path("err.txt");
        RUN_RESULT result;
        const int status = std::system(command.c_str());
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.Out = ReadAll(Path("out.txt"));
        result.Err = ReadAll(Path("err.txt"));
        return result;
    }

    // The two lines of the result box for a selection of clocks on row `row`.
    std::string BoxLines(EDGE_KIND kind, bool frequency, int row, int from, int to) {
        const CAnalysisCommands commands(Document, Records.GeneratingTable);
        CResultPages pages;
        const ANALYSIS_SELECTION selection{from, row, to, row};
        if (frequency) {
            EXPECT_EQ(commands.Frequency(selection, pages), ANALYSIS_OUTCOME::Done);
            const FREQUENCY_RESULT& r = *pages.Frequency();
            return CResultTexts::FrequencyTitle(r) + "\n" + CResultTexts::RangeLine(r.Channel, r.Start, r.End) + "\n";
        }
        EXPECT_EQ(commands.PulseCount(kind, selection, pages), ANALYSIS_OUTCOME::Done);
        const PULSE_COUNT_RESULT& r = *pages.PulseCount();
        return CResultTexts::PulseCountTitle(r) + "\n" + CResultTexts::RangeLine(r.Channel, r.Start, r.End) + "\n";
    }

    CLogicDocument Document{"/tmp"};
    CWindowRecords Records{"Signal"};
    CHeadlessFileWindow Window;

private:
    std::filesystem::path m_folder;
};

}  // namespace

TEST_F(MeasureCliTest, CountPrintsTheResultBoxLinesOfBothFileKinds) {
    for (const char* name : {"p.vpb", "p.csv"}) {
        Save(name);
        const std::string file = Path(name);
        RUN_RESULT run = Run("count " + file + " --channel 3 --from 0 --to 9");
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "PULSECOUNT(RISING): 5[Dec]\nChannel: 3 Start: 0[Clock] End: 9[Clock]\n");
        EXPECT_EQ(run.Out, BoxLines(EDGE_KIND::Rising, false, 3, 0, 9));

        run = Run("count " + file + " --channel 3 --from 9 --to 0 --falling");
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "PULSECOUNT(FALLING): 4[Dec]\nChannel: 3 Start: 0[Clock] End: 9[Clock]\n");
        EXPECT_EQ(run.Out, BoxLines(EDGE_KIND::Falling, false, 3, 9, 0));

        // Defaults: the whole valid range; a one-clock selection counts nothing.
        EXPECT_EQ(Run("count " + file + " --channel 5").Out, BoxLines(EDGE_KIND::Rising, false, 5, 0, 99));
        EXPECT_EQ(Run("count " + file + " --channel 5 --from 7 --to 7").Out,
                  "PULSECOUNT(RISING): 0[Dec]\nChannel: 5 Start: 7[Clock] End: 7[Clock]\n");
    }
}

TEST_F(MeasureCliTest, FrequencyMatchesTheResultBoxAndRefusesAnExternalClock) {
    Save("p.vpb");
    RUN_RESULT run = Run("frequency " + Path("p.vpb") + " --channel 3 --to 9");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "FREQUENCY: 50000.00[Hz]\nChannel: 3 Start: 0[Clock] End: 9[Clock]\n");
    EXPECT_EQ(run.Out, BoxLines(EDGE_KIND::Rising, true, 3, 0, 9));
    EXPECT_EQ(Run("frequency " + Path("p.vpb") + " --channel 5 --from 4 --to 77").Out,
              BoxLines(EDGE_KIND::Rising, true, 5, 4, 77));

    Document.Condition().GeneratingGroup.ClockType = 2;
    Save("external.vpb");
    run = Run("frequency " + Path("external.vpb") + " --channel 3");
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Out.empty());
    EXPECT_EQ(run.Err.rfind("nivara-cli: " + Path("external.vpb") + ": ", 0), 0u) << run.Err;
    // Counting does not depend on the clock.
    EXPECT_EQ(Run("count " + Path("external.vpb") + " --channel 3").Status, 0);
}

TEST_F(MeasureCliTest, AnEndPastTheLastClockIsCutToIt) {
    Save("p.vpb");
    const RUN_RESULT run = Run("count " + Path("p.vpb") + " --channel 3 --from 90 --to 5000");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "PULSECOUNT(RISING): 5[Dec]\nChannel: 3 Start: 90[Clock] End: 99[Clock]\n");
}

TEST_F(MeasureCliTest, JsonGivesNumbers) {
    Save("p.csv");
    RUN_RESULT run = Run("count " + Path("p.csv") + " --channel 3 --to 9 --falling --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "{\"kind\": \"falling\", \"channel\": 3, \"start\": 0, \"end\": 9, \"count\": 4}\n");
    run = Run("count " + Path("p.csv") + " --json --channel 3 --to 9");
    EXPECT_EQ(run.Out, "{\"kind\": \"rising\", \"channel\": 3, \"start\": 0, \"end\": 9, \"count\": 5}\n");
    run = Run("frequency " + Path("p.csv") + " --channel 3 --to 9 --json");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "{\"kind\": \"frequency\", \"channel\": 3, \"start\": 0, \"end\": 9, \"hertz\": 50000}\n");
}

TEST_F(MeasureCliTest, BadOptionsMissingRowsAndUnreadableFilesExitTwo) {
    Save("p.vpb");
    const std::string file = Path("p.vpb");
    for (const std::string& arguments :
         {"count " + file, "count " + file + " --channel", "count " + file + " --channel x",
          "count " + file + " --channel 3 --from -1", "count " + file + " --channel 3 --bogus",
          "frequency " + file + " --channel 3 --falling", std::string("count --channel 3"), "count " + file + " " + file +
          " --channel 3"}) {
        const RUN_RESULT run = Run(arguments);
        EXPECT_EQ(run.Status, 2) << arguments;
        EXPECT_TRUE(run.Out.empty()) << arguments;
        EXPECT_NE(run.Err.find("usage: nivara-cli "), std::string::npos) << arguments;
    }
    RUN_RESULT run = Run("count " + file + " --channel 40");
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err.rfind("nivara-cli: " + file + ": ", 0), 0u) << run.Err;
    run = Run("count " + Path("missing.vpb") + " --channel 3");
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err.rfind("nivara-cli: " + Path("missing.vpb") + ": ", 0), 0u) << run.Err;
    EXPECT_EQ(Run("count --help").Status, 0);
    EXPECT_EQ(Run("frequency --help").Status, 0);
}

TEST_F(MeasureCliTest, ABusNumberIsNoSignalChannel) {
    // Channel 3's row becomes a bus: no signal row carries channel 3 any more.
    Records.GeneratingTable[3].IsBus = 1;
    Records.GeneratingTable[3].BusChannel = 0x3;
    Records.GeneratingTable[3].DeviceChannel = 0;
    Save("bus.vpb");
    EXPECT_EQ(Run("count " + Path("bus.vpb") + " --channel 3").Status, 2);
    EXPECT_EQ(Run("count " + Path("bus.vpb") + " --channel 0").Status, 0);
}

#endif
