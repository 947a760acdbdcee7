#pragma once
#include <cstdint>
#include <vector>

#include "graph/EDIT_RESULT.h"
#include "graph/GRAPH_RECT.h"
#include "graph/LOGIC_MEMORY.h"

class CEditHistory;
class CGraphModel;
struct DATA_PATTERN;
struct LOGIC_DATA;

// The keys that change data (the hexadecimal digits carry their value).
enum class DATA_KEY { Digit, Space, Delete, Backspace, Enter };

// The rows of the selection as channels: one entry per row in row order
// (NoChannel for a bus row), and the mask of their signal channels. On a
// single bus row (bus entry) the entries are the bus's members in table order.
struct SELECTION_CHANNELS {
    std::vector<int16_t> Entries;
    uint32_t Mask = 0;
    bool BusEntry = false;
};

// What a key did: the edit's result and whether the rows scrolled (the
// signal panes must follow).
struct EDIT_OUTCOME {
    EDIT_RESULT Result = EDIT_RESULT::Nothing;
    bool RowsScrolled = false;
};

// The editing commands of one graph on the generating memory: typed values,
// bus entry, delete, insert and overwrite, invert, data-pattern stamping,
// the private clipboard, Select All, Undo and Redo. Every change is recorded
// in the document's history first and refused when the record cannot be
// made; every range is checked at both ends against the memory. Changes go
// over whole ranges with masked word operations.
class CGraphEditor {
public:
    CGraphEditor(CGraphModel& model, CEditHistory& history);
    CGraphEditor(const CGraphEditor&) = delete;
    CGraphEditor& operator=(const CGraphEditor&) = delete;

    // The insert mode of the graph (kept by the model).
    [[nodiscard]] bool InsertMode() const;
    void SetInsertMode(bool insert);

    // Generating direction, editing enabled, no run, at least one shown row.
    [[nodiscard]] bool CanEdit() const;
    // Undo and Redo change data only in generating direction with editing
    // enabled and no run; otherwise the records stay where they are.
    [[nodiscard]] bool HistoryAllowed() const;
    [[nodiscard]] bool CanUndo() const;
    [[nodiscard]] bool CanRedo() const;
    [[nodiscard]] bool CanPaste() const { return m_canPaste; }
    [[nodiscard]] const LOGIC_MEMORY& Clipboard() const { return m_clipboard; }
    [[nodiscard]] CEditHistory& History() { return m_history; }

    [[nodiscard]] SELECTION_CHANNELS SelectionChannels() const;

    // --- keys (0, 1, 2-9, A-F, Space, Delete, Backspace, Enter)
    [[nodiscard]] EDIT_OUTCOME DataKey(DATA_KEY key, int digit = 0);
    // Drops a bus value being typed (the caret was placed).
    void ClearTyping();

    // --- mouse
    // Invert-bit release: the selection's signal bits are inverted.
    [[nodiscard]] EDIT_RESULT InvertSelection();
    // Stamps a data pattern into the current signal row from the current clock.
    [[nodiscard]] EDIT_RESULT ApplyDataPattern(const DATA_PATTERN& pattern);

    // --- clipboard and Edit menu
    [[nodiscard]] EDIT_RESULT Copy();
    [[nodiscard]] EDIT_RESULT Cut();
    [[nodiscard]] EDIT_RESULT Paste();
    // Selects every cell; false (nothing done) with no shown rows.
    [[nodiscard]] bool SelectAll();
    [[nodiscard]] EDIT_RESULT Undo();
    [[nodiscard]] EDIT_RESULT Redo();

private:
    struct CLOCKS {
        uint32_t first = 0;
        uint32_t last = 0;
        [[nodiscard]] uint32_t Count() const { return last - first + 1; }
    };

    [[nodiscard]] int RowCount() const;
    [[nodiscard]] const LOGIC_DATA* ShownRow(int row) const;
    [[nodiscard]] CLOCKS SelectionClocks() const;
    [[nodiscard]] bool InGenerating(const CLOCKS& clocks) const;
    [[nodiscard]] uint32_t* Words();
    [[nodiscard]] uint32_t Length() const;

    [[nodiscard]] EDIT_RESULT WriteLevel(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows,
                                         bool level);
    [[nodiscard]] EDIT_RESULT InvertLevels(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows);
    [[nodiscard]] EDIT_RESULT DeleteClocks(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows);
    [[nodiscard]] EDIT_RESULT Record(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows);
    [[nodiscard]] EDIT_OUTCOME BusKey(DATA_KEY key, int digit, const SELECTION_CHANNELS& channels);
    [[nodiscard]] EDIT_RESULT CommitBusValue(const SELECTION_CHANNELS& channels);
    [[nodiscard]] EDIT_RESULT CopyInto(LOGIC_MEMORY& clip);
    void MoveRight();
    void MoveLeft();

    CGraphModel& m_model;
    CEditHistory& m_history;
    LOGIC_MEMORY m_clipboard;
    bool m_canPaste = false;
};
