#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <numeric>
#include <vector>

#include "device/CBlockFiles.h"
#include "device/CBoardStatus.h"
#include "device/CCopyThread.h"
#include "device/CMonitorScanner.h"
#include "device/CRunPacer.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"

TEST(CopyRing, WrapsTheRingInOrderAndTheMemoryToWordZero) {
    std::vector<uint32_t> ring(1048576);
    std::iota(ring.begin(), ring.end(), 0u);
    std::vector<uint32_t> memory(2000, 0xFFFFFFFF);
    // Read position 1,048,000, write position 100: 576 words from the end, then 100 from the start.
    const uint32_t next = CCopyThread::CopyRing(ring.data(), 1048576, 1048000, 676, memory.data(), 2000, 0);
    EXPECT_EQ(next, 676u);
    for (uint32_t i = 0; i < 576; ++i) {
        ASSERT_EQ(memory[i], 1048000 + i);
    }
    for (uint32_t i = 0; i < 100; ++i) {
        ASSERT_EQ(memory[576 + i], i);
    }
    EXPECT_EQ(memory[676], 0xFFFFFFFFu);

    // A 1000-word memory: the 1001st copied word goes to word 0.
    std::vector<uint32_t> small(1000, 0);
    uint32_t destination = CCopyThread::CopyRing(ring.data(), 1048576, 0, 1000, small.data(), 1000, 0);
    EXPECT_EQ(destination, 0u);
    destination = CCopyThread::CopyRing(ring.data(), 1048576, 1000, 1, small.data(), 1000, destination);
    EXPECT_EQ(small[0], 1000u);
    EXPECT_EQ(small[1], 1u);
    EXPECT_EQ(destination, 1u);
}

namespace {

RUN_SETTINGS Monitor(int mode, int method, uint32_t data, int bits, int channel, int percentage = 0) {
    RUN_SETTINGS s;
    s.MonitorMode = static_cast<int16_t>(mode);
    s.MonitorMethod = static_cast<int16_t>(method);
    s.MonitorData = data;
    s.MonitorBits = bits;
    s.MonitorChannel = channel;
    s.MonitorPercentage = percentage;
    return s;
}

}  // namespace

TEST(MonitorScanner, HorizontalMatchTakesTheEarliestClockAsTheHighBit) {
    // Channel 3 reads 1, 0, 1, 0 at clocks 20..23 and nowhere else.
    std::vector<uint32_t> memory(1000, 0);
    memory[20] = 0x8;
    memory[22] = 0x8;
    CMonitorScanner scanner(Monitor(1, 0, 10, 4, 3), 1000);
    MONITOR_EVENT event;
    ASSERT_FALSE(scanner.Scan(memory.data(), 22, 500, event));  // the window 20..23 is not complete yet
    ASSERT_TRUE(scanner.Scan(memory.data(), 100, 500, event));
    EXPECT_EQ(event.What, MONITOR_EVENT::Kind::Stop);
    EXPECT_EQ(event.Position, 20u);
    EXPECT_FALSE(scanner.Scan(memory.data(), 100, 500, event));

    // Clocks 20..23 read 0, 1, 0, 1 (the value 5); the match starts at clock 21.
    std::vector<uint32_t> shifted(1000, 0);
    shifted[21] = 0x8;
    shifted[23] = 0x8;
    CMonitorScanner other(Monitor(1, 0, 10, 4, 3), 1000);
    EXPECT_TRUE(other.Scan(shifted.data(), 100, 500, event));
    EXPECT_EQ(event.Position, 21u);
}

TEST(MonitorScanner, HorizontalWindowAcrossTheMemoryEndIsNeverFound) {
    // Memory of 40 words; the pattern would span words 38, 39 and then 0, 1.
    std::vector<uint32_t> memory(40, 0);
    memory[38] = 1;
    memory[0] = 1;
    CMonitorScanner scanner(Monitor(1, 0, 10, 4, 0), 40);
    MONITOR_EVENT event;
    EXPECT_FALSE(scanner.Scan(memory.data(), 40, 500, event));
    EXPECT_FALSE(scanner.Scan(memory.data(), 44, 500, event));
    memory[2] = 1;  // words 0..3 (positions 40..43) now read 1, 0, 1, 0
    CMonitorScanner again(Monitor(1, 0, 10, 4, 0), 40);
    EXPECT_FALSE(again.Scan(memory.data(), 40, 500, event));
    ASSERT_TRUE(again.Scan(memory.data(), 44, 500, event));
    EXPECT_EQ(event.Position, 0u);
}

TEST(MonitorScanner, VerticalValueFollowsTheRowsOfTheTable) {
    RUN_SETTINGS s = Monitor(1, 1, 0b101, 3, 5);
    s.RowChannels[0] = 9;   // row 5
    s.RowChannels[1] = 0;   // row 6
    s.RowChannels[2] = 31;  // row 7
    CMonitorScanner scanner(s, 50);
    EXPECT_EQ(scanner.VerticalValue((1u << 9) | (1u << 31)), 0b101u);
    EXPECT_EQ(scanner.VerticalValue(1u), 0b010u);
    std::vector<uint32_t> memory(50, 1u);
    memory[33] = (1u << 9) | (1u << 31);
    MONITOR_EVENT event;
    ASSERT_TRUE(scanner.Scan(memory.data(), 50, 500, event));
    EXPECT_EQ(event.Position, 33u);
}

