#pragma once
#include <functional>

class IUserMessages;

// Decides whether a document window may close. Extra windows on the document
// close without asking; the last one asks 64612 when the data is unsaved.
// Yes runs Save As and closes only when the file was written, so a cancelled
// or failed Save As keeps the data on screen.
class CCloseQuery {
public:
    // saveAs: runs Save As; true when the file was written.
    [[nodiscard]] static bool AllowClose(int windowCount, bool saved, IUserMessages& messages,
                                         const std::function<bool()>& saveAs);
};
