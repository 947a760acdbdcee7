#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <thread>

#include "RunTestSupport.h"
#include "device/CRunState.h"
#include "device/RunMessages.h"
#include "resources/CStringTable.h"
#include "files/CCsvFileRW.h"
#include "files/CVpbFileRW.h"
#include "resources/StringIds.h"

namespace {

constexpr uint32_t H = CRunState::HalfWords;

// The data words of a block file.
std::vector<uint32_t> BlockWords(const std::string& path, uint32_t capacity) {
    std::vector<uint32_t> words(capacity);
    uint32_t stored = 0;
    if (path.size() > 4 && path.substr(path.size() - 4) == ".csv") {
        CCsvFileRW file;
        FileResult r = file.OpenRead(path);
        if (r) r = file.SkipToData();
        if (r) r = file.ReadWords(words.data(), capacity, stored);
        if (!r) {
            ADD_FAILURE() << r.Reason;
            return {};
        }
    } else {
        CVpbFileRW file;
        CLogicDocument scratch("/tmp");
        PULSE_CONTENT content;
        if (!file.OpenRead(path) || !file.ReadHeader(scratch, content) || !file.ReadWordCount(stored) ||
            stored > capacity || !file.ReadWords(words.data(), stored)) {
            return {};
        }
    }
    words.resize(stored);
    return words;
}

// The block requests the loop handled, as (kind, words).
std::vector<std::pair<uintptr_t, intptr_t>> BlockRequests(const CRunMessageLoop& loop) {
    std::vector<std::pair<uintptr_t, intptr_t>> requests;
    for (const RUN_MESSAGE& m : loop.Recorded()) {
        if (m.Message == WM_AUTOSAVE_BLOCK) {
            requests.emplace_back(m.WParam, m.LParam);
        }
    }
    return requests;
}

// Every block file holds the counter source's words k = 0, 1, 2, ... in order.
void ExpectCounterBlocks(const std::vector<std::string>& files, uint32_t blockWords, uint64_t total) {
    uint64_t k = 0;
    for (const std::string& path : files) {
        const std::vector<uint32_t> words = BlockWords(path, blockWords);
        for (uint32_t word : words) {
            ASSERT_EQ(word, static_cast<uint32_t>(k)) << path;
            ++k;
        }
    }
    EXPECT_EQ(k, total);
}

}  // namespace

