#pragma once
#include <string>

#include "files/FileResult.h"

class CLogicDocument;
class IFileWindow;

// Writes the condition of the document's current direction to a condition
// file (beside path first, then renamed over it). Title and path stay.
[[nodiscard]] FileResult WriteConditionFile(const CLogicDocument& document, const std::string& path);

// Replaces the document's condition with the file's values (a key the file
// lacks keeps its value), resizes the memory of the file's direction and
// reopens the window's device. A refused file leaves the document as it was.
[[nodiscard]] FileResult ReadConditionFile(CLogicDocument& document, IFileWindow& window, const std::string& path);
