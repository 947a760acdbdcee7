#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "document/CLogicDocument.h"
#include "document/CWindowRecords.h"
#include "files/CHeadlessFileWindow.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseTextFile.h"
#include "graph/CGraphModel.h"
#include "graph/CSavedBlockReader.h"
#include "support/CScriptedMessages.h"

namespace {

// Writes a 100-word sampling block whose words are base + index.
void WriteBlock(const std::string& path, uint32_t base, bool binary) {
    CLogicDocument document("/tmp");
    CWindowRecords records("Signal");
    CHeadlessFileWindow window;
    document.Condition().Direction = DIRECTION_SAMPLING;
    ASSERT_TRUE(document.SetBufferSize(100));
    for (uint32_t i = 0; i < 100; ++i) {
        document.SamplingMemory().SetWord(i, base + i);
    }
    document.LastCount = 100;
    const FileResult result = binary ? WritePulseBinaryFile(document, records, window, path)
                                     : WritePulseTextFile(document, records, window, path);
    ASSERT_TRUE(result.Ok) << result.Reason;
}

}  // namespace

TEST(SavedBlocks, JumpReadsTheBlockFilesOfARecording) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "nivara_graph_blocks";
    std::filesystem::create_directories(folder);
    for (const bool binary : {true, false}) {
        const std::string ext = binary ? ".vpb" : ".csv";
        const std::string block0 = (folder / ("LogicData_0" + ext)).string();
        const std::string block1 = (folder / ("LogicData_1" + ext)).string();
        WriteBlock(block0, 1000, binary);
        WriteBlock(block1, 2000, binary);

        CLogicDocument document("/tmp");
        CWindowRecords records("Signal");
        CHeadlessFileWindow window;
        CScriptedMessages messages;
        document.Condition().Direction = DIRECTION_SAMPLING;
        document.Condition().AutoSave = 1;
        document.Condition().AutoSaveFileType = binary ? 1 : 0;
        ASSERT_TRUE(document.SetBufferSize(100));
        document.AutoSavedFiles = {block0, block1, (folder / "missing.vpb").string()};
        CGraphModel model(document, records, 1.0f);
        model.Layout(800, 600);
        model.OnDocumentUpdate();
        CSavedBlockReader reader(document, window, messages);

        model.JumpToClock(150, &reader);
        EXPECT_EQ(model.ShownBlock(), 1);
        EXPECT_EQ(model.Current().clock, 50);
        EXPECT_EQ(document.SamplingMemory().Word(50), 2050u);
        EXPECT_EQ(model.BoxLines(INFO_BOX::Current)[2], "Position: 150[Clock]");
        EXPECT_TRUE(messages.Shown.empty());

        // An unreadable block is reported with the error icon; the shown block stays.
        EXPECT_EQ(model.LoadSavedBlock(2, &reader), BLOCK_LOAD::ReadFailed);
        ASSERT_EQ(messages.Shown.size(), 1u);
        EXPECT_EQ(messages.Shown[0].second, MessageIcon::Error);
        EXPECT_FALSE(messages.Shown[0].first.empty());
        EXPECT_EQ(model.ShownBlock(), 1);
    }
    std::filesystem::remove_all(folder);
}
