#include "analysis/CSearchCommand.h"

#include <algorithm>

#include "analysis/CGraphSearchBlocks.h"
#include "analysis/CPatternSearch.h"
#include "document/CChannelTable.h"
#include "document/CLogicDocument.h"
#include "document/IUserMessages.h"
#include "graph/CGraphModel.h"
#include "resources/CStringTable.h"
#include "resources/StringIds.h"

std::string CSearchCommand::MissText(SEARCH_TYPE type, SEARCH_DIRECTION direction, int firstChannel,
                                     int lastChannel, const std::string& text) {
    const bool forward = direction == SEARCH_DIRECTION::Forward;
    if (type == SEARCH_TYPE::Horizontal) {
        return FormatText(forward ? IDS_SEARCH_HORIZONTAL_FORWARD_MISS : IDS_SEARCH_HORIZONTAL_BACKWARD_MISS,
                          firstChannel, text);
    }
    return FormatText(forward ? IDS_SEARCH_VERTICAL_FORWARD_MISS : IDS_SEARCH_VERTICAL_BACKWARD_MISS, firstChannel,
                      lastChannel, text);
}

std::size_t CSearchCommand::HorizontalRow(const CChannelTable& table, const std::vector<std::size_t>& shown,
                                          int startChannel, std::size_t fallback) {
    for (std::size_t row = 0; row < shown.size(); ++row) {
        const LOGIC_DATA& data = table.At(shown[row]);
        if (data.IsBus == 0 && data.DeviceChannel == startChannel) {
            return row;
        }
    }
    return fallback;
}

std::vector<std::size_t> CSearchCommand::VerticalRows(const CChannelTable& table, const std::vector<std::size_t>& shown,
                                                     int startChannel, int count) {
    const std::size_t first = HorizontalRow(table, shown, startChannel, 0);
    const std::size_t rows = shown.size();
    if (count < 1 || first + static_cast<std::size_t>(count) > rows) {
        return {};
    }
    std::vector<std::size_t> block(static_cast<std::size_t>(count));
    for (std::size_t l = 0; l < block.size(); ++l) {
        block[l] = first + l;
    }
    return block;
}

int CSearchCommand::ChannelOfRow(std::size_t displayedRow) const {
    return m_model.Table()->At(m_model.ShownRows().at(displayedRow)).DeviceChannel;
}

SEARCH_OUTCOME CSearchCommand::Run(const SEARCH_REQUEST& request, SEARCH_DIRECTION direction, bool searchAll) {
    if (request.Text.empty() || m_model.Memory() == nullptr || m_model.Table() == nullptr) {
        return SEARCH_OUTCOME::Nothing;
    }
    searchAll = searchAll && m_model.BlockButtonsShown() && m_model.BlockCount() > 0;
    return request.Type == SEARCH_TYPE::Vertical ? Vertical(request, direction, searchAll)
                                                 : Horizontal(request, direction, searchAll);
}

SEARCH_OUTCOME CSearchCommand::Horizontal(const SEARCH_REQUEST& request, SEARCH_DIRECTION direction,
                                          bool searchAll) {
    const GRAPH_CELL anchor = m_model.Anchor();
    const GRAPH_CELL current = m_model.Current();
    m_row = HorizontalRow(*m_model.Table(), m_model.ShownRows(), request.StartChannel,
                          static_cast<std::size_t>(std::max(0, anchor.row)));
    if (m_row >= m_model.ShownRows().size()) {
        m_messages.ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        return SEARCH_OUTCOME::Improper;
    }
    const int channel = ChannelOfRow(m_row);
    const int length = request.PatternLength();
    const CPatternSearch search(channel, request.Value, length);
    const bool forward = direction == SEARCH_DIRECTION::Forward;
    const int64_t position = forward ? static_cast<int64_t>(std::min(anchor.clock, current.clock)) + 1
                                     : static_cast<int64_t>(std::max(anchor.clock, current.clock)) - 1;
    const std::size_t startBlock = static_cast<std::size_t>(std::max(0, m_model.ShownBlock()));
    const int firstVisible = m_model.Geometry().FirstVisibleClock();
    CGraphSearchBlocks blocks(m_model, m_reader);
    const SEARCH_RESULT result = search.Run(blocks, startBlock, position, forward, searchAll);
    if (!result.Hit) {
        if (searchAll) {
            RestoreStart(startBlock, firstVisible, result.FailedBlock);
        }
        m_messages.ShowMessage(MissText(SEARCH_TYPE::Horizontal, direction, channel, channel, request.Text),
                               MessageIcon::Warning);
        return SEARCH_OUTCOME::Miss;
    }
    const int first = static_cast<int>(result.Hit->Clock);
    const int last = first + length - 1;
    const int row = static_cast<int>(m_row);
    m_model.SetAnchor({first, row});
    m_model.SetCurrent({last, row});
    ShowHit(forward ? first : last);
    return SEARCH_OUTCOME::Hit;
}

