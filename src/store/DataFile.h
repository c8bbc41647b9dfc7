#pragma once
// The descriptor of an open logbook data file, held from open to close together with an
// advisory lock, so that a second program cannot write the same logbook.

#include <cstddef>
#include <cstdint>
#include <string>

class DataFile {
public:
    enum class OpenResult { Opened, Missing, Locked, Failed };

    DataFile() = default;
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens an existing file for reading and writing (reading only when writing is not
    // allowed) and takes the lock; creates the file first when create is set.
    OpenResult Open(const std::string& name, bool create);
    void Close();
    bool IsOpen() const { return fd >= 0; }
    bool IsWritable() const { return writable; }

    // Size in bytes, or -1 when it cannot be read.
    std::int64_t Size() const;
    // Whole-or-nothing positional transfers; false on any shortfall or error.
    bool ReadAt(std::int64_t offset, void* buffer, std::size_t length) const;
    bool WriteAt(std::int64_t offset, const void* buffer, std::size_t length) const;
    // Bytes actually read at offset (0 at end of file), or -1 on error.
    std::int64_t ReadSome(std::int64_t offset, void* buffer, std::size_t length) const;

private:
    int fd = -1;
    bool writable = false;
};
