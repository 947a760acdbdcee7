#include <filesystem>

#include "FilesTestSupport.h"
#include "files/PulseFile.h"

namespace {

// Reads `path` into a fresh document and checks the progress reports: rising,
// one at least every 16 MB, the last one at the file's size.
void ExpectProgressUpTo(const std::string& path) {
    CLogicDocument document("/docs");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    ASSERT_TRUE(ReadPulseFile(document, records, window, path).Ok) << path;
    const uint64_t size = std::filesystem::file_size(path);
    ASSERT_GE(window.Progress.size(), size / (std::size_t{16} << 20));
    uint64_t previous = 0;
    for (const auto& [done, total] : window.Progress) {
        EXPECT_GT(done, previous);
        EXPECT_EQ(total, size);
        previous = done;
    }
    EXPECT_EQ(window.Progress.back().first, size);
    EXPECT_EQ(document.ValidLengthOf(2), 5000000u);
    EXPECT_EQ(document.GeneratingMemory().Word(4999999), 4999999u * 2654435761u);
}

}  // namespace

TEST_F(FilesTest, LongReadsReportTheirProgressUpToTheFileSize) {
    ASSERT_TRUE(Document.SetSize(2, 5000000, 1));
    uint32_t* words = Document.GeneratingMemory().Data();
    for (uint32_t i = 0; i < 5000000; ++i) {
        words[i] = i * 2654435761u;
    }
    for (const char* name : {"long.vpb", "long.csv"}) {
        ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path(name)).Ok) << name;
        ExpectProgressUpTo(Path(name));
    }
    // Short files report once, at their end.
    ASSERT_TRUE(Document.SetSize(2, 10, 1));
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("short.vpb")).Ok);
    CLogicDocument document("/docs");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    ASSERT_TRUE(ReadPulseFile(document, records, window, Path("short.vpb")).Ok);
    ASSERT_EQ(window.Progress.size(), 1u);
    EXPECT_EQ(window.Progress[0].first, std::filesystem::file_size(Path("short.vpb")));
}
