#pragma once
// Whole transfers on file descriptors: every loop over short counts and interrupted calls
// of the store lives here.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace fileio {

// Makes a system call again while an arriving signal interrupts it (result -1, EINTR).
template <typename Call> auto Retrying(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

// Reads up to length bytes at offset (at the current position when offset is -1); stops
// early only at the end of the file. The number of bytes read, or -1 when nothing could be.
std::int64_t ReadUpTo(int fd, void* buffer, std::size_t length, std::int64_t offset = -1);
// Writes all length bytes at offset (at the current position when offset is -1).
bool WriteAll(int fd, const void* buffer, std::size_t length, std::int64_t offset = -1);

// Copies the first size bytes of from into to (both from offset 0), in the kernel where it
// can (a shared extent where the file system offers one). False on a shortfall or an error,
// with errno set.
bool CopyContents(int from, int to, std::int64_t size);

// Opens name without waiting on a FIFO or a device; -1 with errno set on failure.
int OpenNoWait(const std::string& name, int flags, mode_t mode = 0);
// Same device and inode.
inline bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The system's words for an error, begun in lower case to follow on from a name.
std::string Reason(int error);
// Makes a rename or creation in the folder of path survive a power failure.
void SyncFolder(const std::string& path);

// The path with every symbolic link followed (the path itself when that fails).
std::string Resolved(const std::string& path);

// The folder part of a path ("." for a bare name) and the last component.
std::string FolderOf(const std::string& path);
std::string LastComponent(const std::string& path);

} // namespace fileio
