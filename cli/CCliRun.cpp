#include "CCliRun.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "CCliArguments.h"
#include "CCliSignals.h"
#include "device/CDeviceRun.h"
#include "files/CBufferedFile.h"
#include "files/CNumberText.h"
#include "files/FileFormat.h"

namespace {

// The options both run commands take, and those only sampling takes; each
// takes a value.
#define NIVARA_RUN_OPTIONS                                                                                    \
    "--device", "--clock", "--unit", "--clock-type", "--start-trigger", "--stop-trigger", "--from", "--to", \
        "--repeat", "--pattern", "--mask"
#define NIVARA_SAMPLING_OPTIONS                                                                             \
    "--words", "--memory", "--out", "--auto-save", "--block-type", "--block-name", "--monitor", "--method", \
        "--data", "--bits", "--channel", "--percentage"

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool Number(const std::string& text, uint64_t limit, uint64_t& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 0);
    if (*end != '\0' || parsed > limit || text[0] == '-') {
        return false;
    }
    value = parsed;
    return true;
}

int16_t UnitOf(const std::string& text) {
    if (text == "s" || text == "1") return 1;
    if (text == "ms" || text == "2") return 2;
    if (text == "us" || text == "3") return 3;
    if (text == "ns" || text == "4") return 4;
    return 0;
}

