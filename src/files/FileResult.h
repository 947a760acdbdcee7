#pragma once
#include <string>
#include <utility>
#include "resources/StringIds.h"

// The outcome of a file operation. A failure carries the message id the
// window shows and a one-line reason in plain English for the command-line
// tool; the readers and writers never throw for a bad file.
struct FileResult {
    bool Ok = true;
    int MessageId = 0;
    std::string Reason;

    [[nodiscard]] explicit operator bool() const { return Ok; }

    [[nodiscard]] static FileResult Success() { return {}; }
    [[nodiscard]] static FileResult ReadRefused(std::string reason) {
        return {false, IDS_OPEN_FAILED, std::move(reason)};
    }
    [[nodiscard]] static FileResult SaveFailed(std::string reason) {
        return {false, IDS_SAVE_FAILED, std::move(reason)};
    }
};
