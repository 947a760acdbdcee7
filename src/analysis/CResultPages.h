#pragma once
#include <optional>

#include "analysis/AnalysisKinds.h"
#include "analysis/FREQUENCY_RESULT.h"
#include "analysis/LOGIC_RESULT.h"
#include "analysis/PULSE_COUNT_RESULT.h"
#include "analysis/SEARCH_PAGE.h"

// The results the graph's result box shows: one record per page (the
// data-pattern page reads the window's data-pattern list) and the page
// selected in the workspace strip. A new result replaces the previous one of
// its page; pages without a result are drawn blank.
class CResultPages {
public:
    [[nodiscard]] RESULT_PAGE Page() const { return m_page; }
    // Pages outside 0..4 are ignored (false).
    bool SetPage(int page);
    void SetPage(RESULT_PAGE page) { m_page = page; }

    void SetLogic(LOGIC_RESULT result) { m_logic = std::move(result); }
    void SetPulseCount(const PULSE_COUNT_RESULT& result) { m_pulse = result; }
    void SetFrequency(const FREQUENCY_RESULT& result) { m_frequency = result; }
    void SetSearch(const SEARCH_PAGE& page) { m_search = page; }

    [[nodiscard]] const std::optional<LOGIC_RESULT>& Logic() const { return m_logic; }
    [[nodiscard]] const std::optional<PULSE_COUNT_RESULT>& PulseCount() const { return m_pulse; }
    [[nodiscard]] const std::optional<FREQUENCY_RESULT>& Frequency() const { return m_frequency; }
    [[nodiscard]] const std::optional<SEARCH_PAGE>& Search() const { return m_search; }

private:
    RESULT_PAGE m_page = RESULT_PAGE::LogicalOperation;
    std::optional<LOGIC_RESULT> m_logic;
    std::optional<PULSE_COUNT_RESULT> m_pulse;
    std::optional<FREQUENCY_RESULT> m_frequency;
    std::optional<SEARCH_PAGE> m_search;
};