TEST(MonitorScanner, AutomaticUpdatePlacesTheMatchOnThePage) {
    const DISPLAY_PLAN half = CMonitorScanner::Plan(1001, 500, 50);
    EXPECT_EQ(half.Height, 500u);
    EXPECT_EQ(half.Delay, 250u);
    const DISPLAY_PLAN none = CMonitorScanner::Plan(11, 500, 0);
    EXPECT_EQ(none.Height, 11u);
    EXPECT_EQ(none.Delay, 0u);
    const DISPLAY_PLAN full = CMonitorScanner::Plan(11, 500, 100);
    EXPECT_EQ(full.Height, 500u);
    EXPECT_EQ(full.Delay, 500u);
    EXPECT_EQ(CMonitorScanner::Plan(100, 500, 75).Height, 400u);  // 100 x 100 / 25

    // r = 50, P = 500, a vertical match at t = 1000: shown at k = 1250 from clock 751.
    std::vector<uint32_t> memory(3000, 0);
    memory[1000] = 1;
    CMonitorScanner scanner(Monitor(2, 1, 1, 1, 0, 50), 3000);
    MONITOR_EVENT event;
    EXPECT_FALSE(scanner.Scan(memory.data(), 1250, 500, event));
    ASSERT_TRUE(scanner.Scan(memory.data(), 1251, 500, event));
    EXPECT_EQ(event.What, MONITOR_EVENT::Kind::Display);
    EXPECT_EQ(event.Position, 1000u);
    EXPECT_EQ(event.FirstClock, 751);
    EXPECT_EQ(scanner.NextPosition(), 1251u);

    // r = 0, a vertical match at t = 10: shown at once from clock 0.
    std::vector<uint32_t> early(100, 0);
    early[10] = 1;
    CMonitorScanner now(Monitor(2, 1, 1, 1, 0, 0), 100);
    ASSERT_TRUE(now.Scan(early.data(), 11, 500, event));
    EXPECT_EQ(event.FirstClock, 0);
    EXPECT_EQ(now.NextPosition(), 11u);
}

TEST(RunPacer, PeriodsAndPausesStayInTheirLimits) {
    EXPECT_EQ(CRunPacer::ClockPeriodNs(107, 1), 107000000000ULL);
    EXPECT_EQ(CRunPacer::ClockPeriodNs(0xFFFFFFFF, 1), 4294967295000000000ULL);
    EXPECT_EQ(CRunPacer::ClockPeriodNs(5, 3), 5000u);
    EXPECT_EQ(CRunPacer::ClockPeriodNs(20, 4), 20u);
    EXPECT_EQ(CRunPacer::ClampedPauseNs(CRunPacer::ClockPeriodNs(107, 1) / 2), 50000000u);
    EXPECT_EQ(CRunPacer::ClampedPauseNs(10), 200000u);
    EXPECT_EQ(CRunPacer::ClampedPauseNs(1000000), 1000000u);
}

TEST(BoardStatus, RowsOfCountsTriggersAndErrors) {
    LOGIC_CONDITION condition;
    condition.Direction = DIRECTION_SAMPLING;
    condition.SamplingGroup.StopTrigger = 4;
    condition.SamplingGroup.StartPosition = 0;
    condition.SamplingGroup.StopPosition = 999;
    condition.SamplingGroup.RepeatCount = 5;
    BOARD_STATUS_ROWS rows = CBoardStatus::Rows(condition, true, 2500, 0x02, 0);
    EXPECT_EQ(rows[0].Label, "Operation status");
    EXPECT_EQ(rows[0].Value, "Run");
    EXPECT_EQ(rows[1].Value, "Sampling");
    EXPECT_EQ(rows[2].Value, "2500 / 5000 [Clock]");
    EXPECT_EQ(rows[3].Value, "2 [Times]");
    EXPECT_EQ(rows[4].Value, "-");

    rows = CBoardStatus::Rows(condition, true, 0, 0, 0x05);
    EXPECT_EQ(rows[0].Value, "-");  // software start: no "Wait for start trigger"
    EXPECT_EQ(rows[4].Value, "Transfer error, Buffer overflow error, ");
    condition.SamplingGroup.StartTrigger = 2;
    EXPECT_EQ(CBoardStatus::Rows(condition, true, 0, 0, 0)[0].Value, "Wait for start trigger");
    EXPECT_EQ(CBoardStatus::Rows(condition, false, 0, 0x02, 0)[0].Value, "Stop");
    EXPECT_EQ(CBoardStatus::Rows(condition, true, 0, 0x05, 0)[0].Value, "Stop");
    EXPECT_EQ(CBoardStatus::Rows(condition, true, 0, 0, 0x60)[4].Value, "");

    condition.Direction = DIRECTION_GENERATING;
    condition.GeneratingGroup.StopTrigger = 1;
    rows = CBoardStatus::Rows(condition, true, 77, 0x02, 0x18);
    EXPECT_EQ(rows[1].Value, "Generating");
    EXPECT_EQ(rows[2].Value, "77 [Clock]");
    EXPECT_EQ(rows[3].Value, "-");
    EXPECT_EQ(rows[4].Value,
              "External start trigger and stop trigger input at the same time error, External clock error, ");
    condition.Direction = 3;
    EXPECT_EQ(CBoardStatus::Rows(condition, true, 0, 0, 0)[1].Value, "-");
    EXPECT_EQ(CBoardStatus::FileWriteErrorText(), "File write error, ");
}

