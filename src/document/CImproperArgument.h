#pragma once
#include <stdexcept>

// An index outside a table or memory met while a command runs. The command
// ends, nothing is changed, and the window layer shows message 61477
// "Encountered an improper argument.".
class CImproperArgument : public std::out_of_range {
public:
    explicit CImproperArgument(const char* what) : std::out_of_range(what) {}
};
