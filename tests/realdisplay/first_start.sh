#!/usr/bin/env bash
# First start with an empty settings folder, on a real X server with a window
# manager: the event-date window comes first; "了解" stores tomorrow and says so;
# the countdown window opens centred at the standard size (640x487 outside);
# the window's close command asks "終了確認", and OK ends the program with
# status 0 after saving the window and label positions.
#
#   bash tests/realdisplay/first_start.sh PATH-TO-PELTRA
#
# PELTRA_SHOT=FILE also copies the screenshot of the running program to FILE.

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

# The event-date window: client area 5010 x 5550 twips; "了解" at 453, 5100,
# size 1300 x 300. At 15 twips per pixel (96 dpi): 334 x 370 pixels, the
# button's centre at (453 + 650) / 15, (5100 + 150) / 15 = 73, 350.
readonly DATE_W=334 DATE_H=370 OK_X=73 OK_Y=350
# The countdown window at size preset 2: 9600 x 7300 twips outside, frame
# included; centred on the 1024 x 768 screen.
readonly MAIN_W=640 MAIN_H=487
readonly MAIN_LEFT=$(((1024 - MAIN_W) / 2)) MAIN_TOP=$(((768 - MAIN_H) / 2))

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")

tomorrow=$(date -d tomorrow +%Y/%m/%d)
rd_start_program "$program"

# --- The event-date window comes first. ---
rd_wait_window "イベント日の設定" 20
date_win=$RD_WIN
rd_geometry "$date_win"
rd_log "event-date window: client ${RD_W}x${RD_H} at ${RD_X},${RD_Y}"
if rd_near "$RD_W" "$DATE_W" 2 && rd_near "$RD_H" "$DATE_H" 2; then
    rd_pass "event-date window shown first, client area ${RD_W}x${RD_H}"
else
    rd_fail "event-date window client area is ${RD_W}x${RD_H}, expected ${DATE_W}x${DATE_H}"
fi
if rd_ini_value "$ini" Config TheDate >/dev/null; then
    rd_fail "TheDate is stored before the date was confirmed: $(rd_ini_value "$ini" Config TheDate)"
fi

# --- "了解" stores tomorrow (the calendar's first date) and says so. ---
rd_activate "$date_win"
rd_click "$date_win" "$OK_X" "$OK_Y"
rd_wait_window "設定確認" 10
notice=$RD_WIN
rd_pass "\"了解\" answered with the notice \"設定確認\""
rd_activate "$notice"
rd_key Return
rd_wait_window_gone "$notice" 10
rd_wait_window_gone "$date_win" 10

# --- The countdown window. ---
rd_wait_window "ペルトラ for Windows" 20
main_win=$RD_WIN
# The size is applied again once the frame is known; let that settle.
sleep 1
rd_geometry "$main_win"
rd_log "countdown window: outer ${RD_OW}x${RD_OH} at ${RD_OX},${RD_OY};" \
    "client ${RD_W}x${RD_H} at ${RD_X},${RD_Y};" \
    "frame left ${RD_FL} right ${RD_FR} top ${RD_FT} bottom ${RD_FB}; viewable: $RD_MAPPED"
[[ $RD_MAPPED == yes ]] || rd_fail "the countdown window is not viewable"
if rd_near "$RD_OW" "$MAIN_W" 2 && rd_near "$RD_OH" "$MAIN_H" 2; then
    rd_pass "countdown window viewable, outer size ${RD_OW}x${RD_OH}"
else
    rd_fail "countdown window outer size is ${RD_OW}x${RD_OH}, expected ${MAIN_W}x${MAIN_H}"
fi
if rd_near "$RD_OX" "$MAIN_LEFT" 2 && rd_near "$RD_OY" "$MAIN_TOP" 2; then
    rd_pass "countdown window centred at ${RD_OX},${RD_OY}"
else
    rd_fail "countdown window is at ${RD_OX},${RD_OY}, expected centred at ${MAIN_LEFT},${MAIN_TOP}"
fi

# --- The store after the first start. ---
[[ -f $ini ]] || rd_fail "no settings file $ini"
stored_date=$(rd_ini_value "$ini" Config TheDate) || rd_fail "TheDate is not in $ini"
[[ $stored_date == "$tomorrow" ]] || rd_fail "TheDate is \"$stored_date\", expected tomorrow, $tomorrow"
size=$(rd_ini_value "$ini" Position OptSize) || rd_fail "OptSize is not in $ini"
[[ $size == 2 ]] || rd_fail "OptSize is \"$size\", expected 2"
for key in M_Left M_Top; do
    if rd_ini_value "$ini" Position "$key" >/dev/null; then
        rd_fail "$key is stored already at the first start: $(rd_ini_value "$ini" Position "$key")"
    fi
done
rd_pass "settings file holds TheDate=$stored_date and OptSize=2, and no window position yet"

rd_screenshot shot
rd_log "screenshot of the running program: $RD_SHOT"
if [[ -n ${PELTRA_SHOT:-} ]]; then
    cp "$RD_SHOT" "$PELTRA_SHOT"
    rd_log "copied to $PELTRA_SHOT"
fi

# --- The close command asks first. ---
rd_end_through_question "$main_win"
rd_pass "the close command asks \"終了確認\"; OK ends the program with status 0"

# --- The close path saved the window and label positions. ---
left=$(rd_ini_value "$ini" Position M_Left) || rd_fail "M_Left is not in $ini after closing"
top=$(rd_ini_value "$ini" Position M_Top) || rd_fail "M_Top is not in $ini after closing"
label=$(rd_ini_value "$ini" Position "Label_Left(0)") || rd_fail "Label_Left(0) is not in $ini after closing"
rd_log "saved: M_Left=$left M_Top=$top Label_Left(0)=$label"
number='^-?[0-9]+(\.[0-9]+)?$'
[[ $left =~ $number && $top =~ $number && $label =~ $number ]] \
    || rd_fail "saved positions are not numbers: M_Left=$left M_Top=$top Label_Left(0)=$label"
# Twips, 15 to the pixel: the centred place of the window, to within two pixels.
if ! rd_near "${left%.*}" $((MAIN_LEFT * 15)) 30 || ! rd_near "${top%.*}" $((MAIN_TOP * 15)) 30; then
    rd_fail "saved position $left,$top twips is not where the window was ($((MAIN_LEFT * 15)),$((MAIN_TOP * 15)))"
fi
rd_pass "closing saved M_Left=$left, M_Top=$top and Label_Left(0)=$label"

rd_done
