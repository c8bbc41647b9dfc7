#include "store/OutputFile.h"

#include "store/FileIo.h"
#include "store/IndexFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

enum class Way { Refused, Direct, Replace };

struct Plan {
    Way way = Way::Refused;
    std::string why;  // when refused
    std::string name; // when replaced: the file the links lead to
    bool exists = false;
    struct stat info {};
};

Plan Refuse(const std::string& target, const std::string& why) {
    Plan plan;
    plan.why = target + ": " + why;
    return plan;
}

bool HasLogbookExtension(const std::string& path) {
    std::string base = fileio::LastComponent(path);
    if (base.size() < 4) {
        return false;
    }
    std::string extension = base.substr(base.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".vrl" || extension == ".idx";
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// The name with its folder resolved, so that two spellings of one place compare equal
// also when the file itself is not there.
std::string Canonical(const std::string& path) {
    char* folder = ::realpath(fileio::FolderOf(path).c_str(), nullptr);
    if (!folder) {
        return path;
    }
    std::string name = Joined(folder, fileio::LastComponent(path));
    std::free(folder);
    return name;
}

// Where a chain of symbolic links ends, for a name whose file is not there yet; empty
// when the chain does not end.
std::string FollowLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::vector<char> to(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), to.data(), to.size() - 1);
        if (n <= 0) {
            return {};
        }
        const std::string link(to.data(), static_cast<std::size_t>(n));
        path = link[0] == '/' ? link : Joined(fileio::FolderOf(path), link);
    }
    return {};
}

bool InGroup(gid_t group) {
    if (::getegid() == group) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    const int got = ::getgroups(count, groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(got, 0), group) !=
           groups.begin() + std::max(got, 0);
}

// By the file's own permission bits: root, whom the system lets write anything, is held
// to them too, so a file made read-only stays as it is.
bool MayWrite(const struct stat& info) {
    const uid_t user = ::geteuid();
    if (user == 0) {
        return (info.st_mode & 0222) != 0;
    }
    if (info.st_uid == user) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    return (info.st_mode & (InGroup(info.st_gid) ? S_IWGRP : S_IWOTH)) != 0;
}

// Whether a program holds the file locked as the store locks an open logbook. The system's
// table of locks answers without taking one, so writers of one target never see each
// other's look as a logbook in use; where that table cannot be read, a shared lock tried
// for a moment finds any program that holds the file alone.
bool LockedElsewhere(const std::string& name, const struct stat& info) {
    if (FILE* locks = std::fopen("/proc/locks", "re")) {
        char wanted[64];
        std::snprintf(wanted, sizeof wanted, " %02x:%02x:%llu ", ::major(info.st_dev),
                      ::minor(info.st_dev), static_cast<unsigned long long>(info.st_ino));
        char line[256];
        bool held = false;
        while (!held && std::fgets(line, sizeof line, locks)) {
            held = std::strstr(line, " FLOCK ") && std::strstr(line, wanted);
        }
        std::fclose(locks);
        if (held) {
            return true;
        }
    }
    const int fd = fileio::OpenNoWait(name, O_RDONLY | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    const bool held = fileio::Retrying([&] { return ::flock(fd, LOCK_SH | LOCK_NB); }) != 0 &&
                      errno == EWOULDBLOCK;
    ::close(fd); // lets go of the lock just taken
    return held;
}

// Whether path (info when it exists) is the held logbook or its index.
bool IsHeld(const std::string& path, const struct stat* info, const std::string& held) {
    if (held.empty()) {
        return false;
    }
    const std::string canonical = Canonical(path);
    for (const std::string& name : {held, IndexFile::NameFor(held)}) {
        struct stat mine {};
        if (info && ::stat(name.c_str(), &mine) == 0 && fileio::SameFile(mine, *info)) {
            return true;
        }
        if (Canonical(name) == canonical) {
            return true;
        }
    }
    return false;
}

constexpr const char* kLogbookName = "is named as a logbook or an index (.vrl, .idx)";
constexpr const char* kHeld = "is the open logbook or its index";
constexpr const char* kInUse = "is a logbook in use by another program";
constexpr const char* kReadOnly = "is read-only";

Plan Examine(const std::string& target, const std::string& held) {
    if (target.empty()) {
        return Refuse("\"\"", "is not a file name");
    }
    if (target.back() == '/') {
        return Refuse(target, "is a folder");
    }
    Plan plan;
    const bool exists = ::stat(target.c_str(), &plan.info) == 0;
    if (!exists && errno != ENOENT) {
        return Refuse(target, "cannot be reached: " + fileio::Reason(errno));
    }
    if (IsHeld(target, exists ? &plan.info : nullptr, held)) {
        return Refuse(target, kHeld);
    }
    if (HasLogbookExtension(target)) {
        return Refuse(target, kLogbookName);
    }
    if (!exists) {
        // A new name, or a link to a file not made yet: the file goes where the link points.
        plan.name = FollowLinks(target);
        if (plan.name.empty()) {
            return Refuse(target, "is a symbolic link that leads nowhere");
        }
        if (HasLogbookExtension(plan.name)) {
            return Refuse(target, kLogbookName);
        }
        if (IsHeld(plan.name, nullptr, held)) {
            return Refuse(target, kHeld);
        }
        plan.way = Way::Replace;
        return plan;
    }
    plan.exists = true;
    const struct stat& info = plan.info;
    if (S_ISDIR(info.st_mode)) {
        return Refuse(target, "is a folder");
    }
    if (S_ISBLK(info.st_mode)) {
        return Refuse(target, "is a disk device");
    }
    if (!MayWrite(info)) {
        return Refuse(target, kReadOnly);
    }
    if (!S_ISREG(info.st_mode)) {
        plan.way = Way::Direct;
        return plan;
    }
    // Another writer may put a new file in place meanwhile: what counts from here on is
    // the file the links lead to now.
    char* resolved = ::realpath(target.c_str(), nullptr);
    if (!resolved) {
        return Refuse(target, "cannot be reached: " + fileio::Reason(errno));
    }
    plan.name = resolved;
    std::free(resolved);
    if (::stat(plan.name.c_str(), &plan.info) != 0 || !S_ISREG(plan.info.st_mode)) {
        return Refuse(target, "cannot be followed to the file it names");
    }
    if (HasLogbookExtension(plan.name)) {
        return Refuse(target, kLogbookName);
    }
    if (LockedElsewhere(plan.name, plan.info)) {
        return Refuse(target, kInUse);
    }
    plan.way = Way::Replace;
    return plan;
}

} // namespace