TEST_F(CRunTest, RingBoardCopiesIntoTheMemoryAndThe1001stWordGoesToWordZero) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(2500, 1000, 1000);
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_TRUE(m_graph.Drawing);
    EXPECT_EQ(m_document->LastCount.load(), 2500u);
    EXPECT_EQ(m_document->Saved.load(), 0);  // AutoSave 0: the sampled data is unsaved
    const CLogicMemory& memory = m_document->SamplingMemory();
    for (uint32_t j = 0; j < 1000; ++j) {
        ASSERT_EQ(memory.Word(j), j < 500 ? 2000 + j : 1000 + j) << j;
    }
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(CRunTest, TextBlocksSplitIntoHalfBuffersAndHoldEveryWord) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(1100000, 500, 1000000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 0;
    m_loop.Record(true);
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    ASSERT_TRUE(WaitForRunEnd());
    const std::vector<std::pair<uintptr_t, intptr_t>> expected = {
        {0, 0}, {1, H}, {1, H}, {1, H}, {2, 213580}, {0, 0}, {2, 100000}};
    EXPECT_EQ(BlockRequests(m_loop), expected);
    ASSERT_EQ(m_document->AutoSavedFiles.size(), 2u);
    ExpectCounterBlocks(m_document->AutoSavedFiles, 1000000, 1100000);
    EXPECT_EQ(m_window.Path, m_document->AutoSavedFiles.back());
    EXPECT_EQ(m_window.Titles.back(), m_document->AutoSavedFiles.back());
    ASSERT_GE(m_window.Titles.size(), 2u);
    const std::string name = std::filesystem::path(m_document->AutoSavedFiles[0]).filename().string();
    EXPECT_EQ(m_window.Titles[0], name + "  Saving...");
    EXPECT_EQ(name.rfind("LogicData_", 0), 0u);
    EXPECT_EQ(m_document->Saved.load(), 1);  // auto-saved data is not "unsaved"

    // The head is the pulse text file's head of the sampling document as it was during the run.
    LOGIC_CONDITION during = m_document->Condition();
    during.ReadOnly = 1;
    const std::string head =
        CCsvFileRW::HeaderText(during, 1000000, m_records->SamplingTable, m_records->SamplingBookmarks);
    FILE* file = std::fopen(m_document->AutoSavedFiles[0].c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string start(head.size() + 20, '\0');
    start.resize(std::fread(start.data(), 1, start.size(), file));
    std::fclose(file);
    EXPECT_EQ(start.substr(0, head.size()), head);
    EXPECT_EQ(start.substr(head.size(), 20), "00000000,00000001,00");
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(CRunTest, BinaryBlocksOfTwoHalvesCloseWithZeroWords) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(600000, 100, 524280);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 1;
    m_loop.Record(true);
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    ASSERT_TRUE(WaitForRunEnd());
    const std::vector<std::pair<uintptr_t, intptr_t>> expected = {{0, 0}, {1, H}, {1, H}, {2, 0}, {0, 0},
                                                                  {2, 600000 - 524280}};
    EXPECT_EQ(BlockRequests(m_loop), expected);
    ASSERT_EQ(m_document->AutoSavedFiles.size(), 2u);
    EXPECT_NE(m_document->AutoSavedFiles[0], m_document->AutoSavedFiles[1]);
    ExpectCounterBlocks(m_document->AutoSavedFiles, 524280, 600000);
    EXPECT_TRUE(m_messages.Texts().empty());
}

TEST_F(CRunTest, MonitorStopsSamplingAtAHorizontalMatch) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(5000000, 1000, 1000000);
    LOGIC_CONDITION& condition = m_document->Condition();
    condition.MonitorMode = 1;
    condition.MonitorMethod = 0;
    condition.MonitorChannel = 4;
    condition.MonitorDataBitNumbers = 2;
    condition.MonitorData = 2;  // channel 4 high at clock t and low at t + 1: t = 31
    condition.AutoSave = 1;
    condition.AutoSaveFileType = 1;
    m_run->StartCommand();
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_EQ(m_graph.Selections.size(), 1u);
    EXPECT_EQ(m_graph.Selections[0].AnchorClock, 31u);
    EXPECT_EQ(m_graph.Selections[0].CaretClock, 32u);
    EXPECT_EQ(m_graph.Selections[0].AnchorRow, 4);
    EXPECT_EQ(m_graph.Selections[0].CaretRow, 4);
    EXPECT_EQ(m_graph.Jumps, std::vector<uint32_t>{31});
    EXPECT_GE(m_graph.Updates, 1);
    EXPECT_TRUE(m_graph.Drawing);
    EXPECT_LT(m_document->LastCount.load(), 5000000u);
    ASSERT_FALSE(m_document->AutoSavedFiles.empty());
    ExpectCounterBlocks(m_document->AutoSavedFiles, 1000000, m_document->LastCount.load());
}

TEST_F(CRunTest, MonitorMovesTheGraphAtVerticalMatchesWhileSamplingGoesOn) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(300000, 1000, 1000000);
    LOGIC_CONDITION& condition = m_document->Condition();
    condition.MonitorMode = 2;
    condition.MonitorMethod = 1;
    condition.MonitorChannel = 0;
    condition.MonitorDataBitNumbers = 16;
    condition.MonitorData = 0x1000;  // k mod 65536 == 4096
    condition.MonitorPercentage = 50;
    condition.AutoSave = 1;
    condition.AutoSaveFileType = 0;
    m_graph.Page = 500;
    m_graph.Last = 999999;
    m_run->StartCommand();
    ASSERT_TRUE(WaitForRunEnd());
    // Matches at t = 4096 + 65536 i, each shown 250 clocks later from t - 249.
    ASSERT_GE(m_graph.FirstClocks.size(), 2u);
    for (std::size_t i = 0; i < m_graph.FirstClocks.size(); ++i) {
        const auto t = static_cast<uint32_t>(4096 + 65536 * i);
        EXPECT_EQ(m_graph.Selections[i].AnchorClock, t);
        EXPECT_EQ(m_graph.Selections[i].CaretClock, t);
        EXPECT_EQ(m_graph.Selections[i].AnchorRow, 0);
        EXPECT_EQ(m_graph.Selections[i].CaretRow, 15);
        EXPECT_EQ(m_graph.FirstClocks[i], t - 249);
    }
    EXPECT_TRUE(m_graph.Jumps.empty());
    EXPECT_EQ(m_document->LastCount.load(), 300000u);
    ASSERT_EQ(m_document->AutoSavedFiles.size(), 1u);
    ExpectCounterBlocks(m_document->AutoSavedFiles, 1000000, 300000);
}

