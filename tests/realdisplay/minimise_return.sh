#!/usr/bin/env bash
# A click on the day count minimises the countdown window (the window manager
# shows it hidden) after storing its place; with a return delay of a few
# seconds it comes back by itself, where it was, and the program still ends
# through its close question.
#
#   bash tests/realdisplay/minimise_return.sh PATH-TO-PELTRA

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")
mkdir -p "$(dirname "$ini")"
# An event a month ahead, so no date window; the window returns 5 s after the click.
printf '[Config]\nTheDate=%s\nOptReturn=5\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$ini"

hidden() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN
}

rd_start_program "$program"
rd_wait_window "ペルトラ for Windows" 20
win=$RD_WIN
sleep 1
rd_geometry "$win"
before_x=$RD_OX before_y=$RD_OY

# The count stands at 2130 twips (142 px) below the menu bar, centred, about 140 px high.
rd_activate "$win"
rd_click "$win" 320 225
for ((i = 0; i < 30; i++)); do
    hidden "$win" && break
    sleep 0.1
done
hidden "$win" || rd_fail "the window is not minimised after the click on the count"
rd_pass "a click on the count minimised the window"
rd_ini_value "$ini" Position M_Left >/dev/null || rd_fail "the click stored no window position"
rd_pass "the click stored the window position (M_Left=$(rd_ini_value "$ini" Position M_Left))"

# Timer1 ticks every 10 s: the return comes at the first tick after the delay.
end=$((SECONDS + 30))
while hidden "$win"; do
    ((SECONDS < end)) || rd_fail "the window did not come back within 30 s"
    sleep 0.5
done
sleep 1
rd_geometry "$win"
[[ $RD_MAPPED == yes ]] || rd_fail "the window came back unmapped"
rd_pass "the window came back by itself"
if rd_near "$RD_OX" "$before_x" 2 && rd_near "$RD_OY" "$before_y" 2; then
    rd_pass "it came back where it was (${RD_OX},${RD_OY})"
else
    rd_fail "it came back at ${RD_OX},${RD_OY}, not at ${before_x},${before_y}"
fi
rd_screenshot returned || true

rd_end_through_question "$win"
rd_pass "closed through the close question"
rd_done
