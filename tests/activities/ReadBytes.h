#pragma once
// Reads an activity file from bytes in memory, handed over at most piece bytes at a time
// (so a reader that needs a whole message in one read shows up with piece 1).

#include "activities/ActivityFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

inline ActivityFileResult ReadBytes(const std::string& bytes, std::size_t piece = 4096) {
    std::size_t at = 0;
    return ActivityFile::Read([&](unsigned char* buffer, std::size_t length) -> std::int64_t {
        const std::size_t n = std::min({length, bytes.size() - at, piece});
        std::memcpy(buffer, bytes.data() + at, n);
        at += n;
        return static_cast<std::int64_t>(n);
    });
}
