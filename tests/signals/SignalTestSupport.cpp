#include "SignalTestSupport.h"

SIGNAL_FIXTURE::SIGNAL_FIXTURE() : Table(CChannelTable::MakeDefault("Signal")) {
    Tree.SetTableSource([this] { return &Table; });
    Tree.SetHost(&Host);
    Tree.SetMessages(&Messages);
    Tree.RebuildSignalTree();
}

void SIGNAL_FIXTURE::SelectRows(const std::vector<int>& rows) {
    bool first = true;
    for (int row : rows) {
        Tree.Click(Tree.VisibleItem(row), !first, false);
        first = false;
    }
}

TreeHandle SIGNAL_FIXTURE::ItemOfChannel(int channel) const {
    for (const LOGIC_DATA& row : Table) {
        if (row.IsBus == 0 && row.DeviceChannel == channel) {
            return row.TreeItem;
        }
    }
    return 0;
}

std::vector<int> SIGNAL_FIXTURE::ChannelsInOrder() const {
    std::vector<int> channels;
    for (const LOGIC_DATA& row : Table) {
        channels.push_back(row.IsBus != 0 ? 100 + row.DeviceChannel : row.DeviceChannel);
    }
    return channels;
}

std::vector<int> SIGNAL_FIXTURE::FirstChannels(std::size_t count) const {
    std::vector<int> channels = ChannelsInOrder();
    channels.resize(std::min(count, channels.size()));
    return channels;
}

LOGIC_DATA SignalRow(int channel, const std::string& name) {
    LOGIC_DATA row;
    row.DeviceChannel = static_cast<int16_t>(channel);
    row.ChannelName = name;
    row.IsEnable = 1;
    row.IsShown = 1;
    return row;
}

LOGIC_DATA BusRow(int number, uint32_t mask) {
    LOGIC_DATA row;
    row.DeviceChannel = static_cast<int16_t>(number);
    row.ChannelName = "Bus signal" + std::to_string(number);
    row.IsEnable = 1;
    row.IsBus = 1;
    row.BusChannel = mask;
    row.IsShown = 1;
    return row;
}
