#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "FilesTestSupport.h"
#include "files/CVcdReader.h"
#include "files/CVcdWriter.h"
#include "files/PulseFile.h"

#include <cstdlib>
#include <filesystem>

namespace {
// A generating document of `count` words of a counter, with a table whose
// first row is a bus over channels 0..2, followed by its members, a renamed
// signal and signals on channels in another order than their rows.
void MakeCounter(CLogicDocument& document, CWindowRecords& records, uint32_t count) {
    document.Condition().Direction = DIRECTION_GENERATING;
    ASSERT_TRUE(document.SetSize(DIRECTION_GENERATING, count, 1));
    document.SetClock(DIRECTION_GENERATING, 50, 4);
    for (uint32_t i = 0; i < count; ++i) document.GeneratingMemory().Data()[i] = i * 7U;
    CChannelTable& table = *records.Table(DIRECTION_GENERATING);
    std::swap(table.At(3), table.At(9));  // rows on channels 0 1 2 9 4 .. 8 3 10 ..
    table.At(4).ChannelName = "clock in";
    table.At(5).ChannelName = "信号5";
    LOGIC_DATA bus;
    bus.DeviceChannel = 0;
    bus.ChannelName = "Bus signal0";
    bus.IsEnable = 1;
    bus.IsBus = 1;
    bus.BusChannel = 0x7;
    table.InsertAt(0, bus);
    CBookmarkList& marks = *records.Bookmarks(DIRECTION_GENERATING);
    marks.InsertAt(0, BOOKMARK_DATA{5, "start here", 0});
    marks.InsertAt(1, BOOKMARK_DATA{17, "edge", 1});
}
// Every row keeps its name, channel and bus membership.
void ExpectSameRows(const CChannelTable& table, const CChannelTable& original) {
    ASSERT_EQ(table.Size(), original.Size());
    for (std::size_t row = 0; row < table.Size(); ++row) {
        EXPECT_EQ(table.At(row).ChannelName, original.At(row).ChannelName) << row;
        EXPECT_EQ(table.At(row).DeviceChannel, original.At(row).DeviceChannel) << row;
        EXPECT_EQ(table.At(row).IsBus, original.At(row).IsBus) << row;
        EXPECT_EQ(table.At(row).BusChannel, original.At(row).BusChannel) << row;
    }
}
}  // namespace

TEST_F(FilesTest, VcdRoundTripKeepsEveryWordNameBusAndBookmark) {
    MakeCounter(Document, Records, 5000);
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("run.vcd"), "2026/12/09 12:00:00"));

    CLogicDocument read("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    std::vector<std::string> warnings;
    ASSERT_TRUE(CVcdReader::Read(read, records, window, Path("run.vcd"), 0, warnings));
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(read.Condition().Direction, DIRECTION_GENERATING);
    ASSERT_EQ(read.GeneratingMemory().Length(), 5000U);
    for (uint32_t i = 0; i < 5000; ++i) {
        ASSERT_EQ(read.GeneratingMemory().Data()[i], i * 7U) << i;
    }
    const DIRECTION_GROUP& g = read.Condition().GeneratingGroup;
    EXPECT_EQ(g.Clock, 50U);
    EXPECT_EQ(g.ClockUnit, 4);
    EXPECT_EQ(g.StartPosition, 0U);
    EXPECT_EQ(g.StopPosition, 4999U);
    EXPECT_EQ(g.RepeatCount, 1U);
    ExpectSameRows(*records.Table(DIRECTION_GENERATING), *Records.Table(DIRECTION_GENERATING));
    const CBookmarkList& marks = *records.Bookmarks(DIRECTION_GENERATING);
    ASSERT_EQ(marks.Size(), 2U);
    EXPECT_EQ(marks.At(0), (BOOKMARK_DATA{5, "start here", 0}));
    EXPECT_EQ(marks.At(1), (BOOKMARK_DATA{17, "edge", 1}));
    EXPECT_EQ(read.Saved.load(), 0);
}

