#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graph/EDIT_RESULT.h"
#include "graph/IEditRecorder.h"
#include "graph/LOGIC_MEMORY.h"

class CLogicDocument;
class CLogicMemory;

// The edit history of one document: an undo and a redo stack of records of
// the generating memory, shared by every window on the document (they show
// one memory). A record keeps the bits of the channels it changed, and Undo
// and Redo restore exactly those channels. An insertion is one entry holding
// both its records (the range and the tail it pushed out), so it is recorded
// and taken all or nothing. When the generating memory is replaced or resized
// the history no longer applies and empties itself.
//
// Undo and Redo here always act; whoever calls them decides whether editing
// is allowed (generating direction, editing enabled).
class CEditHistory final : public IEditRecorder {
public:
    explicit CEditHistory(CLogicDocument& document);
    // The history of a document, created on first use and kept by the document.
    [[nodiscard]] static CEditHistory& For(CLogicDocument& document);
    CEditHistory(const CEditHistory&) = delete;
    CEditHistory& operator=(const CEditHistory&) = delete;

    // --- IEditRecorder
    [[nodiscard]] EDIT_RESULT RecordOverwrite(uint32_t channels, uint32_t start, uint32_t end) override;
    [[nodiscard]] EDIT_RESULT RecordSwap(int channelA, int channelB) override;

    // --- the graph's own records
    // Words start .. end of `channels` are about to be overwritten (Overwrite)
    // or deleted (Delete: the later bits move toward start). `rows` are the
    // row entries kept with the record.
    [[nodiscard]] EDIT_RESULT RecordEdit(uint32_t start, uint32_t end, uint32_t channels, EDIT_MODE mode,
                                         const std::vector<int16_t>& rows = {});
    // An overwrite whose previous words are no longer in the memory but in a
    // copy: `words` holds the clocks wordsFirst .. wordsFirst + wordCount - 1.
    [[nodiscard]] EDIT_RESULT RecordOverwriteFrom(uint32_t start, uint32_t end, uint32_t channels,
                                                  const uint32_t* words, uint32_t wordsFirst, uint32_t wordCount);
    // start .. end of `channels` are about to receive end - start + 1 inserted
    // clocks: records the range and the tail that the insertion pushes out.
    [[nodiscard]] EDIT_RESULT RecordInsert(uint32_t start, uint32_t end, uint32_t channels,
                                           const std::vector<int16_t>& rows = {});

    // --- undo and redo
    [[nodiscard]] EDIT_RESULT Undo();
    [[nodiscard]] EDIT_RESULT Redo();
    [[nodiscard]] bool CanUndo() const;
    [[nodiscard]] bool CanRedo() const;
    void Clear();

    [[nodiscard]] std::size_t UndoCount() const { return Current() ? m_undo.size() : 0; }
    [[nodiscard]] std::size_t RedoCount() const { return Current() ? m_redo.size() : 0; }
    // Bytes held by the saved bits of both stacks.
    [[nodiscard]] std::size_t Bytes() const;
    // The newest undo record (its range part), nullptr when there is none.
    [[nodiscard]] const LOGIC_MEMORY* NewestUndo() const;

private:
    // One undoable step; Tail is used by insertions only.
    struct ENTRY {
        LOGIC_MEMORY Range;
        LOGIC_MEMORY Tail;
    };

    [[nodiscard]] bool Current() const;
    void Sync();
    [[nodiscard]] CLogicMemory& Memory();
    [[nodiscard]] bool Fits(const LOGIC_MEMORY& record) const;
    [[nodiscard]] bool Fits(const ENTRY& entry) const;
    // The same entry over the memory as it is now (for the other stack).
    [[nodiscard]] ENTRY Snapshot(const ENTRY& entry);
    void ApplyUndo(const ENTRY& entry);
    void ApplyRedo(const ENTRY& entry);
    [[nodiscard]] EDIT_RESULT Push(ENTRY&& entry);
    [[nodiscard]] EDIT_RESULT Take(std::vector<ENTRY>& from, std::vector<ENTRY>& to, bool undo);

    CLogicDocument& m_document;
    uint64_t m_generation = 0;
    std::vector<ENTRY> m_undo;
    std::vector<ENTRY> m_redo;
};
