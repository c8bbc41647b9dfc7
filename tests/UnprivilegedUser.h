#pragma once
// Whether the tests run as a user whom permissions stop (see UnprivilegedTestMain.cpp).

struct UnprivilegedUser {
    static bool Ready();
    static constexpr const char* kSkipped =
        "running as root and could not become an unprivileged user";
};
