#include "graph/CPdfFileCheck.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr std::string_view Header = "%PDF-";
constexpr std::string_view EndMarker = "%%EOF";

// PDF white space: NUL, tab, line feed, form feed, carriage return, space.
bool IsPdfSpace(char c) { return c == '\0' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }

}  // namespace

bool CPdfFileCheck::IsComplete(std::string_view head, std::string_view tail) {
    if (!head.starts_with(Header)) {
        return false;
    }
    std::size_t end = tail.size();
    while (end > 0 && IsPdfSpace(tail[end - 1])) {
        --end;
    }
    return tail.substr(0, end).ends_with(EndMarker);
}

bool CPdfFileCheck::IsCompleteFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < static_cast<std::streamoff>(Header.size())) {
        return false;
    }
    std::string head(Header.size(), '\0');
    file.seekg(0);
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    const std::streamoff tailSize = std::min<std::streamoff>(size, static_cast<std::streamoff>(TailBytes));
    std::string tail(static_cast<std::size_t>(tailSize), '\0');
    file.seekg(size - tailSize);
    file.read(tail.data(), tailSize);
    if (!file) {
        return false;
    }
    return IsComplete(head, tail);
}
