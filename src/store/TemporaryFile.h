#pragma once
// A file made beside a target and renamed over it once it is whole. It is created
// exclusively under a fresh name (never through an existing name or link), so a crash
// leaves at most a leftover, never a torn target. Its writer holds a record lock on it
// while it lives, so the next writer of the same target can tell a killed writer's leftover
// (no lock) from a file still being written, and removes only the former.
//
// The name is <folder>/.<target's name>.tmp-XXXXXX; a target name too long for that is
// shortened and given a hash of the whole name, so the name stays within NAME_MAX.

#include <string>
#include <sys/types.h>

class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file with the given permissions (the umask is not applied).
    bool Create(const std::string& target, mode_t mode);
    int Descriptor() const { return fd; }
    const std::string& Name() const { return name; }

    bool Sync() const;
    // Renames the file over its target; the descriptor stays open.
    bool Commit();
    // Hands the descriptor over; the caller closes it. The file is still removed when
    // this object goes without a commit.
    int Release();

    // Removes what killed writers of the target left behind; files still being written
    // (locked) stay.
    static void RemoveLeftovers(const std::string& target);
    // The permissions a new file gets under the process's umask.
    static mode_t DefaultMode();

private:
    static std::string Prefix(const std::string& target);

    int fd = -1;
    std::string name;
    std::string target;
    bool committed = false;
};
