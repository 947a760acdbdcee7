#include "graph/CGraphEditor.h"

#include <algorithm>
#include <new>
#include <utility>

#include "document/CChannelTable.h"
#include "document/CLogicDocument.h"
#include "document/DATA_PATTERN.h"
#include "graph/CEditHistory.h"
#include "graph/CGraphModel.h"
#include "graph/CGraphNavigator.h"
#include "graph/CMaskedWords.h"

namespace {

bool SignalChannel(const LOGIC_DATA& row) { return row.IsBus == 0 && row.DeviceChannel >= 0 && row.DeviceChannel <= 31; }

uint32_t Bit(int channel) { return 1U << static_cast<unsigned>(channel); }

}  // namespace

CGraphEditor::CGraphEditor(CGraphModel& model, CEditHistory& history) : m_model(model), m_history(history) {}

bool CGraphEditor::InsertMode() const { return m_model.InsertMode(); }

void CGraphEditor::SetInsertMode(bool insert) { m_model.SetInsertMode(insert); }

int CGraphEditor::RowCount() const {
    return m_model.Table() == nullptr ? 0 : static_cast<int>(m_model.ShownRows().size());
}

const LOGIC_DATA* CGraphEditor::ShownRow(int row) const {
    if (row < 0 || row >= RowCount()) {
        return nullptr;
    }
    return &m_model.Table()->At(m_model.ShownRows()[static_cast<std::size_t>(row)]);
}

uint32_t* CGraphEditor::Words() { return m_model.Document().GeneratingMemory().Data(); }

uint32_t CGraphEditor::Length() const {
    return const_cast<CGraphModel&>(m_model).Document().GeneratingMemory().Length();
}

bool CGraphEditor::HistoryAllowed() const {
    CLogicDocument& document = const_cast<CGraphModel&>(m_model).Document();
    return m_model.Direction() == DIRECTION_GENERATING && !m_model.EditDisabled() &&
           document.Condition().ReadOnly == 0 && document.IsRunning.load() == 0;
}

bool CGraphEditor::CanEdit() const { return HistoryAllowed() && RowCount() > 0; }

bool CGraphEditor::CanUndo() const { return HistoryAllowed() && m_history.CanUndo(); }

bool CGraphEditor::CanRedo() const { return HistoryAllowed() && m_history.CanRedo(); }

CGraphEditor::CLOCKS CGraphEditor::SelectionClocks() const {
    const int a = m_model.Anchor().clock;
    const int b = m_model.Current().clock;
    return {static_cast<uint32_t>(std::max(0, std::min(a, b))), static_cast<uint32_t>(std::max(0, std::max(a, b)))};
}

bool CGraphEditor::InGenerating(const CLOCKS& clocks) const {
    return m_model.Anchor().clock >= 0 && m_model.Current().clock >= 0 && clocks.first <= clocks.last &&
           clocks.last < Length();
}

SELECTION_CHANNELS CGraphEditor::SelectionChannels() const {
    SELECTION_CHANNELS result;
    if (RowCount() == 0) {
        return result;
    }
    const int low = std::max(0, std::min(m_model.Anchor().row, m_model.Current().row));
    const int high = std::min(RowCount() - 1, std::max(m_model.Anchor().row, m_model.Current().row));
    const LOGIC_DATA* only = ShownRow(low);
    if (low == high && only != nullptr && only->IsBus != 0) {
        result.BusEntry = true;
        for (const LOGIC_DATA& member : *m_model.Table()) {
            if (SignalChannel(member) && ((only->BusChannel >> member.DeviceChannel) & 1U) != 0) {
                result.Entries.push_back(member.DeviceChannel);
                result.Mask |= Bit(member.DeviceChannel);
            }
        }
        return result;
    }
    for (int row = low; row <= high; ++row) {
        const LOGIC_DATA* data = ShownRow(row);
        if (data != nullptr && SignalChannel(*data)) {
            result.Entries.push_back(data->DeviceChannel);
            result.Mask |= Bit(data->DeviceChannel);
        } else {
            result.Entries.push_back(LOGIC_MEMORY::NoChannel);
        }
    }
    return result;
}

