#include "device/CDeviceRun.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "device/CAutoSaveThread.h"
#include "device/CAutoSaveWriter.h"
#include "device/CBoardStatus.h"
#include "device/CCopyThread.h"
#include "device/CMonitorThread.h"
#include "device/CRunPacer.h"
#include "device/CRunSetup.h"
#include "device/CRunState.h"
#include "device/IRunGraph.h"
#include "device/IRunWindow.h"
#include "device/IWindowPoster.h"
#include "device/RunLocks.h"
#include "device/RunMessages.h"
#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "document/IUserMessages.h"
#include "qdxapi.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

CDeviceRun::CDeviceRun(const RUN_DRIVER_CALLS& driver, const LINKS& links)
    : m_driver(driver),
      m_links(links),
      m_state(std::make_unique<CRunState>(m_driver, links.Document, links.Poster)),
      m_saveWriter(std::make_unique<CAutoSaveWriter>(*m_state, links.Document, links.Records, links.Window)),
      m_statusRows(CBoardStatus::InitialRows()) {}

// The window goes while its run may still be going: the transfer stops, the
// threads end after handing over every word, and the document, which other
// windows may still show, gets its editing state and count back. The window's
// views are not asked for anything any more.
CDeviceRun::~CDeviceRun() {
    CLogicDocument& document = m_links.Document;
    if (m_deviceOpen && m_runActive) {
        const int16_t direction = document.Condition().Direction;
        (void)m_driver.DioDmTransferStop(m_deviceId, direction);
        if (direction == DIRECTION_SAMPLING) {
            CaptureFinalCount(FinalCount::Quiet);
        }
        document.Condition().ReadOnly = m_savedReadOnly;
        m_runActive = false;
        document.IsRunning.store(0);
    }
    EndThreads();
    if (m_deviceOpen) {
        (void)m_driver.DioExit(m_deviceId);
    }
}

// ---------------------------------------------------------------- board

int32_t CDeviceRun::OpenDevice(const std::string& name) {
    if (!m_driver.Complete()) {
        return -1;
    }
    int16_t id = 0;
    const int32_t result = m_driver.DioInit(name.c_str(), &id);
    if (result != 0) {
        ShowDriverError(result, "DioInit", ErrorText(result));
    } else {
        m_deviceId = id;
        m_deviceOpen = true;
        m_state->DeviceId = id;
        (void)m_driver.DioResetDevice(id);
        m_links.Window.StartStatusTimer();
        m_timerRunning = true;
    }
    m_links.Window.Repaint();
    return result;
}

void CDeviceRun::CloseDevice() {
    if (!m_deviceOpen) {
        return;
    }
    if (m_runActive) {
        // DioExit would end the transfer silently: stop it as Stop does.
        StopRun();
    }
    EndThreads();
    m_deviceOpen = false;
    m_links.Window.StopStatusTimer();
    m_timerRunning = false;
    (void)m_driver.DioExit(m_deviceId);
}

std::string CDeviceRun::ErrorText(int32_t code) const {
    char text[256] = {};
    if (m_driver.DioGetErrorString != nullptr) {
        m_driver.DioGetErrorString(code, text);
        text[255] = '\0';
    }
    return text;
}

void CDeviceRun::ShowDriverError(int32_t code, const std::string& functionName, const std::string& errorText) {
    const std::string text = LoadText(IDS_ERROR_OCCURS) + CStringTable::FormatPrintf("\r\nFuncition : %s\r\nErrorCode : %d \r\n%s",
                                                                          functionName.c_str(), code,
                                                                          errorText.c_str());
    m_links.Messages.ShowMessage(text, MessageIcon::Error);
}

void CDeviceRun::ReportCall(int32_t code, const char* functionName) {
    if (code != 0) {
        ShowDriverError(code, functionName, ErrorText(code));
    }
}

// ---------------------------------------------------------------- start and stop

bool CDeviceRun::CanStart() const {
    return m_deviceOpen && !m_runActive && m_links.Document.IsRunning.load() == 0;
}

