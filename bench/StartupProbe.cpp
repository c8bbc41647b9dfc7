// Loaded into a program with LD_PRELOAD by bench/startup.sh: when the program's first
// top-level window is exposed, the probe lets that expose paint the window, then writes
// what the process has used up to that moment and ends it, so the figures are the
// program's own and not the sampler's:
//   <wall ns since the epoch> <user + system CPU µs> <peak resident kB>
// to the file named by STARTUP_PROBE_OUT. Every thread's time counts (RUSAGE_SELF), and
// so does the loading of the libraries before main. STARTUP_PROBE_SMAPS=FILE also copies
// the process's memory map with each mapping's resident size there, to see where it went.
#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

namespace {

long long Microseconds(const timeval& t) {
    return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec;
}

class FirstExpose : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !window || window->parent() ||
            !window->isExposed()) {
            return false;
        }
        watched->event(event); // the window paints now, as the user will see it
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        rusage used{};
        getrusage(RUSAGE_SELF, &used);
        if (const char* out = std::getenv("STARTUP_PROBE_OUT")) {
            if (FILE* file = std::fopen(out, "w")) {
                std::fprintf(file, "%lld %lld %ld\n",
                             static_cast<long long>(now.tv_sec) * 1000000000 + now.tv_nsec,
                             Microseconds(used.ru_utime) + Microseconds(used.ru_stime),
                             used.ru_maxrss);
                std::fclose(file);
            }
        }
        if (const char* maps = std::getenv("STARTUP_PROBE_SMAPS")) {
            std::ofstream(maps) << std::ifstream("/proc/self/smaps").rdbuf();
        }
        std::_Exit(0);
    }
};

void InstallProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstExpose);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
