#pragma once
// The private-profile service: string keys in sections of a plain ini file. Section and key
// names match without regard to case, as the original service did; the section header is
// written exactly as given ("[GENERAL INFO]"). Other lines of the file are kept byte for
// byte, with their line ends and a leading byte-order mark, and the file is replaced whole.

#include <string>

class TProfile {
public:
    explicit TProfile(std::string path);

    // Where the program keeps an ini file of a name: $XDG_CONFIG_HOME/veloria/NAME, else
    // ~/.config/veloria/NAME.
    static std::string DefaultPath(const std::string& fileName);

    // The key's value, or the default when the file, section or key is missing; at most
    // bufferSize - 1 characters, as a buffer of that size would hold.
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t bufferSize) const;
    // Writes the key, creating the folder, file and section as needed. False on failure.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

    const std::string& Path() const { return path; }
    // Why the file that is there cannot be used as settings ("" when it can, or when there
    // is none): not a regular file, unreadable, or over 64 kB. Such a file reads as empty
    // and is never written over.
    std::string Problem() const;

    static constexpr std::size_t kMostBytes = 64 * 1024;

private:
    struct Contents;
    Contents Load() const;

    std::string path;
};
