#include "store/DataFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

DataFile::~DataFile() { Close(); }

DataFile::OpenResult DataFile::Open(const std::string& name, bool create) {
    Close();
    const int flags = O_CLOEXEC | (create ? O_CREAT : 0);
    int handle = ::open(name.c_str(), O_RDWR | flags, 0644);
    bool canWrite = handle >= 0;
    if (handle < 0 && !create && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        handle = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (handle < 0) {
        return errno == ENOENT ? OpenResult::Missing : OpenResult::Failed;
    }
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(handle);
        return OpenResult::Failed;
    }
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(handle);
        return busy ? OpenResult::Locked : OpenResult::Failed;
    }
    fd = handle;
    writable = canWrite;
    return OpenResult::Opened;
}

void DataFile::Close() {
    if (fd >= 0) {
        ::close(fd); // releases the lock
        fd = -1;
        writable = false;
    }
}

std::int64_t DataFile::Size() const {
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t DataFile::ReadSome(std::int64_t offset, void* buffer, std::size_t length) const {
    if (fd < 0 || offset < 0) {
        return -1;
    }
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out + done, length - done, static_cast<off_t>(offset) +
                                                                     static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return done > 0 ? static_cast<std::int64_t>(done) : -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool DataFile::ReadAt(std::int64_t offset, void* buffer, std::size_t length) const {
    return ReadSome(offset, buffer, length) == static_cast<std::int64_t>(length);
}

bool DataFile::WriteAt(std::int64_t offset, const void* buffer, std::size_t length) const {
    if (fd < 0 || !writable || offset < 0) {
        return false;
    }
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pwrite(fd, in + done, length - done, static_cast<off_t>(offset) +
                                                                     static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}