void CGraphEditor::ClearTyping() { m_model.Typing() = TYPING_STATE{}; }

void CGraphEditor::MoveRight() {
    CGraphNavigator navigator(m_model);
    navigator.Right();
    navigator.Collapse();
}

void CGraphEditor::MoveLeft() {
    CGraphNavigator navigator(m_model);
    navigator.Left();
    navigator.Collapse();
}

EDIT_RESULT CGraphEditor::Record(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows) {
    if (InsertMode()) {
        return m_history.RecordInsert(clocks.first, clocks.last, mask, rows);
    }
    return m_history.RecordEdit(clocks.first, clocks.last, mask, EDIT_MODE::Overwrite, rows);
}

EDIT_RESULT CGraphEditor::WriteLevel(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows,
                                     bool level) {
    const EDIT_RESULT recorded = Record(clocks, mask, rows);
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    if (InsertMode()) {
        CMaskedWords::PushTowardEnd(Words(), Length(), clocks.first, clocks.Count(), mask);
    }
    CMaskedWords::Fill(Words(), clocks.first, clocks.Count(), mask, level);
    return EDIT_RESULT::Done;
}

EDIT_RESULT CGraphEditor::InvertLevels(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows) {
    const EDIT_RESULT recorded = Record(clocks, mask, rows);
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    if (InsertMode()) {
        CMaskedWords::PushTowardEnd(Words(), Length(), clocks.first, clocks.Count(), mask);
        // The inserted clocks hold the inverted values of the clocks that were there.
        CMaskedWords::Restore(*m_history.NewestUndo(), Words(), mask);
    }
    CMaskedWords::Invert(Words(), clocks.first, clocks.Count(), mask);
    return EDIT_RESULT::Done;
}

EDIT_RESULT CGraphEditor::DeleteClocks(const CLOCKS& clocks, uint32_t mask, const std::vector<int16_t>& rows) {
    const EDIT_RESULT recorded = m_history.RecordEdit(clocks.first, clocks.last, mask, EDIT_MODE::Delete, rows);
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    const uint32_t length = Length();
    CMaskedWords::PullTowardStart(Words(), length, clocks.first, clocks.Count(), mask);
    CMaskedWords::Fill(Words(), length - clocks.Count(), clocks.Count(), mask, false);
    return EDIT_RESULT::Done;
}

EDIT_OUTCOME CGraphEditor::DataKey(DATA_KEY key, int digit) {
    const SELECTION_CHANNELS channels = SelectionChannels();
    if (channels.BusEntry) {
        return BusKey(key, digit, channels);
    }
    EDIT_OUTCOME outcome;
    if (key == DATA_KEY::Enter) {
        ClearTyping();
        MoveLeft();
        CGraphNavigator navigator(m_model);
        outcome.RowsScrolled = navigator.Down();
        navigator.Collapse();
        return outcome;
    }
    if (!CanEdit() || channels.Mask == 0 || (key == DATA_KEY::Digit && digit > 1)) {
        return outcome;
    }
    ClearTyping();
    CLOCKS clocks = SelectionClocks();
    if (key == DATA_KEY::Backspace) {
        const int current = m_model.Current().clock;
        if (current < 1) {
            return outcome;
        }
        clocks = {static_cast<uint32_t>(current - 1), static_cast<uint32_t>(current - 1)};
    }
    if (!InGenerating(clocks)) {
        outcome.Result = EDIT_RESULT::ImproperArgument;
        return outcome;
    }
    switch (key) {
    case DATA_KEY::Digit:
        outcome.Result = WriteLevel(clocks, channels.Mask, channels.Entries, digit == 1);
        if (outcome.Result == EDIT_RESULT::Done) {
            MoveRight();
        }
        break;
    case DATA_KEY::Space:
        outcome.Result = InvertLevels(clocks, channels.Mask, channels.Entries);
        break;
    case DATA_KEY::Delete:
        outcome.Result = DeleteClocks(clocks, channels.Mask, channels.Entries);
        break;
    case DATA_KEY::Backspace:
        outcome.Result = DeleteClocks(clocks, channels.Mask, channels.Entries);
        if (outcome.Result == EDIT_RESULT::Done) {
            MoveLeft();
        }
        break;
    case DATA_KEY::Enter:
        break;
    }
    return outcome;
}