TEST_F(FilesTest, VcdIsWrittenOneChangePerLineBelowItsTimestamp) {
    Document.Condition().Direction = DIRECTION_GENERATING;
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 4, 1));
    Document.SetClock(DIRECTION_GENERATING, 2, 3);
    uint32_t* words = Document.GeneratingMemory().Data();
    words[0] = 0;
    words[1] = 0x3;
    words[2] = 0x3;
    words[3] = 0x1;
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("small.vcd"), "today"));
    const std::string text = ReadBytes(Path("small.vcd"));
    EXPECT_NE(text.find("$timescale 1 us $end\n"), std::string::npos);
    EXPECT_NE(text.find("$var wire 1 ! Signal0 $end\n$var wire 1 \" Signal1 $end\n"), std::string::npos);
    EXPECT_NE(text.find("$version\n   Nivara "), std::string::npos);
    const std::size_t data = text.find("$enddefinitions $end\n");
    ASSERT_NE(data, std::string::npos);
    const std::string body = text.substr(data + 21);
    EXPECT_EQ(body.substr(0, 17), "#0\n$dumpvars\n0!\n0");
    EXPECT_NE(body.find("$end\n#2\n1!\n1\"\n#6\n0\"\n#8\n"), std::string::npos);
    EXPECT_EQ(body.substr(body.size() - 3), "#8\n");  // n x Clock ends the data
}

TEST_F(FilesTest, VcdReaderTakesForeignLayoutsVectorsAndTheCommonDivisor) {
    WriteBytes(Path("foreign.vcd"),
               "$timescale 10 ns $end\n"
               "$scope module top $end $scope module core $end\n"
               "$var wire 1 ! clk $end\n"
               "$var reg 4 # nib [3:0] $end\n"
               "$var wire 12 % wide[11:0] $end\n"
               "$var real 1 & temperature $end\n"
               "$var parameter 6 ( mode $end\n"
               "$upscope $end $upscope $end\n"
               "$enddefinitions $end\n"
               "#0 0! b1010 # b0 % r1.5 &\n"
               "#4 1! bx #\n"
               "$comment a note between the changes $end b100000 ( 1(\n"
               "b0101\n#\n"  // a vector's code on the next line
               "#8 0! b111111111111 % #12\n");
    Document.SetDevice("QDX-32A-PE", "DIO000");
    std::vector<std::string> warnings;
    ASSERT_TRUE(CVcdReader::Read(Document, Records, Window, Path("foreign.vcd"), 0, warnings));
    // Times 0, 4, 8; the last timestamp (12) without changes ends the data: 3 words of 40 ns.
    ASSERT_EQ(Document.GeneratingMemory().Length(), 3U);
    const uint32_t* w = Document.GeneratingMemory().Data();
    EXPECT_EQ(w[0], 0xAU << 1);                       // nib at channels 1..4
    EXPECT_EQ(w[1], 1U | (0x5U << 1));                // clk 1, nib x, then 0101
    EXPECT_EQ(w[2], (0xFFFU << 5) | (0x5U << 1));     // wide at channels 5..16
    // 40 ns is below the 50 ns of the document's board: the default clock, with a warning.
    EXPECT_EQ(Document.Condition().GeneratingGroup.Clock, 1U);
    EXPECT_EQ(Document.Condition().GeneratingGroup.ClockUnit, 2);
    ASSERT_EQ(warnings.size(), 2U);
    EXPECT_NE(warnings[1].find("4 x or z values were read as 0"), std::string::npos);
    const CChannelTable& table = *Records.Table(DIRECTION_GENERATING);
    ASSERT_EQ(table.Size(), 1U + 1U + 4U + 12U);  // clk, the nib bus and its 4 bits, 12 wide bits
    EXPECT_EQ(table.At(0).ChannelName, "top.core.clk");
    EXPECT_EQ(table.At(1).IsBus, 1);
    EXPECT_EQ(table.At(1).ChannelName, "top.core.nib");
    EXPECT_EQ(table.At(1).BusChannel, 0x1EU);
    EXPECT_EQ(table.At(2).ChannelName, "top.core.nib[0]");
    EXPECT_EQ(table.At(2).DeviceChannel, 1);
    EXPECT_EQ(table.At(6).ChannelName, "top.core.wide[0]");
    EXPECT_EQ(table.At(17).DeviceChannel, 16);
}

