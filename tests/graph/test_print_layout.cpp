#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "graph/CGraphModel.h"
#include "graph/CPrintLayout.h"
#include "resources/CStringTable.h"

namespace {

// An ASCII character is 6 units wide in the small font and 11 in the large
// one; any other character (a UTF-8 lead byte, its continuation bytes not
// counted) twice as wide, as a Japanese character is in a proportional font.
class CFixedMeasure : public IPrintMeasure {
public:
    int TextWidth(const std::string& text, PRINT_FONT font) const override {
        int halfWidths = 0;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80U) {
                halfWidths += 1;
            } else if ((byte & 0xC0U) != 0x80U) {
                halfWidths += 2;
            }
        }
        return halfWidths * (font == PRINT_FONT::Large ? 11 : 6);
    }
};

// A4 (210 x 297 mm) or Letter (216 x 279 mm) at 600 dpi, seen from a 96 dpi screen.
PRINT_DEVICE Paper(int widthMm, int heightMm) {
    PRINT_DEVICE device;
    device.horzSizeMm = widthMm;
    device.vertSizeMm = heightMm;
    device.horzRes = static_cast<int>(widthMm * 600 / 25.4);
    device.vertRes = static_cast<int>(heightMm * 600 / 25.4);
    device.screenDpiX = 96;
    device.screenDpiY = 96;
    return device;
}
const PRINT_DEVICE A4 = Paper(210, 297);
const PRINT_DEVICE Letter = Paper(216, 279);
constexpr int LargeLine = 24;
constexpr int SmallLine = 12;

PRINT_GRAPH Graph(int rows) {
    PRINT_GRAPH graph;
    graph.direction = 2;
    graph.title = "pattern.csv";
    graph.deviceName = "QDX-32A-PE";
    graph.clocksPerPage = 100;
    graph.validLength = 1000;
    graph.tickCount = 100;
    for (int i = 0; i < rows; ++i) {
        graph.rows.push_back({"Signal" + std::to_string(i), false});
    }
    return graph;
}

bool HasNonAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80U) {
            return true;
        }
    }
    return false;
}

bool Overlap(const GRAPH_RECT& a, const GRAPH_RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const GRAPH_RECT& inner, const GRAPH_RECT& outer) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

class PrintLayoutTest : public ::testing::Test {
protected:
    PRINT_PAGE Print(const PRINT_GRAPH& graph, const PRINT_DEVICE& device = A4) const {
        return CPrintLayout(device, LargeLine, SmallLine, measure).Compute(graph);
    }
    CFixedMeasure measure;
};

}  // namespace

TEST_F(PrintLayoutTest, MapsTheA4SheetToScreenPixelsWithTwentyMillimetreMargins) {
    const PRINT_PAGE page = Print(Graph(4));
    EXPECT_EQ(page.pageWidth, 793);   // 96 * 4960 / 600
    EXPECT_EQ(page.pageHeight, 1122);  // 96 * 7015 / 600
    EXPECT_EQ(page.printable, (GRAPH_RECT{75, 75, 717, 1046}));
    // The date line sits right-aligned on the first line; the graph frame starts below it.
    EXPECT_EQ(page.date.box, (GRAPH_RECT{75, 75, 717, 75 + LargeLine}));
    EXPECT_EQ(page.date.align, PRINT_ALIGN::Right);
    EXPECT_EQ(page.frame.top, 75 + LargeLine + 5);
    EXPECT_EQ(page.frame.bottom, 1046 - 7 * SmallLine - 2 * LargeLine - 14);
    EXPECT_EQ(page.footer.text, "- 1 -");
    EXPECT_EQ(page.footer.box, (GRAPH_RECT{75, 1046 - SmallLine, 717, 1046}));
}