bool CDeviceRun::ThreadsAlive() const {
    return m_state->CopyAlive.load() || m_state->SaveAlive.load() || m_state->MonitorAlive.load();
}

void CDeviceRun::StartCommand() {
    const LOGIC_CONDITION& condition = m_links.Document.Condition();
    // The queries that take an error value: a folder the system cannot look
    // at is a folder that cannot be created, never an exception.
    std::error_code error;
    const std::filesystem::path folder(condition.AutoSavePath);
    if (!std::filesystem::is_directory(folder, error)) {
        std::filesystem::create_directories(folder, error);
        if (!std::filesystem::is_directory(folder, error) && condition.AutoSave == 1) {
            m_links.Messages.ShowMessage(LoadText(IDS_FOLDER_NOT_CREATED), MessageIcon::Error);
            return;
        }
    }
    m_links.Window.RefreshConditionGrid();
    StartRun();
}

void CDeviceRun::StartRun() {
    if (!CanStart()) {
        // One run per document: no window starts while another one runs.
        return;
    }
    CLogicDocument& document = m_links.Document;
    LOGIC_CONDITION& condition = document.Condition();
    m_savedReadOnly = condition.ReadOnly;
    m_links.Graph.SetEditDisabled(true);
    condition.ReadOnly = 1;
    m_links.Graph.UpdateAllViews();
    m_runActive = true;
    document.IsRunning.store(1);
    m_links.Window.EnableProperties(false);

    DRIVER_FAILURE failure;
    bool started = true;
    if (condition.Direction == DIRECTION_SAMPLING) {
        started = SetupSampling(failure);
    } else if (condition.Direction == DIRECTION_GENERATING) {
        started = SetupGenerating(failure);
    }
    if (!started) {
        m_runActive = false;
        document.IsRunning.store(0);
        m_links.Window.EnableProperties(true);
        RestoreAfterRun();
        ShowDriverError(failure.Code, failure.Function, failure.Text);
    }
}

void CDeviceRun::RestoreAfterRun() {
    m_links.Graph.SetEditDisabled(m_savedReadOnly != 0);
    m_links.Document.Condition().ReadOnly = m_savedReadOnly;
    m_links.Graph.UpdateAllViews();
}

bool CDeviceRun::SetupGenerating(DRIVER_FAILURE& failure) {
    CRunSetup setup(m_driver, m_deviceId, m_links.Poster.WindowHandle());
    return setup.Generating(m_links.Document.Condition(), m_links.Document.GeneratingMemory(), failure);
}

bool CDeviceRun::SetupSampling(DRIVER_FAILURE& failure) {
    EndThreads();
    CLogicDocument& document = m_links.Document;
    const LOGIC_CONDITION& condition = document.Condition();
    for (auto& half : m_state->SaveBuffers) {
        half.assign(CRunState::HalfWords, 0);
    }
    CRunSetup setup(m_driver, m_deviceId, m_links.Poster.WindowHandle());
    if (!setup.SamplingConditions(condition, failure)) {
        return false;
    }
    document.SamplingMemory().Clear();
    if (!setup.SamplingBuffer(condition, document.SamplingMemory(), m_state->RingBuffer, failure) ||
        !setup.TransferStart(1, failure)) {
        return false;
    }
    m_links.Graph.SuspendDrawing();
    PrepareRunState();
    StartThreads();
    return true;
}

