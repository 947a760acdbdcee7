#pragma once
#include <cstddef>

namespace nivara::strings {

struct StringEntry {
    int Id;
    const char* Text;  // UTF-8
};

extern const StringEntry English[];
extern const std::size_t EnglishCount;
extern const StringEntry Japanese[];
extern const std::size_t JapaneseCount;

}  // namespace nivara::strings
