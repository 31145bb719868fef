#!/usr/bin/env bash
# The program unpacked from the package (dpkg -x ROOT) starts with an empty settings folder: its
# date window with the program's icon, ROOT/usr/share/peltra its current folder; under a Wayland
# session it runs on X11 without trying Wayland; QT_QPA_PLATFORM=offscreen, the user's choice, stands.
#   bash tests/package/installed_start.sh ROOT
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../realdisplay/lib.sh"
rd_program "$1/usr/bin/peltra"
data=$(realpath "$1/usr/share/peltra")
rd_setup
rd_start_x
wayland=(WAYLAND_DISPLAY=wayland-peltra-test XDG_SESSION_TYPE=wayland)

rd_start_program "$PROGRAM"
rd_wait_window "イベント日の設定"
[[ $(readlink "/proc/$RD_APP_PID/cwd") == "$data" ]] || rd_fail "the current folder is not $data"
icons=$(xprop -id "$RD_WIN" _NET_WM_ICON | grep -ao 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
for size in 16 32 48; do [[ $icons == *"($size x $size)"* ]] || rd_fail "no ${size}x$size icon: $icons"; done
rd_pass "the installed program shows its date window with its icon, from its data folder"
rd_stop "$RD_APP_PID"

rd_start_program env "${wayland[@]}" "$PROGRAM"
rd_wait_window "イベント日の設定"
! grep -qi wayland "$RD_TMP/program.log" || rd_fail "under a Wayland session the program tried Wayland"
rd_pass "under a Wayland session the window appears on X11"
rd_stop "$RD_APP_PID"

rd_start_program env "${wayland[@]}" QT_QPA_PLATFORM=offscreen "$PROGRAM"
sleep 4
{ rd_running && [[ -z $(rd_find_window "イベント日の設定") ]]; } || rd_fail "with QT_QPA_PLATFORM=offscreen it ended or showed on X11"
rd_pass "QT_QPA_PLATFORM=offscreen keeps the program off the X display"
rd_done