TEST_F(FilesTest, VcdPeriodOptionSamplesAtItsMultiples) {
    WriteBytes(Path("p.vcd"), "$timescale 1ns $end $var wire 1 a s $end $enddefinitions $end\n"
                              "#0\n1a\n#100\n0a\n#250\n1a\n#400\n");
    uint64_t period = 0;
    ASSERT_TRUE(CVcdReader::ParsePeriod("50ns", period));
    EXPECT_EQ(period, 50000000ULL);
    EXPECT_FALSE(CVcdReader::ParsePeriod("50", period));
    EXPECT_FALSE(CVcdReader::ParsePeriod("5 parsecs", period));
    ASSERT_TRUE(CVcdReader::ParsePeriod("100ns", period));
    std::vector<std::string> warnings;
    ASSERT_TRUE(CVcdReader::Read(Document, Records, Window, Path("p.vcd"), period, warnings));
    ASSERT_EQ(Document.GeneratingMemory().Length(), 4U);  // 0, 100, 200, 300
    const uint32_t* w = Document.GeneratingMemory().Data();
    EXPECT_EQ(w[0], 1U);
    EXPECT_EQ(w[1], 0U);
    EXPECT_EQ(w[2], 0U);
    EXPECT_EQ(w[3], 1U);
    EXPECT_EQ(Document.Condition().GeneratingGroup.Clock, 100U);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(FilesTest, VcdRefusalsNameTheFileAndLineAndChangeNothing) {
    const DOCUMENT_STATE before = StateOf(Document, Records);
    std::string wide = "$timescale 1ns $end\n";
    for (int i = 0; i < 33; ++i) wide += "$var wire 1 c" + std::to_string(i) + " s" + std::to_string(i) + " $end\n";
    wide += "$enddefinitions $end\n#0\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"wide.vcd", wide},
        {"bad.vcd", "$timescale 1ns $end $var wire 1 ! a $end $enddefinitions $end\n#0\n1!\n#5\nq!\n"},
        {"back.vcd", "$var wire 1 ! a $end $enddefinitions $end\n#10\n1!\n#5\n0!\n"},
        {"code.vcd", "$var wire 1 ! a $end $enddefinitions $end\n#0\n1?\n"},
        {"long.vcd", "$timescale 1fs $end $var wire 1 ! a $end $enddefinitions $end\n#0\n1!\n#1\n0!\n#100000001\n"},
        {"header.vcd", "$var wire 1 ! a $end\n#0\n"},
        {"empty.vcd", "$var wire 1 ! a $end\n$enddefinitions $end\n$dumpvars 1! $end\n#0\n"},
    };
    for (const auto& [name, text] : cases) {
        WriteBytes(Path(name), text);
        std::vector<std::string> warnings;
        const FileResult result = CVcdReader::Read(Document, Records, Window, Path(name), 0, warnings);
        EXPECT_FALSE(result) << name;
        EXPECT_EQ(result.Reason.rfind(Path(name) + ":", 0), 0U) << result.Reason;
        EXPECT_EQ(StateOf(Document, Records), before) << name;
    }
    // Data that ends at time 0 is told as such, on the line it ends on.
    std::vector<std::string> warnings;
    const FileResult result = CVcdReader::Read(Document, Records, Window, Path("empty.vcd"), 0, warnings);
    EXPECT_EQ(result.Reason, Path("empty.vcd") + ":4: the dump holds no word: its data ends at time 0");
}

