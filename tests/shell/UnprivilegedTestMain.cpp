// Tests of files their user may not read or write. Permissions do not stop root, so a run
// as root first becomes the unprivileged user "nobody" (user and group 65534) for good;
// the tests skip when that fails. Windows run on the offscreen platform.
#include "UnprivilegedUser.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <grp.h>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Becomes nobody; the folder made as its home, empty when that failed.
std::string BecomeNobody() {
    constexpr uid_t kNobody = 65534;
    // Root's home and the build folder may be closed to nobody: its home is made, as nobody,
    // in the shared folder.
    char home[] = "/tmp/veloria-nobody-XXXXXX";
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 ||
        ::mkdtemp(home) == nullptr || ::chdir(home) != 0) {
        std::perror("cannot become the user nobody with a home of its own");
        return {};
    }
    // A changed user makes the process undumpable, which would also keep the leak checker
    // of the sanitizer build from looking at its threads.
    ::prctl(PR_SET_DUMPABLE, 1);
    ::setenv("HOME", home, 1);
    ::setenv("XDG_RUNTIME_DIR", home, 1);
    return home;
}

} // namespace

int main(int argc, char** argv) {
    const std::string home = ::geteuid() == 0 ? BecomeNobody() : std::string();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int result = 0;
    {
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ignored; // an empty name, when no home was made, removes nothing
    std::filesystem::remove_all(home, ignored);
    return result;
}
