#include "store/LogBookBackups.h"

#include "store/BackupRotation.h"
#include "store/ContentHash.h"
#include "store/DataFile.h"
#include "store/DayRecord.h"
#include "store/FileIo.h"
#include "store/IndexFile.h"
#include "store/IndexTable.h"
#include "store/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr const char* kExtension = ".vrl";
constexpr std::size_t kTimeLength = 18; // 2026-12-07T221503Z
// A longer logbook name is cut, so the folder's name stays within the system's 255 bytes.
constexpr std::size_t kLongestName = 200;

std::int64_t Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::int64_t FreeBytes(const std::string& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// The logbook's absolute path with links followed; for a logbook not there yet, its
// folder's.
std::string AbsolutePath(const std::string& logbook) {
    if (char* resolved = ::realpath(logbook.c_str(), nullptr)) {
        std::string path = resolved;
        std::free(resolved);
        return path;
    }
    std::string folder = fileio::FolderOf(logbook);
    if (char* resolved = ::realpath(folder.c_str(), nullptr)) {
        folder = resolved;
        std::free(resolved);
    } else if (folder.front() != '/') {
        std::error_code error;
        folder = (std::filesystem::current_path(error) / folder).lexically_normal().string();
    }
    return Joined(folder, fileio::LastComponent(logbook));
}

bool Digits(const std::string& text, std::size_t from, std::size_t count) {
    return text.size() >= from + count &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                       text.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

int Number(const std::string& text, std::size_t from, std::size_t count) {
    return std::atoi(text.substr(from, count).c_str());
}

// The backups in a folder, newest first.
std::vector<LogBookBackups::Backup> BackupsIn(const std::string& folder) {
    std::vector<LogBookBackups::Backup> found;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return found;
    }
    while (const dirent* entry = ::readdir(dir)) {
        LogBookBackups::Backup backup;
        backup.name = entry->d_name;
        struct stat info {};
        if (LogBookBackups::ParseName(backup.name, backup.time, backup.sequence) &&
            ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            backup.size = info.st_size;
            found.push_back(backup);
        }
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.time != b.time ? a.time > b.time : a.sequence > b.sequence;
    });
    return found;
}

// What a backup killed while it was being written left behind: .<backup name>.tmp-XXXXXX.
void RemoveLeftovers(const std::string& folder) {
    std::vector<std::string> targets;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            const std::size_t tag = name.rfind(".tmp-");
            std::int64_t time = 0;
            int sequence = 0;
            if (name.size() > 1 && name[0] == '.' && tag != std::string::npos &&
                LogBookBackups::ParseName(name.substr(1, tag - 1), time, sequence)) {
                targets.push_back(name.substr(1, tag - 1));
            }
        }
        ::closedir(dir);
    }
    for (const std::string& target : targets) {
        TemporaryFile::RemoveLeftovers(Joined(folder, target));
    }
}

bool NoRoom(int error) {
    return error == ENOSPC || error == EDQUOT;
}

bool NotAllowed(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

LogBookBackups::LogBookBackups() : LogBookBackups(Seams{}) {}

LogBookBackups::LogBookBackups(Seams given) : seams(std::move(given)) {
    if (!seams.now) {
        seams.now = Now;
    }
    if (!seams.freeBytes) {
        seams.freeBytes = FreeBytes;
    }
}

std::string LogBookBackups::Root() {
    std::string data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
        data = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') {
            const passwd* user = ::getpwuid(::getuid());
            home = user ? user->pw_dir : "/";
        }
        data = Joined(home, ".local/share");
    }
    return Joined(data, "veloria/backups");
}

std::string LogBookBackups::FolderFor(const std::string& logbook) {
    const std::string path = AbsolutePath(logbook);
    char hash[9];
    std::snprintf(hash, sizeof hash, "%08llx",
                  static_cast<unsigned long long>(ContentHash::Of(path) & 0xffffffffULL));
    return Joined(Root(), fileio::LastComponent(path).substr(0, kLongestName) + "-" + hash);
}

std::string LogBookBackups::NameFor(std::int64_t time, int sequence) {
    const auto seconds = static_cast<std::time_t>(time);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char name[40];
    std::strftime(name, sizeof name, "%Y-%m-%dT%H%M%SZ", &utc);
    std::string result = name;
    if (sequence > 1) {
        result += "-" + std::to_string(sequence);
    }
    return result + kExtension;
}

