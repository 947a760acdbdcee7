#include "graph/CGraphNavigator.h"

#include <algorithm>

#include "graph/CGraphModel.h"

bool CGraphNavigator::CellVisible() const {
    const CGraphGeometry& geometry = m_model.Geometry();
    const GRAPH_CELL cell = m_model.Current();
    const GRAPH_POINT point = geometry.CellToPoint(cell.clock, cell.row);
    return geometry.GraphArea().Contains(point.x, point.y);
}

void CGraphNavigator::Collapse() { m_model.SetAnchor(m_model.Current()); }

void CGraphNavigator::PageTowardStart(bool extend) {
    CGraphGeometry& geometry = m_model.Geometry();
    const int p = geometry.ClocksPerPage();
    GRAPH_CELL current = m_model.Current();
    current.clock = p < current.clock ? current.clock - p : 0;
    const int f = geometry.FirstVisibleClock();
    geometry.SetFirstVisibleClock(f < p ? 0 : f - p);
    m_model.SetCurrent(current);
    if (!extend) {
        Collapse();
    }
}

void CGraphNavigator::PageTowardEnd(bool extend) {
    CGraphGeometry& geometry = m_model.Geometry();
    const int p = geometry.ClocksPerPage();
    const int z = geometry.LastClock();
    GRAPH_CELL current = m_model.Current();
    current.clock = current.clock < z - p ? current.clock + p : z;
    const int f = geometry.FirstVisibleClock();
    const int first = z - 2 * p < f ? z - p + 1 : f + p;
    geometry.SetFirstVisibleClock(std::max(0, first));
    m_model.SetCurrent(current);
    if (!extend) {
        Collapse();
    }
}

void CGraphNavigator::ToStart(bool extend) {
    GRAPH_CELL current = m_model.Current();
    current.clock = 0;
    m_model.SetCurrent(current);
    m_model.Geometry().SetFirstVisibleClock(0);
    if (!extend) {
        Collapse();
    }
}

void CGraphNavigator::ToEnd(bool extend) {
    CGraphGeometry& geometry = m_model.Geometry();
    const int z = geometry.LastClock();
    GRAPH_CELL current = m_model.Current();
    current.clock = z;
    m_model.SetCurrent(current);
    geometry.SetFirstVisibleClock(std::max(0, z + 1 - geometry.ClocksPerPage()));
    if (!extend) {
        Collapse();
    }
}

void CGraphNavigator::Left() {
    GRAPH_CELL current = m_model.Current();
    if (current.clock > 0) {
        --current.clock;
    }
    m_model.SetCurrent(current);
    CGraphGeometry& geometry = m_model.Geometry();
    if (!CellVisible() && geometry.FirstVisibleClock() > 0) {
        geometry.SetFirstVisibleClock(geometry.FirstVisibleClock() - 1);
    }
}

void CGraphNavigator::Right() {
    CGraphGeometry& geometry = m_model.Geometry();
    const int z = geometry.LastClock();
    GRAPH_CELL current = m_model.Current();
    if (current.clock < z) {
        ++current.clock;
    }
    m_model.SetCurrent(current);
    if (!CellVisible() && z - geometry.ClocksPerPage() >= geometry.FirstVisibleClock()) {
        geometry.SetFirstVisibleClock(geometry.FirstVisibleClock() + 1);
    }
}

bool CGraphNavigator::Up() {
    GRAPH_CELL current = m_model.Current();
    if (current.row > 0) {
        --current.row;
    }
    m_model.SetCurrent(current);
    CGraphGeometry& geometry = m_model.Geometry();
    if (!CellVisible() && geometry.FirstVisibleRow() > 0) {
        geometry.SetFirstVisibleRow(geometry.FirstVisibleRow() - 1);
        return true;
    }
    return false;
}

bool CGraphNavigator::Down() {
    CGraphGeometry& geometry = m_model.Geometry();
    GRAPH_CELL current = m_model.Current();
    if (current.row < geometry.RowCount() - 1) {
        ++current.row;
    }
    m_model.SetCurrent(current);
    if (!CellVisible() && geometry.FirstVisibleRow() < geometry.RowCount() - geometry.RowsPerPage()) {
        geometry.SetFirstVisibleRow(geometry.FirstVisibleRow() + 1);
        return true;
    }
    return false;
}
