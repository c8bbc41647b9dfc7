#include "store/DataFile.h"

#include "store/DayRecord.h"
#include "store/FileIo.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DataFile::~DataFile() { Close(); }

bool DataFile::Lock(int descriptor, bool share) {
    const int kind = share ? LOCK_SH : LOCK_EX;
    return fileio::Retrying([&] { return ::flock(descriptor, kind | LOCK_NB); }) == 0;
}

DataFile::OpenResult DataFile::Open(const std::string& name, bool create, bool share) {
    Close();
    problem.clear();
    // An importer renames a new copy over the name while holding the lock on it; whoever
    // locked the old file in between holds a file no name leads to, and tries again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int flags = share ? O_RDONLY : O_RDWR | (create ? O_CREAT : 0);
        int handle = fileio::OpenNoWait(name, flags, 0644);
        bool canWrite = handle >= 0 && !share;
        if (handle < 0 && !create && !share &&
            (errno == EACCES || errno == EROFS || errno == EPERM)) {
            handle = fileio::OpenNoWait(name, O_RDONLY);
        }
        if (handle < 0) {
            if (errno == ENOENT) {
                return OpenResult::Missing;
            }
            if (errno == EISDIR || errno == ENXIO) {
                return Refuse(OpenResult::NotRegular);
            }
            return Refuse(OpenResult::Failed, errno);
        }
        struct stat info {};
        if (::fstat(handle, &info) != 0) {
            const int error = errno;
            ::close(handle);
            return Refuse(OpenResult::Failed, error);
        }
        if (!S_ISREG(info.st_mode)) {
            ::close(handle);
            return Refuse(OpenResult::NotRegular);
        }
        if (info.st_size / static_cast<off_t>(DayRecord::kSize) > kMaxRecords) {
            ::close(handle);
            return Refuse(OpenResult::TooLarge);
        }
        if (!Lock(handle, share)) {
            const int error = errno;
            ::close(handle);
            return error == EWOULDBLOCK ? Refuse(OpenResult::Locked)
                                        : Refuse(OpenResult::Failed, error);
        }
        struct stat named {};
        if (::stat(name.c_str(), &named) == 0 && fileio::SameFile(info, named)) {
            fd = handle;
            writable = canWrite;
            return OpenResult::Opened;
        }
        ::close(handle);
    }
    return Refuse(OpenResult::Failed, EAGAIN);
}

DataFile::OpenResult DataFile::Refuse(OpenResult result, int error) {
    switch (result) {
    case OpenResult::NotRegular:
        problem = "is not a regular file";
        break;
    case OpenResult::TooLarge:
        problem = "is larger than a logbook can be (more than " + std::to_string(kMaxRecords) +
                  " records of " + std::to_string(DayRecord::kSize) + " bytes)";
        break;
    case OpenResult::Locked:
        problem = "is in use by another program";
        break;
    default:
        problem = "cannot be read: " + fileio::Reason(error);
        break;
    }
    return result;
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
