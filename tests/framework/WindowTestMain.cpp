// Window tests run on the platform QT_QPA_PLATFORM names, offscreen when it names none.
// On xcb the program starts an X server of its own (Xvfb, picking a free display itself),
// so test programs running side by side never share a display, its focus or its windows.
#include <QApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Starts the server and points DISPLAY at it; its pid, or -1 when it did not come up.
pid_t StartDisplay() {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t server = ::fork();
    if (server == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM); // a crashed test leaves no server behind
        ::fcntl(ready[1], F_SETFD, 0);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(ready[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    // The server writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    while (server > 0 && ::read(ready[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(ready[0]);
    if (number.empty()) {
        std::fprintf(stderr, "Xvfb did not start (is the xvfb package installed?)\n");
        return -1;
    }
    ::setenv("DISPLAY", (":" + number).c_str(), 1);
    return server;
}

} // namespace

// The leak checker of the sanitizer build: on xcb the session-bus library keeps a buffer for
// the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const pid_t server =
        std::strcmp(std::getenv("QT_QPA_PLATFORM"), "xcb") == 0 ? StartDisplay() : 0;
    if (server < 0) {
        return 1;
    }
    int result = 0;
    {
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (server > 0) {
        ::kill(server, SIGTERM);
        ::waitpid(server, nullptr, 0);
    }
    return result;
}