TEST_F(PrintLayoutTest, WithoutAScreenThePrinterDpiServeForBoth) {
    PRINT_DEVICE device = A4;
    device.screenDpiX = 0;
    device.screenDpiY = 0;
    const PRINT_PAGE page = Print(Graph(4), device);
    EXPECT_EQ(page.pageWidth, A4.horzRes);
    EXPECT_EQ(page.pageHeight, A4.vertRes);
}

TEST_F(PrintLayoutTest, FourRowsOnA4ShareTheGraphAreaBelowTheRulerInQuarters) {
    const PRINT_PAGE page = Print(Graph(4));
    const int gt = page.frame.top;
    const int gb = page.frame.bottom;
    EXPECT_EQ(page.ruler.top, gt + 2);
    EXPECT_EQ(page.ruler.bottom, gt + 2 + 20);
    EXPECT_EQ(page.waveArea.top, page.ruler.bottom);
    EXPECT_EQ(page.rowHeight, (gb - page.waveArea.top - 1) / 4);
    EXPECT_LE(page.waveArea.top + 4 * page.rowHeight, gb);
    EXPECT_GT(page.waveArea.top + 5 * page.rowHeight, gb);
    // Names: one per row, centred in rows of floor((GB - (GT + RH) - 3) / n).
    ASSERT_EQ(page.names.size(), 4U);
    EXPECT_EQ(page.nameRowHeight, (gb - (gt + 20) - 3) / 4);
    EXPECT_EQ(page.names[3].box.top, gt + 20 + 3 * page.nameRowHeight);
    EXPECT_EQ(page.names[0].box.left, 75 + 2);
    // The graph starts at the right end of the longest name ("Signal0", 7 characters).
    EXPECT_EQ(page.graphLeft, 77 + 7 * 6);
    EXPECT_EQ(page.waveArea.left, page.graphLeft);
    EXPECT_EQ(page.waveArea.right, 717 - 2);
}

TEST_F(PrintLayoutTest, NamesInsideABusAreIndentedAndLongNamesStopAtAThirdOfTheWidth) {
    PRINT_GRAPH graph = Graph(3);
    graph.rows[1].inBus = true;
    graph.rows[2].name = std::string(200, 'W');
    const PRINT_PAGE page = Print(graph);
    EXPECT_EQ(page.names[1].box.left, 75 + 12);
    EXPECT_LE(page.graphLeft, 75 + (717 - 75) / 3);
    EXPECT_GT(page.graphLeft, 75 + (717 - 75) / 3 - 6);
    EXPECT_EQ(page.names[2].Extent().right, page.graphLeft);
    EXPECT_EQ(page.names[2].text.substr(page.names[2].text.size() - 3), "...");
}

TEST_F(PrintLayoutTest, TheRulerKeepsTheScreenTickCountAndValues) {
    PRINT_GRAPH graph = Graph(4);
    graph.tickCount = 80;
    graph.step = 2;  // zoom 0.5: two clocks per tick
    graph.firstValue = 300;
    graph.zoom = 0.5;
    const PRINT_PAGE page = Print(graph);
    const float spacing = static_cast<float>(715 - page.graphLeft) / 80;
    EXPECT_FLOAT_EQ(page.tickSpacing, spacing);
    ASSERT_EQ(page.ticks.size(), 80U);
    // Every tenth tick runs the full height, every fifth 9 units, the others 6.
    EXPECT_EQ(page.ticks[0], (PRINT_LINE{page.graphLeft, page.ruler.bottom, page.graphLeft, page.ruler.top}));
    EXPECT_EQ(page.ticks[5].y1 - page.ticks[5].y2, 9);
    EXPECT_EQ(page.ticks[7].y1 - page.ticks[7].y2, 6);
    EXPECT_EQ(page.ticks[13].x1, page.graphLeft + static_cast<int>(13 * spacing));
    ASSERT_GE(page.tickLabels.size(), 7U);
    EXPECT_EQ(page.tickLabels[0].text, "300");
    EXPECT_EQ(page.tickLabels[1].text, "320");
    EXPECT_EQ(page.tickLabels[1].box.left, page.ticks[10].x1 + 5);
    // A value hangs from GT + 4, one small line high, no lower.
    EXPECT_EQ(page.tickLabels[1].box.top, page.frame.top + 4);
    EXPECT_EQ(page.tickLabels[1].box.bottom, page.frame.top + 4 + SmallLine);
    EXPECT_TRUE(page.tickLabels[1].top);
    EXPECT_EQ(page.tickLabels[1].Extent(), (GRAPH_RECT{page.ticks[10].x1 + 5, page.frame.top + 4,
                                                       page.ticks[10].x1 + 5 + 3 * 6, page.frame.top + 4 + SmallLine}));
    EXPECT_TRUE(page.tickLabels[1].opaque);
    // The unit label ends 7 units left of the margin.
    EXPECT_EQ(page.unitLabel.text, "[ Clock ]");
    EXPECT_EQ(page.unitLabel.Extent().right, 717 - 7);
    for (const PRINT_TEXT& label : page.tickLabels) {
        EXPECT_FALSE(Overlap(label.Extent(), page.unitLabel.Extent())) << label.text;
    }
}

