#include "store/ProcessStart.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs body in a child process and returns its exit status (-1 when it did not exit).
template <typename Body> int InChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

TEST(ProcessStart, ClosedStandardStreamsAreFilledBeforeAnyFileIsOpened) {
    const int status = InChild([] {
        ::close(0);
        ::close(2);
        if (!ProcessStart::GuardStandardStreams()) {
            return 10;
        }
        const int file = ::open("/dev/null", O_RDONLY);
        struct stat in {};
        struct stat err {};
        struct stat null {};
        ::fstat(0, &in);
        ::fstat(2, &err);
        ::stat("/dev/null", &null);
        if (file <= 2) {
            return 11; // a file would have been given a standard stream's number
        }
        return in.st_rdev == null.st_rdev && err.st_rdev == null.st_rdev ? 0 : 12;
    });
    EXPECT_EQ(status, 0);
}

TEST(ProcessStart, AWritePastTheSizeLimitFailsInsteadOfEndingTheProcess) {
    const int status = InChild([] {
        ProcessStart::Prepare();
        char name[] = "/tmp/veloria-fsize-XXXXXX";
        const int fd = ::mkstemp(name);
        ::unlink(name);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 10;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const char bytes[20] = {};
        return ::write(fd, bytes, sizeof bytes) == 10 && ::write(fd, bytes, 10) < 0 ? 0 : 13;
    });
    EXPECT_EQ(status, 0);
}

} // namespace
