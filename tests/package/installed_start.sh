#!/usr/bin/env bash
# The installed program, started from a tree unpacked out of the Debian package
# (dpkg -x ROOT), on a real X server with a window manager and an empty
# settings folder:
#   - the first window, "イベント日の設定", appears, with the program's icon;
#   - the program finds its data folder relative to its executable: its
#     current folder is ROOT/usr/share/peltra, not the build tree;
#   - under a Wayland session (WAYLAND_DISPLAY, XDG_SESSION_TYPE=wayland) it
#     runs on X11 without trying Wayland, and its window appears on X;
#   - a platform that the user chose (QT_QPA_PLATFORM) stands: with
#     "offscreen" no window appears on X and the program keeps running.
#
#   bash tests/package/installed_start.sh ROOT

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../realdisplay/lib.sh"

if [[ $# -ne 1 || ! -x $1/usr/bin/peltra ]]; then
    echo "usage: $0 ROOT (a folder with the package unpacked: ROOT/usr/bin/peltra)" >&2
    exit 1
fi
root=$(realpath "$1")
program=$root/usr/bin/peltra
data=$root/usr/share/peltra
readonly FIRST_TITLE="イベント日の設定"

rd_setup
rd_start_x

# stop_program: ends the running program (it keeps nothing that this test reads).
stop_program() {
    rd_stop "$RD_APP_PID"
    wait "$RD_APP_PID" 2>/dev/null || true
    RD_APP_PID=
}

# --- The installed data. ---
[[ -f $data/MEDIA/DING.WAV ]] || rd_fail "$data/MEDIA/DING.WAV is not in the package"
# The help viewer and the help file come with the source folder helpviewer/.
if [[ -f $(dirname "${BASH_SOURCE[0]}")/../../helpviewer/CMakeLists.txt ]]; then
    [[ -f $data/PELTRA.HLP ]] || rd_fail "$data/PELTRA.HLP is not in the package"
    [[ -x $root/usr/bin/peltra-help ]] || rd_fail "$root/usr/bin/peltra-help is not in the package"
    rd_pass "the package holds peltra, peltra-help, PELTRA.HLP and MEDIA/DING.WAV"
else
    rd_pass "the package holds peltra and MEDIA/DING.WAV"
fi

# --- First start with an empty settings folder. ---
[[ -z $(ls -A "$XDG_CONFIG_HOME") ]] || rd_fail "the settings folder $XDG_CONFIG_HOME is not empty"
rd_start_program "$program"
rd_wait_window "$FIRST_TITLE" 20
rd_pass "the installed program shows its first window \"$FIRST_TITLE\""

# The program makes its data folder its current folder at start-up.
cwd=$(readlink "/proc/$RD_APP_PID/cwd") || rd_fail "cannot read the program's current folder"
[[ $cwd == "$data" ]] || rd_fail "the program's data folder is $cwd, expected $data"
rd_pass "the program found its data folder beside its executable: $cwd"

icons=$(xprop -id "$RD_WIN" _NET_WM_ICON 2>/dev/null | grep -ao 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
for size in 16 32 48; do
    [[ $icons == *"Icon ($size x $size)"* ]] \
        || rd_fail "the window's icon has no ${size}x$size picture (_NET_WM_ICON: ${icons:-none})"
done
rd_pass "the window carries the program's icon: $icons"
stop_program

# --- Under a Wayland session the program runs on X11 (XWayland). ---
# No compositor listens on this socket; a program that tried Wayland first says so.
rd_start_program env WAYLAND_DISPLAY=wayland-peltra-test XDG_SESSION_TYPE=wayland "$program"
rd_wait_window "$FIRST_TITLE" 20
if grep -qi wayland "$RD_APP_LOG"; then
    rd_fail "under a Wayland session the program tried Wayland before X11: $(cat "$RD_APP_LOG")"
fi
rd_pass "under a Wayland session the window appears on X11, and Wayland is not tried"
stop_program

# --- The user's choice of platform stands. ---
rd_start_program env WAYLAND_DISPLAY=wayland-peltra-test XDG_SESSION_TYPE=wayland \
    QT_QPA_PLATFORM=offscreen "$program"
sleep 4
rd_program_running || { rd_reap_program; rd_fail "with QT_QPA_PLATFORM=offscreen the program ended (status $RD_STATUS)"; }
if [[ -n $(rd_find_window "$FIRST_TITLE") ]]; then
    rd_fail "with QT_QPA_PLATFORM=offscreen the window still appeared on X11"
fi
rd_pass "with QT_QPA_PLATFORM=offscreen the program runs off the X display, as chosen"
stop_program

rd_done
