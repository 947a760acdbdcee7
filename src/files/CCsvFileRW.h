#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/BOOKMARK_DATA.h"
#include "document/CChannelTable.h"
#include "document/LOGIC_CONDITION.h"
#include "files/CBufferedFile.h"
#include "files/FileResult.h"
#include "files/PULSE_CONTENT.h"

class CLogicDocument;

// The pulse text file (".csv"): CR LF lines of "," separated cells.
//
// Writing, also in pieces (the sampling auto-save writes its blocks with
// these calls, byte for byte like a saved file):
//   Create(path)                       temporary file beside path (or a new file at
//                                      the path itself, which must not exist yet)
//   WriteHeader(condition, size, table, bookmarks)   lines 1 to 8, up to "Data"
//   AppendWords(words, count)          data lines, ten words a line; every call
//                                      starts a new line, so a piece whose count
//                                      is not a multiple of ten ends with a shorter line
//   CommitWords()                      (a file written directly) hands the lines to
//                                      the disk, so they survive the process
//   Finish()                           closes and renames over the target
// A writer destroyed without Finish removes its temporary file.
//
// Reading: OpenRead, ReadHeader (stages everything up to the "Data" cell),
// then ReadWords straight into the memory; or SkipToData + ReadWords for a block.
class CCsvFileRW {
public:
    // Progress of a long read (see CBufferedFile::SetProgress).
    void SetProgress(CBufferedFile::Progress progress, std::size_t step = CBufferedFile::DefaultProgressStep) {
        m_file.SetProgress(std::move(progress), step);
    }
    // The keywords that start the sections after the channel header.
    static constexpr std::string_view BookmarkKeyword = "BookmarkAbsolutePosition";
    static constexpr std::string_view CurrentKeyword = "IsCurrentBookmark";
    static constexpr std::string_view MemoKeyword = "BookmarkMemo";
    static constexpr std::string_view DataKeyword = "Data";
    static constexpr std::size_t WordsPerLine = 10;

    // --- writing
    // replaceOnFinish false writes the target itself as the words arrive.
    [[nodiscard]] FileResult Create(const std::string& path, bool replaceOnFinish = true);
    [[nodiscard]] FileResult WriteHeader(const LOGIC_CONDITION& condition, uint32_t size,
                                         const CChannelTable& table, const CBookmarkList& bookmarks);
    [[nodiscard]] FileResult AppendWords(const uint32_t* words, std::size_t count);
    [[nodiscard]] FileResult CommitWords();
    [[nodiscard]] FileResult Finish();
    void Abandon() { m_file.Abandon(); }
    // Create refused because the file already exists.
    [[nodiscard]] bool TargetExists() const { return m_file.Exists(); }

    // Why the format cannot hold these texts so that they read back the
    // same (a comma, CR or LF, a name or memo equal to a section keyword, a
    // text over 255 bytes, a direction other than 1 or 2); empty when it can.
    [[nodiscard]] static std::string TextProblem(const LOGIC_CONDITION& condition, const CChannelTable& table,
                                                 const CBookmarkList& bookmarks);
    // The header text (lines 1 to 8) of a condition, table and bookmarks.
    [[nodiscard]] static std::string HeaderText(const LOGIC_CONDITION& condition, uint32_t size,
                                                const CChannelTable& table, const CBookmarkList& bookmarks);

    // --- reading
    [[nodiscard]] FileResult OpenRead(const std::string& path);
    // Checks the magic line and stages the condition (over the document's
    // current one), the channel rows and the bookmarks. Succeeds only when
    // the file reaches its "Data" cell.
    [[nodiscard]] FileResult ReadHeader(const CLogicDocument& document, PULSE_CONTENT& content);
    // Checks the magic line, then skips every cell up to the first "Data"
    // cell and the rest of its line.
    [[nodiscard]] FileResult SkipToData();
    // Converts the data cells that follow into words[0..], storing at most
    // `capacity`; ends at an empty line or the end of the file. Sets stored.
    [[nodiscard]] FileResult ReadWords(uint32_t* words, uint32_t capacity, uint32_t& stored);

    // Counts the data cells that follow, as ReadWords would store them
    // (at most `capacity`), without storing any.
    [[nodiscard]] FileResult CountWords(uint32_t capacity, uint32_t& counted);

    // Splits a line at every ",".
    static void SplitCells(std::string_view line, std::vector<std::string_view>& cells);
    // Converts the cells of one data line into words; at most `room` are
    // stored. Returns the number stored.
    [[nodiscard]] static std::size_t ParseDataLine(std::string_view line, uint32_t* words, std::size_t room);

private:
    [[nodiscard]] FileResult ReadRows(PULSE_CONTENT& content);
    [[nodiscard]] FileResult WriteFailed();
    [[nodiscard]] FileResult CreateFailed() const;
    void KeepWhatReachedTheDisk();

    CBufferedFile m_file;
    std::string m_path;
    bool m_direct = false;
    bool m_headerWritten = false;
    // Writing: where the data of the running AppendWords call starts.
    uint64_t m_callStart = 0;
    // Data cells that followed the "Data" cell on its own line.
    std::string m_dataRest;
    bool m_hasDataRest = false;
};
