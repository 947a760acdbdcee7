#pragma once
#include "graph/GRAPH_INPUT.h"

class CGraphModel;
class IGraphViewHost;

// A group of keys of the graph (data entry, later others). The key
// controller offers every key to its commands in the order they were added
// before its own moves; the first that returns true has handled it.
class IGraphKeyCommand {
public:
    virtual ~IGraphKeyCommand() = default;
    [[nodiscard]] virtual bool KeyDown(CGraphModel& model, IGraphViewHost& host, const GRAPH_KEY_EVENT& key) = 0;
};