TEST_F(FilesTest, ConvertWritesAndReadsValueChangeDumpsByTheirExtension) {
    MakeCounter(Document, Records, 3000);
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("in.vpb")));
    const std::string cli = NIVARA_CLI;
    ASSERT_EQ(std::system((cli + " convert " + Path("in.vpb") + " " + Path("out.vcd")).c_str()), 0);
    ASSERT_EQ(std::system((cli + " convert " + Path("out.vcd") + " " + Path("back.vpb")).c_str()), 0);
    CLogicDocument read("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    ASSERT_TRUE(ReadPulseFile(read, records, window, Path("back.vpb")));
    ASSERT_EQ(read.GeneratingMemory().Length(), 3000U);
    for (uint32_t i = 0; i < 3000; ++i) {
        ASSERT_EQ(read.GeneratingMemory().Data()[i], i * 7U) << i;
    }
    ExpectSameRows(*records.Table(DIRECTION_GENERATING), *Records.Table(DIRECTION_GENERATING));

    // A period twice the file's step takes every second word.
    ASSERT_EQ(std::system((cli + " convert " + Path("out.vcd") + " " + Path("half.csv") + " --period 100ns").c_str()), 0);
    CLogicDocument half("/tmp");
    CWindowRecords halfRecords("Signal");
    ASSERT_TRUE(ReadPulseFile(half, halfRecords, window, Path("half.csv")));
    ASSERT_EQ(half.GeneratingMemory().Length(), 1500U);
    for (uint32_t i = 0; i < 1500; ++i) {
        ASSERT_EQ(half.GeneratingMemory().Data()[i], i * 2 * 7U) << i;
    }
    EXPECT_EQ(half.Condition().GeneratingGroup.Clock, 100U);
    EXPECT_EQ(half.Condition().GeneratingGroup.ClockUnit, 4);

    // A period that is no whole number of the file's units, a bad option
    // value, and a period for an input that is no dump.
    EXPECT_NE(std::system((cli + " convert " + Path("out.vcd") + " " + Path("x.vpb") + " --period 7fs 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((cli + " convert " + Path("out.vcd") + " " + Path("x.vpb") + " --period fast 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((cli + " convert " + Path("in.vpb") + " " + Path("x.vpb") + " --period 100ns 2> " +
                           Path("err.txt")).c_str()),
              0);
    EXPECT_NE(ReadBytes(Path("err.txt")).find("--period applies only to a .vcd IN"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("x.vpb")));
}

TEST_F(FilesTest, VcdNamesWithBlankRunsBracketsAndCommentWordsRoundTrip) {
    Document.Condition().Direction = DIRECTION_GENERATING;
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 50, 1));
    for (uint32_t i = 0; i < 50; ++i) Document.GeneratingMemory().Data()[i] = i * 0x11111111U;
    CChannelTable& table = *Records.Table(DIRECTION_GENERATING);
    const std::vector<std::string> names = {"a  b", "data[3]", "x[", "100% $end", " lead", "tab\there", "[7:0]",
                                            "$end", "$var"};
    for (std::size_t i = 0; i < names.size(); ++i) table.At(i).ChannelName = names[i];
    CBookmarkList& marks = *Records.Bookmarks(DIRECTION_GENERATING);
    marks.InsertAt(0, BOOKMARK_DATA{3, "current edge", 0});
    marks.InsertAt(1, BOOKMARK_DATA{4, "", 1});
    marks.InsertAt(2, BOOKMARK_DATA{5, "  two  blanks ", 0});
    marks.InsertAt(3, BOOKMARK_DATA{6, "current", 1});
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("names.vcd"), "today"));
    const std::string text = ReadBytes(Path("names.vcd"));
    // No declared name holds a bracket a reader would take for a bit select,
    // nor a '$' that could read as a keyword.
    for (std::size_t at = text.find("$var "); at != std::string::npos; at = text.find("$var ", at + 1)) {
        const std::string line = text.substr(at, text.find('\n', at) - at);
        EXPECT_EQ(line.find('['), std::string::npos) << line;
        std::istringstream words(line);
        std::string var, kind, width, code, reference;
        words >> var >> kind >> width >> code >> reference;
        EXPECT_EQ(reference.find('$'), std::string::npos) << line;
    }

    CLogicDocument read("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    std::vector<std::string> warnings;
    ASSERT_TRUE(CVcdReader::Read(read, records, window, Path("names.vcd"), 0, warnings));
    const CChannelTable& back = *records.Table(DIRECTION_GENERATING);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(back.At(i).ChannelName, names[i]) << i;
        EXPECT_EQ(back.At(i).DeviceChannel, static_cast<int16_t>(i));
    }
    const CBookmarkList& got = *records.Bookmarks(DIRECTION_GENERATING);
    ASSERT_EQ(got.Size(), 4U);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(got.At(i), marks.At(i)) << i;
    for (uint32_t i = 0; i < 50; ++i) ASSERT_EQ(read.GeneratingMemory().Data()[i], i * 0x11111111U) << i;

    if (std::system("command -v vcd2fst > /dev/null 2>&1") == 0) {
        ASSERT_EQ(std::system(("vcd2fst " + Path("names.vcd") + " " + Path("names.fst") + " > " + Path("log.txt") +
                               " 2>&1").c_str()),
                  0);
        const std::string log = ReadBytes(Path("log.txt"));
        EXPECT_EQ(log.find("arning"), std::string::npos) << log;
        EXPECT_EQ(log.find("rror"), std::string::npos) << log;
    }
}

