#include "activities/ActivityFile.h"

#include "activities/FitReader.h"
#include "activities/XmlActivityReader.h"
#include "store/FileIo.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kSniff = 512;

// Past a UTF-8 byte order mark and blanks: whether XML starts here.
bool BeginsXml(const unsigned char* bytes, std::size_t size) {
    std::size_t at = 0;
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        at = 3;
    }
    while (at < size && std::strchr(" \t\r\n", bytes[at]) && bytes[at] != 0) {
        ++at;
    }
    return at < size && bytes[at] == '<';
}

} // namespace

const char* FileProblemText(FileProblem problem) {
    switch (problem) {
    case FileProblem::None:
        return "read";
    case FileProblem::Unreadable:
        return "cannot be read";
    case FileProblem::Damaged:
        return "is damaged";
    case FileProblem::CutShort:
        return "is cut short";
    case FileProblem::CrcMismatch:
        return "is damaged (its CRC does not match)";
    case FileProblem::NotAnActivity:
        return "is not an activity";
    case FileProblem::NoActivity:
        return "holds no activity";
    case FileProblem::WithoutTimes:
        return "is without times";
    case FileProblem::OutsideDates:
        return "starts outside 1960-01-01 ... 2100-12-31";
    case FileProblem::NotXml:
        return "is not XML";
    case FileProblem::UnknownContent:
        return "is not a FIT, GPX or TCX file";
    case FileProblem::TooLarge:
        static_assert(ActivityInput::kMaxContent == 512 * 1024 * 1024);
        return "is too large (over 512 MiB uncompressed)";
    case FileProblem::Cancelled:
        return "was not read to its end (cancelled)";
    }
    return "cannot be read";
}

bool ActivityFile::HasActivityName(std::string_view name) {
    std::string lower;
    for (const char c : name.substr(name.size() > 8 ? name.size() - 8 : 0)) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string_view tail = lower;
    if (tail.ends_with(".gz")) {
        tail.remove_suffix(3);
    }
    return tail.ends_with(".fit") || tail.ends_with(".gpx") || tail.ends_with(".tcx");
}

bool ActivityFile::BeginsLikeActivity(std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    return (bytes.size() >= 2 && b[0] == 0x1F && b[1] == 0x8B) ||
           FitReader::LooksLikeFit(b, bytes.size()) || BeginsXml(b, bytes.size());
}

ActivityFileResult ActivityFile::Read(ActivityInput::Source source,
                                      const ActivityInput::KeepGoing& keepGoing) {
    ActivityInput outer(std::move(source), true, keepGoing);
    // The first bytes of the content decide; they are then replayed to the reader.
    unsigned char prefix[kSniff];
    std::size_t have = 0;
    while (have < sizeof prefix) {
        const std::int64_t n = outer.Read(prefix + have, sizeof prefix - have);
        if (n <= 0) {
            if (n < 0) {
                ActivityFileResult failed;
                failed.problem = outer.Problem();
                failed.detail = outer.Detail();
                return failed;
            }
            break;
        }
        have += static_cast<std::size_t>(n);
    }
    std::size_t replayed = 0;
    ActivityInput inner(
        [&](unsigned char* buffer, std::size_t length) -> std::int64_t {
            if (replayed < have) {
                const std::size_t n = std::min(length, have - replayed);
                std::memcpy(buffer, prefix + replayed, n);
                replayed += n;
                return static_cast<std::int64_t>(n);
            }
            return outer.Read(buffer, length);
        },
        false);
    ActivityFileResult result;
    if (FitReader::LooksLikeFit(prefix, have)) {
        result = FitReader(inner).Read();
    } else if (BeginsXml(prefix, have)) {
        result = XmlActivityReader(inner).Read();
    } else {
        result.problem = FileProblem::UnknownContent;
    }
    if (outer.Problem() != FileProblem::None) {
        result.activities.clear();
        result.problem = outer.Problem();
        result.detail = outer.Detail();
    }
    return result;
}

ActivityFileResult ActivityFile::Read(const std::string& path,
                                      const ActivityInput::KeepGoing& keepGoing) {
    ActivityFileResult failed;
    failed.problem = FileProblem::Unreadable;
    const int fd = fileio::OpenNoWait(path, O_RDONLY);
    if (fd < 0) {
        failed.detail = errno == ENXIO ? "is not a regular file" : fileio::Reason(errno);
        return failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        failed.detail = "is not a regular file";
        return failed;
    }
    ActivityFileResult result =
        Read([fd](unsigned char* buffer,
                  std::size_t length) { return fileio::ReadUpTo(fd, buffer, length); },
             keepGoing);
    ::close(fd);
    if (result.problem == FileProblem::Unreadable && result.detail.empty()) {
        result.detail = "a read failed";
    }
    return result;
}
