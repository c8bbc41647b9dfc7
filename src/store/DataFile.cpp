#include "store/DataFile.h"

#include "store/FileIo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DataFile::~DataFile() { Close(); }

bool DataFile::Lock(int descriptor) {
    return fileio::Retrying([&] { return ::flock(descriptor, LOCK_EX | LOCK_NB); }) == 0;
}

DataFile::OpenResult DataFile::Open(const std::string& name, bool create) {
    Close();
    // An importer renames a new copy over the name while holding the lock on it; whoever
    // locked the old file in between holds a file no name leads to, and tries again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int flags = create ? O_CREAT : 0;
        int handle = fileio::OpenNoWait(name, O_RDWR | flags, 0644);
        bool canWrite = handle >= 0;
        if (handle < 0 && !create && (errno == EACCES || errno == EROFS || errno == EPERM)) {
            handle = fileio::OpenNoWait(name, O_RDONLY);
        }
        if (handle < 0) {
            if (errno == ENOENT) {
                return OpenResult::Missing;
            }
            if (errno == EISDIR || errno == ENXIO) {
                return OpenResult::NotRegular;
            }
            return OpenResult::Failed;
        }
        struct stat info {};
        if (::fstat(handle, &info) != 0) {
            ::close(handle);
            return OpenResult::Failed;
        }
        if (!S_ISREG(info.st_mode)) {
            ::close(handle);
            return OpenResult::NotRegular;
        }
        if (!Lock(handle)) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(handle);
            return busy ? OpenResult::Locked : OpenResult::Failed;
        }
        struct stat named {};
        if (::stat(name.c_str(), &named) == 0 && fileio::SameFile(info, named)) {
            fd = handle;
            writable = canWrite;
            return OpenResult::Opened;
        }
        ::close(handle);
    }
    return OpenResult::Failed;
}

void DataFile::Adopt(int descriptor, bool canWrite) {
    Close();
    fd = descriptor;
    writable = descriptor >= 0 && canWrite;
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
    if (!Stat(info)) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

bool DataFile::Stat(struct stat& info) const { return fd >= 0 && ::fstat(fd, &info) == 0; }

std::int64_t DataFile::ReadSome(std::int64_t offset, void* buffer, std::size_t length) const {
    if (fd < 0 || offset < 0) {
        return -1;
    }
    return fileio::ReadUpTo(fd, buffer, length, offset);
}

bool DataFile::ReadAt(std::int64_t offset, void* buffer, std::size_t length) const {
    return ReadSome(offset, buffer, length) == static_cast<std::int64_t>(length);
}

bool DataFile::WriteAt(std::int64_t offset, const void* buffer, std::size_t length) const {
    if (fd < 0 || !writable || offset < 0) {
        return false;
    }
    return fileio::WriteAll(fd, buffer, length, offset);
}

bool DataFile::Truncate(std::int64_t size) const {
    if (fd < 0 || !writable || size < 0) {
        return false;
    }
    return fileio::Retrying([&] { return ::ftruncate(fd, static_cast<off_t>(size)); }) == 0;
}
