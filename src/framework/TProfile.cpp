#include "framework/TProfile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
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

} // namespace

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
    for (const std::string& line : ReadLines(path)) {
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

bool TProfile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (key.find_first_of("=\r\n") != std::string::npos || value.find_first_of("\r\n") != std::string::npos ||
        section.find_first_of("]\r\n") != std::string::npos) {
        return false;
    }
    std::vector<std::string> lines = ReadLines(path);
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
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines) {
            out << line << '\n';
        }
        if (!out.flush()) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
