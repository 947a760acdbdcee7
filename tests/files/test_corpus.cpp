// Replays the inputs the fuzzers kept through every reader: none may crash,
// and a refused input changes nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "FilesTestSupport.h"
#include "files/ConditionFile.h"
#include "files/DataPatternFile.h"
#include "files/PulseBinaryFile.h"
#include "files/PulseTextFile.h"

TEST_F(FilesTest, FuzzCorpusReplaysThroughEveryReader) {
    std::size_t inputs = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(NIVARA_CORPUS)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        ++inputs;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        for (int direction : {DIRECTION_SAMPLING, DIRECTION_GENERATING}) {
            CLogicDocument document("");
            CWindowRecords records("Signal");
            CHeadlessFileWindow window;
            window.TargetChannel = 3;
            document.Condition().Direction = static_cast<int16_t>(direction);
            const auto expectUntouchedWhenRefused = [&](const FileResult& result, const DOCUMENT_STATE& before) {
                if (!result) {
                    EXPECT_TRUE(StateOf(document, records) == before);
                }
            };
            DOCUMENT_STATE before = StateOf(document, records);
            expectUntouchedWhenRefused(ReadPulseTextFile(document, records, window, path), before);
            before = StateOf(document, records);
            expectUntouchedWhenRefused(ReadPulseBinaryFile(document, records, window, path), before);
            before = StateOf(document, records);
            expectUntouchedWhenRefused(ReadConditionFile(document, window, path), before);
            before = StateOf(document, records);
            expectUntouchedWhenRefused(ReadDataPatternFile(document, window, path), before);
            document.Condition().Direction = DIRECTION_SAMPLING;
            before = StateOf(document, records);
            expectUntouchedWhenRefused(ReadPulseTextBlock(document, window, path), before);
            before = StateOf(document, records);
            expectUntouchedWhenRefused(ReadPulseBinaryBlock(document, window, path), before);
        }
    }
    EXPECT_GT(inputs, 0u);
}