EDIT_OUTCOME CGraphEditor::BusKey(DATA_KEY key, int digit, const SELECTION_CHANNELS& channels) {
    EDIT_OUTCOME outcome;
    if (!CanEdit()) {
        return outcome;
    }
    TYPING_STATE& typing = m_model.Typing();
    const GRAPH_CELL current = m_model.Current();
    const bool typingHere = typing.active && typing.clock == current.clock && typing.row == current.row;
    if (!typingHere) {
        typing = TYPING_STATE{};
    }
    switch (key) {
    case DATA_KEY::Digit: {
        const uint32_t value = typing.value * 16U + static_cast<uint32_t>(digit & 0xF);
        typing.active = true;
        typing.clock = current.clock;
        typing.row = current.row;
        if (value <= 255U) {
            typing.value = value;
        }
        break;
    }
    case DATA_KEY::Backspace:
        typing.active = true;
        typing.clock = current.clock;
        typing.row = current.row;
        typing.value >>= 4;
        break;
    case DATA_KEY::Enter:
        if (typingHere) {
            outcome.Result = CommitBusValue(channels);
        }
        break;
    case DATA_KEY::Delete: {
        const CLOCKS clocks = SelectionClocks();
        if (channels.Mask == 0) {
            break;
        }
        if (!InGenerating(clocks)) {
            outcome.Result = EDIT_RESULT::ImproperArgument;
            break;
        }
        ClearTyping();
        outcome.Result = DeleteClocks(clocks, channels.Mask, channels.Entries);
        break;
    }
    case DATA_KEY::Space:
        break;
    }
    return outcome;
}

EDIT_RESULT CGraphEditor::CommitBusValue(const SELECTION_CHANNELS& channels) {
    const CLOCKS clocks = SelectionClocks();
    if (channels.Mask == 0) {
        ClearTyping();
        return EDIT_RESULT::Nothing;
    }
    if (!InGenerating(clocks)) {
        return EDIT_RESULT::ImproperArgument;
    }
    const uint32_t value = m_model.Typing().value;
    const EDIT_RESULT recorded = Record(clocks, channels.Mask, channels.Entries);
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    if (InsertMode()) {
        CMaskedWords::PushTowardEnd(Words(), Length(), clocks.first, clocks.Count(), channels.Mask);
    }
    // Member k (table order) takes bit k of the value; a channel that is a
    // member twice takes the bit of its last place.
    uint32_t ones = 0;
    for (std::size_t k = 0; k < channels.Entries.size(); ++k) {
        const uint32_t bit = Bit(channels.Entries[k]);
        ones = (k < 32 && ((value >> k) & 1U) != 0) ? (ones | bit) : (ones & ~bit);
    }
    CMaskedWords::Fill(Words(), clocks.first, clocks.Count(), channels.Mask, false);
    CMaskedWords::Fill(Words(), clocks.first, clocks.Count(), ones, true);
    ClearTyping();
    MoveRight();
    return EDIT_RESULT::Done;
}

EDIT_RESULT CGraphEditor::InvertSelection() {
    const SELECTION_CHANNELS channels = SelectionChannels();
    if (!CanEdit() || channels.BusEntry || channels.Mask == 0) {
        return EDIT_RESULT::Nothing;
    }
    const CLOCKS clocks = SelectionClocks();
    if (!InGenerating(clocks)) {
        return EDIT_RESULT::ImproperArgument;
    }
    const EDIT_RESULT recorded =
        m_history.RecordEdit(clocks.first, clocks.last, channels.Mask, EDIT_MODE::Overwrite, channels.Entries);
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    CMaskedWords::Invert(Words(), clocks.first, clocks.Count(), channels.Mask);
    m_model.SetAnchor(m_model.Current());
    return EDIT_RESULT::Done;
}