TEST_F(PrintLayoutTest, AtZoomOneHalfTheSameClocksArePrintedAtHalfTheSpacing) {
    PRINT_GRAPH one = Graph(4);
    one.firstVisibleClock = 40;
    one.clocksPerPage = 78;
    PRINT_GRAPH half = one;
    half.zoom = 0.5;
    half.clocksPerPage = 156;
    const PRINT_PAGE atOne = Print(one);
    const PRINT_PAGE atHalf = Print(half);
    EXPECT_FLOAT_EQ(atOne.pixelsPerClock, atOne.tickSpacing);
    EXPECT_FLOAT_EQ(atHalf.pixelsPerClock, atOne.pixelsPerClock * 0.5f);
    EXPECT_EQ(atHalf.firstClock, 40);
    EXPECT_EQ(atHalf.endClock, 40 + 156 + 1);
    EXPECT_EQ(atOne.busHalfWidth, 2);  // 5.96 units per clock
    EXPECT_EQ(atHalf.busHalfWidth, 1);  // 2.98
    // Bounded by the valid length.
    half.validLength = 100;
    EXPECT_EQ(Print(half).endClock, 100);
}

TEST_F(PrintLayoutTest, TheInformationBlockFillsFourColumnsFromTheCursorBoxes) {
    PRINT_GRAPH graph = Graph(4);
    graph.cursorShown = {true, true};
    graph.cursorPosition = {10, 30};
    graph.cursorLines[0] = {"Cursor A:", "Data: 0000000F[Hex]", "Position: 10[Clock]", "[A]-[B]: -20[Clock]"};
    graph.cursorLines[1] = {"Cursor B:", "Data: 00000001[Hex]", "Position: 30[Clock]", "[B]-[A]: 20[Clock]"};
    const PRINT_PAGE page = Print(graph);
    const int column = (717 - 75) / 4;
    const auto at = [&page](const std::string& text) {
        const PRINT_TEXT* found = page.InfoText(text);
        EXPECT_NE(found, nullptr) << text;
        return found != nullptr ? found->box : GRAPH_RECT{};
    };
    EXPECT_EQ(at("<Generating Infomation>").left, 75);
    EXPECT_EQ(at("<Generating Infomation>").right, 717);  // spans to the margin
    EXPECT_EQ(at("<Cursor Information>").left, 75 + 2 * column);
    EXPECT_EQ(at("pattern.csv").left, 75 + column);
    EXPECT_EQ(at("pattern.csv").top, at("File name").top);
    EXPECT_EQ(at("32").top, at("Total channels").top);
    EXPECT_EQ(at("QDX-32A-PE").top, at("Device name").top);
    EXPECT_EQ(at("10[Clock]").left, 75 + 3 * column);
    EXPECT_EQ(at("10[Clock]").top, at("Cursor A time").top);
    EXPECT_EQ(at("30[Clock]").top, at("Cursor B time").top);
    EXPECT_EQ(at("-20[Clock]").top, at("Cursor A-B time").top);
    EXPECT_EQ(at("20[Clock]").top, at("Cursor B-A time").top);
    EXPECT_EQ(at("0000000F[Hex]").left, 75);
    EXPECT_EQ(at("00000001[Hex]").left, 75 + column);
    EXPECT_EQ(at("<Generating Infomation>").top, page.frame.bottom + 5);
    EXPECT_EQ(at("File name").top, page.frame.bottom + 5 + LargeLine + 1);
    EXPECT_EQ(at("Cursor A value").top, at("<Channel Information>").bottom + 1);
    // Each column keeps its own line position: the left columns print no
    // fifth line, so their heading shares its line with "Cursor B-A time".
    EXPECT_EQ(at("<Channel Information>").top, at("Cursor B-A time").top);
    EXPECT_EQ(at("<Channel Information>").top, at("Device name").bottom + 1);
    EXPECT_EQ(page.InfoText("xxxxx"), nullptr);
}