// Copies what the threads need, so that none of them reads the condition or
// the channel table while the window thread owns them.
void CDeviceRun::PrepareRunState() {
    CLogicDocument& document = m_links.Document;
    const LOGIC_CONDITION& condition = document.Condition();
    const DIRECTION_GROUP& group = condition.SamplingGroup;
    RUN_SETTINGS& s = m_state->Settings;
    s.ModelType = condition.ModelType;
    s.PeriodNs = CRunPacer::ClockPeriodNs(group.Clock, group.ClockUnit);
    s.AutoSave = condition.AutoSave == 1;
    s.SamplingBufferSize = condition.SamplingBufferSize;
    s.MonitorMode = condition.MonitorMode;
    s.MonitorMethod = condition.MonitorMethod;
    s.MonitorData = condition.MonitorData;
    s.MonitorBits = std::clamp<int>(condition.MonitorDataBitNumbers, 1, 32);
    s.MonitorChannel = std::clamp<int>(condition.MonitorChannel, 0, 31);
    s.MonitorPercentage = std::clamp<int>(condition.MonitorPercentage, 0, 100);
    const CChannelTable& table = m_links.Records.SamplingTable;
    for (int j = 0; j < s.MonitorBits && static_cast<std::size_t>(s.MonitorChannel + j) < table.Size(); ++j) {
        s.RowChannels[j] = table.At(static_cast<std::size_t>(s.MonitorChannel + j)).DeviceChannel;
    }
    m_state->SamplingWords = document.SamplingMemory().Data();
    m_state->SamplingLength = document.SamplingMemory().Length();
    m_state->ClocksPerPage.store(m_links.Graph.ClocksPerPage());
    m_state->ResetCounters();
    m_saveWriter->StartRun();
    document.AutoSavedFiles.clear();
    document.CurrentBlock.store(0);
}

// A vertical monitor needs rows c .. c + n - 1 of the sampling table: without
// them the monitor does not run.
static bool MonitorRowsExist(const RUN_SETTINGS& s, std::size_t rows) {
    return s.MonitorMethod != 1 || static_cast<std::size_t>(s.MonitorChannel + s.MonitorBits) <= rows;
}

void CDeviceRun::StartThreads() {
    CRunState& state = *m_state;
    if (state.Settings.ModelType == 0) {
        state.CopyAlive.store(true);
        m_copyThread = std::thread([&state] { CCopyThread(state).Run(); });
    }
    if (state.Settings.MonitorMode != 0 && MonitorRowsExist(state.Settings, m_links.Records.SamplingTable.Size())) {
        state.MonitorAlive.store(true);
        m_monitorThread = std::thread([&state] { CMonitorThread(state).Run(); });
    }
    if (state.Settings.AutoSave) {
        state.SaveAlive.store(true);
        m_saveThread = std::thread([&state] { CAutoSaveThread(state).Run(); });
    }
}