TEST(BlockFiles, NamesCarryTheTimeStampAndStayApartWithinOneMillisecond) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 9;
    local.tm_hour = 5;
    local.tm_min = 7;
    local.tm_sec = 3;
    EXPECT_EQ(CBlockFiles::TimeStamp(local, 42), "20261209_050703042");
    CLogicDocument document("/tmp");
    CWindowRecords records("Signal");
    CBlockFiles files(document, records);
    EXPECT_EQ(files.NextFileName("20261209_050703042"), "LogicData_20261209_050703042.csv");
    EXPECT_EQ(files.NextFileName("20261209_050703042"), "LogicData_20261209_050703042_1.csv");
    document.Condition().AutoSaveFileType = 1;
    EXPECT_EQ(files.NextFileName("20261209_050703042"), "LogicData_20261209_050703042_2.vpb");
    EXPECT_EQ(files.NextFileName("20261209_050703043"), "LogicData_20261209_050703043.vpb");
}

namespace {

// A folder of its own for a test, removed with it.
struct SCRATCH_FOLDER {
    SCRATCH_FOLDER() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nivara-blocks-XXXXXX").string();
        Path = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~SCRATCH_FOLDER() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::string Path;
};

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(BlockFiles, RunsOfTwoWindowsOrProcessesInOneMillisecondNeverShareABlock) {
    SCRATCH_FOLDER folder;
    ASSERT_FALSE(folder.Path.empty());
    const std::string stamp = "20261209_050703042";
    // A block another process made in the same millisecond.
    const std::string taken = folder.Path + "/LogicData_" + stamp + ".vpb";
    std::ofstream(taken) << "another run's block";
    std::vector<std::unique_ptr<CLogicDocument>> documents;
    std::vector<std::unique_ptr<CWindowRecords>> records;
    std::vector<std::unique_ptr<CBlockFiles>> writers;
    for (int i = 0; i < 3; ++i) {
        documents.push_back(std::make_unique<CLogicDocument>(folder.Path));
        documents.back()->Condition().Direction = DIRECTION_SAMPLING;
        documents.back()->Condition().AutoSaveFileType = 1;
        records.push_back(std::make_unique<CWindowRecords>("Signal"));
        writers.push_back(std::make_unique<CBlockFiles>(*documents.back(), *records.back()));
    }
    const std::vector<uint32_t> words = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        std::string error;
        ASSERT_TRUE(writers[i]->OpenStamped(stamp, error)) << error;
        ASSERT_TRUE(writers[i]->Write(words.data(), static_cast<uint32_t>(i + 1), error)) << error;
        ASSERT_TRUE(writers[i]->Close(error)) << error;
    }
    EXPECT_EQ(documents[0]->AutoSavedFiles.back(), folder.Path + "/LogicData_" + stamp + "_1.vpb");
    EXPECT_EQ(documents[1]->AutoSavedFiles.back(), folder.Path + "/LogicData_" + stamp + "_2.vpb");
    EXPECT_EQ(documents[2]->AutoSavedFiles.back(), folder.Path + "/LogicData_" + stamp + "_3.vpb");
    EXPECT_EQ(Contents(taken), "another run's block");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path)) {
        ++files;
    }
    EXPECT_EQ(files, 4u);
    // Each block has its own words: a file of i + 1 words is 4 * (i + 1) bytes longer than the first one's head.
    const auto size = [](const std::string& path) { return std::filesystem::file_size(path); };
    EXPECT_EQ(size(documents[1]->AutoSavedFiles.back()) - size(documents[0]->AutoSavedFiles.back()), 4u);
    EXPECT_EQ(size(documents[2]->AutoSavedFiles.back()) - size(documents[0]->AutoSavedFiles.back()), 8u);
}

TEST(BlockFiles, AFailureNamesTheFile) {
    SCRATCH_FOLDER folder;
    CLogicDocument document(folder.Path + "/gone");
    CWindowRecords records("Signal");
    document.Condition().Direction = DIRECTION_SAMPLING;
    CBlockFiles writer(document, records);
    std::string error;
    EXPECT_FALSE(writer.OpenStamped("20261209_050703042", error));
    EXPECT_NE(error.find(folder.Path + "/gone/LogicData_20261209_050703042.csv"), std::string::npos) << error;
    EXPECT_TRUE(document.AutoSavedFiles.empty());
}