bool LogBookBackups::ParseName(const std::string& name, std::int64_t& time, int& sequence) {
    if (name.size() < kTimeLength + 4 || !Digits(name, 0, 4) || name[4] != '-' ||
        !Digits(name, 5, 2) || name[7] != '-' || !Digits(name, 8, 2) || name[10] != 'T' ||
        !Digits(name, 11, 6) || name[17] != 'Z' ||
        name.compare(name.size() - 4, 4, kExtension) != 0) {
        return false;
    }
    sequence = 1;
    const std::size_t rest = name.size() - 4 - kTimeLength;
    if (rest > 0) {
        // "-2" up to "-999999": more backups in one second than that are none of ours.
        if (rest < 2 || rest > 7 || name[kTimeLength] != '-' || name[kTimeLength + 1] == '0' ||
            !Digits(name, kTimeLength + 1, rest - 1)) {
            return false;
        }
        sequence = Number(name, kTimeLength + 1, rest - 1);
        if (sequence < 2) {
            return false;
        }
    }
    std::tm utc{};
    utc.tm_year = Number(name, 0, 4) - 1900;
    utc.tm_mon = Number(name, 5, 2) - 1;
    utc.tm_mday = Number(name, 8, 2);
    utc.tm_hour = Number(name, 11, 2);
    utc.tm_min = Number(name, 13, 2);
    utc.tm_sec = Number(name, 15, 2);
    time = static_cast<std::int64_t>(::timegm(&utc));
    // A date that does not exist (February 30) comes back as another name.
    return NameFor(time, sequence) == name;
}

std::string LogBookBackups::LocalTime(std::int64_t time) {
    const auto seconds = static_cast<std::time_t>(time);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

LogBookBackups::Outcome LogBookBackups::Fail(Outcome outcome, const std::string& why) {
    problem = why;
    return outcome;
}

LogBookBackups::RestoreOutcome LogBookBackups::Fail(RestoreOutcome outcome,
                                                    const std::string& why) {
    problem = why;
    return outcome;
}

LogBookBackups::Outcome LogBookBackups::BackUpOnce(const std::string& logbook, int descriptor) {
    if (!backedUp.insert(FolderFor(logbook)).second) {
        latest.clear();
        problem.clear();
        return Outcome::Unchanged;
    }
    return BackUp(logbook, descriptor);
}

LogBookBackups::Outcome LogBookBackups::BackUp(const std::string& logbook, int descriptor) {
    latest.clear();
    problem.clear();
    removed = 0;
    int source = descriptor;
    if (source < 0) {
        source = fileio::OpenNoWait(logbook, O_RDONLY | O_NOCTTY);
        if (source < 0) {
            return errno == ENOENT ? Outcome::NoRecords
                                   : Fail(Outcome::Failed, logbook +
                                                               " cannot be read for a "
                                                               "backup: " +
                                                               fileio::Reason(errno) + ".");
        }
    }
    struct Closer {
        int fd;
        bool owned;
        ~Closer() {
            if (owned) {
                ::close(fd);
            }
        }
    } closer{source, descriptor < 0};
    struct stat info {};
    if (::fstat(source, &info) != 0 || !S_ISREG(info.st_mode)) {
        return Fail(Outcome::Failed, logbook + " cannot be backed up: it is not a regular file.");
    }
    const std::int64_t size = info.st_size;
    if (size < static_cast<std::int64_t>(DayRecord::kSize)) {
        return Outcome::NoRecords;
    }

    const std::string folder = FolderFor(logbook);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return Fail(Outcome::Unwritable,
                    "No backup was made: the folder " + folder + " cannot be written" +
                        (error ? ": " + fileio::Reason(error.value()) : std::string()) + ".");
    }
    RemoveLeftovers(folder);

    std::uint64_t hash = 0;
    if (!ContentHash::OfFile(source, size, hash)) {
        return Fail(Outcome::Failed, logbook + " cannot be read for a backup.");
    }
    const std::vector<Backup> existing = BackupsIn(folder);
    if (!existing.empty() && existing.front().size == size) {
        const std::string newest = Joined(folder, existing.front().name);
        const int fd = fileio::OpenNoWait(newest, O_RDONLY | O_NOCTTY | O_NOFOLLOW);
        std::uint64_t newestHash = 0;
        const bool same =
            fd >= 0 && ContentHash::OfFile(fd, size, newestHash) && newestHash == hash;
        if (fd >= 0) {
            ::close(fd);
        }
        if (same) {
            latest = existing.front().name;
            return Outcome::Unchanged;
        }
    }
    if (const std::int64_t free = seams.freeBytes(folder); free >= 0 && free < 2 * size) {
        return Fail(Outcome::NoSpace, "No backup was made: " + folder + " has less than " +
                                          std::to_string((2 * size + 1023) / 1024) + " KB free.");
    }
    // A clock set back still gives the new backup the newest name.
    std::int64_t time = seams.now();
    int sequence = 1;
    if (!existing.empty() && time <= existing.front().time) {
        time = existing.front().time;
        sequence = existing.front().sequence + 1;
    }
    const std::string name = NameFor(time, sequence);
    const Outcome made = Copy(source, size, hash, folder, name);
    if (made != Outcome::Made) {
        return made;
    }
    latest = name;
    Rotate(folder);
    return Outcome::Made;
}

