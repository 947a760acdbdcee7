#pragma once
#include <string>

#include "files/FileResult.h"
#include "files/PULSE_CONTENT.h"

class CLogicDocument;
class CWindowRecords;
class IFileWindow;

// The steps both pulse file readers share once a file was checked: the
// staged content goes to the document and the window, then the device, the
// signal tree, the views and the title follow.
class CPulseLoad {
public:
    // Resizes the memory of the file's direction (refused while a run is
    // active or when the Size cannot be allocated: then nothing changed),
    // then gives the document the condition and the window the channel table
    // and, when the file has them, the bookmarks of that direction.
    [[nodiscard]] static FileResult Apply(CLogicDocument& document, CWindowRecords& records,
                                          const PULSE_CONTENT& content);
    // After the words: LastCount for a sampling file, the bookmark markers,
    // the device step, the signal tree, the views, the title and path.
    static void Finish(CLogicDocument& document, IFileWindow& window, int direction, uint32_t stored,
                       const std::string& path);
    // Selects the document's device by name, refreshes the grid and reopens the board.
    static void DeviceStep(CLogicDocument& document, IFileWindow& window);
    // Refusal of a block read into a document that cannot take one.
    [[nodiscard]] static FileResult CheckBlockTarget(const CLogicDocument& document);
};
