#include "store/ProcessStart.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ProcessStart {

bool GuardStandardStreams() {
    bool ok = true;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free descriptor is this one, as the lower ones are open by now.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd) {
            ok = ok && opened >= 0 && ::dup2(opened, fd) == fd;
            if (opened >= 0) {
                ::close(opened);
            }
        }
    }
    return ok;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

bool Prepare() {
    IgnoreFileSizeSignal();
    return GuardStandardStreams();
}

} // namespace ProcessStart