bool EndsWith(const std::string& text, const char* tail) {
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

CCliRun::CCliRun(CCliSession& session) : m_session(session), m_binding(*this) {
    m_window.OnRows([this](const BOARD_STATUS_ROWS&) { ShowProgress(); });
}

CCliRun::~CCliRun() {
    m_run.reset();
    (void)m_binding.SetMessagePoster(nullptr, nullptr);
}

void CCliRun::ShowMessage(const std::string& text, MessageIcon) {
    std::fprintf(stderr, "\nnivara-cli: %s\n", text.c_str());
    ++m_failures;
}

MessageAnswer CCliRun::AskYesNo(const std::string&, MessageIcon) { return MessageAnswer::No; }

MessageAnswer CCliRun::AskYesNoCancel(const std::string&, MessageIcon) { return MessageAnswer::Cancel; }

bool CCliRun::ApplyOptions(const std::vector<std::string>& arguments, int direction, std::string& error) {
    const CCliArguments parsed = direction == DIRECTION_SAMPLING
                                     ? CCliArguments(arguments, {}, {NIVARA_RUN_OPTIONS, NIVARA_SAMPLING_OPTIONS})
                                     : CCliArguments(arguments, {}, {NIVARA_RUN_OPTIONS});
    if (!parsed.Ok()) {
        error = parsed.Error();
        return false;
    }
    if (parsed.Operands().size() > 1) {
        error = "give at most one file, before the options";
        return false;
    }
    if (!parsed.Operands().empty() && !LoadFile(parsed.Operands()[0], direction, error)) {
        return false;
    }
    m_session.Document.Condition().Direction = static_cast<int16_t>(direction);
    for (const auto& [name, value] : parsed.Options()) {
        if (!ApplyOption(name, value, direction, error)) {
            if (error.empty()) {
                error = "unknown option " + name;
            }
            return false;
        }
    }
    return CheckRange(direction, error);
}

// A file for the other direction would fill the group the run does not use.
bool CCliRun::LoadFile(const std::string& path, int direction, std::string& error) {
    const bool loaded = EndsWith(path, ".nvc") ? m_session.LoadCondition(path) : m_session.LoadPulse(path);
    if (!loaded) {
        error = "cannot read " + path;
        return false;
    }
    if (m_session.Document.Condition().Direction != direction) {
        error = path + " is a " + (direction == DIRECTION_SAMPLING ? "generating" : "sampling") +
                " file; " + (direction == DIRECTION_SAMPLING ? "sample" : "generate") + " needs a " +
                (direction == DIRECTION_SAMPLING ? "sampling" : "generating") + " one";
        return false;
    }
    return true;
}

// The range the run covers: --from .. --to, inclusive, and for generating
// inside the generating memory.
bool CCliRun::CheckRange(int direction, std::string& error) const {
    const CLogicDocument& document = m_session.Document;
    const DIRECTION_GROUP& group = *document.Condition().Group(direction);
    if (group.StopPosition < group.StartPosition) {
        error = "--to " + std::to_string(group.StopPosition) + " is below --from " +
                std::to_string(group.StartPosition);
        return false;
    }
    const uint32_t length = document.GeneratingMemory().Length();
    if (direction == DIRECTION_GENERATING && group.StopPosition >= length) {
        error = "--to " + std::to_string(group.StopPosition) + " is beyond the generating memory (" +
                std::to_string(length) + " words, the last is " + std::to_string(length - 1) + ")";
        return false;
    }
    return true;
}

// Before the board starts: the output file and the auto-save folder can
// take files, so that no sampled word is lost to a path found bad later.
bool CCliRun::CheckOutputs() const {
    CBufferedFile probe;
    if (!m_output.empty()) {
        if (!probe.CreateBeside(m_output)) {
            CCliSession::Complain(m_output, "cannot be written: " + probe.Error());
            return false;
        }
        probe.Abandon();
    }
    const LOGIC_CONDITION& condition = m_session.Document.Condition();
    if (condition.AutoSave == 1) {
        const std::string& folder = condition.AutoSavePath;
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        if (!probe.CreateBeside(folder + "/probe")) {
            CCliSession::Complain(folder, "cannot take the auto-saved blocks: " + probe.Error());
            return false;
        }
        probe.Abandon();
    }
    return true;
}

bool CCliRun::SaveOutput() {
    if (m_output.empty()) {
        return true;
    }
    if (!m_started || m_session.Document.LastCount.load() == 0) {
        CCliSession::Complain(m_output, "not written: the run sampled no word");
        return false;
    }
    return m_session.SavePulse(m_output);
}

bool CCliRun::ApplyOption(const std::string& name, const std::string& value, int direction, std::string& error) {
    LOGIC_CONDITION& condition = m_session.Document.Condition();
    DIRECTION_GROUP& group = *condition.Group(direction);
    uint64_t number = 0;
    const auto numeric = [&](uint64_t limit) {
        if (!Number(value, limit, number)) {
            error = "bad value \"" + value + "\" for " + name;
            return false;
        }
        return true;
    };
    if (name == "--device") {
        m_device = value;
    } else if (name == "--clock" && numeric(0xFFFFFFFF)) {
        group.Clock = static_cast<uint32_t>(number);
    } else if (name == "--unit") {
        group.ClockUnit = UnitOf(value);
        if (group.ClockUnit == 0) {
            error = "bad unit \"" + value + "\" (s, ms, us or ns)";
        }
    } else if (name == "--clock-type" && numeric(3)) {
        group.ClockType = static_cast<int16_t>(number);
    } else if (name == "--start-trigger" && numeric(4)) {
        group.StartTrigger = static_cast<int16_t>(number);
    } else if (name == "--stop-trigger" && numeric(4)) {
        group.StopTrigger = static_cast<int16_t>(number);
    } else if (name == "--from" && numeric(0xFFFFFFFF)) {
        group.StartPosition = static_cast<uint32_t>(number);
    } else if (name == "--to" && numeric(0xFFFFFFFF)) {
        group.StopPosition = static_cast<uint32_t>(number);
    } else if (name == "--repeat" && numeric(0xFFFFFFFF)) {
        group.RepeatCount = static_cast<uint32_t>(number);
    } else if (name == "--pattern" && numeric(0xFFFFFFFF)) {
        condition.StartPattern = static_cast<uint32_t>(number);
    } else if (name == "--mask" && numeric(0xFFFFFFFF)) {
        condition.PatternMask = static_cast<uint32_t>(number);
    } else if (direction == DIRECTION_SAMPLING && error.empty()) {
        return ApplySamplingOption(name, value, error);
    } else {
        return false;
    }
    return error.empty();
}

bool CCliRun::ApplySamplingOption(const std::string& name, const std::string& value, std::string& error) {
    CLogicDocument& document = m_session.Document;
    LOGIC_CONDITION& condition = document.Condition();
    uint64_t number = 0;
    const auto numeric = [&](uint64_t low, uint64_t high) {
        if (!Number(value, high, number) || number < low) {
            error = "bad value \"" + value + "\" for " + name + " (" + std::to_string(low) + " to " +
                    std::to_string(high) + ")";
            return false;
        }
        return true;
    };
    if (name == "--words" && numeric(1, 0x100000000ULL)) {
        condition.SamplingGroup.StopTrigger = 4;
        condition.SamplingGroup.StartPosition = 0;
        condition.SamplingGroup.StopPosition = static_cast<uint32_t>(number - 1);
        condition.SamplingGroup.RepeatCount = 1;
    } else if (name == "--memory" && numeric(1, MaxFileWords)) {
        if (!document.SetSize(DIRECTION_SAMPLING, static_cast<uint32_t>(number), condition.SamplingGroup.RepeatCount)) {
            error = "cannot make a sampling memory of " + value + " words";
        }
    } else if (name == "--out") {
        m_output = value;
    } else if (name == "--auto-save") {
        condition.AutoSave = 1;
        document.SetAutoSavePath(value);
    } else if (name == "--block-type") {
        condition.AutoSaveFileType = value == "vpb" ? 1 : 0;
        if (value != "vpb" && value != "csv") {
            error = "bad block type \"" + value + "\" (csv or vpb)";
        }
    } else if (name == "--block-name") {
        document.SetAutoSaveFileName(value);
    } else if (name == "--monitor" && numeric(0, 2)) {
        condition.MonitorMode = static_cast<int16_t>(number);
    } else if (name == "--method" && numeric(0, 1)) {
        condition.MonitorMethod = static_cast<int16_t>(number);
    } else if (name == "--data" && numeric(0, 0xFFFFFFFF)) {
        condition.MonitorData = static_cast<uint32_t>(number);
    } else if (name == "--bits" && numeric(1, 32)) {
        condition.MonitorDataBitNumbers = static_cast<int16_t>(number);
    } else if (name == "--channel" && numeric(0, 31)) {
        condition.MonitorChannel = static_cast<int16_t>(number);
    } else if (name == "--percentage" && numeric(0, 100)) {
        condition.MonitorPercentage = static_cast<int16_t>(number);
    } else {
        return false;
    }
    return error.empty();
}

bool CCliRun::OpenBoard() {
    m_binding.BindDriver();
    if (!m_binding.DriverBound()) {
        return false;
    }
    const std::vector<std::string>& names = m_binding.DeviceNames();
    std::size_t index = 0;
    if (!m_device.empty()) {
        while (index < names.size() && names[index] != m_device) {
            ++index;
        }
    }
    if (index >= names.size()) {
        std::fprintf(stderr, "nivara-cli: no board %s\n", m_device.empty() ? "is listed" : m_device.c_str());
        return false;
    }
    m_session.Document.SetDevice(m_binding.DeviceTypes()[index], names[index]);
    (void)m_binding.SetMessagePoster(&CRunMessageLoop::DriverPost, &m_loop);
    m_run = std::make_unique<CDeviceRun>(
        m_binding.RunCalls(),
        CDeviceRun::LINKS{m_session.Document, m_session.Records, m_graph, m_window, m_loop, *this});
    return m_run->OpenDevice(names[index]) == 0;
}

uint64_t CCliRun::TotalWords() const {
    const DIRECTION_GROUP* group = m_session.Document.Condition().ActiveGroup();
    if (group == nullptr || group->StopTrigger != 4) {
        return 0;
    }
    const int64_t span = int64_t{group->StopPosition} - int64_t{group->StartPosition} + 1;
    return span > 0 ? static_cast<uint64_t>(span) * group->RepeatCount : 0;
}

void CCliRun::ShowProgress() {
    if (isatty(STDERR_FILENO) == 0) {
        return;
    }
    uint32_t count = 0;
    uint32_t carry = 0;
    const auto direction = m_session.Document.Condition().Direction;
    (void)m_binding.Call(&QDX_ENTRY_POINTS::DioDmGetCount, m_run->DeviceId(), direction, &count, &carry);
    const double now = Now();
    const double rate = m_lastTime > 0 ? double(count - m_lastCount) / (now - m_lastTime) : 0.0;
    m_lastCount = count;
    m_lastTime = now;
    const uint64_t total = TotalWords();
    if (total > 0) {
        std::fprintf(stderr, "\r%u / %llu words, %.2f Mwords/s   ", count, static_cast<unsigned long long>(total),
                     rate / 1e6);
    } else {
        std::fprintf(stderr, "\r%u words, %.2f Mwords/s   ", count, rate / 1e6);
    }
    std::fflush(stderr);
}

void CCliRun::PrintStatus() const {
    if (isatty(STDERR_FILENO) != 0) {
        std::fprintf(stderr, "\n");
    }
    for (const STATUS_ROW& row : m_run->StatusRows()) {
        std::printf("%s: %s\n", row.Label.c_str(), row.Value.c_str());
    }
    if (m_graph.Matches() > 0) {
        const RUN_SELECTION& match = m_graph.LastSelection();
        std::printf("monitor matches: %d, last at clock %u (rows %d to %d)\n", m_graph.Matches(), match.AnchorClock,
                    match.AnchorRow, match.CaretRow);
    }
    for (const std::string& path : m_session.Document.AutoSavedFiles) {
        std::printf("block: %s\n", path.c_str());
    }
}

int CCliRun::Run() {
    // Signals stay handled to the end of the process: after the stop they
    // only ask for patience while the blocks and the output are written.
    CCliSignals::ForRun();
    m_run->StartCommand();
    m_started = m_run->RunActive();
    while (m_run->RunActive()) {
        m_loop.RunUntil(*m_run, [this] { return !m_run->RunActive() || CCliSignals::StopRequested(); },
                        std::chrono::seconds(1));
        if (CCliSignals::StopRequested() && m_run->RunActive()) {
            m_run->StopRun();
        }
    }
    // The threads take what is left; their last block requests are written.
    m_loop.RunUntil(*m_run, [this] { return !m_run->ThreadsAlive(); }, std::chrono::minutes(1));
    m_loop.DispatchPending(*m_run);
    m_run->OnStatusTimer();
    PrintStatus();
    return m_started && m_failures == 0 ? 0 : 1;
}
