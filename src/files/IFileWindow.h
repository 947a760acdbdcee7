#pragma once
#include <cstdint>
#include <string>

class CLogicDocument;

// The steps of a file read or write that reach the document window. The
// window implements them; the command-line tool and the tests use
// CHeadlessFileWindow.
class IFileWindow {
public:
    virtual ~IFileWindow() = default;

    // Selects the device list entry named `name`; when there is none, shows
    // warning 64520 and gives the document the type and name of the entry that
    // stays selected.
    virtual void SelectDeviceByName(CLogicDocument& document, const std::string& name) = 0;
    // Shows the condition grid again from the document.
    virtual void RefreshConditionGrid() = 0;
    // Closes the window's board and opens it again with the document's device
    // name. A board that fails to open is the window's own message; the file
    // read has succeeded by then.
    virtual void ReopenDevice() = 0;
    // Rebuilds the signal tree from the current direction's channel table.
    virtual void RebuildSignalTree() = 0;
    // Rebuilds the graph's bookmark markers from the current bookmark list.
    virtual void RebuildBookmarkMarkers() = 0;
    // Gives the document the path as its title and path name (no recent-file entry).
    virtual void SetTitleAndPath(const std::string& path) = 0;
    // The device channel a data pattern read stamps into: the DeviceChannel of
    // the graph's current row when the graph has the keyboard focus, else of
    // the first selected tree row, else 0. A bus row gives -1 (no channel).
    [[nodiscard]] virtual int DataPatternTargetChannel() const = 0;
    // Repaints the document window.
    virtual void Repaint() = 0;
    // Bytes read so far of a long pulse file read; the window may show it.
    virtual void ReportProgress(uint64_t done, uint64_t total) {
        (void)done;
        (void)total;
    }
};
