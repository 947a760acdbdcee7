#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/CLogicMemory.h"
#include "document/LOGIC_CONDITION.h"
#include "document/PATTERN_PARAMETERS.h"
#include "document/SEARCH_REQUEST.h"

// The document: the acquisition condition, the two logic memories and the
// run counters. There is at most one at a time; every window on it reads and
// changes it through this class. Every setter ends with NotifyViews.
class IEditRecorder;

class CLogicDocument {
public:
    static constexpr uint32_t InitialSamplingWords = 1000000;
    static constexpr uint32_t InitialGeneratingWords = 1000;

    // The default auto-save folder comes from the caller (documents folder +
    // "/Nivara", else the current folder): the core does not look it up.
    explicit CLogicDocument(std::string defaultAutoSavePath);
    CLogicDocument(const CLogicDocument&) = delete;
    CLogicDocument& operator=(const CLogicDocument&) = delete;

    // --- views
    // Called by NotifyViews; the window layer forwards it to every view.
    void SetViewNotifier(std::function<void()> notifier) { m_notifier = std::move(notifier); }
    void NotifyViews() const;

    // --- condition
    [[nodiscard]] LOGIC_CONDITION& Condition() { return m_condition; }
    [[nodiscard]] const LOGIC_CONDITION& Condition() const { return m_condition; }
    // ModelType: 1 for "QDX-32C-PE", 0 for "QDX-32A-PE" and "QDX-32A(PCI)",
    // unchanged for any other type text.
    [[nodiscard]] static int16_t ModelTypeOf(const std::string& deviceType, int16_t current);

    void SetDevice(const std::string& deviceType, const std::string& deviceName);
    [[nodiscard]] int16_t GetMaxChannels(int direction) const;
    void SetClockType(int direction, int16_t clockType);
    [[nodiscard]] int16_t GetClockType(int direction) const;
    void SetClock(int direction, uint32_t clock, int16_t unit);
    void SetStartTrigger(int direction, int16_t trigger);
    [[nodiscard]] int16_t GetStartTrigger(int direction) const;
    void SetStopTrigger(int direction, int16_t trigger);
    [[nodiscard]] int16_t GetStopTrigger(int direction) const;
    void SetStartPosition(int direction, uint32_t position);
    [[nodiscard]] uint32_t GetStartPosition(int direction) const;
    void SetStopPosition(int direction, uint32_t position);
    [[nodiscard]] uint32_t GetStopPosition(int direction) const;
    // Resizes the memory of the direction and sets its RepeatCount; for
    // sampling also SamplingBufferSize. False when the memory cannot take the
    // size (0 or not allocatable): then nothing changes.
    [[nodiscard]] bool SetSize(int direction, uint32_t size, uint32_t repeat);
    [[nodiscard]] bool SetBufferSize(uint32_t size);
    void SetAutoSavePath(const std::string& path);
    void SetAutoSaveFileName(const std::string& name);

    // --- memories
    [[nodiscard]] CLogicMemory& SamplingMemory() { return m_sampling; }
    [[nodiscard]] CLogicMemory& GeneratingMemory() { return m_generating; }
    [[nodiscard]] const CLogicMemory& SamplingMemory() const { return m_sampling; }
    [[nodiscard]] const CLogicMemory& GeneratingMemory() const { return m_generating; }
    // The memory of a direction value, nullptr for any other value.
    [[nodiscard]] CLogicMemory* Memory(int direction);
    [[nodiscard]] const CLogicMemory* Memory(int direction) const;

    // Valid words of the sampling memory for a count C and length N: C < N
    // gives C, a whole multiple of N gives N, otherwise C mod N.
    [[nodiscard]] static uint32_t ValidLength(uint32_t count, uint32_t length);
    [[nodiscard]] uint32_t ValidSamplingLength() const;
    // Valid words of a direction's memory (the generating memory is valid
    // over its whole length); 0 for another direction value.
    [[nodiscard]] uint32_t ValidLengthOf(int direction) const;

    // True while the sampling memory holds one block of an auto-saved
    // recording (sampling direction with AutoSave 1).
    [[nodiscard]] bool UsesBlocks() const;
    // CurrentBlock x SamplingBufferSize + position while blocks are used,
    // otherwise the position.
    [[nodiscard]] uint64_t AbsolutePosition(uint32_t position) const;

    // --- run state (written by run threads: atomic)
    std::atomic<uint32_t> LastCount{0};
    std::atomic<uint32_t> LastCarry{0};
    std::atomic<int32_t> IsRunning{0};
    std::atomic<int32_t> Saved{1};
    std::atomic<int32_t> CurrentBlock{0};
    std::vector<std::string> AutoSavedFiles;

    // The parameters of the last created pattern (saved by the data pattern file).
    PATTERN_PARAMETERS PatternParameters;
    // The last search made (the result box shows it).
    SEARCH_REQUEST SearchRequest;
    // The bookmark list's "Close automatically" (kept in the settings as
    // "Bookmark Settings" / "Auto Close").
    int32_t BookmarkAutoClose = 1;

    // --- edit history
    // The one edit history of the document, shared by its windows; the graph
    // creates it on first use (CEditHistory::For) and the document only keeps it.
    [[nodiscard]] const std::shared_ptr<IEditRecorder>& EditHistory() const { return m_editHistory; }
    void SetEditHistory(std::shared_ptr<IEditRecorder> history) { m_editHistory = std::move(history); }

private:
    LOGIC_CONDITION m_condition;
    CLogicMemory m_sampling{InitialSamplingWords};
    CLogicMemory m_generating{InitialGeneratingWords};
    std::function<void()> m_notifier;
    // Last: destroyed first, while the memories it refers to still exist.
    std::shared_ptr<IEditRecorder> m_editHistory;
};
