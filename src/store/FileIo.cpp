#include "store/FileIo.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace fileio {

std::int64_t ReadUpTo(int fd, void* buffer, std::size_t length, std::int64_t offset) {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = Retrying([&] {
            return offset < 0 ? ::read(fd, out + done, length - done)
                              : ::pread(fd, out + done, length - done,
                                        static_cast<off_t>(offset) + static_cast<off_t>(done));
        });
        if (n < 0) {
            return done > 0 ? static_cast<std::int64_t>(done) : -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool WriteAll(int fd, const void* buffer, std::size_t length, std::int64_t offset) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = Retrying([&] {
            return offset < 0 ? ::write(fd, in + done, length - done)
                              : ::pwrite(fd, in + done, length - done,
                                         static_cast<off_t>(offset) + static_cast<off_t>(done));
        });
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int OpenNoWait(const std::string& name, int flags, mode_t mode) {
    const int fd =
        Retrying([&] { return ::open(name.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode); });
    if (fd >= 0) {
        // Regular files ignore the flag; it only kept a FIFO from holding the open.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    return fd;
}

// Copies the first size bytes of one file into another, in the kernel where it can.
bool CopyContents(int from, int to, std::int64_t size) {
    loff_t in = 0;
    loff_t out = 0;
    while (in < size) {
        const ssize_t n = fileio::Retrying([&] {
            return ::copy_file_range(from, &in, to, &out, static_cast<std::size_t>(size - in), 0);
        });
        if (n == 0) {
            return false; // the file shrank under us
        }
        if (n < 0) {
            break; // not supported here: copy through a buffer
        }
    }
    // 1 MiB, about 3000 days, a read: few reads for a logbook of years, little memory.
    std::vector<char> buffer(1 << 20);
    while (in < size) {
        const std::size_t want = static_cast<std::size_t>(
            std::min<std::int64_t>(size - in, static_cast<std::int64_t>(buffer.size())));
        const std::int64_t got = fileio::ReadUpTo(from, buffer.data(), want, in);
        if (got <= 0 || !fileio::WriteAll(to, buffer.data(), static_cast<std::size_t>(got), out)) {
            return false;
        }
        in += got;
        out += got;
    }
    return true;
}

std::string Reason(int error) {
    std::string reason = std::strerror(error);
    if (reason.size() > 1 && std::isupper(static_cast<unsigned char>(reason[0])) &&
        std::islower(static_cast<unsigned char>(reason[1]))) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return reason;
}

void SyncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string Resolved(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) {
        return path;
    }
    std::string name = resolved;
    std::free(resolved);
    return name;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string LastComponent(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace fileio
