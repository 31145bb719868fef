#!/usr/bin/env bash
# Help and about window on a real X server with a window manager: F1 in the
# countdown window brings up the help viewer, a program of its own; a second
# F1 goes to the same viewer; "ﾊﾞｰｼﾞｮﾝ情報(&A)..." opens the about window at
# its size, whose mail link lights up under the pointer; "OK" closes it; the
# program ends through its close question and leaves the viewer running.
#
#   bash tests/realdisplay/help_about.sh PATH-TO-PELTRA
#
# PELTRA_SHOT=FILE also copies the screenshot of the about window to FILE.

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM
viewer=$(dirname "$program")/peltra-help
[[ -x $viewer ]] || rd_fail "no help viewer beside the program: $viewer"
[[ -s $(dirname "$program")/PELTRA.HLP ]] || rd_fail "no help file beside the program"

# The about window: client area 6135 x 3975 twips, 409 x 265 pixels at 96 dpi.
# The mail address, Label1(11), at 570, 2550 twips: 38, 170 pixels, 17 high.
readonly ABOUT_W=409 ABOUT_H=265
readonly MAIL_X=38 MAIL_Y=170 MAIL_W=130 MAIL_H=17
# A place on the grey background, right of the home page address.
readonly BACKGROUND_X=200 BACKGROUND_Y=245

VIEWER_PID=
# shellcheck disable=SC2317 # called from the EXIT trap
cleanup_viewer() {
    # The program never closes the viewer; the test does, once it is done.
    if [[ -n $VIEWER_PID ]]; then
        rd_stop "$VIEWER_PID"
    fi
}

# colour_pixels X Y W H R,G,B: how many pixels of that colour the screen has in
# the rectangle.
colour_pixels() {
    local shot=$RD_TMP/region.png
    import -window root -crop "$3x$4+$1+$2" +repage "$shot" 2>/dev/null || return 1
    convert "$shot" -format %c histogram:info:- |
        awk -v want="($5)" '{ gsub(/ /, ""); if (index($0, want) > 0) { split($0, a, ":"); n += a[1] } } END { print n + 0 }'
}

rd_setup
# shellcheck disable=SC2154 # status is set in the trap itself
trap 'status=$?; cleanup_viewer; (exit "$status"); rd_cleanup' EXIT
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")

# An event date ahead, so that the countdown window comes straight up.
mkdir -p "$(dirname "$ini")"
printf '[Config]\nTheDate=%s\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$ini"

rd_start_program "$program"
rd_wait_window "ペルトラ for Windows" 20
main_win=$RD_WIN
sleep 1

# --- F1: the help viewer, a program of its own. ---
rd_activate "$main_win"
rd_key F1
rd_wait_window "ペルトラ ヘルプ" 30
help_win=$RD_WIN
VIEWER_PID=$(xprop -id "$help_win" _NET_WM_PID | sed -n 's/.* = //p')
[[ $VIEWER_PID =~ ^[0-9]+$ ]] || rd_fail "the help window names no process"
[[ $(ps -o comm= -p "$VIEWER_PID") == peltra-help ]] \
    || rd_fail "the help window belongs to $(ps -o comm= -p "$VIEWER_PID"), not to peltra-help"
rd_pass "F1 opened the help viewer (pid $VIEWER_PID)"
rd_screenshot help || true

# --- A second request goes to the viewer that is running. ---
rd_activate "$main_win"
rd_key F1
sleep 2
windows=$(rd_find_window "ペルトラ ヘルプ" | wc -l)
viewers=$(pgrep -x -u "$(id -u)" peltra-help | wc -l)
[[ $windows == 1 ]] || rd_fail "$windows help windows after the second F1"
kill -0 "$VIEWER_PID" 2>/dev/null || rd_fail "the first viewer ended"
if ((viewers != 1)); then
    # Other users' or other tests' viewers do not count; only ours, on our display.
    ours=0
    for pid in $(pgrep -x -u "$(id -u)" peltra-help); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && ours=$((ours + 1))
    done
    ((ours == 1)) || rd_fail "$ours help viewers on $DISPLAY after the second F1"
fi
rd_pass "the second F1 went to the same viewer"

# --- The about window from the help menu. ---
rd_activate "$main_win"
rd_key alt+h
sleep 0.5
rd_key a
rd_wait_window "ﾊﾞｰｼﾞｮﾝ情報" 10
about_win=$RD_WIN
sleep 0.5
rd_geometry "$about_win"
if rd_near "$RD_W" "$ABOUT_W" 2 && rd_near "$RD_H" "$ABOUT_H" 2; then
    rd_pass "about window open, client area ${RD_W}x${RD_H}"
else
    rd_fail "about window client area is ${RD_W}x${RD_H}, expected ${ABOUT_W}x${ABOUT_H}"
fi
about_x=$RD_X about_y=$RD_Y
rd_screenshot about
if [[ -n ${PELTRA_SHOT:-} && -n $RD_SHOT ]]; then
    cp "$RD_SHOT" "$PELTRA_SHOT"
    rd_log "copied to $PELTRA_SHOT"
fi

# --- The mail link lights up under the pointer, and goes back on the background. ---
xdotool mousemove $((about_x + MAIL_X + 20)) $((about_y + MAIL_Y + 8))
sleep 0.5
lit=$(colour_pixels $((about_x + MAIL_X)) $((about_y + MAIL_Y)) $MAIL_W $MAIL_H "0,255,0")
xdotool mousemove $((about_x + BACKGROUND_X)) $((about_y + BACKGROUND_Y))
sleep 0.5
unlit=$(colour_pixels $((about_x + MAIL_X)) $((about_y + MAIL_Y)) $MAIL_W $MAIL_H "0,255,0")
normal=$(colour_pixels $((about_x + MAIL_X)) $((about_y + MAIL_Y)) $MAIL_W $MAIL_H "192,255,192")
rd_log "green pixels of the mail address: $lit under the pointer, $unlit after; light green after: $normal"
((lit > 20)) || rd_fail "the mail link did not light up under the pointer"
((unlit == 0 && normal > 20)) || rd_fail "the mail link stayed lit over the background"
rd_pass "the mail link lights up under the pointer and goes back over the background"

# --- "OK" closes it. ---
rd_activate "$about_win"
rd_key Return
rd_wait_window_gone "$about_win" 10
rd_pass "\"OK\" closed the about window"

# --- The program ends; the viewer stays. ---
rd_end_through_question "$main_win"
sleep 0.5
kill -0 "$VIEWER_PID" 2>/dev/null || rd_fail "the help viewer ended with the program"
[[ -n $(rd_find_window "ペルトラ ヘルプ") ]] || rd_fail "the help window went away with the program"
rd_pass "the program ended with status 0 and left the help viewer open"

rd_done