OutputFile::~OutputFile() {
    Abandon();
}

std::string OutputFile::Refusal(const std::string& target, const std::string& heldLogbook) {
    return Examine(target, heldLogbook).why;
}

bool OutputFile::Fail(const std::string& what, int error) {
    problem = target + ": " + what + ": " + fileio::Reason(error);
    failed = true;
    return false;
}

bool OutputFile::Open(const std::string& name, const std::string& heldLogbook) {
    Abandon();
    target = name;
    writePath.clear();
    problem.clear();
    failed = false;
    const Plan plan = Examine(name, heldLogbook);
    switch (plan.way) {
    case Way::Refused:
        problem = plan.why;
        failed = true;
        return false;
    case Way::Direct: {
        fd = fileio::OpenNoWait(name, O_WRONLY | O_NOCTTY);
        if (fd < 0) {
            if (errno == ENXIO && S_ISFIFO(plan.info.st_mode)) {
                problem = name + ": is a pipe that no program reads";
                failed = true;
                return false;
            }
            return Fail("cannot be opened", errno);
        }
        // Written in place only while it is still no regular file: one put there since
        // would be written over, not replaced.
        struct stat info {};
        if (::fstat(fd, &info) != 0 || S_ISREG(info.st_mode)) {
            ::close(fd);
            fd = -1;
            problem = name + ": changed while it was being opened";
            failed = true;
            return false;
        }
        writePath = name;
        return true;
    }
    case Way::Replace:
        break;
    }
    TemporaryFile::RemoveLeftovers(plan.name);
    temporary = std::make_unique<TemporaryFile>();
    const mode_t mode = plan.exists ? plan.info.st_mode & 07777 : TemporaryFile::DefaultMode();
    if (!temporary->Create(plan.name, mode)) {
        const int error = errno;
        temporary.reset();
        return Fail("cannot be created", error);
    }
    fd = temporary->Descriptor();
    if (plan.exists && ::geteuid() == 0) {
        // Root writing another user's file leaves it theirs.
        [[maybe_unused]] const int kept = ::fchown(fd, plan.info.st_uid, plan.info.st_gid);
    }
    writePath = temporary->Name();
    return true;
}

bool OutputFile::Write(std::string_view bytes) {
    if (fd < 0 || failed) {
        return false;
    }
    return fileio::WriteAll(fd, bytes.data(), bytes.size()) || Fail("cannot be written", errno);
}

bool OutputFile::Commit() {
    if (fd < 0 || failed) {
        return false;
    }
    if (!temporary) {
        const int handle = fd;
        fd = -1;
        return ::close(handle) == 0 || Fail("cannot be written", errno);
    }
    if (::fsync(fd) != 0) {
        return Fail("cannot be written", errno);
    }
    // Renamed while still open and locked, so that no other writer of the target takes it
    // for a killed writer's leftover in between.
    if (!temporary->Commit()) {
        return Fail("cannot be replaced", errno);
    }
    fileio::SyncFolder(temporary->Name());
    temporary.reset();
    fd = -1;
    return true;
}

void OutputFile::Abandon() {
    if (temporary) {
        temporary.reset(); // closes and removes the file
    } else if (fd >= 0) {
        ::close(fd);
    }
    fd = -1;
}