TEST_F(PrintLayoutTest, AHiddenCursorBPrintsCrossesForEveryTextThatNeedsIt) {
    PRINT_GRAPH graph = Graph(4);
    graph.cursorShown = {true, false};
    graph.cursorLines[0] = {"Cursor A:", "Data: 0000000F[Hex]", "Position: 10[Clock]", ""};
    const PRINT_PAGE page = Print(graph);
    std::vector<int> crossedRows;
    for (const PRINT_TEXT& text : page.info) {
        if (text.text == "xxxxx") {
            crossedRows.push_back(text.box.top);
        }
    }
    ASSERT_EQ(crossedRows.size(), 4U);
    const auto rowOf = [&page](const char* label) { return page.InfoText(label)->box.top; };
    EXPECT_EQ(crossedRows[0], rowOf("Cursor B time"));
    EXPECT_EQ(crossedRows[1], rowOf("Cursor A-B time"));
    EXPECT_EQ(crossedRows[2], rowOf("Cursor B-A time"));
    EXPECT_EQ(crossedRows[3], rowOf("Cursor A value") + SmallLine + 1);  // under "Cursor B value"
    EXPECT_NE(page.InfoText("10[Clock]"), nullptr);
    EXPECT_NE(page.InfoText("0000000F[Hex]"), nullptr);
    EXPECT_FALSE(page.cursors[1].shown);
}

TEST_F(PrintLayoutTest, TheFirstHeadingNamesTheDirection) {
    PRINT_GRAPH graph = Graph(2);
    EXPECT_NE(Print(graph).InfoText("<Generating Infomation>"), nullptr);
    graph.direction = 1;
    const PRINT_PAGE sampling = Print(graph);
    EXPECT_NE(sampling.InfoText("<Sampling Infomation>"), nullptr);
    EXPECT_EQ(sampling.InfoText("<Generating Infomation>"), nullptr);
}