TEST_F(CRunTest, BlockRunEndingOnAFullBlockLeavesAnEmptyLastBlock) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(300000, 200, 100000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 1;
    m_run->StartCommand();
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_EQ(m_document->AutoSavedFiles.size(), 4u);
    ExpectCounterBlocks(m_document->AutoSavedFiles, 100000, 300000);
    EXPECT_TRUE(BlockWords(m_document->AutoSavedFiles[3], 100000).empty());
}

TEST_F(CRunTest, ShowFromKeepsTheLastPageAndNeverGoesBelowZero) {
    m_graph.Last = 999;
    m_graph.Page = 300;
    m_run->OnWindowMessage(WM_SHOW_FROM, 800, 0);
    m_run->OnWindowMessage(WM_SHOW_FROM, static_cast<uintptr_t>(intptr_t{-5}), 0);
    m_run->OnWindowMessage(WM_SHOW_FROM, 100, 0);
    EXPECT_EQ(m_graph.FirstClocks, (std::vector<uint32_t>{700, 0, 100}));
}

TEST_F(CRunTest, StatusTimerShowsTheBoardAndAFileErrorUntilTheNextTick) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(1000, 1000, 1000);
    m_document->Condition().SamplingGroup.RepeatCount = 2;
    m_run->StartRun();
    ASSERT_TRUE(WaitForRunEnd());
    m_run->OnStatusTimer();
    EXPECT_EQ(m_window.Rows[0].Value, "Stop");
    EXPECT_EQ(m_window.Rows[2].Value, "2000 / 2000 [Clock]");
    EXPECT_EQ(m_window.Rows[3].Value, "2 [Times]");
    m_run->OnWindowMessage(WM_FILE_WRITE_ERROR, 0, 0);
    EXPECT_EQ(m_window.Rows[4].Value, "File write error, ");
    m_run->OnStatusTimer();
    EXPECT_EQ(m_window.Rows[4].Value, "-");

    ASSERT_EQ(m_sim.FailFunction("DioDmGetStatus", 21001, 1), 0);
    m_run->OnStatusTimer();
    EXPECT_FALSE(m_window.TimerOn);
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_NE(m_messages.Texts()[0].find("Funcition : DioDmGetStatus"), std::string::npos);
}

