#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "document/BOOKMARK_DATA.h"
#include "document/CChannelTable.h"
#include "document/LOGIC_CONDITION.h"
#include "files/CBufferedFile.h"
#include "files/FileResult.h"
#include "files/PULSE_CONTENT.h"

class CLogicDocument;

// The pulse binary file (".vpb"): a packed little-endian field stream.
// Texts are a 16-bit length and that many bytes, at most 255.
//
// Writing, also in pieces (the sampling auto-save writes its blocks with
// these calls, byte for byte like a saved file):
//   Create(path)                      temporary file beside path (or a new file at
//                                     the path itself, which must not exist yet)
//   WriteHeader(condition, size, table, bookmarks, wordCount)   fields 1 to 34
//   AppendWords(words, count)         any number of calls
//   CommitWords()                     (a file written directly) hands the words to
//                                     the disk and patches the word count in place,
//                                     so the file reads back every committed word
//                                     even if the process dies before Finish
//   Finish()                          patches the word count with the number of
//                                     words appended, closes, renames over the target
// A writer destroyed without Finish removes its temporary file.
//
// Reading: OpenRead, ReadHeader (stages fields 2 to 33), ReadWordCount (checks
// that the file holds every announced word), ReadWords straight into the memory.
class CVpbFileRW {
public:
    // Progress of a long read (see CBufferedFile::SetProgress).
    void SetProgress(CBufferedFile::Progress progress, std::size_t step = CBufferedFile::DefaultProgressStep) {
        m_file.SetProgress(std::move(progress), step);
    }
    // The first version text whose files carry the bookmark fields.
    static constexpr char BookmarkVersion[] = "2.1.0.0";

    // --- writing
    [[nodiscard]] FileResult Create(const std::string& path, bool replaceOnFinish = true);
    [[nodiscard]] FileResult WriteHeader(const LOGIC_CONDITION& condition, uint32_t size,
                                         const CChannelTable& table, const CBookmarkList& bookmarks,
                                         uint32_t wordCount);
    [[nodiscard]] FileResult AppendWords(const uint32_t* words, std::size_t count);
    [[nodiscard]] FileResult CommitWords();
    [[nodiscard]] FileResult Finish();
    void Abandon() { m_file.Abandon(); }
    // Create refused because the file already exists.
    [[nodiscard]] bool TargetExists() const { return m_file.Exists(); }
    // Words the file holds; after a failed write of a direct file, the words
    // that reached the disk, which the closed file keeps and counts.
    [[nodiscard]] uint64_t WordsAppended() const { return m_wordsAppended; }

    // Why these texts cannot be written (over 255 bytes, a direction other
    // than 1 or 2); empty when they can.
    [[nodiscard]] static std::string TextProblem(const LOGIC_CONDITION& condition, const CChannelTable& table,
                                                 const CBookmarkList& bookmarks);
    // Fields 1 to 34 as bytes.
    [[nodiscard]] static std::string HeaderBytes(const LOGIC_CONDITION& condition, uint32_t size,
                                                 const CChannelTable& table, const CBookmarkList& bookmarks,
                                                 uint32_t wordCount);
    // Byte-wise text comparison: true when version >= "2.1.0.0".
    [[nodiscard]] static bool HasBookmarks(const std::string& version);

    // --- reading
    [[nodiscard]] FileResult OpenRead(const std::string& path);
    // Checks the magic and stages fields 2 to 33 over the document's condition.
    [[nodiscard]] FileResult ReadHeader(const CLogicDocument& document, PULSE_CONTENT& content);
    // The announced word count; refused when the file is shorter than that.
    [[nodiscard]] FileResult ReadWordCount(uint32_t& count);
    // The next n words into words[0..n-1].
    [[nodiscard]] FileResult ReadWords(uint32_t* words, uint32_t n);

private:
    [[nodiscard]] FileResult WriteFailed();
    void KeepWhatReachedTheDisk();
    [[nodiscard]] bool PatchWordCount(uint32_t words);
    [[nodiscard]] FileResult ReadCondition(const CLogicDocument& document, PULSE_CONTENT& content);
    [[nodiscard]] FileResult ReadRows(PULSE_CONTENT& content);
    [[nodiscard]] FileResult ReadBookmarks(PULSE_CONTENT& content);

    CBufferedFile m_file;
    uint64_t m_wordCountOffset = 0;
    uint64_t m_dataOffset = 0;
    uint64_t m_wordsAppended = 0;
    bool m_direct = false;
    bool m_headerWritten = false;
};