TEST_F(PrintLayoutTest, CursorsInsideTheRangeGetAHandleAndALineOthersAnEdgeTriangle) {
    PRINT_GRAPH graph = Graph(4);
    graph.absoluteOffset = 1000;
    graph.firstVisibleClock = 100;
    graph.clocksPerPage = 101;  // absolute 1100 .. 1200
    graph.cursorShown = {true, true};
    graph.cursorPosition = {1150, 1300};
    const PRINT_PAGE page = Print(graph);
    const PRINT_CURSOR& a = page.cursors[0];
    ASSERT_TRUE(a.inside);
    const int gl = page.graphLeft;
    EXPECT_EQ(a.x, gl + (715 - gl) * 50 / 100);
    const int gt = page.frame.top;
    EXPECT_EQ(a.polygon, (std::vector<GRAPH_POINT>{{a.x - 6, gt}, {a.x + 6, gt}, {a.x + 6, gt + 7}, {a.x, gt + 13},
                                                   {a.x - 6, gt + 7}}));
    EXPECT_EQ(a.line, (PRINT_LINE{a.x, gt + 13, a.x, page.frame.bottom}));
    EXPECT_EQ(a.letter.text, "A");
    const PRINT_CURSOR& b = page.cursors[1];
    EXPECT_FALSE(b.inside);
    ASSERT_EQ(b.polygon.size(), 3U);
    EXPECT_EQ(b.polygon[1], (GRAPH_POINT{715, gt + 6}));
    EXPECT_EQ(b.polygon[0].x, 715 - 6);
    // At both ends of the range.
    graph.cursorPosition = {1100, 1200};
    const PRINT_PAGE ends = Print(graph);
    EXPECT_EQ(ends.cursors[0].x, gl);
    EXPECT_EQ(ends.cursors[1].x, 715);
}

TEST_F(PrintLayoutTest, DegenerateStatesStillGiveAPage) {
    PRINT_GRAPH graph = Graph(0);
    graph.tickCount = 0;
    graph.clocksPerPage = 1;  // one visible clock: no division by zero
    graph.cursorShown = {true, false};
    graph.cursorPosition = {0, 0};
    PRINT_DEVICE narrow = A4;
    narrow.horzSizeMm = 30;  // narrower than two margins
    narrow.horzRes = 708;
    const PRINT_PAGE page = Print(graph, narrow);
    EXPECT_GT(page.printable.Width(), 0);
    EXPECT_GE(page.rowHeight, 1);
    EXPECT_EQ(page.ticks.size(), 1U);
    EXPECT_TRUE(page.cursors[0].inside);
    EXPECT_EQ(page.cursors[0].x, page.graphLeft);
    for (const PRINT_TEXT& text : page.info) {
        EXPECT_LE(text.Extent().right, page.printable.right) << text.text;
    }
}

// A readable page on A4 and on Letter, with 1 to 32 rows and names of 32
// characters, in both languages: every text inside the margins, no two
// texts of the page's text lines overlapping.
TEST_F(PrintLayoutTest, EveryTextLiesInsideTheMarginsAndNoTwoOverlap) {
    const std::vector<int> labels = {IDS_PRINT_GENERATING_INFO, IDS_PRINT_CURSOR_INFO,     IDS_PRINT_FILE_NAME,
                                     IDS_PRINT_TOTAL_CHANNELS,  IDS_PRINT_DEVICE_NAME,     IDS_PRINT_CURSOR_A_TIME,
                                     IDS_PRINT_CURSOR_B_TIME,   IDS_PRINT_CURSOR_A_B_TIME, IDS_PRINT_CURSOR_B_A_TIME,
                                     IDS_PRINT_CHANNEL_INFO,    IDS_PRINT_CURSOR_A_VALUE,  IDS_PRINT_CURSOR_B_VALUE};
    for (const int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE}) {
        CStringTable::SetLanguage(language);
        for (const PRINT_DEVICE& paper : {A4, Letter}) {
            for (int rows = 1; rows <= 32; ++rows) {
                PRINT_GRAPH graph = Graph(rows);
                // 32-character names, every other one in Japanese.
                for (int i = 0; i < rows; ++i) {
                    std::string name;
                    for (int c = 0; c < 32; ++c) {
                        name += i % 2 == 0 ? "M" : "信";
                    }
                    graph.rows[static_cast<std::size_t>(i)] = {name, i % 3 == 1};
                }
                graph.title = std::string(80, 'T') + ".csv";
                graph.deviceName = "QDX-32A(PCI)";
                graph.dateLine = "2026/12/09 15:32:00 Print Out";
                graph.cursorShown = {true, true};
                graph.cursorLines[0] = {"Cursor A:", "Data: FFFFFFFF[Hex]", "Position: 99999999[Clock]",
                                        "[A]-[B]: -99999999[Clock]"};
                graph.cursorLines[1] = graph.cursorLines[0];
                const PRINT_PAGE page = Print(graph, paper);
                std::vector<GRAPH_RECT> boxes;
                for (const PRINT_TEXT* text : page.Texts()) {
                    const GRAPH_RECT extent = text->Extent();
                    EXPECT_TRUE(Inside(extent, page.printable)) << text->text << " rows " << rows;
                    EXPECT_FALSE(text->text.empty());
                    for (const GRAPH_RECT& other : boxes) {
                        if (text->font == PRINT_FONT::Small && extent.top == page.frame.top + 4) {
                            continue;  // ruler labels lie on the ruler, not on other texts
                        }
                        EXPECT_FALSE(Overlap(extent, other)) << text->text << " rows " << rows;
                    }
                    if (extent.top >= page.frame.bottom || extent.bottom <= page.frame.top || text == &page.date) {
                        boxes.push_back(extent);
                    }
                }
                for (std::size_t i = 1; i < page.names.size(); ++i) {
                    EXPECT_FALSE(Overlap(page.names[i - 1].Extent(), page.names[i].Extent()));
                }
                EXPECT_LT(page.graphLeft, page.printable.left + page.printable.Width() / 3 + 1);
                // Every label of the block is printed whole, in the language's own text.
                for (const int id : labels) {
                    const std::string label = LoadText(id);
                    EXPECT_EQ(HasNonAscii(label), language == LANGUAGE_JAPANESE) << label;
                    EXPECT_NE(page.InfoText(label), nullptr) << label << " rows " << rows;
                }
            }
        }
    }
    CStringTable::SetLanguage(LANGUAGE_ENGLISH);
}

