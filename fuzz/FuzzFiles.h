#pragma once
// Files for fuzz targets: a private folder for the whole run, and in-memory files.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzfiles {

// A folder of this process's own under /dev/shm (else /tmp), removed at exit.
const std::string& Folder();
// Replaces the file's content with the bytes.
void WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size);
// An anonymous in-memory file holding the bytes, open for reading and writing.
int MemoryFile(const std::uint8_t* data, std::size_t size);

// Stops the run, so the fuzzer keeps the input, when a property does not hold.
inline void Require(bool holds, int line = __builtin_LINE()) {
    if (!holds) {
        std::fprintf(stderr, "property on line %d does not hold\n", line);
        std::abort();
    }
}

} // namespace fuzzfiles
