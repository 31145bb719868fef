#!/usr/bin/env bash
# Named countdowns side by side: the default countdown and one named 誕生日 on the screen at once, each
# with its own title and settings file; a second start of the name is handed to that one; each is
# minimised by a click on its count and comes back by itself after its own delay, the other one
# staying as it is.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x
default_title="ペルトラ for Windows" named_title="誕生日 - ペルトラ for Windows"
named_ini=$XDG_CONFIG_HOME/PELTRA/countdowns/誕生日.ini

rd_settings OptReturn=30 '[Position]' OptSize=2 OptCent=0 M_Left=0 M_Top=0
mkdir -p "$(dirname "$named_ini")"
printf '[Config]\nTheDate=%s\nOptReturn=6\n[Position]\nOptSize=2\nOptCent=0\nM_Left=5700\nM_Top=4000\n' \
    "$(date -d '+3 days' +%Y/%m/%d)" >"$named_ini"
rd_start_program "$PROGRAM"
rd_wait_window "$default_title"
default=$RD_WIN
"$PROGRAM" --profile 誕生日 >"$RD_TMP/named.log" 2>&1 &
named_pid=$!
RD_STOP_PIDS+=("$named_pid")
rd_wait_window "$named_title"
named=$RD_WIN
sleep 1
timeout 20 "$PROGRAM" -p 誕生日 >"$RD_TMP/second.log" 2>&1 || rd_fail "the second start of 誕生日 ended with status $?"
sleep 1
[[ $(rd_find_window "$named_title" | wc -l) == 1 && $(rd_find_window "$default_title" | wc -l) == 1 ]] \
    || rd_fail "not one window of each countdown"
listed=$("$PROGRAM" --list | cut -f1,3)
[[ $listed == $'3\t誕生日\n30\t' ]] || rd_fail "--list printed \"$listed\""
rd_shot side_by_side
rd_pass "two countdowns side by side, each titled; a second start of the name went to it; --list shows both"

rd_minimise_by_click "$named"
rd_minimise_by_click "$default"
started=$SECONDS
rd_until 30 rd_restored "$named" || rd_fail "誕生日 did not come back by itself"
rd_hidden "$default" || rd_fail "the default countdown came back with 誕生日, after $((SECONDS - started)) s"
grep -q '^M_Top=' "$named_ini" || rd_fail "誕生日 saved its place elsewhere"
rd_pass "誕生日 came back after its own delay, $((SECONDS - started)) s; the default one stayed minimised"
rd_until 45 rd_restored "$default" || rd_fail "the default countdown did not come back by itself"
((SECONDS - started >= 30)) || rd_fail "the default countdown came back after $((SECONDS - started)) s, before its 30 s"
rd_shown "$named" && ! rd_hidden "$named" || rd_fail "誕生日 did not stay open"
rd_pass "the default countdown came back after its own delay, $((SECONDS - started)) s"

# A name never used starts with its own event-date window, which says whose date it asks for.
"$PROGRAM" -p 卒業式 >"$RD_TMP/new.log" 2>&1 &
new_pid=$!
RD_STOP_PIDS+=("$new_pid")
rd_wait_window "卒業式 - イベント日の設定"
rd_stop "$new_pid"
[[ ! -e $XDG_CONFIG_HOME/PELTRA/countdowns/卒業式.ini ]] || rd_fail "the new name wrote its file before a date was chosen"
rd_pass "a new name asks for its event date first, in a window that names it"

kill -TERM "$named_pid"
rd_until 10 eval "! kill -0 $named_pid 2>/dev/null" || rd_fail "誕生日 did not end on SIGTERM"
wait "$named_pid" || rd_fail "誕生日 ended with status $?"
rd_shown "$default" || rd_fail "the default countdown ended with 誕生日"
kill -TERM "$RD_APP_PID"
rd_wait_exit
rd_pass "each ended on its own with status 0"
rd_done
