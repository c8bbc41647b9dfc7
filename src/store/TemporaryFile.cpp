#include "store/TemporaryFile.h"

#include "store/FileIo.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kTag = ".tmp-";
constexpr std::size_t kRandomPart = 6; // mkstemp's XXXXXX
constexpr std::size_t kLongestKept = 200;

// A lock on the whole file, held by its open file description until the last descriptor
// of it closes (also in a process that is killed). It is a record lock, apart from the
// whole-file locks that mark a logbook in use, so a file renamed into place while still
// marked is not taken for a logbook someone has open.
bool MarkBeingWritten(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    return fileio::Retrying([&] { return ::fcntl(fd, F_OFD_SETLK, &lock); }) == 0;
}

bool BeingWritten(int fd) {
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    return fileio::Retrying([&] { return ::fcntl(fd, F_OFD_SETLK, &lock); }) != 0;
}

} // namespace

TemporaryFile::~TemporaryFile() {
    if (fd >= 0) {
        ::close(fd);
    }
    if (!committed && !name.empty()) {
        ::unlink(name.c_str());
    }
}

std::string TemporaryFile::Prefix(const std::string& target) {
    std::string base = fileio::LastComponent(target);
    if (base.size() > kLongestKept) {
        std::uint64_t hash = 1469598103934665603ULL; // FNV-1a
        for (const unsigned char c : base) {
            hash = (hash ^ c) * 1099511628211ULL;
        }
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
        base = base.substr(0, kLongestKept) + "~" + hex;
    }
    return "." + base + kTag;
}

mode_t TemporaryFile::DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool TemporaryFile::Create(const std::string& targetName, mode_t mode) {
    const std::string folder = fileio::FolderOf(targetName);
    const std::string base =
        (folder == "/" ? std::string() : folder) + "/" + Prefix(targetName) + "XXXXXX";
    std::string pattern;
    int handle = -1;
    // Another writer of the target may take a new file for a leftover in the moment before
    // it is marked; then it is gone, and another is made.
    for (int attempt = 0; attempt < 100 && handle < 0; ++attempt) {
        pattern = base;
        handle = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (handle < 0) {
            return false;
        }
        struct stat made {};
        struct stat named {};
        if (!MarkBeingWritten(handle) || ::fstat(handle, &made) != 0 ||
            ::stat(pattern.c_str(), &named) != 0 || !fileio::SameFile(made, named)) {
            ::close(handle);
            handle = -1;
        }
    }
    if (handle < 0) {
        errno = EAGAIN;
        return false;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (!committed && !name.empty()) {
        ::unlink(name.c_str());
    }
    fd = handle;
    name = pattern;
    target = targetName;
    committed = false;
    ::fchmod(fd, mode);
    return true;
}

bool TemporaryFile::Sync() const {
    return fd >= 0 && ::fsync(fd) == 0;
}

bool TemporaryFile::Commit() {
    if (name.empty() || committed || ::rename(name.c_str(), target.c_str()) != 0) {
        return false;
    }
    committed = true;
    return true;
}

int TemporaryFile::Release() {
    const int handle = fd;
    fd = -1;
    return handle;
}

void TemporaryFile::RemoveLeftovers(const std::string& target) {
    const std::string folder = fileio::FolderOf(target);
    const std::string prefix = Prefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::size_t length = std::strlen(entry->d_name);
        const bool file = entry->d_type == DT_REG || entry->d_type == DT_UNKNOWN;
        if (!file || length != prefix.size() + kRandomPart ||
            std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) {
            continue;
        }
        const int fd = ::openat(::dirfd(dir), entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && !BeingWritten(fd)) {
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(dir);
}