TEST_F(CRunTest, LappedSourceStopsTheRunAndNoBlockHoldsAWrongWord) {
#if defined(__SANITIZE_THREAD__)
    // The board overwriting words the run is still reading is the very race
    // this test provokes.
    GTEST_SKIP() << "a lapped source is a data race by design";
#endif
    Open("DIO002", "QDX-32C-PE");
    Sampling(20000000, 20, 1000000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 1;
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    // The window thread is busy elsewhere: both halves wait to be written.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_FALSE(m_messages.Texts().empty());
    EXPECT_EQ(m_messages.Texts()[0],
              "Buffer Overflow occured. Logging had been stopped.\nPlease increase the sampling clock.");
    EXPECT_EQ(m_messages.Icons()[0], MessageIcon::None);
    EXPECT_EQ(m_window.Rows[4].Value, "File write error, ");
    EXPECT_LT(m_document->LastCount.load(), 20000000u);
    ASSERT_FALSE(m_document->AutoSavedFiles.empty());
    uint64_t k = 0;
    for (const std::string& path : m_document->AutoSavedFiles) {
        for (uint32_t word : BlockWords(path, 1000000)) {
            ASSERT_EQ(word, static_cast<uint32_t>(k++)) << path;
        }
    }
    // Both halves were handed over before the window thread stalled.
    EXPECT_GE(k, 2u * H) << testing::PrintToString(m_messages.Texts()) << " in "
                         << testing::PrintToString(m_document->AutoSavedFiles);
}

TEST_F(CRunTest, UncreatableBlockStopsTheTransferWithTheSystemText) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(5000000, 1000, 1000000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 1;
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    std::filesystem::remove_all(m_document->Condition().AutoSavePath);
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_NE(m_messages.Texts()[0].find("\n\nSampling has stopped."), std::string::npos);
    EXPECT_GT(m_messages.Texts()[0].size(), std::string("\n\nSampling has stopped.").size());
    EXPECT_EQ(m_messages.Icons()[0], MessageIcon::None);
    EXPECT_TRUE(m_document->AutoSavedFiles.empty());
    EXPECT_LT(m_document->LastCount.load(), 5000000u);
}

TEST_F(CRunTest, ClosingTheWindowMidRunStopsTheBoardAndWritesEveryCollectedWord) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(50000000, 1000, 1000000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 0;
    m_document->Condition().MonitorMode = 2;
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    m_loop.RunUntil(*m_run, [] { return false; }, std::chrono::milliseconds(60));
    m_run.reset();
    const std::vector<std::string> files = m_document->AutoSavedFiles;
    ASSERT_FALSE(files.empty());
    uint64_t k = 0;
    for (const std::string& path : files) {
        for (uint32_t word : BlockWords(path, 1000000)) {
            ASSERT_EQ(word, static_cast<uint32_t>(k++));
        }
    }
    EXPECT_GT(k, 0u);
    EXPECT_EQ(k, m_document->LastCount.load());
    EXPECT_EQ(m_document->IsRunning.load(), 0);
    EXPECT_EQ(m_document->Condition().ReadOnly, 0);
}

TEST_F(CRunTest, FailedBoardQueryEndsTheThreadsWithEveryCollectedWordWritten) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(50000000, 1000, 1000000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 0;
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    m_loop.RunUntil(*m_run, [] { return false; }, std::chrono::milliseconds(80));
    ASSERT_EQ(m_sim.FailFunction("DioDmGetCount", 21001, -1), 0);
    ASSERT_TRUE(m_loop.RunUntil(*m_run, [this] { return !m_run->ThreadsAlive(); }, std::chrono::seconds(10)));
    m_loop.DispatchPending(*m_run);
    ASSERT_EQ(m_sim.FailFunction(nullptr, 0, 0), 0);
    ASSERT_EQ(m_document->AutoSavedFiles.size(), 1u);
    const std::vector<uint32_t> words = BlockWords(m_document->AutoSavedFiles[0], 1000000);
    EXPECT_FALSE(words.empty());
    for (uint32_t k = 0; k < words.size(); ++k) {
        ASSERT_EQ(words[k], k);
    }
    EXPECT_EQ(m_window.Path, m_document->AutoSavedFiles[0]);
    m_messages.Shown.clear();
    m_run->StopRun();
    EXPECT_FALSE(m_run->RunActive());
}

TEST_F(CRunTest, TimerFollowsTheBlockTheCountHasReached) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(50000000, 4, 100000);
    m_document->Condition().SamplingGroup.ClockUnit = 3;  // 4 us: 100,000 words a block take 0.4 s
    m_document->Condition().AutoSave = 1;
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    ASSERT_TRUE(m_loop.RunUntil(
        *m_run,
        [this] {
            m_run->OnStatusTimer();
            return m_document->CurrentBlock.load() >= 2;
        },
        std::chrono::seconds(10)));
    const uint32_t count = std::stoul(m_window.Rows[2].Value);
    EXPECT_EQ(static_cast<uint32_t>(m_document->CurrentBlock.load()), count / 100000);
    m_run->StopRun();
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_GE(m_document->AutoSavedFiles.size(), 3u);
}

// When a ring board's run ends, the graph shows the memory at once: every
// word the board counted is in it by then, not only those the copy thread
// had reached at its last poll.
TEST_F(CRunTest, RingBoardMemoryHoldsEveryCountedWordWhenTheRunEnds) {
    Open("DIO000", "QDX-32A-PE");
    Sampling(40, 8000000, 1000);
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    ASSERT_TRUE(m_loop.RunUntil(*m_run, [this] { return !m_run->RunActive(); }, std::chrono::seconds(20)));
    ASSERT_EQ(m_document->LastCount.load(), 40u);
    const CLogicMemory& memory = m_document->SamplingMemory();
    for (uint32_t j = 0; j < 40; ++j) {
        ASSERT_EQ(memory.Word(j), j) << j;
    }
    ASSERT_TRUE(WaitForRunEnd());
}

