#pragma once
#include <string>

// The three recent-file lists of the application.
enum class RECENT_LIST { PulseFiles = 0, ConditionFiles = 1, DataPatternFiles = 2 };

// How the file commands put a path they read or wrote at the head of its list.
class IRecentFiles {
public:
    virtual ~IRecentFiles() = default;
    virtual void AddRecentFile(RECENT_LIST list, const std::string& path) = 0;
};
