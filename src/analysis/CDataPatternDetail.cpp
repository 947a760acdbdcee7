#include "analysis/CDataPatternDetail.h"

#include <algorithm>

#include "graph/CGraphGeometry.h"

CDataPatternDetail::CDataPatternDetail(const DATA_PATTERN& pattern, float scale)
    : m_pattern(pattern), m_bitWidth(std::max(1, CGraphGeometry::Scaled(scale, LineStep))) {
    // Only the pattern's own characters count; anything but '1' is a low bit.
    if (m_pattern.Length >= 0 && static_cast<std::size_t>(m_pattern.Length) < m_pattern.Bits.size()) {
        m_pattern.Bits.resize(static_cast<std::size_t>(m_pattern.Length));
    }
    m_maximum = static_cast<int>(static_cast<float>(LineStep) * scale * static_cast<float>(BitCount()));
}

void CDataPatternDetail::SetPosition(int position) {
    m_position = std::clamp(position, 0, m_maximum);
    m_firstBit = std::clamp(m_position / LineStep, 0, std::max(0, BitCount() - 1));
}

bool CDataPatternDetail::Scroll(DETAIL_SCROLL request, int thumbPosition) {
    switch (request) {
    case DETAIL_SCROLL::LineLeft:
        if (m_position <= 0) {
            return false;
        }
        SetPosition(m_position - LineStep);
        return true;
    case DETAIL_SCROLL::LineRight:
        if (m_position >= m_maximum) {
            return false;
        }
        SetPosition(m_position + LineStep);
        return true;
    case DETAIL_SCROLL::ThumbTrack:
    case DETAIL_SCROLL::ThumbPosition:
        SetPosition(std::max(0, thumbPosition) / LineStep * LineStep);
        return true;
    default:
        return false;
    }
}

std::vector<GRAPH_POINT> CDataPatternDetail::StepLine(int clientWidth, int clientHeight) const {
    std::vector<GRAPH_POINT> points;
    const auto levelY = [clientHeight](char bit) { return clientHeight - StepHeight * (bit == '1' ? 1 : 0) - 2; };
    int x = 0;
    for (int i = m_firstBit; i < BitCount() && x <= clientWidth; ++i) {
        const int y = levelY(m_pattern.Bits[static_cast<std::size_t>(i)]);
        if (points.empty()) {
            points.push_back({x, y});
        } else if (points.back().y != y) {
            points.push_back({x, y});  // the vertical step at the bit boundary
        }
        x += m_bitWidth;
        points.push_back({x, y});
    }
    return points;
}

GRAPH_POINT CDataPatternDetail::Placement(int graphLeft, int graphTop, int slotLeft, int height) {
    const int left = graphLeft + slotLeft - 1;
    const int bottom = graphTop - 1;
    return {left, bottom - height};
}
