#pragma once
// The machine's time zone (TZ) for the life of the object; the one before comes back after.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class LocalZone {
public:
    explicit LocalZone(const char* tz = nullptr) {
        if (tz) {
            Set(tz);
        }
    }
    ~LocalZone() {
        saved ? ::setenv("TZ", saved->c_str(), 1) : ::unsetenv("TZ");
        ::tzset();
    }
    LocalZone(const LocalZone&) = delete;
    LocalZone& operator=(const LocalZone&) = delete;

    void Set(const char* tz) {
        ::setenv("TZ", tz, 1);
        ::tzset();
    }

private:
    std::optional<std::string> saved =
        std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};
