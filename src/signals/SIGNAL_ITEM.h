#pragma once
#include <string>
#include <vector>

#include "document/LOGIC_DATA.h"

// One item of the signal tree: a signal, or a bus with its member signals as
// children. Handles are handed out by the tree and never reused, so a handle
// kept in a row from an earlier build names nothing.
struct SIGNAL_ITEM {
    TreeHandle Handle = 0;
    std::string Label;
    bool IsBus = false;
    bool Expanded = true;
    std::vector<SIGNAL_ITEM> Children;
};
