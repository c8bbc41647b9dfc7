#!/usr/bin/env bash
# Start-up cost of veloria against a bare Qt program with a frame, MDI area, menu, tool bar
# and status bar (bench/BareQtWindow.cpp). Each program is launched RUNS times under one
# Xvfb display, in turns: the bare window, veloria on the demo logbook, veloria on a ten-year
# logbook with 4,000 activities, goals and gear. A probe preloaded into each
# (bench/StartupProbe.cpp) ends it when its main window has first been exposed and painted
# and writes what it has used until then: processor time (user + system, every thread, the
# loading of its libraries included), peak resident memory and the wall time from launch.
# Prints the medians and their ratios to the bare window, and fails when veloria's exceed
# the targets (processor time 1.1, peak memory 1.15).
#   bench/startup.sh [RUNS]       (build first: cmake --build build/default; needs xvfb)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-31}"
build="$top/build/default"
veloria="$build/src/veloria"
tool="$build/src/cli/veloria-logbook"
bare="$build/bench/bare_qt_window"
probe="$build/bench/libstartup_probe.so"
demo="$build/resources/samples/demo.vrl"
for p in "$veloria" "$tool" "$bare" "$probe" "$demo"; do
    [ -e "$p" ] || { echo "missing $p: build first (cmake --build build/default)"; exit 1; }
done

if [ -z "${STARTUP_INNER:-}" ]; then
    exec env STARTUP_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$runs"
fi

work="$(mktemp -d)"
trap '[ -n "${STARTUP_KEEP:-}" ] || rm -rf "$work"' EXIT
[ -z "${STARTUP_KEEP:-}" ] || echo "working in $work"
mkdir -p "$work/demo" "$work/ten"
cp "$demo" "$work/demo/demo.vrl"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# Ten years up to yesterday: 4,000 activities (runs, rides and swims, with heart rates),
# the days they make, three goals and two pairs of shoes and a bike, one pair near its limit.
python3 - "$work/ten/activities.csv" <<'PY'
import datetime, sys
end = datetime.date.today() - datetime.timedelta(days=1)
first = end - datetime.timedelta(days=3649)
sports = [("Running", 10.0, 55), ("Cycling", 35.0, 80), ("Running", 8.0, 45), ("Swimming", 2.0, 40)]
with open(sys.argv[1], "w") as out:
    out.write("date,start,sport,distanceKm,movingTime,avgHeartRate,maxHeartRate,calories,file\n")
    for i in range(4000):
        day = first + datetime.timedelta(days=i * 3650 // 4000)
        sport, km, minutes = sports[i % len(sports)]
        km += (i * 37) % 50 / 10
        minutes += (i * 11) % 20
        out.write(f"{day},{7 + i % 12:02d}:{(i * 7) % 60:02d},{sport},{km:.2f},"
                  f"{minutes // 60:02d}:{minutes % 60:02d}:{(i * 13) % 60:02d},"
                  f"{130 + i % 30},{160 + i % 25},{int(km * 60)},act-{i:04d}.fit\n")
PY
ten="$work/ten/tenyears.vrl"
year_ago=$(date -d "-1 year" +%F)
make_ten() { "$tool" "$@" >/dev/null || { echo "the ten-year logbook could not be made: $*"; exit 1; }; }
make_ten import "$ten" "$work/ten/activities.csv"
make_ten goals "$ten" --add week distance 50
make_ten goals "$ten" --add month time 20:00:00 --sport Run
make_ten goals "$ten" --add year activities 300
make_ten gear "$ten" --add "Road shoes" --kind shoes --sport Run --start-distance 700 --limit 800 \
    --first-use "$(date -d "-30 days" +%F)"
make_ten gear "$ten" --add "Trail shoes" --kind shoes --sport Run --first-use "$year_ago"
make_ten gear "$ten" --add "Road bike" --kind bike --sport Ride --first-use "$year_ago"

# One launch: "wall-µs cpu-µs peak-kB" from the probe's report.
launch() {
    rm -f "$work/probe.out"
    local start
    start=$(date +%s%N)
    STARTUP_PROBE_OUT="$work/probe.out" LD_PRELOAD="$probe" "$@" >/dev/null 2>&1 || true
    [ -s "$work/probe.out" ] || { echo "no window from $*" >&2; exit 1; }
    read -r shown cpu peak <"$work/probe.out"
    echo "$(((shown - start) / 1000)) $cpu $peak"
}

labels=("bare Qt window" "veloria, demo logbook" "veloria, ten years, 4000 activities")
commands=("$bare" "$veloria $work/demo/demo.vrl" "$veloria $ten")
# One round unmeasured, to warm the page cache and make the settings files.
for c in "${commands[@]}"; do launch $c >/dev/null; done
# Each round launches the three in turn; a line per round: bare, demo, ten.
for _ in $(seq "$runs"); do
    line=""
    for i in "${!commands[@]}"; do line+=" $(launch ${commands[$i]})"; done
    echo "$line"
done >"$work/rounds"

# The medians of each figure, and of each round's ratios to that round's bare window, so a
# machine that slows down or speeds up during the runs moves both sides of a ratio alike.
awk -v runs="$runs" -v l0="${labels[0]}" -v l1="${labels[1]}" -v l2="${labels[2]}" '
function median(a, n,    i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
    return n % 2 ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2
}
{
    for (p = 0; p < 3; p++) {
        wall[p, NR] = $(3*p+1) / 1000; cpu[p, NR] = $(3*p+2) / 1000; peak[p, NR] = $(3*p+3) / 1024
        if (p > 0) { rcpu[p, NR] = $(3*p+2) / $2; rpeak[p, NR] = $(3*p+3) / $3 }
    }
}
function column(arr, p,    k, v) { for (k = 1; k <= NR; k++) v[k] = arr[p, k]; return median(v, NR) }
END {
    label[0] = l0; label[1] = l1; label[2] = l2
    printf "%-44s %8s %8s %8s\n", "median of " runs " launches, to the window shown", "wall ms", "CPU ms", "peak MB"
    for (p = 0; p < 3; p++)
        printf "%-44s %8.1f %8.1f %8.1f\n", label[p], column(wall, p), column(cpu, p), column(peak, p)
    status = 0
    for (p = 1; p < 3; p++) {
        c = column(rcpu, p); m = column(rpeak, p)
        over = c > 1.1 || m > 1.15
        if (over) status = 1
        printf "%s: processor time %.2fx, peak memory %.2fx the bare window (medians of the rounds): %s\n",
               label[p], c, m, over ? "OVER the targets (1.1, 1.15)" : "within the targets (1.1, 1.15)"
    }
    exit status
}' "$work/rounds"
