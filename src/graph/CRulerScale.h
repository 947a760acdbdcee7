#pragma once
#include <cstdint>
#include <string>

// Graph units: clock numbers or time in the condition's clock unit.
constexpr int GRAPH_UNIT_CLOCK = 0;
constexpr int GRAPH_UNIT_TIME = 1;

// Tick spacing and labels of the clock/time ruler above the graph.
class CRulerScale {
public:
    // d = clocks per tick (1 / zoom), e = base spacing int(10 * s), c = the
    // condition's Clock value, first = absolute first visible clock.
    CRulerScale(int graphUnit, double clocksPerTick, int baseSpacing, uint32_t clockValue, int64_t first);

    // Pixels between two ticks (at least 1).
    [[nodiscard]] int Spacing() const { return m_spacing; }
    // Value step from one tick to the next.
    [[nodiscard]] double Step() const { return m_step; }
    // Value at the first tick.
    [[nodiscard]] double FirstValue() const { return m_first; }
    // The label value of tick o: floor(o * step + first value).
    [[nodiscard]] double Label(int tick) const;
    // Every tenth tick carries a label and runs the full height.
    [[nodiscard]] static bool IsLabelled(int tick) { return tick % 10 == 0; }
    // Length of tick o: the full height for every tenth, int(int(6 s) * 1.5)
    // for every fifth, int(6 s) for the others.
    [[nodiscard]] static int TickLength(int tick, float s, int height);

    // "" for ClockUnit codes below 2 (seconds), "m", "u", "n" for 2, 3, 4.
    [[nodiscard]] static std::string UnitPrefix(int clockUnit);
    // "Clock" or "Sec".
    [[nodiscard]] static std::string UnitText(int graphUnit);
    // "[ Clock ]" in clock unit, "[ uSec ]" (prefix and unit text) in time unit.
    [[nodiscard]] static std::string UnitLabel(int graphUnit, const std::string& prefix);
    // "%.0lf" of a label value.
    [[nodiscard]] static std::string LabelText(double value);

private:
    int m_spacing = 1;
    double m_step = 1;
    double m_first = 0;
};
