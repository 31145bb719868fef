#!/usr/bin/env bash
# Start time, peak memory, idle CPU and idle wake-ups of PELTRA beside a bare Qt window with a 1 Hz
# clock, in one run under Xvfb. Prints figures; it passes or fails nothing.
#
#   bench/run.sh [RUNS] [IDLE_SECONDS]      defaults: 8 starts each, 120 s idle
#
# Start: from just before exec to the first map of a top-level window (the first MapNotify on the
# root window) on a display without a window manager, the two programs started in turn.
# Idle: both running side by side on a display with openbox, after 5 s to settle: CPU time and
# wake-ups (the scheduler's count of times each thread ran, third field of
# /proc/PID/task/*/schedstat), each per minute, and the wake-ups of each thread by name.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-8}
idle=${2:-120}
build=$root/build/bench

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELTRA_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target peltra bare_window first_map >/dev/null

# shellcheck source=../tests/realdisplay/lib.sh
source "$root/tests/realdisplay/lib.sh"
rd_setup
mkdir -p "$XDG_CONFIG_HOME/PELTRA"
printf '[Config]\nTheDate=%s\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$XDG_CONFIG_HOME/PELTRA/PELTRA.ini"

# A second Xvfb without a window manager for the start times; its name in nowm.
nowm=''
for ((n = 161; n < 230; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    : >"$RD_TMP/display-nowm"
    Xvfb ":$n" -displayfd 9 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 9>"$RD_TMP/display-nowm" >/dev/null 2>&1 &
    RD_STOP_PIDS+=($!)
    for _ in {1..100}; do
        num=$(tr -dc 0-9 <"$RD_TMP/display-nowm") && [[ -n $num ]] && nowm=:$num && break 2
        sleep 0.1
    done
done
[[ -n $nowm ]] || rd_fail "no Xvfb started"

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

echo "start to first map: $runs starts each, in turn, median (ms)"
for ((i = 0; i < runs; i++)); do
    DISPLAY=$nowm timeout 20 "$build/first_map" "$build/bare_window" >>"$RD_TMP/start-bare" 2>/dev/null
    DISPLAY=$nowm timeout 20 "$build/first_map" "$build/peltra" >>"$RD_TMP/start-peltra" 2>/dev/null
done
bare_start=$(median <"$RD_TMP/start-bare")
peltra_start=$(median <"$RD_TMP/start-peltra")
echo "  bare window: $(tr '\n' ' ' <"$RD_TMP/start-bare")"
echo "  PELTRA:      $(tr '\n' ' ' <"$RD_TMP/start-peltra")"

rd_start_x
# sched PID FIELD: the sum of that field of the scheduler's counts over every thread.
sched() { cat /proc/"$1"/task/*/schedstat | awk -v f="$2" '{ sum += $f } END { printf "%d", sum }'; }
# threads PID: "name wake-ups" of each thread.
threads() { for t in /proc/"$1"/task/*; do printf '%s %s\n' "$(tr ' ' _ <"$t/comm")" "$(awk '{ print $3 }' "$t/schedstat")"; done; }

echo "idle: both running side by side for $idle s"
"$build/bare_window" >/dev/null 2>&1 &
bare_pid=$!
"$build/peltra" >/dev/null 2>&1 &
peltra_pid=$!
rd_wait_window "bare window" >/dev/null
rd_wait_window "ペルトラ for Windows" >/dev/null
sleep 5
bare_before=$(sched $bare_pid 1) peltra_before=$(sched $peltra_pid 1)
bare_wake_before=$(sched $bare_pid 3) peltra_wake_before=$(sched $peltra_pid 3)
threads $bare_pid >"$RD_TMP/threads-bare-before"
threads $peltra_pid >"$RD_TMP/threads-peltra-before"
sleep "$idle"
per_minute() { awk -v v="$1" -v s="$idle" 'BEGIN { printf "%.1f", v * 60 / s }'; }
bare_cpu=$(per_minute $((($(sched $bare_pid 1) - bare_before) / 1000)))
peltra_cpu=$(per_minute $((($(sched $peltra_pid 1) - peltra_before) / 1000)))
bare_wake=$(per_minute $(($(sched $bare_pid 3) - bare_wake_before)))
peltra_wake=$(per_minute $(($(sched $peltra_pid 3) - peltra_wake_before)))
threads $bare_pid >"$RD_TMP/threads-bare-after"
threads $peltra_pid >"$RD_TMP/threads-peltra-after"
bare_rss=$(awk '/VmHWM/ { print $2 }' /proc/$bare_pid/status)
peltra_rss=$(awk '/VmHWM/ { print $2 }' /proc/$peltra_pid/status)
kill $bare_pid $peltra_pid
wait $bare_pid $peltra_pid 2>/dev/null || true

# by_thread NAME: wake-ups per minute of each thread during the idle time.
by_thread() {
    paste -d' ' "$RD_TMP/threads-$1-before" "$RD_TMP/threads-$1-after" |
        awk -v s="$idle" '{ printf "%s %.1f, ", $1, ($4 - $2) * 60 / s }' | sed 's/, $//'
}
echo "  wake-ups per minute by thread, bare window: $(by_thread bare)"
echo "  wake-ups per minute by thread, PELTRA:      $(by_thread peltra)"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "-"; else printf "%.2f", a / b }'; }
row() { printf '%-34s %12s %12s %7s %7s\n' "$1" "$2" "$3" "$(ratio "$3" "$2")" "$4"; }
printf '\n%-34s %12s %12s %7s %7s\n' "" "bare window" "PELTRA" "ratio" "target"
row "start to first map (ms)" "$bare_start" "$peltra_start" "1.2"
row "peak resident memory (KiB)" "$bare_rss" "$peltra_rss" "1.16"
row "idle CPU per minute (ms)" "$(awk -v v="$bare_cpu" 'BEGIN { printf "%.1f", v / 1000 }')" \
    "$(awk -v v="$peltra_cpu" 'BEGIN { printf "%.1f", v / 1000 }')" "1.1"
printf '%-34s %12s %12s %7s %7s\n' "idle wake-ups per minute" "$bare_wake" "$peltra_wake" "" "<= 6"
rd_done >/dev/null