EDIT_RESULT CGraphEditor::ApplyDataPattern(const DATA_PATTERN& pattern) {
    const LOGIC_DATA* row = ShownRow(m_model.Current().row);
    if (!CanEdit() || row == nullptr || !SignalChannel(*row) || pattern.Length <= 0) {
        return EDIT_RESULT::Nothing;
    }
    const auto n = static_cast<uint32_t>(pattern.Length);
    if (pattern.Bits.size() < n ||
        std::any_of(pattern.Bits.begin(), pattern.Bits.begin() + n, [](char c) { return c != '0' && c != '1'; })) {
        return EDIT_RESULT::ImproperArgument;
    }
    const int current = m_model.Current().clock;
    const uint32_t length = Length();
    if (current < 0 || static_cast<uint32_t>(current) >= length) {
        return EDIT_RESULT::ImproperArgument;
    }
    const auto t = static_cast<uint32_t>(current);
    const uint32_t lastClock = length - 1;
    const uint32_t v = static_cast<uint32_t>(std::min<uint64_t>(lastClock, uint64_t{t} + n - 1));
    const CLOCKS clocks{t, v};
    const uint32_t mask = Bit(row->DeviceChannel);
    const EDIT_RESULT recorded = Record(clocks, mask, {row->DeviceChannel});
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    uint32_t* words = Words();
    if (InsertMode()) {
        CMaskedWords::PushTowardEnd(words, length, t, clocks.Count(), mask);
    }
    const auto channel = static_cast<unsigned>(row->DeviceChannel);
    for (uint32_t j = 0; j < clocks.Count(); ++j) {
        const auto value = static_cast<uint32_t>(pattern.Bits[j] - '0');
        words[t + j] = (words[t + j] & ~mask) | (value << channel);
    }
    const int next = static_cast<int>(v == lastClock ? v : v + 1);
    GRAPH_CELL cell = m_model.Current();
    cell.clock = std::min(next, m_model.LastClock());
    m_model.SetCurrent(cell);
    GRAPH_CELL anchor = m_model.Anchor();
    anchor.clock = cell.clock;
    m_model.SetAnchor(anchor);
    return EDIT_RESULT::Done;
}