SEARCH_OUTCOME CSearchCommand::Vertical(const SEARCH_REQUEST& request, SEARCH_DIRECTION direction, bool searchAll) {
    const std::vector<std::size_t> rows =
        VerticalRows(*m_model.Table(), m_model.ShownRows(), request.StartChannel, request.ChannelCount);
    if (rows.empty()) {
        m_messages.ShowMessage(LoadText(IDS_IMPROPER_ARGUMENT), MessageIcon::Error);
        return SEARCH_OUTCOME::Improper;
    }
    m_row = rows.front();
    std::vector<int> channels;
    channels.reserve(rows.size());
    for (const std::size_t row : rows) {
        channels.push_back(ChannelOfRow(row));
    }
    const CPatternSearch search(channels, request.Value);
    const bool forward = direction == SEARCH_DIRECTION::Forward;
    const int64_t position = static_cast<int64_t>(m_model.Current().clock) + (forward ? 1 : -1);
    const std::size_t startBlock = static_cast<std::size_t>(std::max(0, m_model.ShownBlock()));
    const int firstVisible = m_model.Geometry().FirstVisibleClock();
    CGraphSearchBlocks blocks(m_model, m_reader);
    const SEARCH_RESULT result = search.Run(blocks, startBlock, position, forward, searchAll);
    if (!result.Hit) {
        if (searchAll) {
            RestoreStart(startBlock, firstVisible, result.FailedBlock);
        }
        m_messages.ShowMessage(
            MissText(SEARCH_TYPE::Vertical, direction, channels.front(), channels.back(), request.Text),
            MessageIcon::Warning);
        return SEARCH_OUTCOME::Miss;
    }
    const int clock = static_cast<int>(result.Hit->Clock);
    m_model.SetCurrent({clock, static_cast<int>(rows.front())});
    m_model.SetAnchor({clock, static_cast<int>(rows.back())});
    ShowHit(clock);
    return SEARCH_OUTCOME::Hit;
}

void CSearchCommand::ShowHit(int clock) {
    m_model.ScrollToClock(static_cast<int64_t>(clock) - m_model.Geometry().ClocksPerPage() / 2);
}

void CSearchCommand::RestoreStart(std::size_t block, int firstVisible, const std::optional<std::size_t>& failed) {
    // A block that failed to read may have left part of its words in the
    // memory: the block shown at the start is read again in any case.
    if (failed || static_cast<std::size_t>(std::max(0, m_model.ShownBlock())) != block) {
        (void)m_model.LoadSavedBlock(block, m_reader);
    }
    m_model.ScrollToClock(firstVisible);
    if (failed) {
        const std::vector<std::string>& files = m_model.Document().AutoSavedFiles;
        const std::string path = *failed < files.size() ? files[*failed] : std::string();
        m_messages.ShowMessage(FormatText(IDS_SEARCH_BLOCK_UNREADABLE, path), MessageIcon::Warning);
    }
}
