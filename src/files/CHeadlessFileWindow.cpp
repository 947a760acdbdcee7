#include "files/CHeadlessFileWindow.h"

void CHeadlessFileWindow::SelectDeviceByName(CLogicDocument& /*document*/, const std::string& name) {
    SelectedDeviceName = name;
    ++DeviceSelections;
}

void CHeadlessFileWindow::RefreshConditionGrid() { ++GridRefreshes; }

void CHeadlessFileWindow::ReopenDevice() { ++DeviceReopens; }

void CHeadlessFileWindow::RebuildSignalTree() { ++TreeRebuilds; }

void CHeadlessFileWindow::RebuildBookmarkMarkers() { ++MarkerRebuilds; }

void CHeadlessFileWindow::SetTitleAndPath(const std::string& path) { Path = path; }

void CHeadlessFileWindow::Repaint() { ++Repaints; }
