#include "graph/CEditHistory.h"

#include <bit>
#include <memory>
#include <new>
#include <utility>

#include "document/CLogicDocument.h"
#include "graph/CMaskedWords.h"

namespace {

uint32_t ChannelBit(int channel) { return 1U << static_cast<unsigned>(channel); }

bool ValidChannel(int channel) { return channel >= 0 && channel <= 31; }

}  // namespace

CEditHistory::CEditHistory(CLogicDocument& document)
    : m_document(document), m_generation(document.GeneratingMemory().Generation()) {}

CEditHistory& CEditHistory::For(CLogicDocument& document) {
    auto* history = dynamic_cast<CEditHistory*>(document.EditHistory().get());
    if (history == nullptr) {
        auto created = std::make_shared<CEditHistory>(document);
        history = created.get();
        document.SetEditHistory(std::move(created));
    }
    return *history;
}

CLogicMemory& CEditHistory::Memory() { return m_document.GeneratingMemory(); }

bool CEditHistory::Current() const { return m_document.GeneratingMemory().Generation() == m_generation; }

void CEditHistory::Sync() {
    if (!Current()) {
        Clear();
    }
}

void CEditHistory::Clear() {
    m_undo.clear();
    m_undo.shrink_to_fit();
    m_redo.clear();
    m_redo.shrink_to_fit();
    m_generation = m_document.GeneratingMemory().Generation();
}

bool CEditHistory::CanUndo() const { return Current() && !m_undo.empty(); }
bool CEditHistory::CanRedo() const { return Current() && !m_redo.empty(); }

std::size_t CEditHistory::Bytes() const {
    std::size_t bytes = 0;
    for (const auto* stack : {&m_undo, &m_redo}) {
        for (const ENTRY& entry : *stack) {
            bytes += entry.Range.Bytes() + entry.Tail.Bytes();
        }
    }
    return bytes;
}

const LOGIC_MEMORY* CEditHistory::NewestUndo() const { return CanUndo() ? &m_undo.back().Range : nullptr; }

EDIT_RESULT CEditHistory::RecordOverwrite(uint32_t channels, uint32_t start, uint32_t end) {
    return RecordEdit(start, end, channels, EDIT_MODE::Overwrite);
}

