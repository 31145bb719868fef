#!/usr/bin/env bash
# Start time, peak memory and idle CPU of PELTRA beside a bare Qt window with a 1 Hz clock, in one
# run under Xvfb with openbox. Prints figures; it passes or fails nothing.
#
#   bench/run.sh [RUNS] [IDLE_SECONDS]      defaults: 5 starts each, 60 s idle
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
idle=${2:-60}
build=$root/build/bench

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELTRA_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target peltra bare_window >/dev/null

# shellcheck source=../tests/realdisplay/lib.sh
source "$root/tests/realdisplay/lib.sh"
rd_setup
rd_start_x
mkdir -p "$XDG_CONFIG_HOME/PELTRA"
printf '[Config]\nTheDate=%s\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$XDG_CONFIG_HOME/PELTRA/PELTRA.ini"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from the start of the command to its window being shown.
start_time() {
    local title=$1 begin pid elapsed
    shift
    begin=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pid=$!
    until [[ -n $(rd_find_window "$title") ]]; do
        sleep 0.005
    done
    elapsed=$(($(now_ms) - begin))
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$elapsed"
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# CPU time of all the process's threads in nanoseconds (the scheduler's own count, finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }

echo "start time: $runs starts each, median"
bare_start=$(for ((i = 0; i < runs; i++)); do start_time "bare window" "$build/bare_window"; done | median)
peltra_start=$(for ((i = 0; i < runs; i++)); do start_time "ペルトラ for Windows" "$build/peltra"; done | median)

echo "memory and CPU: both running side by side for $idle s of idle"
"$build/bare_window" >/dev/null 2>&1 &
bare_pid=$!
"$build/peltra" >/dev/null 2>&1 &
peltra_pid=$!
rd_wait_window "bare window" >/dev/null
rd_wait_window "ペルトラ for Windows" >/dev/null
sleep 5
bare_before=$(cpu_ns $bare_pid)
peltra_before=$(cpu_ns $peltra_pid)
sleep "$idle"
bare_cpu=$((($(cpu_ns $bare_pid) - bare_before) / 1000000))
peltra_cpu=$((($(cpu_ns $peltra_pid) - peltra_before) / 1000000))
bare_rss=$(awk '/VmHWM/ { print $2 }' /proc/$bare_pid/status)
peltra_rss=$(awk '/VmHWM/ { print $2 }' /proc/$peltra_pid/status)
kill $bare_pid $peltra_pid
wait $bare_pid $peltra_pid 2>/dev/null || true

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "-"; else printf "%.2f", a / b }'; }
printf '\n%-32s %12s %12s %7s %7s\n' "" "bare window" "PELTRA" "ratio" "target"
printf '%-32s %12s %12s %7s %7s\n' "start to first window (ms)" "$bare_start" "$peltra_start" \
    "$(ratio "$peltra_start" "$bare_start")" "1.3"
printf '%-32s %12s %12s %7s %7s\n' "peak resident memory (KiB)" "$bare_rss" "$peltra_rss" \
    "$(ratio "$peltra_rss" "$bare_rss")" "1.3"
printf '%-32s %12s %12s %7s %7s\n' "CPU time over ${idle} s idle (ms)" "$bare_cpu" "$peltra_cpu" \
    "$(ratio "$peltra_cpu" "$bare_cpu")" "1.2"
rd_done >/dev/null