TEST_F(FilesTest, VcdSaysWhichClockGivesTheTimes) {
    Document.Condition().Direction = DIRECTION_GENERATING;
    ASSERT_TRUE(Document.SetSize(DIRECTION_GENERATING, 3, 1));
    Document.Condition().GeneratingGroup.ClockType = 2;
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("external.vcd"), "today"));
    Document.Condition().GeneratingGroup.ClockType = 3;
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("handshake.vcd"), "today"));
    Document.Condition().GeneratingGroup.ClockType = 1;
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("internal.vcd"), "today"));
    EXPECT_NE(ReadBytes(Path("external.vcd")).find("$comment times are clock indexes: the clock is external $end\n"),
              std::string::npos);
    const std::string handshake = ReadBytes(Path("handshake.vcd"));
    EXPECT_NE(handshake.find("$comment times are clock indexes: the clock is the handshake $end\n"), std::string::npos);
    EXPECT_EQ(handshake.find("external"), std::string::npos);
    EXPECT_EQ(ReadBytes(Path("internal.vcd")).find("clock indexes"), std::string::npos);
}

TEST_F(FilesTest, VcdRangesNameTheirBitsFromTheRightIndex) {
    WriteBytes(Path("ranges.vcd"),
               "$timescale 1 us $end\n"
               "$var wire 8 # up [0:7] $end\n"
               "$var wire 4 $ down[3:0] $end\n"
               "$var wire 1 % one [5] $end\n"
               "$var wire 2 & neg [-1:-2] $end\n"
               "$enddefinitions $end\n"
               "#0 b00000001 # b1000 $ 1% b01 &\n#1\n");
    std::vector<std::string> warnings;
    ASSERT_TRUE(CVcdReader::Read(Document, Records, Window, Path("ranges.vcd"), 0, warnings));
    ASSERT_EQ(Document.GeneratingMemory().Length(), 1U);
    // The rightmost digit is the least significant bit and takes the first channel.
    EXPECT_EQ(Document.GeneratingMemory().Data()[0], 0x1U | (0x8U << 8) | (1U << 12) | (0x1U << 13));
    const CChannelTable& table = *Records.Table(DIRECTION_GENERATING);
    std::vector<std::pair<std::string, int>> rows;
    for (std::size_t i = 0; i < table.Size(); ++i) {
        if (table.At(i).IsBus == 0) rows.emplace_back(table.At(i).ChannelName, table.At(i).DeviceChannel);
    }
    ASSERT_EQ(rows.size(), 15U);
    EXPECT_EQ(rows[0], (std::pair<std::string, int>{"up[7]", 0}));
    EXPECT_EQ(rows[7], (std::pair<std::string, int>{"up[0]", 7}));
    EXPECT_EQ(rows[8], (std::pair<std::string, int>{"down[0]", 8}));
    EXPECT_EQ(rows[11], (std::pair<std::string, int>{"down[3]", 11}));
    EXPECT_EQ(rows[12], (std::pair<std::string, int>{"one[5]", 12}));
    EXPECT_EQ(rows[13], (std::pair<std::string, int>{"neg[-2]", 13}));
    EXPECT_EQ(rows[14], (std::pair<std::string, int>{"neg[-1]", 14}));
}