// A folder the system cannot even look at (here a link that points at
// itself) is a folder that cannot be created: message 41052, no run.
TEST_F(CRunTest, UnreachableAutoSaveFolderRefusesTheStart) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(1000, 1000, 1000);
    std::filesystem::create_directories(m_folder);
    const std::filesystem::path loop = m_folder / "loop";
    std::filesystem::create_symlink(loop, loop);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSavePath = (loop / "blocks").string();
    m_run->StartCommand();
    EXPECT_FALSE(m_run->RunActive());
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_EQ(m_messages.Texts()[0], LoadText(IDS_FOLDER_NOT_CREATED));
    EXPECT_EQ(m_messages.Icons()[0], MessageIcon::Error);
    // Without auto-save the run starts all the same.
    m_messages.Shown.clear();
    m_document->Condition().AutoSave = 0;
    m_run->StartCommand();
    EXPECT_TRUE(m_run->RunActive());
    EXPECT_TRUE(m_messages.Texts().empty());
    ASSERT_TRUE(WaitForRunEnd());
}

// The jump to a stop-sampling match takes the absolute clock: the block the
// memory holds times the buffer size plus the match position, so the graph
// shows the match in the memory instead of loading block 0 over it.
TEST_F(CRunTest, MonitorStopJumpsToTheAbsoluteClockOfTheMatchInItsBlock) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(50000000, 4, 100000);
    LOGIC_CONDITION& condition = m_document->Condition();
    condition.SamplingGroup.ClockUnit = 3;  // 4 us: a block of 100,000 words takes 0.4 s
    condition.AutoSave = 1;
    condition.MonitorMode = 1;
    condition.MonitorMethod = 1;
    condition.MonitorChannel = 0;
    condition.MonitorDataBitNumbers = 32;
    condition.MonitorData = 290000;  // the counter word 290,000: block 2, position 90,000
    m_run->StartCommand();
    ASSERT_TRUE(m_run->RunActive());
    ASSERT_TRUE(m_loop.RunUntil(
        *m_run,
        [this] {
            m_run->OnStatusTimer();
            return !m_run->RunActive();
        },
        std::chrono::seconds(10)));
    ASSERT_EQ(m_document->CurrentBlock.load(), 2);
    EXPECT_EQ(m_graph.Jumps, std::vector<uint32_t>{290000});
    ASSERT_EQ(m_graph.Selections.size(), 1u);
    EXPECT_EQ(m_graph.Selections[0].AnchorClock, 90000u);
    ASSERT_TRUE(WaitForRunEnd());
}

// A window closed mid-run leaves its recording in the document, which another
// window may still show: without auto-save it is unsaved data, as after Stop.
TEST_F(CRunTest, ClosingTheWindowMidRunLeavesTheRecordingUnsaved) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(50000000, 1000, 1000000);
    m_document->Saved.store(1);
    m_run->StartRun();
    ASSERT_TRUE(m_run->RunActive());
    m_loop.RunUntil(*m_run, [] { return false; }, std::chrono::milliseconds(60));
    m_run.reset();
    EXPECT_GT(m_document->LastCount.load(), 0u);
    EXPECT_EQ(m_document->Saved.load(), 0);
    EXPECT_EQ(m_document->IsRunning.load(), 0);
}

TEST_F(CRunTest, ADiskThatFillsStopsTheRunAndTheBlockKeepsEveryWordThatReachedIt) {
    Open("DIO002", "QDX-32C-PE");
    Sampling(5000000, 200, 1000000);
    m_document->Condition().AutoSave = 1;
    m_document->Condition().AutoSaveFileType = 1;
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 3000000;  // the disk is full after 3 MB
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    m_run->StartCommand();
    const bool ended = WaitForRunEnd();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(ended);
    ASSERT_EQ(m_document->AutoSavedFiles.size(), 1u);  // no further block after the failure
    const std::string& block = m_document->AutoSavedFiles[0];
    ASSERT_EQ(m_messages.Texts().size(), 1u);
    EXPECT_NE(m_messages.Texts()[0].find(block), std::string::npos) << m_messages.Texts()[0];
    EXPECT_NE(m_messages.Texts()[0].find("\n\nSampling has stopped."), std::string::npos);
    EXPECT_EQ(m_window.Rows[STATUS_ROW_ERROR].Value.rfind("File write error", 0), 0u);
    const std::vector<uint32_t> words = BlockWords(block, 1000000);
    EXPECT_GT(words.size(), 2 * H);  // two halves and what fitted of the third
    for (uint32_t k = 0; k < words.size(); ++k) {
        ASSERT_EQ(words[k], k);
    }
    EXPECT_LT(std::filesystem::file_size(block) - 4 * words.size(), 2000u);
    EXPECT_LT(m_document->LastCount.load(), 5000000u);
}