// Asks the threads of the last run to take what is left and end, writes the
// blocks they hand over meanwhile, and joins them. The threads never wait
// for the window thread except for a half-buffer, which this loop writes.
void CDeviceRun::EndThreads() {
    m_state->RequestEnd();
    while (ThreadsAlive()) {
        OnAutoSaveBlock();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    for (std::thread* thread : {&m_copyThread, &m_saveThread, &m_monitorThread}) {
        if (thread->joinable()) {
            thread->join();
        }
    }
    while (m_state->BlocksQueued()) {
        OnAutoSaveBlock();
    }
}

void CDeviceRun::StopRun() {
    CLogicDocument& document = m_links.Document;
    const int direction = document.Condition().Direction;
    if (m_deviceOpen && direction == DIRECTION_SAMPLING) {
        ReportCall(m_driver.DioDmTransferStop(m_deviceId, 1), "DioDmTransferStop");
        CaptureFinalCount(FinalCount::Report);
    } else if (m_deviceOpen && direction == DIRECTION_GENERATING) {
        ReportCall(m_driver.DioDmTransferStop(m_deviceId, 2), "DioDmTransferStop");
    }
    if (m_runActive) {
        m_runActive = false;
        document.IsRunning.store(0);
        RestoreAfterRun();
    }
    m_links.Window.EnableProperties(document.IsRunning.load() == 0);
}

// LastCount and LastCarry of an ended sampling run. A count the board could
// not give is 0 when Stop takes it; a window that goes keeps the last one.
// Without auto-save the recording stays in the document unsaved.
void CDeviceRun::CaptureFinalCount(FinalCount mode) {
    CLogicDocument& document = m_links.Document;
    const bool report = mode == FinalCount::Report;
    uint32_t count = 0;
    uint32_t carry = 0;
    const int32_t countResult = m_driver.DioDmGetCount(m_deviceId, 1, &count, &carry);
    if (countResult != 0 && !report) {
        return;
    }
    if (report) {
        ReportCall(countResult, "DioDmGetCount");
    }
    if (countResult == 0) {
        uint32_t status = 0;
        uint32_t errorBits = 0;
        const int32_t statusResult = m_driver.DioDmGetStatus(m_deviceId, 1, &status, &errorBits);
        if (report) {
            ReportCall(statusResult, "DioDmGetStatus");
        }
        WaitForCopiedWords(count);
    }
    document.LastCount.store(count);
    document.LastCarry.store(carry);
    if (document.Condition().AutoSave == 0 && count > 0) {
        document.Saved.store(0);
    }
}

// A ring board's words reach the memory through the copy thread, which polls
// the board: before the graph shows the ended run, the copy thread takes the
// words it has not reached yet. It never waits for the window thread, and it
// ends by itself when it cannot take them, so the wait is short.
void CDeviceRun::WaitForCopiedWords(uint32_t count) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (m_state->CopyAlive.load(std::memory_order_acquire) &&
           static_cast<uint32_t>(m_state->CopiedWords.load(std::memory_order_acquire)) != count &&
           std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// ---------------------------------------------------------------- timer

void CDeviceRun::OnStatusTimer() {
    if (!m_deviceOpen || !m_timerRunning) {
        return;
    }
    const LOGIC_CONDITION& condition = m_links.Document.Condition();
    const int direction = condition.Direction;
    if (direction != DIRECTION_SAMPLING && direction != DIRECTION_GENERATING) {
        return;
    }
    const auto dir = static_cast<int16_t>(direction);
    uint32_t count = 0;
    uint32_t carry = 0;
    uint32_t status = 0;
    uint32_t errorBits = 0;
    int32_t result = m_driver.DioDmGetCount(m_deviceId, dir, &count, &carry);
    const char* failed = "DioDmGetCount";
    if (result == 0) {
        result = m_driver.DioDmGetStatus(m_deviceId, dir, &status, &errorBits);
        failed = "DioDmGetStatus";
    }
    if (result != 0) {
        m_links.Window.StopStatusTimer();
        m_timerRunning = false;
        ShowDriverError(result, failed, ErrorText(result));
        return;
    }
    ShowStatus(count, status, errorBits);
    if (direction == DIRECTION_SAMPLING) {
        UpdateCurrentBlock(count, status);
    }
    m_state->ClocksPerPage.store(m_links.Graph.ClocksPerPage());
    if (!m_runActive && m_links.Document.IsRunning.load() == 0) {
        // A window of the same document that runs keeps the pane disabled.
        m_links.Window.EnableProperties(true);
    }
}

void CDeviceRun::ShowStatus(uint32_t count, uint32_t status, uint32_t errorBits) {
    m_statusRows = CBoardStatus::Rows(m_links.Document.Condition(), m_links.Document.IsRunning.load() != 0, count,
                                      status, errorBits);
    m_links.Window.ShowBoardStatus(m_statusRows);
}

void CDeviceRun::UpdateCurrentBlock(uint32_t count, uint32_t status) {
    const LOGIC_CONDITION& condition = m_links.Document.Condition();
    if (condition.AutoSave != 1 || (status & QDX_STATUS_ENDED) != 0 || condition.SamplingBufferSize == 0) {
        return;
    }
    const uint32_t q = count / condition.SamplingBufferSize;
    const uint32_t r = count % condition.SamplingBufferSize;
    if (q > static_cast<uint32_t>(m_links.Document.CurrentBlock.load()) && r != 0) {
        m_links.Document.CurrentBlock.store(static_cast<int32_t>(q));
    }
}

// ---------------------------------------------------------------- messages

void CDeviceRun::OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    switch (message) {
        case WM_TRANSFER_STOPPED:
            if (!TransferStillRuns()) {
                m_links.Graph.ResumeDrawing();
                StopRun();
            }
            break;
        case WM_STOP_RUN:
            StopRun();
            break;
        case WM_AUTOSAVE_BLOCK:
            OnAutoSaveBlock();
            break;
        case WM_SHOW_FROM:
            OnShowFrom(static_cast<intptr_t>(wparam));
            break;
        case WM_UPDATE_VIEWS:
            m_links.Graph.UpdateAllViews();
            break;
        case WM_FILE_WRITE_ERROR:
            OnFileWriteError();
            break;
        case WM_RUN_OVERFLOW:
            m_links.Messages.ShowMessage(LoadText(IDS_BUFFER_OVERFLOW), MessageIcon::None);
            break;
        case WM_MONITOR_MATCH:
            OnMonitorMatch(static_cast<uint32_t>(wparam), lparam);
            break;
        default:
            break;
    }
}

// A stop notification of an earlier transfer can arrive after the next run
// has started: the board's status tells whether the current one has ended.
bool CDeviceRun::TransferStillRuns() const {
    const int direction = m_links.Document.Condition().Direction;
    if (!m_runActive || !m_deviceOpen || (direction != DIRECTION_SAMPLING && direction != DIRECTION_GENERATING)) {
        return false;
    }
    uint32_t status = 0;
    uint32_t errorBits = 0;
    return m_driver.DioDmGetStatus(m_deviceId, static_cast<int16_t>(direction), &status, &errorBits) == 0 &&
           (status & QDX_STATUS_ENDED) == 0;
}

void CDeviceRun::OnFileWriteError() {
    m_statusRows[STATUS_ROW_ERROR].Value = CBoardStatus::FileWriteErrorText();
    m_links.Window.ShowBoardStatus(m_statusRows);
}

void CDeviceRun::OnShowFrom(intptr_t clock) {
    IRunGraph& graph = m_links.Graph;
    const int64_t highest = int64_t{graph.LastClock()} - int64_t{graph.ClocksPerPage()} + 1;
    int64_t first = std::min<int64_t>(clock, highest);
    first = std::max<int64_t>(first, 0);
    graph.ScrollToClock(static_cast<uint32_t>(first));
}

void CDeviceRun::OnMonitorMatch(uint32_t position, intptr_t lparam) {
    const MONITOR_MATCH_PARAM match = ReadMatchParam(lparam);
    IRunGraph& graph = m_links.Graph;
    const bool vertical = match.Method == 1;
    RUN_SELECTION selection;
    selection.AnchorClock = position;
    selection.AnchorRow = match.Channel;
    selection.CaretClock = vertical ? position : position + static_cast<uint32_t>(match.Bits) - 1;
    selection.CaretRow = vertical ? match.Channel + match.Bits - 1 : match.Channel;
    graph.ResumeDrawing();
    if (match.Mode == 1) {
        // The graph jumps by absolute clocks: the match lies in the block the
        // memory holds, which the graph must not replace by block 0.
        graph.JumpToClock(static_cast<uint32_t>(m_links.Document.AbsolutePosition(position)));
    }
    graph.SetSelection(selection);
    if (match.Mode == 1) {
        if (vertical) {
            graph.GiveFocus();
        } else {
            graph.UpdateAllViews();
        }
        m_links.Window.Repaint();
    }
}

// WM_AUTOSAVE_BLOCK: carries out the oldest request of the auto-save thread.
void CDeviceRun::OnAutoSaveBlock() {
    std::string failure;
    if (m_saveWriter->CarryOutNext(failure) && !failure.empty()) {
        OnBlockFileFailed(failure);
    }
}

// A block file that cannot be created or written stops the transfer; the
// auto-save thread then ends with the end of the transfer.
void CDeviceRun::OnBlockFileFailed(const std::string& error) {
    if (m_deviceOpen) {
        ReportCall(m_driver.DioDmTransferStop(m_deviceId, 1), "DioDmTransferStop");
    }
    OnFileWriteError();
    m_links.Messages.ShowMessage(FormatText(IDS_SAMPLING_STOPPED, error), MessageIcon::None);
}
