#include "store/LogBookBackups.h"

#include "store/ActivityFileCopy.h"
#include "store/BackupRotation.h"
#include "store/ContentHash.h"
#include "store/DataFile.h"
#include "store/DateUtility.h"
#include "store/DayRecord.h"
#include "store/FileIo.h"
#include "store/IndexFile.h"
#include "store/IndexTable.h"
#include "store/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The backups in a folder, newest first: regular files with a backup's name, never a link.
// False with errno set when the folder cannot be read (a missing one holds none).
bool BackupsIn(const std::string& folder, std::vector<LogBookBackups::Backup>& found) {
    found.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        return errno == ENOENT;
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
    return true;
}

std::vector<LogBookBackups::Backup> BackupsIn(const std::string& folder) {
    std::vector<LogBookBackups::Backup> found;
    BackupsIn(folder, found);
    return found;
}

std::string HashName(const std::string& path) {
    return path + ".hash";
}

std::string HashText(std::uint64_t hash) {
    char text[24];
    std::snprintf(text, sizeof text, "%016llx\n", static_cast<unsigned long long>(hash));
    return text;
}

// The hash recorded beside a backup. Missing when there is none; Damaged when there is
// something there that is no hash (a link among them).
LogBookBackups::Verdict RecordedHash(const std::string& backupPath, std::uint64_t& hash) {
    const int fd = fileio::OpenNoWait(HashName(backupPath), O_RDONLY | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) {
        return errno == ENOENT ? LogBookBackups::Verdict::Missing
                               : LogBookBackups::Verdict::Damaged;
    }
    char text[32] = {};
    const std::int64_t got = fileio::ReadUpTo(fd, text, sizeof text - 1, 0);
    ::close(fd);
    if (got != 17 || text[16] != '\n' || std::strspn(text, "0123456789abcdef") != 16) {
        return LogBookBackups::Verdict::Damaged;
    }
    hash = std::strtoull(std::string(text, 16).c_str(), nullptr, 16);
    return LogBookBackups::Verdict::Sound;
}

bool EndsWith(const std::string& name, const char* end) {
    const std::size_t length = std::strlen(end);
    return name.size() > length && name.compare(name.size() - length, length, end) == 0;
}

// The backup (.vrl) a file of the backups folder belongs to: itself, its hash, its activities
// file or that file's hash. Empty for a file of no backup.
std::string BackupOf(const std::string& name) {
    std::string stem = EndsWith(name, ".hash") ? name.substr(0, name.size() - 5) : name;
    if (EndsWith(stem, ".vra")) {
        stem.replace(stem.size() - 4, 4, kExtension);
    }
    std::int64_t time = 0;
    int sequence = 0;
    return LogBookBackups::ParseName(stem, time, sequence) ? stem : std::string();
}

// What a backup killed while it was being written left behind: .<file>.tmp-XXXXXX of each
// of its files, and hashes and activities files whose backup never took its name.
void RemoveLeftovers(const std::string& folder) {
    std::vector<std::string> targets;
    std::vector<std::string> companions;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            const std::size_t tag = name.rfind(".tmp-");
            if (name.size() > 1 && name[0] == '.' && tag != std::string::npos &&
                !BackupOf(name.substr(1, tag - 1)).empty()) {
                targets.push_back(name.substr(1, tag - 1));
            } else if (const std::string backup = BackupOf(name);
                       !backup.empty() && backup != name) {
                companions.push_back(name);
            }
        }
        ::closedir(dir);
    }
    for (const std::string& target : targets) {
        TemporaryFile::RemoveLeftovers(Joined(folder, target));
    }
    for (const std::string& companion : companions) {
        struct stat info {};
        const std::string backup = Joined(folder, BackupOf(companion));
        if (::lstat(backup.c_str(), &info) != 0 && errno == ENOENT) {
            ::unlink(Joined(folder, companion).c_str());
        }
    }
}

// Writes bytes as a file of the backups folder: beside its name, synced, renamed.
bool WriteWhole(const std::string& path, const std::string& bytes) {
    TemporaryFile file;
    return file.Create(path, 0600) &&
           fileio::WriteAll(file.Descriptor(), bytes.data(), bytes.size()) && file.Sync() &&
           file.Commit();
}

