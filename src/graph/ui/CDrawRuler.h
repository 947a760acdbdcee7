#pragma once
#include <cstdint>
#include <string>

#include "graph/ui/CDrawRect.h"

// The clock or time ruler at the top of the graph.
class CDrawRuler : public CDrawRect {
public:
    explicit CDrawRuler(float scale);

    // The visible range and scale: absolute first visible clock, clocks per tick (1 / zoom).
    void SetRange(double firstClock, double clocksPerTick);
    // Graph unit, the condition's Clock value and the unit prefix for the time unit.
    void SetUnit(int graphUnit, uint32_t clockValue, const std::string& prefix);

    void Draw(QPainter& painter) override;

private:
    float m_scale;
    double m_firstClock = 0;
    double m_clocksPerTick = 1;
    int m_baseSpacing;
    int m_graphUnit = 0;
    uint32_t m_clockValue = 1;
    std::string m_prefix;
    QFont m_font;
};
