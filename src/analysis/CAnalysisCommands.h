#pragma once
#include <cstddef>
#include <vector>

#include "analysis/AnalysisKinds.h"
#include "analysis/CResultPages.h"
#include "document/COMPARE_POSITION.h"

class CChannelTable;
class CLogicDocument;

// The graph's selection as the analyses take it: anchor and current cell,
// rows as indexes into the displayed rows.
struct ANALYSIS_SELECTION {
    int AnchorClock = 0;
    int AnchorRow = 0;
    int CurrentClock = 0;
    int CurrentRow = 0;
};

// How an analysis command ended.
enum class ANALYSIS_OUTCOME {
    Done,              // a result was stored (or records appended)
    Nothing,           // nothing to do: a bus row, another direction, an unsuited selection
    ImproperArgument,  // the anchor row lies outside the displayed rows: message 61477
};

// The analysis commands without a window: they read the document, the
// window's channel table of the current direction and the graph's selection,
// and store their result in the result pages (or the compare list). The
// window layer enables the commands with the Can... rules, selects the page
// and repaints.
class CAnalysisCommands {
public:
    CAnalysisCommands(const CLogicDocument& document, const CChannelTable& table)
        : m_document(document), m_table(table) {}

    // AND, OR, XOR: generating direction and more than one selected channel;
    // NOT: generating direction and exactly one.
    [[nodiscard]] static bool CanLogic(LOGIC_OPERATION operation, int direction, int selectedChannels);
    // Internal clock (1) or handshake (3); never an external clock (2).
    [[nodiscard]] static bool CanFrequency(int clockType);

    // The operation over the generating memory of the channels of the given
    // table rows (the signal tree's selected channels, a bus already stands
    // for its members). Rows outside the table or bus rows are left out.
    [[nodiscard]] ANALYSIS_OUTCOME Logic(LOGIC_OPERATION operation, const std::vector<std::size_t>& rows,
                                         CResultPages& pages) const;
    // Rising or falling edges of the anchor row over the selected clocks.
    [[nodiscard]] ANALYSIS_OUTCOME PulseCount(EDGE_KIND kind, const ANALYSIS_SELECTION& selection,
                                              CResultPages& pages) const;
    // Rising edges of the anchor row over the duration of the selected clocks.
    [[nodiscard]] ANALYSIS_OUTCOME Frequency(const ANALYSIS_SELECTION& selection, CResultPages& pages) const;
    // Appends the runs of clocks where the selected rows differ; Nothing when
    // the selection lies in one row. Bus rows take no part in the comparison.
    [[nodiscard]] ANALYSIS_OUTCOME Compare(const ANALYSIS_SELECTION& selection, CCompareList& list) const;

private:
    // The DeviceChannel of the anchor row's signal: -1 for a bus row, -2 for
    // a row outside the displayed rows.
    [[nodiscard]] int AnchorChannel(const ANALYSIS_SELECTION& selection) const;
    [[nodiscard]] int DisplayedChannel(const std::vector<std::size_t>& shown, int row) const;

    const CLogicDocument& m_document;
    const CChannelTable& m_table;
};