EDIT_RESULT CEditHistory::RecordSwap(int channelA, int channelB) {
    if (!ValidChannel(channelA) || !ValidChannel(channelB) || channelA == channelB) {
        return EDIT_RESULT::ImproperArgument;
    }
    ENTRY entry;
    entry.Range.Start = 0;
    entry.Range.End = 0;
    entry.Range.Mode = EDIT_MODE::Swap;
    entry.Range.ChannelSet = ChannelBit(channelA) | ChannelBit(channelB);
    try {
        entry.Range.Channels = {static_cast<int16_t>(channelA), static_cast<int16_t>(channelB)};
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    return Push(std::move(entry));
}

EDIT_RESULT CEditHistory::RecordEdit(uint32_t start, uint32_t end, uint32_t channels, EDIT_MODE mode,
                                     const std::vector<int16_t>& rows) {
    const CLogicMemory& memory = Memory();
    if (channels == 0 || start > end || end >= memory.Length() ||
        (mode != EDIT_MODE::Overwrite && mode != EDIT_MODE::Delete)) {
        return EDIT_RESULT::ImproperArgument;
    }
    ENTRY entry;
    entry.Range.Start = static_cast<int32_t>(start);
    entry.Range.End = static_cast<int32_t>(end);
    entry.Range.Mode = mode;
    entry.Range.ChannelSet = channels;
    try {
        entry.Range.Channels = rows;
        CMaskedWords::Capture(memory.Data(), 0, entry.Range);
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    return Push(std::move(entry));
}

EDIT_RESULT CEditHistory::RecordOverwriteFrom(uint32_t start, uint32_t end, uint32_t channels,
                                              const uint32_t* words, uint32_t wordsFirst, uint32_t wordCount) {
    if (channels == 0 || words == nullptr || start > end || end >= Memory().Length() || start < wordsFirst ||
        end - wordsFirst >= wordCount) {
        return EDIT_RESULT::ImproperArgument;
    }
    ENTRY entry;
    entry.Range.Start = static_cast<int32_t>(start);
    entry.Range.End = static_cast<int32_t>(end);
    entry.Range.Mode = EDIT_MODE::Overwrite;
    entry.Range.ChannelSet = channels;
    try {
        CMaskedWords::Capture(words, wordsFirst, entry.Range);
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    return Push(std::move(entry));
}

EDIT_RESULT CEditHistory::RecordInsert(uint32_t start, uint32_t end, uint32_t channels,
                                       const std::vector<int16_t>& rows) {
    const CLogicMemory& memory = Memory();
    const uint32_t length = memory.Length();
    if (channels == 0 || start > end || end >= length) {
        return EDIT_RESULT::ImproperArgument;
    }
    const uint32_t inserted = end - start + 1;
    ENTRY entry;
    entry.Range.Start = static_cast<int32_t>(start);
    entry.Range.End = static_cast<int32_t>(end);
    entry.Range.Mode = EDIT_MODE::Insert;
    entry.Range.ChannelSet = channels;
    entry.Tail.Start = static_cast<int32_t>(length - inserted);
    entry.Tail.End = static_cast<int32_t>(length - 1);
    entry.Tail.Mode = EDIT_MODE::Insert;
    entry.Tail.ChannelSet = channels;
    try {
        entry.Range.Channels = rows;
        entry.Tail.Channels = rows;
        CMaskedWords::Capture(memory.Data(), 0, entry.Range);
        CMaskedWords::Capture(memory.Data(), 0, entry.Tail);
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    return Push(std::move(entry));
}

EDIT_RESULT CEditHistory::Push(ENTRY&& entry) {
    Sync();
    try {
        m_undo.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    m_document.Saved = 0;
    return EDIT_RESULT::Done;
}

bool CEditHistory::Fits(const LOGIC_MEMORY& record) const {
    const uint32_t length = m_document.GeneratingMemory().Length();
    return record.Start >= 0 && record.End >= record.Start && static_cast<uint32_t>(record.End) < length;
}

bool CEditHistory::Fits(const ENTRY& entry) const {
    if (entry.Range.Mode == EDIT_MODE::Swap) {
        return std::popcount(entry.Range.ChannelSet) == 2;
    }
    if (!entry.Range.HoldsBits() || !Fits(entry.Range)) {
        return false;
    }
    if (entry.Range.Mode == EDIT_MODE::Insert) {
        return entry.Tail.HoldsBits() && Fits(entry.Tail) && entry.Tail.Length() == entry.Range.Length();
    }
    return true;
}

CEditHistory::ENTRY CEditHistory::Snapshot(const ENTRY& entry) {
    ENTRY now;
    now.Range.Start = entry.Range.Start;
    now.Range.End = entry.Range.End;
    now.Range.Mode = entry.Range.Mode;
    now.Range.ChannelSet = entry.Range.ChannelSet;
    now.Range.Channels = entry.Range.Channels;
    if (entry.Range.Mode == EDIT_MODE::Swap) {
        return now;
    }
    const uint32_t* words = Memory().Data();
    CMaskedWords::Capture(words, 0, now.Range);
    if (entry.Range.Mode == EDIT_MODE::Insert) {
        now.Tail.Start = entry.Tail.Start;
        now.Tail.End = entry.Tail.End;
        now.Tail.Mode = entry.Tail.Mode;
        now.Tail.ChannelSet = entry.Tail.ChannelSet;
        now.Tail.Channels = entry.Tail.Channels;
        CMaskedWords::Capture(words, 0, now.Tail);
    }
    return now;
}

void CEditHistory::ApplyUndo(const ENTRY& entry) {
    CLogicMemory& memory = Memory();
    uint32_t* words = memory.Data();
    const uint32_t length = memory.Length();
    const LOGIC_MEMORY& range = entry.Range;
    const uint32_t set = range.ChannelSet;
    const auto start = static_cast<uint32_t>(range.Start);
    switch (range.Mode) {
    case EDIT_MODE::Overwrite:
        CMaskedWords::Restore(range, words, set);
        break;
    case EDIT_MODE::Insert:
        CMaskedWords::PullTowardStart(words, length, start, range.Length(), set);
        CMaskedWords::Restore(entry.Tail, words, set);
        break;
    case EDIT_MODE::Delete:
        CMaskedWords::PushTowardEnd(words, length, start, range.Length(), set);
        CMaskedWords::Restore(range, words, set);
        break;
    case EDIT_MODE::Swap:
        CMaskedWords::SwapChannels(words, length, range.Channels[0], range.Channels[1]);
        break;
    }
}

void CEditHistory::ApplyRedo(const ENTRY& entry) {
    CLogicMemory& memory = Memory();
    uint32_t* words = memory.Data();
    const uint32_t length = memory.Length();
    const LOGIC_MEMORY& range = entry.Range;
    const uint32_t set = range.ChannelSet;
    const auto start = static_cast<uint32_t>(range.Start);
    const uint32_t count = range.Length();
    switch (range.Mode) {
    case EDIT_MODE::Overwrite:
        CMaskedWords::Restore(range, words, set);
        break;
    case EDIT_MODE::Insert:
        CMaskedWords::PushTowardEnd(words, length, start, count, set);
        CMaskedWords::Restore(range, words, set);
        break;
    case EDIT_MODE::Delete:
        CMaskedWords::PullTowardStart(words, length, start, count, set);
        CMaskedWords::Fill(words, length - count, count, set, false);
        CMaskedWords::Restore(range, words, set);
        break;
    case EDIT_MODE::Swap:
        CMaskedWords::SwapChannels(words, length, range.Channels[0], range.Channels[1]);
        break;
    }
}

EDIT_RESULT CEditHistory::Take(std::vector<ENTRY>& from, std::vector<ENTRY>& to, bool undo) {
    Sync();
    if (from.empty()) {
        return EDIT_RESULT::Nothing;
    }
    const ENTRY& entry = from.back();
    if (entry.Range.Mode != EDIT_MODE::Swap && !entry.Range.HoldsBits()) {
        return EDIT_RESULT::Nothing;
    }
    // Checked before it is taken: a record that no longer fits the memory
    // stays where it is and nothing is read or written.
    if (!Fits(entry)) {
        return EDIT_RESULT::ImproperArgument;
    }
    ENTRY other;
    try {
        other = Snapshot(entry);
        to.reserve(to.size() + 1);
    } catch (const std::bad_alloc&) {
        return EDIT_RESULT::OutOfMemory;
    }
    if (undo) {
        ApplyUndo(entry);
    } else {
        ApplyRedo(entry);
    }
    from.pop_back();
    to.push_back(std::move(other));
    m_document.Saved = 0;
    return EDIT_RESULT::Done;
}

EDIT_RESULT CEditHistory::Undo() { return Take(m_undo, m_redo, true); }

EDIT_RESULT CEditHistory::Redo() { return Take(m_redo, m_undo, false); }