TEST_F(FilesTest, VcdRefusesIndexesBeyondTheIntRangeAndPeriodsFinerThanNanoseconds) {
    const DOCUMENT_STATE before = StateOf(Document, Records);
    for (const char* range : {"[2147483655:2147483648]", "[2147483647:2147483641]", "[4294967303:4294967296]",
                              "[-2147483641:-2147483649]", "[x:0]", "[7:0"}) {
        WriteBytes(Path("index.vcd"), std::string("$var wire 8 # d ") + range + " $end\n$enddefinitions $end\n#0\n");
        std::vector<std::string> warnings;
        const FileResult result = CVcdReader::Read(Document, Records, Window, Path("index.vcd"), 0, warnings);
        EXPECT_FALSE(result) << range;
        EXPECT_EQ(result.Reason.rfind(Path("index.vcd") + ":1: ", 0), 0U) << range << " " << result.Reason;
        EXPECT_EQ(StateOf(Document, Records), before) << range;
    }
    uint64_t period = 0;
    EXPECT_TRUE(CVcdReader::ParsePeriod("1s", period));
    EXPECT_EQ(period, 1000000000000000ULL);
    EXPECT_TRUE(CVcdReader::ParsePeriod("2ms", period));
    EXPECT_TRUE(CVcdReader::ParsePeriod("3us", period));
    EXPECT_EQ(period, 3000000000ULL);
    EXPECT_TRUE(CVcdReader::ParsePeriod("4 ns", period));
    EXPECT_EQ(period, 4000000ULL);
    EXPECT_FALSE(CVcdReader::ParsePeriod("5ps", period));
    EXPECT_FALSE(CVcdReader::ParsePeriod("6fs", period));
    EXPECT_FALSE(CVcdReader::ParsePeriod("0ns", period));
    const std::string cli = NIVARA_CLI;
    MakeCounter(Document, Records, 10);
    ASSERT_TRUE(CVcdWriter::Write(Document, Records, Path("in.vcd"), "today"));
    ASSERT_NE(std::system((cli + " convert " + Path("in.vcd") + " " + Path("x.vpb") + " --period 500ps 2> " +
                           Path("err.txt")).c_str()),
              0);
    EXPECT_NE(ReadBytes(Path("err.txt")).find("--period takes a whole number of s, ms, us or ns"), std::string::npos);
}

