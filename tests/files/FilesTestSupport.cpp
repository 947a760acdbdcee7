#include "FilesTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <fstream>
#include <iterator>

FilesTest::FilesTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nivara-files-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a test folder");
    }
    m_folder = pattern;
}

FilesTest::~FilesTest() {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

std::vector<std::string> FilesTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FilesTest::ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void FilesTest::WriteBytes(const std::string& path, const std::string& bytes) {
    // A new file each time: rewriting a truncated file makes some file
    // systems flush it to disk first, which slows the many small cases down.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void FilesTest::MakeRich(int direction) {
    LOGIC_CONDITION& c = Document.Condition();
    c.Direction = static_cast<int16_t>(direction);
    Document.SetDevice("QDX-32C-PE", "QDX32C0");
    DIRECTION_GROUP& g = *c.Group(direction);
    g.MaxChannels = 32;
    g.ClockType = 2;
    g.Clock = 3000000000U;  // above INT32_MAX: written as a negative "%d"
    g.ClockUnit = 4;
    g.StartTrigger = 4;
    g.StopTrigger = 1;
    g.StartPosition = 7;
    g.StopPosition = 1234;
    g.RepeatCount = 3;
    c.StartPattern = 0xA5A5A5A5;
    c.PatternMask = 0x0000FFFF;
    c.ReadOnly = 1;
    c.MonitorMode = 2;
    c.MonitorMethod = 1;
    c.MonitorPercentage = 40;
    c.MonitorDataBase = 1;
    c.MonitorData = 0xDEADBEEF;
    c.MonitorDataBitNumbers = 12;
    c.MonitorChannel = 5;
    c.AutoSave = 1;
    c.AutoSavePath = "/data/runs";
    c.AutoSaveFileType = 1;
    c.AutoSaveFileName = "Bench";
    ASSERT_TRUE(Document.SetSize(direction, 2345, 3));
    CLogicMemory& memory = *Document.Memory(direction);
    for (uint32_t i = 0; i < memory.Length(); ++i) {
        memory.Data()[i] = i * 2654435761U;
    }
    if (direction == DIRECTION_SAMPLING) {
        Document.LastCount = 2000;  // 2000 valid words of 2345
    }
    CChannelTable& table = *Records.Table(direction);
    LOGIC_DATA bus;
    bus.DeviceChannel = 0;
    bus.ChannelName = "Bus signal0";
    bus.IsEnable = 1;
    bus.IsBus = 1;
    bus.BusChannel = 0x24;
    bus.IsShown = 1;
    table.InsertAt(0, bus);
    table[3].ChannelName = "clk out";
    CBookmarkList& marks = *Records.Bookmarks(direction);
    marks.Append({5, "first mark", 0});
    marks.Append({77, "", 1});
    marks.Append({3000000001U, "far", 0});
}

DOCUMENT_STATE StateOf(const CLogicDocument& document, const CWindowRecords& records) {
    DOCUMENT_STATE state;
    state.Condition = document.Condition();
    const CLogicMemory& s = document.SamplingMemory();
    const CLogicMemory& g = document.GeneratingMemory();
    state.Sampling.assign(s.Data(), s.Data() + s.Length());
    state.Generating.assign(g.Data(), g.Data() + g.Length());
    state.LastCount = document.LastCount.load();
    state.SamplingTable = records.SamplingTable;
    state.GeneratingTable = records.GeneratingTable;
    state.SamplingBookmarks = records.SamplingBookmarks;
    state.GeneratingBookmarks = records.GeneratingBookmarks;
    return state;
}
