#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/CDeviceRun.h"
#include "device/CDriverBinding.h"
#include "device/CRunMessageLoop.h"
#include "device/IRunGraph.h"
#include "device/IRunWindow.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "support/CScriptedMessages.h"
#include "qdxapi_sim.h"

// The graph of a document window as a run sees it: records what it is asked.
class CFakeGraph : public IRunGraph {
public:
    void SuspendDrawing() override { Drawing = false; }
    void ResumeDrawing() override { Drawing = true; }
    void SetEditDisabled(bool disabled) override { EditDisabled = disabled; }
    [[nodiscard]] uint32_t ClocksPerPage() const override { return Page; }
    [[nodiscard]] uint32_t LastClock() const override { return Last; }
    void JumpToClock(uint32_t clock) override { Jumps.push_back(clock); }
    void SetSelection(const RUN_SELECTION& selection) override { Selections.push_back(selection); }
    void ScrollToClock(uint32_t firstClock) override { FirstClocks.push_back(firstClock); }
    void GiveFocus() override { ++Focus; }
    void UpdateAllViews() override { ++Updates; }

    bool Drawing = true;
    bool EditDisabled = false;
    uint32_t Page = 500;
    uint32_t Last = 999999;
    std::vector<uint32_t> Jumps;
    std::vector<RUN_SELECTION> Selections;
    std::vector<uint32_t> FirstClocks;
    int Focus = 0;
    int Updates = 0;
};

class CFakeWindow : public IRunWindow {
public:
    explicit CFakeWindow(CRunMessageLoop& loop) : m_loop(loop) {}
    void EnableProperties(bool enable) override { PropertiesEnabled = enable; }
    void RefreshConditionGrid() override { ++GridRefreshes; }
    void StartStatusTimer() override { m_loop.SetTimer(TimerOn = true); }
    void StopStatusTimer() override { m_loop.SetTimer(TimerOn = false); }
    void ShowBoardStatus(const BOARD_STATUS_ROWS& rows) override { Rows = rows; }
    void SetDocumentTitle(const std::string& title) override { Titles.push_back(title); }
    void SetDocumentPath(const std::string& path) override { Path = path; }
    void Repaint() override { ++Repaints; }

    bool PropertiesEnabled = true;
    bool TimerOn = false;
    int GridRefreshes = 0;
    int Repaints = 0;
    BOARD_STATUS_ROWS Rows;
    std::vector<std::string> Titles;
    std::string Path;

private:
    CRunMessageLoop& m_loop;
};

// The bench controls of the library the binding loaded.
struct RUN_SIM {
    decltype(&::DioSimConfigureBoards) ConfigureBoards = nullptr;
    decltype(&::DioSimFailFunction) FailFunction = nullptr;
    decltype(&::DioSimSetMaxBufferLength) SetMaxBufferLength = nullptr;
    decltype(&::DioSimClearCallLog) ClearCallLog = nullptr;
    decltype(&::DioSimGetCallLog) GetCallLog = nullptr;
    decltype(&::DioSimSetInputSource) SetInputSource = nullptr;

    [[nodiscard]] bool Resolve();
    // The log lines that start with `name(`.
    [[nodiscard]] std::vector<std::string> Calls(const std::string& name) const;
    [[nodiscard]] std::string Log() const;
};

// A document window with its run on the real simulated boards.
class CRunTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a board ("DIO000" QDX-32A-PE, "DIO002" QDX-32C-PE) and gives the
    // document its type.
    void Open(const char* name, const char* type);
    // A fast sampling condition: internal clock of `clockNs`, stop after `words`.
    void Sampling(uint32_t words, uint32_t clockNs, uint32_t memoryWords);
    // Runs the message loop until the run has ended and its threads are gone.
    [[nodiscard]] bool WaitForRunEnd(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    [[nodiscard]] std::string Hex(const void* pointer) const;

    std::filesystem::path m_folder;
    CScriptedMessages m_messages;
    std::unique_ptr<CDriverBinding> m_binding;
    RUN_SIM m_sim;
    CRunMessageLoop m_loop;
    CFakeGraph m_graph;
    CFakeWindow m_window{m_loop};
    std::unique_ptr<CLogicDocument> m_document;
    std::unique_ptr<CWindowRecords> m_records;
    std::unique_ptr<CDeviceRun> m_run;
};
