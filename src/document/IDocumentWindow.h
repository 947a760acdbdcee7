#pragma once
#include <string>

class CChannelListView;
class CChannelTreeView;
class CDeviceRun;
class CLogicDocument;
class CNivaraView;
class CWindowRecords;
class CWorkSpaceView;
class IFileWindow;
class IPulseFileAccess;
class QWidget;

// A document window as the command modules see it: the shared document, the
// window's own records and run, and its panes. Implemented by CChildFrame.
class IDocumentWindow {
public:
    virtual ~IDocumentWindow() = default;
    [[nodiscard]] virtual CLogicDocument& Document() = 0;
    [[nodiscard]] virtual CWindowRecords& Records() = 0;
    [[nodiscard]] virtual CDeviceRun& Run() = 0;
    // The graph, the signal tree and the channel list of the window.
    [[nodiscard]] virtual CNivaraView* View() const = 0;
    [[nodiscard]] virtual CChannelTreeView* Tree() const = 0;
    [[nodiscard]] virtual CChannelListView* List() const = 0;
    // The workspace strip with the result page list.
    [[nodiscard]] virtual CWorkSpaceView* WorkSpace() const = 0;
    // True while the graph is the pane the user last worked in.
    [[nodiscard]] virtual bool GraphIsActiveView() const = 0;
    // The window itself: the parent of the dialogs it opens.
    [[nodiscard]] virtual QWidget* Window() = 0;
    // The steps of file reads and writes, and the pulse files of the window.
    [[nodiscard]] virtual IFileWindow& FileWindow() = 0;
    [[nodiscard]] virtual IPulseFileAccess& PulseFiles() = 0;
    // The document's file path ("" before the first Open or Save).
    [[nodiscard]] virtual std::string PathName() const = 0;
    // The document's title (its file name, or the default title before the first save).
    [[nodiscard]] virtual std::string Title() const = 0;
    // Sets the path and takes its file name as the document title.
    virtual void SetPathName(const std::string& path) = 0;
    // A close request: runs the close query; false when the window stays.
    virtual bool CloseWindow() = 0;
};
