#pragma once
// Every file the program or veloria-logbook writes that is not a logbook (a report, an
// export, a PDF) goes through here, so one rule decides where bytes may land:
// - never on a logbook or an index: any .vrl or .idx name, the logbook held by the caller
//   and its index (by name, device and inode), or any file another program holds locked
//   as a logbook;
// - never on a file the user may not write by its own permission bits (root included);
// - a FIFO, terminal or character device is written to as it is, never replaced; a folder
//   or a disk device is refused;
// - a symbolic link is followed: the file it names is replaced in its own folder and the
//   link stays;
// - a regular file or a new name gets a temporary file beside it (TemporaryFile's name
//   pattern), renamed over it once every byte is on the disk; leftovers of a killed writer
//   of the same file are removed by the next write.
// Messages name the file and say why; the caller adds what was not done.

#include "store/TemporaryFile.h"

#include <memory>
#include <string>
#include <string_view>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Empty when target may be written; else why not, naming the file.
    static std::string Refusal(const std::string& target, const std::string& heldLogbook = {});

    bool Open(const std::string& target, const std::string& heldLogbook = {});
    bool Write(std::string_view bytes);
    // A replaced file: synced, then renamed over the target. A device or FIFO: closed.
    bool Commit();
    // Drops what was written (a temporary file is removed); also done by the destructor
    // when there was no commit.
    void Abandon();

    // Where the bytes go: the temporary file, or the target itself when it is written
    // directly.
    const std::string& WritePath() const { return writePath; }
    // Why Open, Write or Commit failed, naming the target.
    const std::string& Problem() const { return problem; }

private:
    bool Fail(const std::string& what, int error);

    std::string target;
    std::string writePath;
    std::string problem;
    std::unique_ptr<TemporaryFile> temporary; // set when the target is replaced
    int fd = -1;
    bool failed = false;
};
