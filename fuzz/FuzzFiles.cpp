#include "FuzzFiles.h"

#include "store/FileIo.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <unistd.h>

namespace fuzzfiles {

namespace {

struct RunFolder {
    RunFolder() {
        std::string pattern = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp");
        pattern += "/veloria-fuzz-XXXXXX";
        path = ::mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
    }
    ~RunFolder() {
        std::error_code ignored;
        if (path != "/tmp") {
            std::filesystem::remove_all(path, ignored);
        }
    }
    std::string path;
};

} // namespace

const std::string& Folder() {
    static const RunFolder folder;
    return folder.path;
}

void WriteFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Require(fd >= 0 && fileio::WriteAll(fd, data, size));
    ::close(fd);
}

int MemoryFile(const std::uint8_t* data, std::size_t size) {
    const int fd = ::memfd_create("veloria-fuzz", MFD_CLOEXEC);
    Require(fd >= 0 && fileio::WriteAll(fd, data, size, 0));
    return fd;
}

} // namespace fuzzfiles
