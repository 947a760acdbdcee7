#pragma once
#include "graph/ui/CDrawCursor.h"

// The marker of one bookmark in the ruler: a downward triangle, in the
// current bookmark's colour or the others'; no line and no label.
class CDrawBookmark : public CDrawCursor {
public:
    static const QColor CurrentColour;
    static const QColor OtherColour;

    CDrawBookmark(float scale, int64_t position);

    void SetCurrent(bool current);
    [[nodiscard]] bool IsCurrent() const { return m_current; }

    void Draw(QPainter& painter) override;

private:
    bool m_current = true;
};
