#!/usr/bin/env bash
# The settings window on a real X server with a window manager: Ctrl+K opens
# "各種設定"; on page "初期設定" the smallest size "小　 ( 320×240)(&S)" is
# chosen by its accelerator and confirmed with Enter ("OK"). The countdown
# window then measures 4700 x 3650 twips outside, frame included, and the
# settings file holds OptSize=4 with the label positions scaled to that size.
#
#   bash tests/realdisplay/settings_size.sh PATH-TO-PELTRA
#
# PELTRA_SHOT_DIR=FOLDER also copies the screenshots of the three pages there.

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

# At 15 twips per pixel (96 dpi): the standard size 9600 x 7300 twips, the
# smallest 4700 x 3650.
readonly STANDARD_W=640 STANDARD_H=487 SMALL_W=313 SMALL_H=243
# The settings window's client area: 6585 x 4770 twips.
readonly SETTINGS_W=439 SETTINGS_H=318

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")

# An event date ahead, so that the countdown window comes first; the upper
# message dragged to 300, 900 at the standard size.
mkdir -p "$(dirname "$ini")"
cat >"$ini" <<INI
[Config]
TheDate=$(date -d '+30 days' +%Y/%m/%d)

[Position]
OptSize=2
OptCent=1
Label_Left%280%29=300
Label_Top%280%29=900
INI

shot() {
    rd_screenshot "$1" || return 0
    if [[ -n ${PELTRA_SHOT_DIR:-} ]]; then
        cp "$RD_SHOT" "$PELTRA_SHOT_DIR/$1.png"
    fi
}

rd_start_program "$program"
rd_wait_window "ペルトラ for Windows" 20
main_win=$RD_WIN
# The size is applied again once the frame is known; let that settle.
sleep 1
rd_geometry "$main_win"
rd_log "countdown window: outer ${RD_OW}x${RD_OH} at ${RD_OX},${RD_OY}"
if rd_near "$RD_OW" "$STANDARD_W" 2 && rd_near "$RD_OH" "$STANDARD_H" 2; then
    rd_pass "countdown window at the standard size, outer ${RD_OW}x${RD_OH}"
else
    rd_fail "countdown window outer size is ${RD_OW}x${RD_OH}, expected ${STANDARD_W}x${STANDARD_H}"
fi

# --- Ctrl+K opens the settings window on its first page. ---
rd_activate "$main_win"
rd_key ctrl+k
rd_wait_window "各種設定" 10
settings_win=$RD_WIN
sleep 0.5
rd_geometry "$settings_win"
if rd_near "$RD_W" "$SETTINGS_W" 2 && rd_near "$RD_H" "$SETTINGS_H" 2; then
    rd_pass "Ctrl+K opened \"各種設定\", client area ${RD_W}x${RD_H}"
else
    rd_fail "the settings window's client area is ${RD_W}x${RD_H}, expected ${SETTINGS_W}x${SETTINGS_H}"
fi
shot page0

# --- Page "初期設定", the smallest size, OK. ---
rd_activate "$settings_win"
rd_key ctrl+Tab
sleep 0.5
rd_key alt+s
sleep 0.5
shot page1
rd_key Return
rd_wait_window_gone "$settings_win" 10
rd_pass "Enter on page \"初期設定\" closed the settings window"

sleep 1
rd_geometry "$main_win"
rd_log "countdown window: outer ${RD_OW}x${RD_OH} at ${RD_OX},${RD_OY}"
if rd_near "$RD_OW" "$SMALL_W" 2 && rd_near "$RD_OH" "$SMALL_H" 2; then
    rd_pass "countdown window at the smallest size, outer ${RD_OW}x${RD_OH}"
else
    rd_fail "countdown window outer size is ${RD_OW}x${RD_OH}, expected ${SMALL_W}x${SMALL_H}"
fi
shot small

size=$(rd_ini_value "$ini" Position OptSize) || rd_fail "OptSize is not in $ini"
[[ $size == 4 ]] || rd_fail "OptSize is \"$size\", expected 4"
# 300 x 4700 / 9600 and 900 x 3650 / 7300, in single precision.
left=$(rd_ini_value "$ini" Position "Label_Left(0)") || rd_fail "Label_Left(0) is not in $ini"
top=$(rd_ini_value "$ini" Position "Label_Top(0)") || rd_fail "Label_Top(0) is not in $ini"
[[ $left == 146.875 && $top == 450 ]] \
    || rd_fail "the upper message is stored at $left,$top, expected 146.875,450 (scaled from 300,900)"
rd_pass "settings file holds OptSize=4 and the upper message at $left,$top"

# --- Closing keeps the size with its positions. ---
rd_end_through_question "$main_win"
size=$(rd_ini_value "$ini" Position OptSize)
[[ $size == 4 ]] || rd_fail "OptSize is \"$size\" after closing, expected 4"
rd_pass "closing the program kept OptSize=4"

rd_done
