#!/usr/bin/env bash
# With a system tray on the desktop (trayer's panel), a click on the day count
# minimises the countdown window and puts an icon with the days left into the
# tray; a click on that icon brings the window back, and the icon goes away.
#
#   bash tests/realdisplay/tray_icon.sh PATH-TO-PELTRA
#
# PELTRA_SHOT_DIR=FOLDER also copies the screenshot with the tray icon there.

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

rd_setup
command -v trayer >/dev/null 2>&1 || rd_fail "trayer is missing (scripts/setup installs it)"
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")
mkdir -p "$(dirname "$ini")"
# 123 days ahead: three digits on the icon. An hour's return delay keeps the automatic return away.
printf '[Config]\nTheDate=%s\nOptReturn=3600\n' "$(date -d '+123 days' +%Y/%m/%d)" >"$ini"

trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
    --transparent false --tint 0x404040 >"$RD_TMP/trayer.log" 2>&1 &
tray_pid=$!
trap 'status=$?; rd_stop "$tray_pid"; (exit $status); rd_cleanup' EXIT

panel=
for ((i = 0; i < 50; i++)); do
    panel=$({ xwininfo -root -tree 2>/dev/null || true; } | awk '/"panel": \("panel" "trayer"\)/ && !n++ { print $1 }')
    [[ -n $panel ]] && break
    sleep 0.1
done
[[ -n $panel ]] || rd_fail "trayer's panel did not appear: $(cat "$RD_TMP/trayer.log")"
rd_pass "trayer's panel is up ($panel)"

# The program's icon window, embedded somewhere under the panel.
tray_icon() {
    { xwininfo -tree -id "$panel" 2>/dev/null || true; } | awk '/\("peltra" "PELTRA"\)/ && !n++ { print $1 }'
}
hidden() {
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN
}

rd_start_program "$program"
rd_wait_window "ペルトラ for Windows" 20
win=$RD_WIN
sleep 1
[[ -z $(tray_icon) ]] || rd_fail "a tray icon is there before the window was minimised"
rd_pass "no tray icon while the window is open"

# The count stands at 2130 twips (142 px) below the menu bar, centred.
rd_activate "$win"
rd_click "$win" 320 225
icon=
for ((i = 0; i < 50; i++)); do
    icon=$(tray_icon)
    [[ -n $icon ]] && hidden "$win" && break
    sleep 0.1
done
hidden "$win" || rd_fail "the window is not minimised after the click on the count"
[[ -n $icon ]] || rd_fail "no icon in the tray after the window was minimised"
xwininfo -id "$icon" | grep -q 'IsViewable' || rd_fail "the tray icon $icon is not shown"
rd_pass "minimised; the tray icon $icon is shown"

sleep 0.5
rd_screenshot tray
if [[ -n ${PELTRA_SHOT_DIR:-} ]]; then
    cp "$RD_SHOT" "$PELTRA_SHOT_DIR/tray.png"
fi
# The icon is not a blank square: the count is drawn on it.
read -r ix iy iw ih < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
colours=$(convert "$RD_SHOT" -crop "${iw}x${ih}+${ix}+${iy}" +repage -format '%k' info:)
((colours > 20)) || rd_fail "the tray icon shows only $colours colours"
rd_pass "the tray icon is drawn (${iw}x${ih} at ${ix},${iy}, $colours colours)"

xdotool mousemove --window "$icon" $((iw / 2)) $((ih / 2)) click 1
for ((i = 0; i < 50; i++)); do
    hidden "$win" || break
    sleep 0.1
done
hidden "$win" && rd_fail "a click on the tray icon did not bring the window back"
rd_geometry "$win"
[[ $RD_MAPPED == yes ]] || rd_fail "the window came back unmapped"
rd_pass "a click on the tray icon brought the window back"
for ((i = 0; i < 30; i++)); do
    [[ -z $(tray_icon) ]] && break
    sleep 0.1
done
[[ -z $(tray_icon) ]] || rd_fail "the tray icon stays after the window came back"
rd_pass "the tray icon went away"

rd_end_through_question "$win"
rd_pass "closed through the close question"
rd_done
