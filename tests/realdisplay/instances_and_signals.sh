#!/usr/bin/env bash
# One countdown per user: of two starts at once one keeps the window and the other exits 0; a later
# start brings the minimised window back, active, and exits 0; a socket left by a killed program is
# taken over. SIGTERM, SIGINT and SIGHUP end with status 0 and save the moved window's place and
# the label positions.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x
title="ペルトラ for Windows"

# brought_back: a second start brings the minimised window back and active, and exits 0.
brought_back() {
    xdotool windowminimize "$RD_WIN"
    rd_until 5 rd_hidden "$RD_WIN" || rd_fail "the window could not be minimised"
    timeout 20 "$PROGRAM" >"$RD_TMP/second.log" 2>&1 || rd_fail "the second start ended with status $?"
    rd_until 5 rd_restored "$RD_WIN" && rd_until 5 rd_is_active "$RD_WIN" || rd_fail "the second start did not bring the window back active"
    sleep 1
    [[ $(rd_find_window "$title" | wc -l) == 1 ]] || rd_fail "more than one countdown window"
}

rd_settings
"$PROGRAM" >"$RD_TMP/first.log" 2>&1 &
first=$!
rd_start_program "$PROGRAM"
rd_wait_window "$title"
rd_until 20 eval '! kill -0 $first 2>/dev/null || ! rd_running' || rd_fail "both starts keep running"
if rd_running; then wait "$first" || rd_fail "the start that gave way ended with status $?"
else wait "$RD_APP_PID" || rd_fail "the start that gave way ended with status $?" && RD_APP_PID=$first; fi
brought_back
rd_pass "two starts at once give one window; a later start brings it back; both ended with status 0"
kill -KILL "$RD_APP_PID"
wait "$RD_APP_PID" || true
[[ -S $XDG_RUNTIME_DIR/peltra ]] || rd_fail "the killed program left no socket to take over"

for step in 1 2 3; do
    signal=$(cut -d' ' -f$step <<<"TERM INT HUP")
    ((step == 1)) || rd_settings
    rd_start_program "$PROGRAM"
    rd_wait_window "$title"
    ((step > 1)) || { brought_back && rd_pass "after a killed program the next start took the socket over"; }
    sleep 1
    xdotool windowmove "$RD_WIN" $((40 * step)) $((30 * step))
    sleep 1
    rd_geometry "$RD_WIN"
    kill -s "$signal" "$RD_APP_PID"
    rd_wait_exit
    left=$(rd_ini Position M_Left) top=$(rd_ini Position M_Top)
    rd_near $((${left%.*} / 15)) "$RD_OX" $((${top%.*} / 15)) "$RD_OY" 1 || rd_fail "SIG$signal: the saved place is not $RD_OX,$RD_OY"
    for i in 0 1 2; do rd_ini Position "Label_Top($i)" >/dev/null || rd_fail "SIG$signal: Label_Top($i) not saved"; done
    rd_pass "SIG$signal: status 0, the moved place and the label positions saved"
done
rd_done
