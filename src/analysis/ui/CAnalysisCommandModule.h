#pragma once
#include <cstddef>
#include <vector>

#include "document/ICommandModule.h"

class CChannelTable;
class CChannelTreeView;
class ICommandHost;

// The analysis commands of the main window: AND, OR, XOR, NOT, Rise, Fall,
// Frequency and Compare on the active document window. Each selects its
// result page, runs the core command on the window's graph and repaints; the
// enablement rules stay in the command state table.
class CAnalysisCommandModule final : public ICommandModule {
public:
    explicit CAnalysisCommandModule(ICommandHost& host);

    void Register(ICommandRegistry& registry) override;
    // The number of selected channels (AND, OR, XOR and NOT need it).
    void FillContext(COMMAND_CONTEXT& context, IDocumentWindow* active) const override;
    // Gives a new document window's graph its result box and page list; a
    // change of the tree's selection updates the commands' enablement.
    void OnWindowCreated(IDocumentWindow& window) override;

    // Table rows of the signals selected in a tree, in tree order: a selected
    // bus stands for its member signals; no row twice.
    [[nodiscard]] static std::vector<std::size_t> SelectedChannels(const CChannelTreeView& tree,
                                                                   const CChannelTable& table);
    [[nodiscard]] static int CountSelectedChannels(const IDocumentWindow& window);

private:
    ICommandHost& m_host;
};
