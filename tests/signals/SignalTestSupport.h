#pragma once
#include <string>
#include <vector>

#include "document/CChannelTable.h"
#include "signals/CSignalTree.h"
#include "signals/ISignalTreeHost.h"
#include "support/CScriptedMessages.h"

// Records what the signal tree asks of its document window.
class CRecordingHost : public ISignalTreeHost {
public:
    void PostSignalsChanged() override { ++Posted; }
    [[nodiscard]] int GraphCurrentRow() const override { return CurrentRow; }
    void SelectSignalRow(int row) override { Selected.push_back(row); }
    void ScrollSignalRowsTo(int row) override { Scrolled.push_back(row); }
    void ShowValuesAtCurrentClock() override { ++ValuesShown; }

    int Posted = 0;
    int CurrentRow = 0;
    int ValuesShown = 0;
    std::vector<int> Selected;
    std::vector<int> Scrolled;
};

// A default table of 32 signals under a tree with a recording host.
struct SIGNAL_FIXTURE {
    SIGNAL_FIXTURE();
    // Selects the visible items at the given display rows (plain click, then Ctrl).
    void SelectRows(const std::vector<int>& rows);
    // The item of the row on a device channel.
    [[nodiscard]] TreeHandle ItemOfChannel(int channel) const;
    // Device channels in table order, a bus as 100 + its number.
    [[nodiscard]] std::vector<int> ChannelsInOrder() const;
    [[nodiscard]] std::vector<int> FirstChannels(std::size_t count) const;

    CChannelTable Table;
    CRecordingHost Host;
    CScriptedMessages Messages;
    CSignalTree Tree;
};

LOGIC_DATA SignalRow(int channel, const std::string& name);
LOGIC_DATA BusRow(int number, uint32_t mask);
