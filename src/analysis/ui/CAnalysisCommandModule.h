#pragma once
#include <cstddef>
#include <functional>
#include <vector>

class CChildFrame;
class CChannelTable;
class CChannelTreeView;
class CMainFrame;

// The analysis commands of the main window: AND, OR, XOR, NOT, Rise, Fall,
// Frequency and Compare on the active document window. Each selects its
// result page, runs the core command on the window's graph and repaints; the
// enablement rules stay in the command state table.
class CAnalysisCommandModule {
public:
    using ADD_HANDLER = std::function<void(int command, std::function<void()> handler)>;

    // Registers the handlers through the frame's add function.
    static void Register(CMainFrame& main, const ADD_HANDLER& add);
    // Gives a new document window's graph its result box and page list; a
    // change of the tree's selection updates the commands' enablement.
    static void AttachFrame(CMainFrame& main, CChildFrame& frame);

    // Table rows of the signals selected in a tree, in tree order: a selected
    // bus stands for its member signals; no row twice.
    [[nodiscard]] static std::vector<std::size_t> SelectedChannels(const CChannelTreeView& tree,
                                                                   const CChannelTable& table);
    [[nodiscard]] static int CountSelectedChannels(const CChildFrame& frame);
};
