#include "graph/CRulerScale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

CRulerScale::CRulerScale(int graphUnit, double d, int e, uint32_t clockValue, int64_t first) {
    // A tick never gets closer than one pixel, also for a zero clock value
    // loaded from a file.
    const double limit = 1e6;
    if (graphUnit == GRAPH_UNIT_TIME) {
        const double c = static_cast<double>(clockValue);
        const double product = c * d;
        if (product < 1 && product > 0) {
            m_spacing = static_cast<int>(std::min(limit, e / product));
            m_step = 1;
        } else {
            m_spacing = e;
            m_step = product;
        }
        m_first = c * static_cast<double>(first);
    } else {
        if (d < 1 && d > 0) {
            m_spacing = static_cast<int>(std::min(limit, e / d));
            m_step = 1;
        } else {
            m_spacing = e;
            m_step = d;
        }
        m_first = static_cast<double>(first);
    }
    m_spacing = std::max(1, m_spacing);
}

double CRulerScale::Label(int tick) const {
    return std::floor(tick * m_step + m_first);
}

int CRulerScale::TickLength(int tick, float s, int height) {
    const int shortTick = static_cast<int>(6.0f * s);
    if (tick % 10 == 0) {
        return height;
    }
    if (tick % 5 == 0) {
        return static_cast<int>(shortTick * 1.5);
    }
    return shortTick;
}

std::string CRulerScale::UnitPrefix(int clockUnit) {
    switch (clockUnit) {
        case 2:
            return "m";
        case 3:
            return "u";
        case 4:
            return "n";
        default:
            return "";
    }
}

std::string CRulerScale::UnitText(int graphUnit) {
    return graphUnit == GRAPH_UNIT_TIME ? "Sec" : "Clock";
}

std::string CRulerScale::UnitLabel(int graphUnit, const std::string& prefix) {
    if (graphUnit == GRAPH_UNIT_TIME) {
        return "[ " + prefix + UnitText(graphUnit) + " ]";
    }
    return "[ " + UnitText(graphUnit) + " ]";
}

std::string CRulerScale::LabelText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0lf", value);
    return text;
}