// The content hash of a file of the backups folder, never through a link.
bool HashOfFile(const std::string& path, std::uint64_t& hash) {
    const int fd = fileio::OpenNoWait(path, O_RDONLY | O_NOCTTY | O_NOFOLLOW);
    struct stat info {};
    const bool ok = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                    ContentHash::OfFile(fd, info.st_size, hash);
    if (fd >= 0) {
        ::close(fd);
    }
    return ok;
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

std::string LogBookBackups::ActivitiesNameFor(const std::string& backup) {
    return EndsWith(backup, kExtension) ? backup.substr(0, backup.size() - 4) + ".vra"
                                        : backup + ".vra";
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

LogBookBackups::BackupStatus LogBookBackups::BeforeChange(const std::string& logbook,
                                                          int descriptor, bool manyDays) {
    const std::string folder = FolderFor(logbook);
    if (!manyDays && backedUp.count(folder) != 0) {
        return BackupStatus(Outcome::NotDue);
    }
    BackupStatus status = BackUp(logbook, descriptor);
    if (status.Is(Outcome::Made) || status.Is(Outcome::Unchanged)) {
        backedUp.insert(folder);
    }
    return status;
}

void LogBookBackups::AfterManyDays(const std::string& logbook) {
    backedUp.erase(FolderFor(logbook));
}

LogBookBackups::BackupStatus LogBookBackups::BackUp(const std::string& logbook, int descriptor,
                                                    int* activityCount) {
    int source = descriptor;
    if (source < 0) {
        source = fileio::OpenNoWait(logbook, O_RDONLY | O_NOCTTY);
        if (source < 0) {
            return errno == ENOENT
                       ? BackupStatus(Outcome::NoRecords)
                       : BackupStatus(Outcome::Failed, logbook + " cannot be read for a backup: " +
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
        return {Outcome::Failed, logbook + " cannot be backed up: it is not a regular file."};
    }
    const std::int64_t size = info.st_size;
    if (size < static_cast<std::int64_t>(DayRecord::kSize)) {
        return BackupStatus(Outcome::NoRecords);
    }

    const std::string folder = FolderFor(logbook);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return {Outcome::Unwritable,
                "No backup was made: the folder " + folder + " cannot be written" +
                    (error ? ": " + fileio::Reason(error.value()) : std::string()) + "."};
    }
    RemoveLeftovers(folder);

    std::uint64_t hash = 0;
    if (!ContentHash::OfFile(source, size, hash)) {
        return {Outcome::Failed, logbook + " cannot be read for a backup."};
    }
    // The activities file goes with its days, or there is no backup: one without it would
    // restore days beside activities that are not theirs.
    Activities activities;
    const std::string live = ActivityFileCopy::NameFor(fileio::Resolved(logbook));
    if (struct stat vra{}; ::lstat(live.c_str(), &vra) == 0 || errno != ENOENT) {
        std::string why;
        activities.present = true;
        if (!ActivityFileCopy::Snapshot(live, activities.bytes, activities.count, why)) {
            return {Outcome::Failed, "No backup was made: the activities file " + live +
                                         " cannot be copied: " + why + "."};
        }
    }
    const std::uint64_t activitiesHash = ContentHash::Of(activities.bytes);
    // A backup named later than the clock (made while it ran ahead) is no newest backup.
    const std::int64_t now = seams.now();
    std::vector<Backup> existing = BackupsIn(folder);
    existing.erase(std::remove_if(existing.begin(), existing.end(),
                                  [now](const Backup& b) { return b.time > now; }),
                   existing.end());
    if (!existing.empty() && existing.front().size == size) {
        const std::string newest = Joined(folder, existing.front().name);
        const std::string newestActivities =
            Joined(folder, ActivitiesNameFor(existing.front().name));
        std::uint64_t newestHash = 0;
        std::uint64_t newestActivitiesHash = 0;
        struct stat vra {};
        const bool hadActivities = ::lstat(newestActivities.c_str(), &vra) == 0;
        const bool same = HashOfFile(newest, newestHash) && newestHash == hash &&
                          hadActivities == activities.present &&
                          (!hadActivities || (HashOfFile(newestActivities, newestActivitiesHash) &&
                                              newestActivitiesHash == activitiesHash));
        if (same) {
            return {Outcome::Unchanged, "", existing.front().name};
        }
    }
    const std::int64_t needed = 2 * (size + static_cast<std::int64_t>(activities.bytes.size()));
    if (const std::int64_t free = seams.freeBytes(folder); free >= 0 && free < needed) {
        return {Outcome::NoSpace, "No backup was made: " + folder + " has less than " +
                                      std::to_string((needed + 1023) / 1024) + " KB free."};
    }
    const int sequence =
        !existing.empty() && existing.front().time == now ? existing.front().sequence + 1 : 1;
    const std::string name = NameFor(now, sequence);
    BackupStatus made = Copy(source, size, hash, activities, folder, name);
    if (!made.Is(Outcome::Made)) {
        return made;
    }
    const int removed = Rotate(folder, name);
    if (activityCount) {
        *activityCount = activities.present ? activities.count : -1;
    }
    return {Outcome::Made,
            removed == 0 ? std::string()
                         : std::to_string(removed) +
                               (removed == 1 ? " older backup removed" : " older backups removed"),
            name};
}

LogBookBackups::BackupStatus LogBookBackups::Copy(int source, std::int64_t size, std::uint64_t hash,
                                                  const Activities& activities,
                                                  const std::string& folder,
                                                  const std::string& name) {
    const std::string path = Joined(folder, name);
    const std::string activitiesPath = Joined(folder, ActivitiesNameFor(name));
    const auto removeActivities = [&] {
        ::unlink(activitiesPath.c_str());
        ::unlink(HashName(activitiesPath).c_str());
    };
    // The activities file and its hash are in place before the data file takes its name:
    // a backup under its name is whole.
    if (activities.present &&
        (!WriteWhole(HashName(activitiesPath), HashText(ContentHash::Of(activities.bytes))) ||
         !WriteWhole(activitiesPath, activities.bytes))) {
        const int why = errno;
        removeActivities();
        return {NoRoom(why)       ? Outcome::NoSpace
                : NotAllowed(why) ? Outcome::Unwritable
                                  : Outcome::Failed,
                "No backup was made: " + activitiesPath +
                    " cannot be written: " + fileio::Reason(why) + "."};
    }
    // The hash goes in first, so every backup under its name has its hash beside it.
    TemporaryFile recorded;
    const std::string text = HashText(hash);
    if (!recorded.Create(HashName(path), 0600) ||
        !fileio::WriteAll(recorded.Descriptor(), text.data(), text.size()) || !recorded.Sync() ||
        !recorded.Commit()) {
        const int why = errno;
        removeActivities();
        return {NoRoom(why)       ? Outcome::NoSpace
                : NotAllowed(why) ? Outcome::Unwritable
                                  : Outcome::Failed,
                "No backup was made: " + HashName(path) +
                    " cannot be written: " + fileio::Reason(why) + "."};
    }
    TemporaryFile copy;
    if (!copy.Create(path, 0600)) {
        const int why = errno;
        ::unlink(HashName(path).c_str());
        removeActivities();
        return {NotAllowed(why) ? Outcome::Unwritable : Outcome::Failed,
                "No backup was made: " + path + " cannot be created: " + fileio::Reason(why) + "."};
    }
    if (!fileio::CopyContents(source, copy.Descriptor(), size) || !copy.Sync()) {
        const int why = errno;
        ::unlink(HashName(path).c_str());
        removeActivities();
        return {NoRoom(why) ? Outcome::NoSpace : Outcome::Failed,
                "No backup was made: " + path + " cannot be written: " + fileio::Reason(why) + "."};
    }
    if (!copy.Commit()) {
        const int why = errno;
        ::unlink(HashName(path).c_str());
        removeActivities();
        return {Outcome::Failed,
                "No backup was made: " + path + " cannot be named: " + fileio::Reason(why) + "."};
    }
    fileio::SyncFolder(path);

    if (seams.beforeCheck) {
        seams.beforeCheck(path);
    }
    DataFile check;
    IndexTable table;
    std::uint64_t readBack = 0;
    std::uint64_t activitiesBack = 0;
    int counted = 0;
    std::string why;
    const bool good =
        check.Open(path, false, true) == DataFile::OpenResult::Opened && check.Size() == size &&
        ContentHash::OfFile(check.Descriptor(), size, readBack) && readBack == hash &&
        IndexFile::Rebuild(check, table) &&
        (!activities.present ||
         (HashOfFile(activitiesPath, activitiesBack) &&
          activitiesBack == ContentHash::Of(activities.bytes) &&
          ActivityFileCopy::Check(activitiesPath, counted, why) && counted == activities.count));
    if (!good) {
        check.Close();
        ::unlink(path.c_str());
        ::unlink(HashName(path).c_str());
        removeActivities();
        return {Outcome::CheckFailed, "No backup was made: the copy " + path +
                                          " did not read back as the logbook; the older "
                                          "backups are kept."};
    }
    return {Outcome::Made, "", name};
}

// The backup just made, and any named later than the clock, are kept and left out of the
// count: a clock that ran far ahead, once, must not make the rotation throw the history away.
int LogBookBackups::Rotate(const std::string& folder, const std::string& made) {
    const std::int64_t now = seams.now();
    std::vector<Backup> weighed;
    for (const Backup& backup : BackupsIn(folder)) {
        if (backup.name != made && backup.time <= now) {
            weighed.push_back(backup);
        }
    }
    std::vector<std::int64_t> times;
    for (const Backup& backup : weighed) {
        times.push_back(backup.time);
    }
    const std::vector<bool> keep = BackupRotation::Keep(times);
    int removed = 0;
    for (std::size_t i = 0; i < weighed.size(); ++i) {
        const std::string path = Joined(folder, weighed[i].name);
        if (!keep[i] && ::unlink(path.c_str()) == 0) {
            const std::string activities = Joined(folder, ActivitiesNameFor(weighed[i].name));
            ::unlink(HashName(path).c_str());
            ::unlink(activities.c_str());
            ::unlink(HashName(activities).c_str());
            ++removed;
        }
    }
    return removed;
}

std::vector<LogBookBackups::Backup> LogBookBackups::List(const std::string& logbook) const {
    std::string ignored;
    return List(logbook, ignored);
}

std::vector<LogBookBackups::Backup> LogBookBackups::List(const std::string& logbook,
                                                         std::string& problem) const {
    problem.clear();
    const std::string folder = FolderFor(logbook);
    std::vector<Backup> backups;
    if (!BackupsIn(folder, backups)) {
        problem =
            "The backups folder " + folder + " cannot be read: " + fileio::Reason(errno) + ".";
        return backups;
    }
    for (Backup& backup : backups) {
        DataFile data;
        IndexTable table;
        const CheckStatus check = Open(logbook, backup.name, data, table, &backup.activities);
        backup.verdict = check.Outcome();
        if (!Restorable(check.Outcome())) {
            // Shown after the name: "is damaged: ..."
            backup.problem = check.Words().rfind(backup.name + " ", 0) == 0
                                 ? check.Words().substr(backup.name.size() + 1)
                                 : check.Words();
            continue;
        }
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

LogBookBackups::CheckStatus LogBookBackups::Open(const std::string& logbook,
                                                 const std::string& backup, DataFile& file,
                                                 IndexTable& table, int* activities) const {
    file.Close();
    table.Clear();
    if (activities) {
        *activities = -1;
    }
    const std::string folder = FolderFor(logbook);
    std::string name = backup;
    // The path `backup` printed is taken, but only inside this logbook's folder.
    if (backup.find('/') != std::string::npos) {
        name = fileio::LastComponent(backup);
        if (fileio::Resolved(fileio::FolderOf(backup)) != fileio::Resolved(folder)) {
            return {Verdict::Missing, backup + " is not in " + folder +
                                          ", the folder of the backups of " + logbook + "."};
        }
    }
    if (DIR* dir = ::opendir(folder.c_str())) {
        ::closedir(dir);
    } else if (errno != ENOENT) {
        return {Verdict::FolderUnreadable,
                "The backups folder " + folder + " cannot be read: " + fileio::Reason(errno) + ".",
                name};
    }
    std::int64_t time = 0;
    int sequence = 0;
    const std::string path = Joined(folder, name);
    const int fd = ParseName(name, time, sequence)
                       ? fileio::OpenNoWait(path, O_RDONLY | O_NOCTTY | O_NOFOLLOW)
                       : -1;
    struct stat info {};
    if (fd >= 0) {
        file.Adopt(fd, false);
    }
    if (fd < 0 || !file.Stat(info) || !S_ISREG(info.st_mode)) {
        file.Close();
        return {Verdict::Missing, "There is no backup named " + name + " of " + logbook + ".",
                name};
    }
    const auto notALogbook = [&](const std::string& why) {
        file.Close();
        table.Clear();
        return CheckStatus(Verdict::NotALogbook, name + " cannot be restored: " + why + ".", name);
    };
    const std::int64_t size = info.st_size;
    const auto recordSize = static_cast<std::int64_t>(DayRecord::kSize);
    if (size == 0) {
        return notALogbook("it holds no record");
    }
    if (size % recordSize != 0) {
        return notALogbook("its size is not a whole number of day records");
    }
    if (size / recordSize > DataFile::kMaxRecords) {
        return notALogbook("it is larger than a logbook can be");
    }
    std::uint64_t recorded = 0;
    const Verdict hashed = RecordedHash(path, recorded);
    std::uint64_t hash = 0;
    if (hashed == Verdict::Damaged ||
        (hashed == Verdict::Sound &&
         (!ContentHash::OfFile(file.Descriptor(), size, hash) || hash != recorded))) {
        file.Close();
        return {Verdict::Damaged,
                name + " is damaged: its content does not match the hash recorded when it was "
                       "made.",
                name};
    }
    std::vector<std::int64_t> undated;
    if (!IndexFile::Rebuild(file, table, &undated)) {
        return notALogbook("it cannot be read");
    }
    if (!undated.empty()) {
        return notALogbook("record " + std::to_string(undated.front() + 1) + " holds no day");
    }
    for (std::int64_t slot = 0; slot < size / recordSize; ++slot) {
        // erased, a little-endian int32 at offset 4: 0 or 1.
        unsigned char erased[4];
        if (!file.ReadAt(DayRecord::Offset(static_cast<std::int32_t>(slot)) + 4, erased, 4) ||
            erased[0] > 1 || erased[1] != 0 || erased[2] != 0 || erased[3] != 0) {
            return notALogbook("record " + std::to_string(slot + 1) + " holds no day");
        }
    }
    // Its activities file: recorded by its hash, which is written first, so a hash without
    // its file is a backup that lost a part.
    const std::string activitiesName = ActivitiesNameFor(name);
    const std::string activitiesPath = Joined(folder, activitiesName);
    struct stat vra {};
    if (::lstat(activitiesPath.c_str(), &vra) == 0 ||
        ::lstat(HashName(activitiesPath).c_str(), &vra) == 0) {
        const auto damaged = [&](const std::string& why) {
            file.Close();
            table.Clear();
            return CheckStatus(Verdict::Damaged,
                               name + " is damaged: its activities file " + activitiesName + " " +
                                   why + ".",
                               name);
        };
        std::uint64_t recordedActivities = 0;
        std::uint64_t activitiesHash = 0;
        int count = 0;
        std::string why;
        if (::lstat(activitiesPath.c_str(), &vra) != 0 || !S_ISREG(vra.st_mode)) {
            return damaged("is missing");
        }
        if (RecordedHash(activitiesPath, recordedActivities) != Verdict::Sound ||
            !HashOfFile(activitiesPath, activitiesHash) || activitiesHash != recordedActivities) {
            return damaged("does not match the hash recorded when it was made");
        }
        if (!ActivityFileCopy::Check(activitiesPath, count, why)) {
            return damaged(why);
        }
        if (activities) {
            *activities = count;
        }
    }
    if (hashed == Verdict::Missing) {
        return {Verdict::Unhashed,
                name + " was made before backups kept their hash: it has no recorded hash; its "
                       "records check out.",
                name};
    }
    return {Verdict::Sound, "", name};
}