EDIT_RESULT CGraphEditor::CopyInto(LOGIC_MEMORY& clip) {
    const CLogicMemory* memory = m_model.Memory();
    if (memory == nullptr || RowCount() == 0) {
        return EDIT_RESULT::Nothing;
    }
    const CLOCKS clocks = SelectionClocks();
    const auto valid = static_cast<uint32_t>(std::max(0, m_model.ValidLength()));
    if (clocks.last >= std::min(valid, memory->Length())) {
        return EDIT_RESULT::ImproperArgument;
    }
    SELECTION_CHANNELS channels = SelectionChannels();
    if (channels.BusEntry) {
        // The clipboard keeps rows: a copied bus row carries no channel.
        channels.Entries = {LOGIC_MEMORY::NoChannel};
        channels.Mask = 0;
    }
    clip.Start = static_cast<int32_t>(clocks.first);
    clip.End = static_cast<int32_t>(clocks.last);
    clip.ChannelSet = channels.Mask;
    try {
        clip.Channels = std::move(channels.Entries);
        if (clip.ChannelSet != 0) {
            CMaskedWords::Capture(memory->Data(), 0, clip);
        } else {
            clip.Planes.clear();
            clip.Words.clear();
        }
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    return EDIT_RESULT::Done;
}

EDIT_RESULT CGraphEditor::Copy() {
    LOGIC_MEMORY clip;
    clip.Mode = m_clipboard.Mode;
    const EDIT_RESULT result = CopyInto(clip);
    if (result == EDIT_RESULT::Done) {
        m_clipboard = std::move(clip);
        m_canPaste = true;
    }
    return result;
}

EDIT_RESULT CGraphEditor::Cut() {
    if (!CanEdit()) {
        return EDIT_RESULT::Nothing;
    }
    LOGIC_MEMORY clip;
    clip.Mode = m_clipboard.Mode;
    const EDIT_RESULT copied = CopyInto(clip);
    if (copied != EDIT_RESULT::Done) {
        return copied;
    }
    const CLOCKS clocks = SelectionClocks();
    if (clip.ChannelSet != 0) {
        const EDIT_RESULT deleted = DeleteClocks(clocks, clip.ChannelSet, clip.Channels);
        if (deleted != EDIT_RESULT::Done) {
            return deleted;
        }
    }
    m_clipboard = std::move(clip);
    m_canPaste = true;
    m_model.SetAnchor(m_model.Current());
    return m_clipboard.ChannelSet != 0 ? EDIT_RESULT::Done : EDIT_RESULT::Nothing;
}

EDIT_RESULT CGraphEditor::Paste() {
    if (!CanEdit() || !m_canPaste || m_clipboard.Channels.empty()) {
        return EDIT_RESULT::Nothing;
    }
    const GRAPH_CELL current = m_model.Current();
    const uint32_t length = Length();
    if (current.clock < 0 || static_cast<uint32_t>(current.clock) >= length || current.row < 0 ||
        current.row >= RowCount()) {
        return EDIT_RESULT::ImproperArgument;
    }
    const auto c = static_cast<uint32_t>(current.clock);
    const uint32_t span = m_clipboard.Length() - 1;
    const auto w = static_cast<uint32_t>(std::min<uint64_t>(length - 1, uint64_t{c} + span));
    const CLOCKS clocks{c, w};
    const int lastRow = std::min(RowCount() - 1, current.row + static_cast<int>(m_clipboard.Channels.size()) - 1);
    // Source row k lands in the k-th row from the current one, on that row's channel.
    std::vector<std::pair<int, int>> moves;
    std::vector<int16_t> destination;
    uint32_t mask = 0;
    for (int row = current.row; row <= lastRow; ++row) {
        const LOGIC_DATA* data = ShownRow(row);
        const int16_t source = m_clipboard.Channels[static_cast<std::size_t>(row - current.row)];
        const bool signal = data != nullptr && SignalChannel(*data);
        destination.push_back(signal ? data->DeviceChannel : LOGIC_MEMORY::NoChannel);
        if (signal && source != LOGIC_MEMORY::NoChannel) {
            moves.emplace_back(source, data->DeviceChannel);
            mask |= Bit(data->DeviceChannel);
        }
    }
    if (mask == 0) {
        return EDIT_RESULT::Nothing;
    }
    const EDIT_RESULT recorded = Record(clocks, mask, destination);
    if (recorded != EDIT_RESULT::Done) {
        return recorded;
    }
    uint32_t* words = Words();
    if (InsertMode()) {
        CMaskedWords::PushTowardEnd(words, length, c, clocks.Count(), mask);
    }
    for (const auto& [source, target] : moves) {
        CMaskedWords::CopyChannel(m_clipboard, source, 0, clocks.Count(), words, c, target);
    }
    return EDIT_RESULT::Done;
}

bool CGraphEditor::SelectAll() {
    const int rows = RowCount();
    if (rows == 0) {
        return false;
    }
    CGraphGeometry& geometry = m_model.Geometry();
    const int last = m_model.LastClock();
    ClearTyping();
    m_model.SetCurrent({last, rows - 1});
    m_model.SetAnchor({0, 0});
    geometry.SetFirstVisibleRow(std::max(0, rows - geometry.RowsPerPage()));
    geometry.SetFirstVisibleClock(std::max(0, last - geometry.ClocksPerPage() + 1));
    return true;
}

EDIT_RESULT CGraphEditor::Undo() {
    if (!HistoryAllowed()) {
        return EDIT_RESULT::Nothing;
    }
    return m_history.Undo();
}

EDIT_RESULT CGraphEditor::Redo() {
    if (!HistoryAllowed()) {
        return EDIT_RESULT::Nothing;
    }
    return m_history.Redo();
}
