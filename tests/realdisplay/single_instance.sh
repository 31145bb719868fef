#!/usr/bin/env bash
# One countdown per user. Of two starts at the same moment one shows the window and the other ends
# with status 0; a later start brings the minimised window back (restored and active), opens no
# window of its own and ends with status 0; the address left by a killed program is taken over by
# the next one, which then brings itself back in the same way.
#
#   bash tests/realdisplay/single_instance.sh PATH-TO-PELTRA

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini" "$RD_TMP/second.log")
mkdir -p "$(dirname "$ini")"
printf '[Config]\nTheDate=%s\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$ini"
title="ペルトラ for Windows"

windows() {
    rd_find_window "$title" | grep -c . || true
}
hidden() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN
}

# A second start in the foreground: it must end by itself, with status 0.
second_start() {
    local status=0
    timeout 20 "$program" >"$RD_TMP/second.log" 2>&1 || status=$?
    [[ $status == 0 ]] || rd_fail "the second start ended with status $status, expected 0"
}

# The running window, minimised, comes back at a second start and is the active window.
brought_back_by_second_start() {
    local win=$1 i
    xdotool windowminimize "$win"
    for ((i = 0; i < 30; i++)); do
        hidden "$win" && break
        sleep 0.1
    done
    hidden "$win" || rd_fail "the window could not be minimised"
    second_start
    for ((i = 0; i < 30; i++)); do
        hidden "$win" || break
        sleep 0.1
    done
    hidden "$win" && rd_fail "the second start did not bring the minimised window back"
    rd_geometry "$win"
    [[ $RD_MAPPED == yes ]] || rd_fail "the window came back unmapped"
    for ((i = 0; i < 30; i++)); do
        [[ $(xdotool getactivewindow 2>/dev/null || true) == "$win" ]] && break
        sleep 0.1
    done
    [[ $(xdotool getactivewindow 2>/dev/null || true) == "$win" ]] || rd_fail "the window came back but is not active"
    sleep 1
    (($(windows) == 1)) || rd_fail "$(windows) countdown windows after the second start"
}

# --- Two starts at the same moment. ---
"$program" >"$RD_TMP/first.log" 2>&1 &
first=$!
"$program" >"$RD_TMP/other.log" 2>&1 &
other=$!
rd_wait_window "$title" 20
win=$RD_WIN
end=$((SECONDS + 20))
while kill -0 "$first" 2>/dev/null && kill -0 "$other" 2>/dev/null; do
    ((SECONDS < end)) || rd_fail "both starts are still running 20 s later"
    sleep 0.2
done
if kill -0 "$first" 2>/dev/null; then running=$first ended=$other; else running=$other ended=$first; fi
RD_APP_PID=$running
status=0
wait "$ended" || status=$?
[[ $status == 0 ]] || rd_fail "the start that gave way ended with status $status"
kill -0 "$running" 2>/dev/null || rd_fail "neither start kept running"
sleep 1
(($(windows) == 1)) || rd_fail "$(windows) countdown windows after two starts at once"
rd_pass "two starts at once: one window, the other start ended with status 0"

brought_back_by_second_start "$win"
rd_pass "a second start brought the minimised window back, active, and ended with status 0"

# --- A program killed outright leaves its address behind; the next start takes it over. ---
kill -KILL "$RD_APP_PID"
rd_reap_program
[[ -S $XDG_RUNTIME_DIR/peltra ]] || rd_fail "the killed program left no address to take over"
rd_start_program "$program"
rd_wait_window "$title" 20
win=$RD_WIN
sleep 1
brought_back_by_second_start "$win"
rd_pass "after a killed program the next start took the address over"

rd_end_through_question "$win"
rd_pass "closed through the close question"
rd_done
