#pragma once
// The descriptor of an open logbook data file, held from open to close together with an
// advisory lock: exclusive for a program that may write, so that no second program reads
// or writes the logbook meanwhile; shared for one that only reads, so that readers do not
// shut each other out.

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <utility>

class DataFile {
public:
    enum class OpenResult { Opened, Missing, Locked, NotRegular, TooLarge, Failed };

    // The most records a data file may hold. A logbook holds at most one record for each
    // day from 1960 to 2100 (about 51,500) and erased records are reused, so a larger file
    // is none of ours; it is refused before anything is read or allocated for it.
    static constexpr std::int64_t kMaxRecords = 1000000;

    DataFile() = default;
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens an existing file for reading and writing (reading only when writing is not
    // allowed) and takes the exclusive lock; creates the file first when create is set.
    // With share set, opens it for reading only under the shared lock. Never waits: a FIFO
    // or device is refused, and so is a lock held elsewhere. A file renamed away while the
    // lock was being taken is let go and the name opened again.
    OpenResult Open(const std::string& name, bool create, bool share = false);
    // Why the last Open did not open: "is not a regular file", "cannot be read: permission
    // denied", ... (empty after a successful open).
    const std::string& Problem() const { return problem; }
    // Takes over a descriptor whose lock the caller holds (or that needs none).
    void Adopt(int descriptor, bool canWrite);
    void Close();
    void Swap(DataFile& other) noexcept {
        std::swap(fd, other.fd);
        std::swap(writable, other.writable);
    }
    bool IsOpen() const { return fd >= 0; }
    bool IsWritable() const { return writable; }
    int Descriptor() const { return fd; }

    // Size in bytes, or -1 when it cannot be read.
    std::int64_t Size() const;
    bool Stat(struct stat& info) const;
    // Whole-or-nothing positional transfers; false on any shortfall or error.
    bool ReadAt(std::int64_t offset, void* buffer, std::size_t length) const;
    bool WriteAt(std::int64_t offset, const void* buffer, std::size_t length) const;
    // Bytes actually read at offset (0 at end of file), or -1 on error.
    std::int64_t ReadSome(std::int64_t offset, void* buffer, std::size_t length) const;
    bool Truncate(std::int64_t size) const;

    // Takes the lock on a descriptor without waiting; false when it is held elsewhere.
    static bool Lock(int descriptor, bool share = false);

private:
    OpenResult Refuse(OpenResult result, int error = 0);

    int fd = -1;
    bool writable = false;
    std::string problem;
};
