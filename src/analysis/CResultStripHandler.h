#pragma once
#include <cstddef>
#include <functional>

#include "graph/IGraphMouseMode.h"

class CDataPatternList;
class CGraphModel;
class CResultPages;

// The mouse in the result strip while the data-pattern page is shown: a
// right-button release removes the pattern whose slot holds the pointer; a
// left press picks the pattern under the pointer (its details when the
// pattern is cut and the press lies on the slot's truncation mark), and the
// release hands it to the apply handler (stamping or the details dialog).
class CResultStripHandler : public IGraphStripHandler {
public:
    // index: entry of the data-pattern list; details: open its details dialog.
    using APPLY = std::function<void(std::size_t index, bool details)>;

    CResultStripHandler(const CGraphModel& model, const CResultPages& pages, CDataPatternList& patterns,
                        std::function<void()> repaint);

    // The document window installs one that opens the details dialog
    // (CAnalysisResults::ShowDetails); a replacement keeps doing that when
    // `details` is set.
    void SetApplyHandler(APPLY apply) { m_apply = std::move(apply); }

    void Press(int x, int y) override;
    void Release(int x, int y) override;
    void RightRelease(int x, int y) override;

    // The entry picked by the last press (-1: none) and whether it asks for details.
    [[nodiscard]] int PressedEntry() const { return m_pressed; }
    [[nodiscard]] bool PressedDetails() const { return m_details; }

private:
    [[nodiscard]] bool ShowsPatterns() const;

    const CGraphModel& m_model;
    const CResultPages& m_pages;
    CDataPatternList& m_patterns;
    std::function<void()> m_repaint;
    APPLY m_apply;
    int m_pressed = -1;
    bool m_details = false;
};
