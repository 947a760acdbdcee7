#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/IFileWindow.h"

// The document window of a program without windows (the command-line tool,
// the tests): no device list, so device texts pass through unchanged; it
// remembers the path and counts the window steps a read asked for.
class CHeadlessFileWindow final : public IFileWindow {
public:
    void SelectDeviceByName(CLogicDocument& document, const std::string& name) override;
    void RefreshConditionGrid() override;
    void ReopenDevice() override;
    void RebuildSignalTree() override;
    void RebuildBookmarkMarkers() override;
    void SetTitleAndPath(const std::string& path) override;
    [[nodiscard]] int DataPatternTargetChannel() const override { return TargetChannel; }
    void Repaint() override;
    void ReportProgress(uint64_t done, uint64_t total) override { Progress.emplace_back(done, total); }

    // The channel a data pattern read uses.
    int TargetChannel = 0;

    // What the reads asked of the window.
    std::string Path;
    std::string SelectedDeviceName;
    int DeviceSelections = 0;
    int GridRefreshes = 0;
    int DeviceReopens = 0;
    int TreeRebuilds = 0;
    int MarkerRebuilds = 0;
    int Repaints = 0;
    // (bytes read, file size) of each progress report.
    std::vector<std::pair<uint64_t, uint64_t>> Progress;
};
