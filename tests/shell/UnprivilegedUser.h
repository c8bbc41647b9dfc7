#pragma once
// Whether the tests run as a user whom permissions stop (see UnprivilegedTestMain.cpp).

#include <unistd.h>

struct UnprivilegedUser {
    static bool Ready() { return ::geteuid() != 0; }
    static constexpr const char* kSkipped =
        "running as root and could not become an unprivileged user";
};