TEST(PrintLayoutGraph, TakesTheViewStateAtPrintTime) {
    CLogicDocument document{"/tmp"};
    CWindowRecords records("Signal");
    CGraphModel model(document, records, 1.0f);
    model.Layout(800, 600);
    model.OnDocumentUpdate();
    for (std::size_t i = 4; i < records.GeneratingTable.Size(); ++i) {
        records.GeneratingTable[i].IsShown = 0;
    }
    model.RecountRows();
    model.SetZoom(0.5);
    model.SetCurrent({20, 0});
    model.ToggleCursor(0);
    document.Condition().DeviceName = "QDX-32C-PE";
    const PRINT_GRAPH graph = CPrintLayout::GraphFrom(model, "demo.vpb");
    EXPECT_EQ(graph.rows.size(), 4U);
    EXPECT_EQ(graph.title, "demo.vpb");
    EXPECT_EQ(graph.deviceName, "QDX-32C-PE");
    EXPECT_DOUBLE_EQ(graph.zoom, 0.5);
    EXPECT_DOUBLE_EQ(graph.step, 2.0);  // two clocks per tick
    EXPECT_EQ(graph.tickCount, CPrintLayout::ScreenTickCount(800, 10));
    EXPECT_EQ(graph.tickCount, 80);
    EXPECT_EQ(graph.clocksPerPage, model.Geometry().ClocksPerPage());
    EXPECT_TRUE(graph.cursorShown[0]);
    EXPECT_EQ(graph.cursorPosition[0], 20);
    EXPECT_EQ(graph.cursorLines[0][2], "Position: 20[Clock]");
    EXPECT_FALSE(graph.cursorShown[1]);
    EXPECT_EQ(CPrintLayout::ScreenTickCount(801, 10), 81);
    EXPECT_EQ(CPrintLayout::ScreenTickCount(0, 0), 1);
}

TEST(PrintLayoutGraph, WritesTheDateLine) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 9;
    local.tm_hour = 7;
    local.tm_min = 5;
    local.tm_sec = 3;
    EXPECT_EQ(CPrintLayout::DateLine(local), "2026/12/09 07:05:03 Print Out");
}
