#!/usr/bin/env bash
# The countdown window by keyboard alone: Tab reaches the count and Space minimises the window as
# a click does; it comes back by itself after the return interval. Tab and Enter minimise it
# again, and a second start brings it back, active, where it was; Alt+F4 and Enter end it.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x
rd_settings OptReturn=8 '[Position]' OptSize=3 OptCent=0 M_Left=1500 M_Top=1200

rd_start_program "$PROGRAM"
rd_wait_window "ペルトラ for Windows"
win=$RD_WIN
sleep 1
rd_geometry "$win"
place="$RD_OX $RD_OY"
# by_keys KEY...: with the window active, Tab to the count, then the keys; the window minimises.
by_keys() {
    rd_activate "$win" && rd_key Tab && sleep 0.3 && rd_key "$@"
    rd_until 5 rd_hidden "$win" || rd_fail "Tab then $* did not minimise the window"
}

by_keys space
minimised=$SECONDS
rd_until 30 rd_restored "$win" || rd_fail "the window did not come back by itself"
((SECONDS - minimised >= 6)) || rd_fail "the window came back after $((SECONDS - minimised)) s, before the 8 s return"
rd_pass "Tab and Space minimised the window; it came back by itself after $((SECONDS - minimised)) s"

by_keys Return
timeout 20 "$PROGRAM" >"$RD_TMP/second.log" 2>&1 || rd_fail "the second start ended with status $?"
{ rd_until 5 rd_restored "$win" && rd_until 5 rd_is_active "$win"; } || rd_fail "the second start did not bring the window back active"
sleep 0.5
rd_geometry "$win"
[[ "$RD_OX $RD_OY" == "$place" ]] || rd_fail "the window came back at $RD_OX $RD_OY, not at $place"
rd_pass "Tab and Enter minimised it; a second start brought it back, active, where it was"

rd_close "$win"
rd_pass "Alt+F4 and Enter ended the program"
rd_done