LogBookBackups::Outcome LogBookBackups::Copy(int source, std::int64_t size, std::uint64_t hash,
                                             const std::string& folder, const std::string& name) {
    const std::string path = Joined(folder, name);
    TemporaryFile copy;
    if (!copy.Create(path, 0600)) {
        const int why = errno;
        return Fail(NotAllowed(why) ? Outcome::Unwritable : Outcome::Failed,
                    "No backup was made: " + path + " cannot be created: " + fileio::Reason(why) +
                        ".");
    }
    if (!fileio::CopyContents(source, copy.Descriptor(), size) || !copy.Sync()) {
        const int why = errno;
        return Fail(NoRoom(why) ? Outcome::NoSpace : Outcome::Failed,
                    "No backup was made: " + path + " cannot be written: " + fileio::Reason(why) +
                        ".");
    }
    if (!copy.Commit()) {
        return Fail(Outcome::Failed, "No backup was made: " + path +
                                         " cannot be named: " + fileio::Reason(errno) + ".");
    }
    fileio::SyncFolder(path);

    if (seams.beforeCheck) {
        seams.beforeCheck(path);
    }
    DataFile check;
    IndexTable table;
    std::uint64_t readBack = 0;
    const bool good = check.Open(path, false, true) == DataFile::OpenResult::Opened &&
                      check.Size() == size &&
                      ContentHash::OfFile(check.Descriptor(), size, readBack) && readBack == hash &&
                      IndexFile::Rebuild(check, table);
    if (!good) {
        check.Close();
        ::unlink(path.c_str());
        return Fail(Outcome::CheckFailed, "No backup was made: the copy " + path +
                                              " did not read back as the logbook; the older "
                                              "backups are kept.");
    }
    return Outcome::Made;
}

void LogBookBackups::Rotate(const std::string& folder) {
    const std::vector<Backup> backups = BackupsIn(folder);
    std::vector<std::int64_t> times;
    for (const Backup& backup : backups) {
        times.push_back(backup.time);
    }
    const std::vector<bool> keep = BackupRotation::Keep(times);
    for (std::size_t i = 0; i < backups.size(); ++i) {
        if (!keep[i] && ::unlink(Joined(folder, backups[i].name).c_str()) == 0) {
            ++removed;
        }
    }
}

std::vector<LogBookBackups::Backup> LogBookBackups::List(const std::string& logbook) const {
    const std::string folder = FolderFor(logbook);
    std::vector<Backup> backups = BackupsIn(folder);
    for (Backup& backup : backups) {
        DataFile data;
        IndexTable table;
        if (data.Open(Joined(folder, backup.name), false, true) != DataFile::OpenResult::Opened ||
            !IndexFile::Rebuild(data, table)) {
            continue;
        }
        backup.readable = true;
        for (const IndexEntry& entry : table.Entries()) {
            if (!entry.IsErased()) {
                backup.firstDay = backup.days == 0 ? entry.dateKey : backup.firstDay;
                backup.lastDay = entry.dateKey;
                ++backup.days;
            }
        }
    }
    return backups;
}

LogBookBackups::RestoreOutcome LogBookBackups::Restore(const std::string& logbook,
                                                       const std::string& name) {
    latest.clear();
    problem.clear();
    std::int64_t time = 0;
    int sequence = 0;
    const std::string path = Joined(FolderFor(logbook), name);
    // Held open from here, so rotation after the backup below cannot take it away.
    DataFile backup;
    if (!ParseName(name, time, sequence) ||
        backup.Open(path, false, true) != DataFile::OpenResult::Opened) {
        return Fail(RestoreOutcome::NoSuchBackup,
                    "There is no backup named " + name + " of " + logbook + ".");
    }
    const std::int64_t size = backup.Size();

    DataFile present;
    switch (present.Open(logbook, false)) {
    case DataFile::OpenResult::Opened:
    case DataFile::OpenResult::Missing:
        break;
    case DataFile::OpenResult::Locked:
        return Fail(RestoreOutcome::InUse,
                    logbook + " is open in another program; close it there first.");
    default:
        return Fail(RestoreOutcome::Failed, logbook + " " + present.Problem() + ".");
    }
    struct stat info {};
    const bool exists = present.IsOpen() && present.Stat(info);
    if (exists && Failed(BackUp(logbook, present.Descriptor()))) {
        return Fail(RestoreOutcome::NotBackedUp,
                    problem + " The logbook was not restored, so its present days stay.");
    }
    // Through a link, the file the link names is replaced, so the link stays. The copy is
    // locked before it takes the name, so the logbook stays in use until the index is in.
    const std::string target = exists ? fileio::Resolved(logbook) : logbook;
    TemporaryFile copy;
    DataFile next;
    bool ok = copy.Create(target, exists ? info.st_mode & 07777 : TemporaryFile::DefaultMode());
    if (ok) {
        next.Adopt(copy.Release(), true);
        ok = DataFile::Lock(next.Descriptor()) && size >= 0 &&
             fileio::CopyContents(backup.Descriptor(), next.Descriptor(), size) &&
             ::fsync(next.Descriptor()) == 0 && copy.Commit();
    }
    if (!ok) {
        return Fail(RestoreOutcome::Failed, logbook + " cannot be replaced: " +
                                                fileio::Reason(errno) + "; it is as it was.");
    }
    fileio::SyncFolder(target);
    IndexTable table;
    if (!IndexFile::Rebuild(next, table) || !IndexFile::Write(IndexFile::NameFor(logbook), table)) {
        problem = "The index could not be written; the next open rebuilds it.";
    }
    return RestoreOutcome::Restored;
}
