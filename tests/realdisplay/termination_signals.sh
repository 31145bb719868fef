#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the program as the session's end does: the place the user moved
# the window to and the label positions are in the settings file, and the status is 0. A signal
# while the first-start date window is up ends it with status 0 and saves no position.
#
#   bash tests/realdisplay/termination_signals.sh PATH-TO-PELTRA

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")
mkdir -p "$(dirname "$ini")"
readonly TWIPS_PER_PIXEL=15

step=0
for signal in TERM INT HUP; do
    step=$((step + 1))
    printf '[Config]\nTheDate=%s\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$ini"
    rd_start_program "$program"
    rd_wait_window "ペルトラ for Windows" 20
    win=$RD_WIN
    sleep 1
    rd_ini_value "$ini" Position "Label_Left(0)" >/dev/null && rd_fail "label positions stored before the move"
    # Each round a different place, so that no earlier round's value can pass.
    xdotool windowmove "$win" $((40 * step)) $((30 * step))
    sleep 1
    rd_geometry "$win"
    moved_x=$RD_OX moved_y=$RD_OY
    kill -s "$signal" "$RD_APP_PID"
    rd_wait_exit 10
    [[ $RD_STATUS == 0 ]] || rd_fail "SIG$signal: the program ended with status $RD_STATUS, expected 0"
    left=$(rd_ini_value "$ini" Position M_Left) || rd_fail "SIG$signal: no M_Left saved"
    top=$(rd_ini_value "$ini" Position M_Top) || rd_fail "SIG$signal: no M_Top saved"
    saved_x=$(awk -v t="$left" -v p=$TWIPS_PER_PIXEL 'BEGIN { printf "%d", t / p + 0.5 }')
    saved_y=$(awk -v t="$top" -v p=$TWIPS_PER_PIXEL 'BEGIN { printf "%d", t / p + 0.5 }')
    rd_near "$saved_x" "$moved_x" 1 && rd_near "$saved_y" "$moved_y" 1 ||
        rd_fail "SIG$signal: saved ${saved_x},${saved_y} px, the window was moved to ${moved_x},${moved_y}"
    for i in 0 1 2; do
        rd_ini_value "$ini" Position "Label_Left($i)" >/dev/null || rd_fail "SIG$signal: Label_Left($i) not saved"
        rd_ini_value "$ini" Position "Label_Top($i)" >/dev/null || rd_fail "SIG$signal: Label_Top($i) not saved"
    done
    rd_pass "SIG$signal: status 0, the moved place (${moved_x},${moved_y}) and the label positions saved"
done

# --- A signal before the countdown window exists. ---
rm -f "$ini"
rd_start_program "$program"
rd_wait_window "イベント日の設定" 20
kill -s TERM "$RD_APP_PID"
rd_wait_exit 10
[[ $RD_STATUS == 0 ]] || rd_fail "SIGTERM at the date window: status $RD_STATUS, expected 0"
rd_ini_value "$ini" Position M_Left >/dev/null && rd_fail "SIGTERM at the date window saved a position"
rd_pass "SIGTERM at the first-start date window: status 0, no position saved"
rd_done