TEST_F(FilesTest, VcdFinerTimesLaterSpreadTheWordsSampledSoFar) {
    // Steps of 10 for 100 changes, then a time that makes the step 5.
    std::string text = "$timescale 1 us $end $var wire 1 a s $end $enddefinitions $end\n";
    for (int t = 0; t <= 1000; t += 10) text += "#" + std::to_string(t) + "\n" + ((t / 10) % 2 ? "1a\n" : "0a\n");
    text += "#1005\n0a\n#1010\n";
    WriteBytes(Path("finer.vcd"), text);
    std::vector<std::string> warnings;
    ASSERT_TRUE(CVcdReader::Read(Document, Records, Window, Path("finer.vcd"), 0, warnings));
    ASSERT_EQ(Document.GeneratingMemory().Length(), 202U);  // 0, 5, ... 1005; 1010 ends the data
    const uint32_t* w = Document.GeneratingMemory().Data();
    for (uint32_t i = 0; i < 201; ++i) ASSERT_EQ(w[i], (i / 2) % 2) << i;
    EXPECT_EQ(w[201], 0U);
    EXPECT_EQ(Document.Condition().GeneratingGroup.Clock, 5U);
    EXPECT_EQ(Document.Condition().GeneratingGroup.ClockUnit, 3);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(FilesTest, VcdFailureDeepInTheChangesLeavesTheDocumentAsItWas) {
    MakeCounter(Document, Records, 300);
    const DOCUMENT_STATE before = StateOf(Document, Records);
    std::string text = "$timescale 1 ns $end $var wire 1 ! a $end $enddefinitions $end\n";
    for (int t = 0; t < 200000; ++t) text += "#" + std::to_string(t) + "\n" + (t % 2 ? "1!\n" : "0!\n");
    const std::vector<std::tuple<std::string, std::string, int>> endings = {
        {"bad.vcd", "#200000\n2!\n", 400003},
        {"back.vcd", "#199998\n0!\n", 400002},
        {"undeclared.vcd", "#200000\n1?\n", 400003},
        {"open.vcd", "#200000\nb101\n", 400003},
        {"comment.vcd", "$comment never ended\n", 400002},
        {"toomany.vcd", "#200000\n#100000000000\n1!\n", 400003},
    };
    for (const auto& [name, ending, line] : endings) {
        WriteBytes(Path(name), text + ending);
        std::vector<std::string> warnings;
        const FileResult result = CVcdReader::Read(Document, Records, Window, Path(name), 0, warnings);
        EXPECT_FALSE(result) << name;
        // Line 1 is the header, then two lines per time: the failing line
        // stands in the ending.
        EXPECT_EQ(result.Reason.rfind(Path(name) + ":" + std::to_string(line) + ": ", 0), 0U) << result.Reason;
        EXPECT_EQ(StateOf(Document, Records), before) << name;
        EXPECT_TRUE(warnings.empty()) << name;
    }
}

TEST_F(FilesTest, VcdImportCleansNamesByTheSignalPanelsRule) {
    const std::string longName(300, 'n');
    WriteBytes(Path("names.vcd"), "$timescale 1 us $end\n"
                                  "$var wire 1 ! a,b $end\n"
                                  "$var wire 1 \" Data $end\n"
                                  "$var wire 1 # " + longName + " $end\n"
                                  "$var wire 1 % IsCurrentBookmark $end\n"
                                  "$enddefinitions $end\n#0\n1!\n0\"\n1#\n0%\n#1\n");
    std::vector<std::string> warnings;
    const FileResult result = CVcdReader::Read(Document, Records, Window, Path("names.vcd"), 0, warnings);
    ASSERT_TRUE(result) << result.Reason;
    const CChannelTable& table = *Records.Table(DIRECTION_GENERATING);
    ASSERT_EQ(table.Size(), 4U);
    EXPECT_EQ(table.At(0).ChannelName, "a_b");
    EXPECT_EQ(table.At(1).ChannelName, "Data_");
    EXPECT_EQ(table.At(2).ChannelName, std::string(255, 'n'));
    EXPECT_EQ(table.At(3).ChannelName, "IsCurrentBookmark_");
    ASSERT_EQ(Document.GeneratingMemory().Length(), 1U);
    EXPECT_EQ(Document.GeneratingMemory().Data()[0], 0x5U);
    // Saved as a pulse text file, every name reads back as it was imported.
    ASSERT_TRUE(WritePulseFile(Document, Records, Window, Path("names.csv")));
    CLogicDocument read("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    ASSERT_TRUE(ReadPulseFile(read, records, window, Path("names.csv")));
    for (std::size_t row = 0; row < table.Size(); ++row) {
        EXPECT_EQ(records.Table(DIRECTION_GENERATING)->At(row).ChannelName, table.At(row).ChannelName) << row;
    }
}

TEST_F(FilesTest, VcdTimesAndChangesReadAlikeInEveryLayout) {
    // The same words written with long zero-padded times, changes on the
    // timestamp's line, steps of one and jumps, and a last change without a
    // line end.
    const std::string head = "$timescale 1 ns $end $var wire 1 ! a $end $var wire 1 \" b $end $enddefinitions $end\n";
    const std::string plain = head + "#0\n0!\n1\"\n#1\n1!\n#2\n#3\n0\"\n#6\n0!\n#7\n1!\n";
    const std::string mixed = head + "#000000000000000000000 0! 1\" #1 1! #2\n#00000000000000000000003\t0\"\n"
                                     "#6 0!\r\n#7\n1!";
    for (const auto& [name, text] : {std::pair<std::string, std::string>{"plain.vcd", plain}, {"mixed.vcd", mixed}}) {
        WriteBytes(Path(name), text);
        std::vector<std::string> warnings;
        const FileResult result = CVcdReader::Read(Document, Records, Window, Path(name), 0, warnings);
        ASSERT_TRUE(result) << name << ": " << result.Reason;
        const CLogicMemory& memory = Document.GeneratingMemory();
        const std::vector<uint32_t> words(memory.Data(), memory.Data() + memory.Length());
        EXPECT_EQ(words, (std::vector<uint32_t>{2, 3, 3, 1, 1, 1, 0, 1})) << name;
    }
}
