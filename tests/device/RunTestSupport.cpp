#include "RunTestSupport.h"

#include <dlfcn.h>
#include <unistd.h>

#include <sstream>

bool RUN_SIM::Resolve() {
    void* library = dlopen(CDriverBinding::LIBRARY_NAME, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) {
        return false;
    }
    const auto bind = [library](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(library, name));
        return slot != nullptr;
    };
    bool ok = bind(ConfigureBoards, "DioSimConfigureBoards");
    ok = bind(FailFunction, "DioSimFailFunction") && ok;
    ok = bind(SetMaxBufferLength, "DioSimSetMaxBufferLength") && ok;
    ok = bind(ClearCallLog, "DioSimClearCallLog") && ok;
    ok = bind(GetCallLog, "DioSimGetCallLog") && ok;
    ok = bind(SetInputSource, "DioSimSetInputSource") && ok;
    dlclose(library);
    return ok;
}

std::string RUN_SIM::Log() const {
    const uint32_t size = GetCallLog(nullptr, 0);
    std::string text(size, '\0');
    GetCallLog(text.data(), size);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

std::vector<std::string> RUN_SIM::Calls(const std::string& name) const {
    std::vector<std::string> lines;
    std::istringstream in(Log());
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name + "(", 0) == 0) {
            lines.push_back(line);
        }
    }
    return lines;
}

void CRunTest::SetUp() {
    m_folder = std::filesystem::temp_directory_path() /
               ("nivara-runs-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_folder);
    m_binding = std::make_unique<CDriverBinding>(m_messages);
    m_binding->BindDriver();
    ASSERT_TRUE(m_binding->DriverBound());
    ASSERT_TRUE(m_sim.Resolve());
    ASSERT_TRUE(m_binding->SetMessagePoster(&CRunMessageLoop::DriverPost, &m_loop));
    ASSERT_EQ(m_sim.ConfigureBoards(nullptr), 0);
    m_sim.FailFunction(nullptr, 0, 0);
    m_sim.SetMaxBufferLength(0);
    m_document = std::make_unique<CLogicDocument>((m_folder / "auto").string());
    m_records = std::make_unique<CWindowRecords>("Signal");
    m_run = std::make_unique<CDeviceRun>(m_binding->RunCalls(),
                                         CDeviceRun::LINKS{*m_document, *m_records, m_graph, m_window, m_loop,
                                                           m_messages});
}

void CRunTest::TearDown() {
    m_run.reset();
    if (m_binding) {
        (void)m_binding->SetMessagePoster(nullptr, nullptr);
    }
    if (m_sim.FailFunction != nullptr) {
        m_sim.FailFunction(nullptr, 0, 0);
        m_sim.SetMaxBufferLength(0);
    }
    std::filesystem::remove_all(m_folder);
}

void CRunTest::Open(const char* name, const char* type) {
    m_document->SetDevice(type, name);
    ASSERT_EQ(m_run->OpenDevice(name), 0);
    m_sim.ClearCallLog();
}

void CRunTest::Sampling(uint32_t words, uint32_t clockNs, uint32_t memoryWords) {
    m_document->Condition().Direction = DIRECTION_SAMPLING;
    ASSERT_TRUE(m_document->SetSize(DIRECTION_SAMPLING, memoryWords, 1));
    DIRECTION_GROUP& group = m_document->Condition().SamplingGroup;
    group.ClockType = 1;
    group.Clock = clockNs;
    group.ClockUnit = 4;
    group.StartTrigger = 1;
    group.StopTrigger = 4;
    group.StartPosition = 0;
    group.StopPosition = words - 1;
    group.RepeatCount = 1;
}

bool CRunTest::WaitForRunEnd(std::chrono::milliseconds timeout) {
    const bool ended = m_loop.RunUntil(
        *m_run, [this] { return !m_run->RunActive() && !m_run->ThreadsAlive(); }, timeout);
    m_loop.DispatchPending(*m_run);
    return ended;
}

std::string CRunTest::Hex(const void* pointer) const {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(pointer)));
    return text;
}
