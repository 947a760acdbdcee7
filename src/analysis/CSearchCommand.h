#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "document/SEARCH_REQUEST.h"

class CChannelTable;
class CGraphModel;
class IBlockReader;
class IUserMessages;

// Forward (Search Next) or backward (Search Previous).
enum class SEARCH_DIRECTION : int { Forward = 1, Backward = 2 };

// What a search did to the graph.
enum class SEARCH_OUTCOME {
    Hit,       // the window is the new selection, scrolled to the middle
    Miss,      // the selection stays; the miss message was shown
    Improper,  // the vertical block runs past the last row: message 61477
    Nothing,   // an empty pattern text or no memory: nothing searched
};

// Runs one search request against a graph: chooses the searched row (or the
// block of rows), the start clock from the selection, scans the shown memory
// and, with Search All, the other auto-saved blocks of the run; a hit becomes
// the selection, a miss is told to the user.
class CSearchCommand {
public:
    CSearchCommand(CGraphModel& model, IBlockReader* reader, IUserMessages& messages)
        : m_model(model), m_reader(reader), m_messages(messages) {}

    SEARCH_OUTCOME Run(const SEARCH_REQUEST& request, SEARCH_DIRECTION direction, bool searchAll);

    // The miss text of a request: horizontal with the searched channel,
    // vertical with the channels of the block's first and last rows.
    [[nodiscard]] static std::string MissText(SEARCH_TYPE type, SEARCH_DIRECTION direction, int firstChannel,
                                              int lastChannel, const std::string& text);

    // The displayed row (index into `shown`, the table indexes of the
    // displayed rows) a horizontal search reads: the first displayed signal
    // row on the start channel, else `fallback`.
    [[nodiscard]] static std::size_t HorizontalRow(const CChannelTable& table, const std::vector<std::size_t>& shown,
                                                   int startChannel, std::size_t fallback);
    // The displayed rows of a vertical block: the first displayed signal row
    // on the start channel (row 0 if none) and the next count - 1 displayed
    // rows; empty when the block runs past the last displayed row.
    [[nodiscard]] static std::vector<std::size_t> VerticalRows(const CChannelTable& table,
                                                               const std::vector<std::size_t>& shown,
                                                               int startChannel, int count);

    // The displayed row the last search read (the first of a vertical block).
    [[nodiscard]] std::size_t SearchedRow() const { return m_row; }

private:
    [[nodiscard]] int ChannelOfRow(std::size_t displayedRow) const;
    SEARCH_OUTCOME Horizontal(const SEARCH_REQUEST& request, SEARCH_DIRECTION direction, bool searchAll);
    SEARCH_OUTCOME Vertical(const SEARCH_REQUEST& request, SEARCH_DIRECTION direction, bool searchAll);
    // Shows a hit's block and scrolls its clock to the middle of the page.
    void ShowHit(int clock);
    // After a miss of Search All: the block shown at the start again.
    void RestoreStart(std::size_t block, int firstVisible, const std::optional<std::size_t>& failed);

    CGraphModel& m_model;
    IBlockReader* m_reader;
    IUserMessages& m_messages;
    std::size_t m_row = 0;
};
