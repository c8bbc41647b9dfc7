#include "reports/ReportFile.h"

#include "views/ViewSelection.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder part of a path, with its slash ("" for the current folder).
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A new file beside the target, created exclusively: -1 when none could be made.
int CreateBeside(const std::string& path, std::string& created) {
    static std::mt19937 random{std::random_device{}()};
    const std::string folder = FolderOf(path);
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(random()));
        created = folder + ".report-" + suffix + ".tmp";
        const int fd =
            ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::string ReportFile::Text(LogBookDatabase& database, const ViewSelection& selection,
                             const ReportOptions& options) {
    std::vector<std::int32_t> positions;
    selection.Positions(database, positions);
    DateUtility dates;
    ReportPages pages(dates);
    pages.Layout(selection, static_cast<int>(positions.size()), options);
    return pages.FileText(database, positions);
}

int ReportFile::Write(const std::string& path, std::string_view bytes, ErrorReporter& owner) {
    std::string created;
    const int fd = path.empty() || path.back() == '/' ? -1 : CreateBeside(path, created);
    if (fd < 0) {
        owner.ReportError(kCannotCreate);
        return 0;
    }
    // A report written over an earlier one keeps that file's permissions.
    struct stat earlier {};
    if (::stat(path.c_str(), &earlier) == 0 && S_ISREG(earlier.st_mode)) {
        ::fchmod(fd, earlier.st_mode & 07777);
    }
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(created.c_str(), path.c_str()) != 0) {
        ::unlink(created.c_str());
        owner.ReportError(kCannotCreate);
        return 0;
    }
    return 1;
}
