#include "framework/TProfile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Trim(const std::string& s) {
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) {
        ++a;
    }
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) {
        --b;
    }
    return s.substr(a, b - a);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// The section a line opens, or false.
bool SectionOf(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') {
        return false;
    }
    const std::size_t close = t.find(']');
    if (close == std::string::npos) {
        return false;
    }
    name = Trim(t.substr(1, close - 1));
    return true;
}

// The key and value of a line, or false.
bool KeyOf(const std::string& line, std::string& key, std::string& value) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) {
        return false;
    }
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return !key.empty();
}

// "cannot be read: permission denied": the system's reason, begun in lower case.
std::string CannotBeRead(int error) {
    std::string reason = std::strerror(error);
    if (reason.size() > 1 && std::isupper(static_cast<unsigned char>(reason[0])) &&
        std::islower(static_cast<unsigned char>(reason[1]))) {
        reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    }
    return "cannot be read: " + reason;
}

} // namespace

struct TProfile::Contents {
    std::vector<std::string> lines; // without their line ends and without the byte-order mark
    bool byteOrderMark = false;
    bool crlf = false;
    std::string problem;
};

// Only a regular file, opened without waiting (a FIFO would block) and read up to its
// limit: anything else is no settings at all.
TProfile::Contents TProfile::Load() const {
    Contents contents;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT) {
            contents.problem = CannotBeRead(errno);
        }
        return contents;
    }
    struct stat info {};
    std::string bytes;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        contents.problem = "is not a regular file";
    } else {
        char buffer[4096];
        while (contents.problem.empty()) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                contents.problem = CannotBeRead(errno);
            } else if (got == 0) {
                break;
            } else {
                bytes.append(buffer, static_cast<std::size_t>(got));
                if (bytes.size() > kMostBytes) {
                    contents.problem = "is larger than 64 kB";
                }
            }
        }
    }
    ::close(fd);
    if (!contents.problem.empty()) {
        return contents;
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        contents.byteOrderMark = true;
        bytes.erase(0, 3);
    }
    const std::size_t firstEnd = bytes.find('\n');
    contents.crlf = firstEnd != std::string::npos && firstEnd > 0 && bytes[firstEnd - 1] == '\r';
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        std::string line =
            bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        contents.lines.push_back(std::move(line));
        start = end == std::string::npos ? bytes.size() : end + 1;
    }
    return contents;
}

std::string TProfile::Problem() const {
    return Load().problem;
}

TProfile::TProfile(std::string path) : path(std::move(path)) {}

std::string TProfile::DefaultPath(const std::string& fileName) {
    std::filesystem::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".config";
    } else {
        base = ".";
    }
    return (base / "veloria" / fileName).string();
}

std::string TProfile::GetString(const std::string& section, const std::string& key,
                                const std::string& defaultValue, std::size_t bufferSize) const {
    std::string result = defaultValue;
    bool inSection = false;
    for (const std::string& line : Load().lines) {
        std::string name;
        if (SectionOf(line, name)) {
            inSection = SameName(name, section);
            continue;
        }
        std::string k;
        std::string v;
        if (inSection && KeyOf(line, k, v) && SameName(k, key)) {
            result = v;
            break;
        }
    }
    if (bufferSize == 0) {
        return {};
    }
    if (result.size() > bufferSize - 1) {
        result.resize(bufferSize - 1);
    }
    return result;
}

bool TProfile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
    if (key.find_first_of("=\r\n") != std::string::npos ||
        value.find_first_of("\r\n") != std::string::npos ||
        section.find_first_of("]\r\n") != std::string::npos) {
        return false;
    }
    Contents contents = Load();
    if (!contents.problem.empty()) {
        return false; // a file that cannot be read is never written over
    }
    std::vector<std::string>& lines = contents.lines;
    const std::string entry = key + "=" + value;
    int sectionStart = -1;
    int sectionEnd = -1;
    int found = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string name;
        if (SectionOf(lines[static_cast<std::size_t>(i)], name)) {
            if (sectionStart >= 0 && sectionEnd < 0) {
                sectionEnd = i;
            }
            if (sectionStart < 0 && SameName(name, section)) {
                sectionStart = i;
            }
            continue;
        }
        std::string k;
        std::string v;
        if (sectionStart >= 0 && sectionEnd < 0 && found < 0 &&
            KeyOf(lines[static_cast<std::size_t>(i)], k, v) && SameName(k, key)) {
            found = i;
        }
    }
    if (found >= 0 && lines[static_cast<std::size_t>(found)] == entry) {
        return true; // as it stands already: the file is left alone
    }
    if (found >= 0) {
        lines[static_cast<std::size_t>(found)] = entry;
    } else if (sectionStart >= 0) {
        int at = sectionEnd < 0 ? static_cast<int>(lines.size()) : sectionEnd;
        while (at > sectionStart + 1 && Trim(lines[static_cast<std::size_t>(at - 1)]).empty()) {
            --at;
        }
        lines.insert(lines.begin() + at, entry);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) {
            lines.emplace_back();
        }
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }

    std::error_code error;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) {
        std::filesystem::create_directories(target.parent_path(), error);
    }
    // A new file beside the old one, made afresh (never through a name already there), then
    // renamed over it: a crash leaves the old settings or the new ones, never half of them.
    std::string text = contents.byteOrderMark ? "\xEF\xBB\xBF" : "";
    for (const std::string& line : lines) {
        text += line;
        text += contents.crlf ? "\r\n" : "\n";
    }
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = path + ".new" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = ::write(fd, text.data() + written, text.size() - written);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            break;
        }
        written += static_cast<std::size_t>(put);
    }
    const bool complete = written == text.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!complete || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
