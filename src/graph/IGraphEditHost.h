#pragma once
#include "graph/EDIT_RESULT.h"

// What the editing parts of the graph tell the window that hosts them.
class IGraphEditHost {
public:
    virtual ~IGraphEditHost() = default;
    // The generating memory changed: every view of the document repaints.
    virtual void DataChanged() = 0;
    // An edit was refused (ImproperArgument: message 61477; OutOfMemory: the
    // record could not be made). Nothing changed.
    virtual void EditRefused(EDIT_RESULT result) = 0;
};
