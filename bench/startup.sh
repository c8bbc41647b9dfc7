#!/usr/bin/env bash
# Start-up time of veloria against a bare Qt program with a frame, MDI area, menu, tool bar
# and status bar: each launched RUNS times under one Xvfb display, timed from launch until
# its main window is mapped. Prints every run and the medians.
#   bench/startup.sh [RUNS]       (build first: cmake --build build/default)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-7}"
veloria="$top/build/default/src/veloria"
bare="$top/build/default/bench/bare_qt_window"
for p in "$veloria" "$bare"; do
    [ -x "$p" ] || { echo "missing $p: build first (cmake --build build/default)"; exit 1; }
done

if [ -z "${STARTUP_INNER:-}" ]; then
    exec env STARTUP_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$runs"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_CONFIG_HOME="$work/config"

# Milliseconds from launch until a mapped top-level window's title starts with $2.
time_one() {
    local program="$1" title="$2"
    local start end
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    local pid=$!
    local waited=0
    until xwininfo -root -tree 2>/dev/null | grep -qF "\"$title"; do
        waited=$((waited + 1))
        if [ "$waited" -gt 5000 ]; then echo "no window from $program" >&2; kill "$pid"; exit 1; fi
        sleep 0.002
    done
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }

# One run of each to warm the page cache.
time_one "$veloria" "Veloria - [" >/dev/null
time_one "$bare" "Bare Qt window" >/dev/null
v=(); b=()
for _ in $(seq "$runs"); do
    v+=("$(time_one "$veloria" "Veloria - [")")
    b+=("$(time_one "$bare" "Bare Qt window")")
done
mv=$(printf '%s\n' "${v[@]}" | median)
mb=$(printf '%s\n' "${b[@]}" | median)
echo "veloria runs (ms): ${v[*]}"
echo "bare Qt runs (ms): ${b[*]}"
echo "median: veloria $mv ms, bare Qt $mb ms, ratio $(awk "BEGIN {printf \"%.2f\", $mv / $mb}")"
