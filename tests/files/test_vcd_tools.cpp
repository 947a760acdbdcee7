#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "FilesTestSupport.h"
#include "files/CVcdReader.h"
#include "files/CVcdWriter.h"

// The dumps we write go through the converters of the waveform viewer every
// change intact, and the dumps of the logic analyser program read into the
// same words. The test command installs both tools.
namespace {
int Shell(const std::string& command) { return std::system(command.c_str()); }

bool Installed(const std::string& tool) { return Shell("command -v " + tool + " > /dev/null 2>&1") == 0; }

void FillCounter(CLogicDocument& document, uint32_t count) {
    document.Condition().Direction = DIRECTION_GENERATING;
    ASSERT_TRUE(document.SetSize(DIRECTION_GENERATING, count, 1));
    document.SetClock(DIRECTION_GENERATING, 1, 3);
    for (uint32_t i = 0; i < count; ++i) document.GeneratingMemory().Data()[i] = i * 2654435761U;
}
}  // namespace

TEST_F(FilesTest, OurDumpPassesThroughTheViewersConvertersUnchanged) {
    if (!Installed("vcd2fst") || !Installed("fst2vcd")) GTEST_SKIP() << "gtkwave's converters are not installed";
    FillCounter(Document, 10000);
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("ours.vcd"), "today"));
    ASSERT_EQ(Shell("vcd2fst " + Path("ours.vcd") + " " + Path("ours.fst") + " > " + Path("log.txt") + " 2>&1"), 0);
    const std::string log = ReadBytes(Path("log.txt"));
    EXPECT_EQ(log.find("arning"), std::string::npos) << log;
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;
    ASSERT_EQ(Shell("fst2vcd " + Path("ours.fst") + " > " + Path("back.vcd") + " 2>/dev/null"), 0);

    CLogicDocument read("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    std::vector<std::string> warnings;
    const FileResult result = CVcdReader::Read(read, records, window, Path("back.vcd"), 0, warnings);
    ASSERT_TRUE(result) << result.Reason;
    ASSERT_EQ(read.GeneratingMemory().Length(), 10000U);
    for (uint32_t i = 0; i < 10000; ++i) {
        ASSERT_EQ(read.GeneratingMemory().Data()[i], i * 2654435761U) << i;
    }
    EXPECT_EQ(read.Condition().GeneratingGroup.Clock, 1U);
    EXPECT_EQ(read.Condition().GeneratingGroup.ClockUnit, 3);
}

TEST_F(FilesTest, AnalyserDumpsReadIntoTheSameWords) {
    if (!Installed("sigrok-cli")) GTEST_SKIP() << "sigrok-cli is not installed";
    std::vector<uint32_t> words(5000);
    for (uint32_t i = 0; i < words.size(); ++i) words[i] = i * 40503U;
    {
        std::ofstream out(Path("in.bin"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(words.size() * 4));
    }
    ASSERT_EQ(Shell("sigrok-cli -I binary:numchannels=32:samplerate=1000000 -i " + Path("in.bin") +
                  " -O vcd -o " + Path("sigrok.vcd") + " > /dev/null 2>&1"),
              0);
    std::vector<std::string> warnings;
    const FileResult result = CVcdReader::Read(Document, Records, Window, Path("sigrok.vcd"), 0, warnings);
    ASSERT_TRUE(result) << result.Reason;
    ASSERT_EQ(Document.GeneratingMemory().Length(), words.size());
    for (uint32_t i = 0; i < words.size(); ++i) {
        ASSERT_EQ(Document.GeneratingMemory().Data()[i], words[i]) << i;
    }
    EXPECT_EQ(Document.Condition().GeneratingGroup.Clock, 1U);
    EXPECT_EQ(Document.Condition().GeneratingGroup.ClockUnit, 3);
    EXPECT_EQ(Records.Table(DIRECTION_GENERATING)->Size(), 32U);
}
