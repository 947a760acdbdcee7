#pragma once
#include "device/IRunGraph.h"

// The graph of a run without windows (command-line tool, benchmarks): it
// keeps the last request so that a caller can report it.
class CHeadlessGraph : public IRunGraph {
public:
    explicit CHeadlessGraph(uint32_t clocksPerPage = 1000) : m_page(clocksPerPage) {}

    void SuspendDrawing() override {}
    void ResumeDrawing() override {}
    void SetEditDisabled(bool) override {}
    [[nodiscard]] uint32_t ClocksPerPage() const override { return m_page; }
    [[nodiscard]] uint32_t LastClock() const override { return m_last; }
    void JumpToClock(uint32_t clock) override { m_jump = clock; }
    void SetSelection(const RUN_SELECTION& selection) override {
        m_selection = selection;
        ++m_matches;
    }
    void ScrollToClock(uint32_t) override {}
    void GiveFocus() override {}
    void UpdateAllViews() override {}

    void SetLastClock(uint32_t last) { m_last = last; }
    [[nodiscard]] int Matches() const { return m_matches; }
    [[nodiscard]] const RUN_SELECTION& LastSelection() const { return m_selection; }

private:
    uint32_t m_page;
    uint32_t m_last = 0;
    uint32_t m_jump = 0;
    int m_matches = 0;
    RUN_SELECTION m_selection;
};
