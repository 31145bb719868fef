# Harness of the real-display tests: the built program on its own Xvfb with openbox, driven by xdotool.
# shellcheck shell=bash
# shellcheck disable=SC2034 # RD_ variables are read by the scenarios
set -Eeuo pipefail
RD_NAME=$(basename "$0" .sh) RD_TMP='' RD_APP_PID='' RD_CHECKS=0 RD_FAILING=0 RD_STOP_PIDS=()

rd_log() { printf '%s: %s\n' "$RD_NAME" "$*"; }
rd_pass() { RD_CHECKS=$((RD_CHECKS + 1)) && rd_log "ok $RD_CHECKS: $*"; }
# rd_fail TEXT: ends the test with a screenshot, the logs and the settings file kept.
rd_fail() {
    trap - ERR
    ((RD_FAILING)) && exit 1
    RD_FAILING=1
    rd_log "FAIL: $*"
    if [[ -n $RD_TMP ]]; then
        import -window root "$RD_TMP/failure.png" 2>/dev/null || true
        for f in "$RD_TMP"/*.log "${INI:-}"; do [[ -f $f ]] && rd_log "$f:" && sed 's/^/    /' "$f"; done
        # What the screenshot would show where it cannot be looked at: the named windows and their
        # state, and where the program's threads wait.
        rd_log "windows on ${DISPLAY:-no display}:"
        xwininfo -root -tree 2>/dev/null | grep -v 'has no name' | grep '"' | sed 's/^ */    /' | head -n 40 || true
        rd_log "processes of the test and where their threads wait:"
        for pid in "$RD_APP_PID" "${RD_STOP_PIDS[@]}"; do
            for t in /proc/"$pid"/task/*; do
                [[ -r $t/stat ]] && printf '    %s %s %s %s\n' "$pid" "$(cat "$t/comm")" "$(cut -d' ' -f3 "$t/stat")" "$(cat "$t/wchan")"
            done
        done 2>/dev/null || true
        rd_log "files kept in $RD_TMP"
    fi
    exit 1
}
rd_done() { trap - ERR && rd_log "$RD_CHECKS checks passed" && exit 0; }
# rd_stop PID: TERM, then KILL two seconds later.
rd_stop() {
    [[ -n ${1:-} ]] && kill -TERM "$1" 2>/dev/null || return 0
    rd_until 2 eval "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null || true
}
rd_cleanup() {
    local status=$? pid
    trap - ERR INT TERM
    for pid in "$RD_APP_PID" "${RD_STOP_PIDS[@]}"; do rd_stop "$pid"; done
    wait 2>/dev/null || true
    ((status == 0 && !RD_FAILING)) && [[ -z ${PELTRA_KEEP_TMP:-} ]] && rm -rf "$RD_TMP"
    return "$status"
}
# rd_program PATH: the built program named on the test's command line, into PROGRAM.
rd_program() { [[ $# -eq 1 && -x $1 ]] && PROGRAM=$(realpath "$1") || { echo "usage: $0 PATH-TO-PELTRA" >&2 && exit 1; }; }
# rd_setup: a temporary folder with a private HOME and settings folder; INI, the settings file.
rd_setup() {
    RD_TMP=$(mktemp -d "${TMPDIR:-/tmp}/peltra-$RD_NAME.XXXXXX")
    trap rd_cleanup EXIT
    trap 'rd_fail "status $? at line $LINENO: $BASH_COMMAND"' ERR
    trap 'rd_fail interrupted' INT TERM
    mkdir -p "$RD_TMP"/{home,config/PELTRA,runtime} && chmod 700 "$RD_TMP/runtime"
    export HOME=$RD_TMP/home XDG_CONFIG_HOME=$RD_TMP/config XDG_RUNTIME_DIR=$RD_TMP/runtime LC_ALL=C.UTF-8 \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$RD_TMP/no-bus" XDG_DATA_HOME=$RD_TMP/home XDG_CACHE_HOME=$RD_TMP/home
    unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
        QT_FONT_DPI WAYLAND_DISPLAY SESSION_MANAGER XDG_CURRENT_DESKTOP XDG_SESSION_TYPE XAUTHORITY DISPLAY
    INI=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
}
# rd_start_x: Xvfb (1024x768, 96 dpi) on the first free display from :91, and openbox on it.
rd_start_x() {
    local n num=''
    for ((n = 91; n < 160; n++)); do
        [[ -z $num ]] || break
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        : >"$RD_TMP/display"
        Xvfb ":$n" -displayfd 9 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 9>"$RD_TMP/display" 2>/dev/null &
        RD_STOP_PIDS+=($!)
        for _ in {1..100}; do num=$(tr -dc 0-9 <"$RD_TMP/display") && [[ -n $num ]] && break; sleep 0.1; done
    done
    [[ -n $num ]] || rd_fail "no Xvfb started"
    export DISPLAY=:$num
    openbox --sm-disable >"$RD_TMP/openbox.log" 2>&1 &
    RD_STOP_PIDS+=($!)
    rd_until 10 eval "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" || rd_fail "openbox did not start"
    # openbox announces itself before it has finished starting, and a window mapped in between is
    # never managed (it stays unmapped): a probe window that openbox frames shows that it is ready.
    local probe tries
    for ((tries = 0; tries < 5; tries++)); do
        xmessage -name peltra-probe -timeout 10 probe >/dev/null 2>&1 &
        probe=$!
        rd_until 2 rd_wm_manages_windows && break
        { kill "$probe" && wait "$probe"; } 2>/dev/null || true
        probe=''
    done
    [[ -n $probe ]] || rd_fail "openbox did not manage a window"
    { kill "$probe" && wait "$probe"; } 2>/dev/null || true
    rd_until 5 eval '! rd_wm_manages_windows' || rd_fail "openbox kept the probe window"
}
rd_wm_manages_windows() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'window id # 0x'; }
# rd_settings LINES...: the settings file for the next start, TheDate 30 days ahead and LINES.
rd_settings() { printf '[Config]\nTheDate=%s\n' "$(date -d '+30 days' +%Y/%m/%d)" >"$INI" && printf '%s\n' "$@" >>"$INI"; }
# rd_start_program COMMAND...: in the background, its output in program.log.
rd_start_program() { "$@" >"$RD_TMP/program.log" 2>&1 & RD_APP_PID=$!; }
rd_running() { [[ -n $RD_APP_PID ]] && kill -0 "$RD_APP_PID" 2>/dev/null; }
# rd_find_window TITLE: ids of the visible windows of exactly that title.
rd_find_window() { xdotool search --onlyvisible --name "^$(sed 's/[][\.*^$(){}?+|/]/\\&/g' <<<"$1")\$" 2>/dev/null || true; }
# rd_wait_window TITLE [SECONDS]: waits for that window (20 s unless told); its id in RD_WIN.
rd_wait_window() {
    local end=$((SECONDS + ${2:-20}))
    until RD_WIN=$(rd_find_window "$1" | head -n1) && [[ -n $RD_WIN ]]; do
        [[ -z $RD_APP_PID ]] || rd_running || rd_fail "the program ended while waiting for \"$1\""
        ((SECONDS < end)) || rd_fail "no window \"$1\""
        sleep 0.2
    done
}
# rd_until SECONDS COMMAND...: true once COMMAND succeeds, false after SECONDS.
rd_until() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do ((SECONDS < end)) || return 1; sleep 0.2; done
}
rd_shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
rd_gone() { ! rd_shown "$1"; }
rd_hidden() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN; }
rd_restored() { ! rd_hidden "$1" && rd_shown "$1"; }
rd_is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
# rd_activate WIN: makes WIN the active window, so that keys go there.
rd_activate() { rd_until 5 eval "xdotool windowactivate $1 2>/dev/null; sleep 0.2; rd_is_active $1" || rd_fail "could not activate window $1"; }
rd_key() { xdotool key --clearmodifiers "$@"; }
# rd_click WIN X Y: a left click at X,Y pixels in WIN's client area.
rd_click() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1; }
# rd_geometry WIN: client area RD_X RD_Y RD_W RD_H, outer window RD_OX RD_OY RD_OW RD_OH.
rd_geometry() {
    local info l r t b
    info=$(xwininfo -id "$1") || rd_fail "window $1 is gone"
    read -r RD_X RD_Y RD_W RD_H < <(awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }' <<<"$info")
    IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.* = //p') || true
    RD_OX=$((RD_X - ${l:-0})) RD_OY=$((RD_Y - ${t:-0})) RD_OW=$((RD_W + ${l:-0} + ${r:-0})) RD_OH=$((RD_H + ${t:-0} + ${b:-0}))
}
# rd_near X EXPECTED-X [Y EXPECTED-Y] TOLERANCE
rd_near() {
    (($# == 3)) && set -- "$1" "$2" 0 0 "$3"
    (($1 - $2 <= $5 && $2 - $1 <= $5 && $3 - $4 <= $5 && $4 - $3 <= $5))
}
# rd_outer_size WIN W H: the window's outer size, frame included, within two pixels.
rd_outer_size() { rd_geometry "$1" && rd_near "$RD_OW" "$2" "$RD_OH" "$3" 2 || rd_fail "window is ${RD_OW}x$RD_OH outside, expected ${2}x$3"; }
# rd_minimise_by_click WIN: a click on the count (2130 twips below the menu bar, centred, standard size)
# minimises the window.
rd_minimise_by_click() {
    rd_activate "$1" && rd_click "$1" 320 225
    rd_until 5 rd_hidden "$1" || rd_fail "a click on the count did not minimise window $1"
}
# rd_ini SECTION KEY: the value in the settings file; fails when it is not there.
rd_ini() {
    local key=${2//(/%28}
    awk -v s="[$1]" -v k="${key//)/%29}" '{ sub(/\r$/, "") } /^\[/ { cur = $0; next }
        cur == s && index($0, k "=") == 1 { print substr($0, length(k) + 2); f = 1; exit } END { exit !f }' "$INI" 2>/dev/null
}
# rd_wait_exit: the program ends within 10 s with status 0.
rd_wait_exit() {
    local status=0
    rd_until 10 eval '! rd_running' || rd_fail "the program is still running"
    wait "$RD_APP_PID" || status=$?
    RD_APP_PID=
    ((status == 0)) || rd_fail "the program ended with status $status"
}
# rd_close WIN: alt+F4 asks "終了確認"; OK ends the program with status 0.
rd_close() {
    rd_activate "$1" && rd_key alt+F4
    rd_wait_window "終了確認"
    rd_activate "$RD_WIN" && rd_key Return
    rd_wait_exit
}
# rd_shot NAME: the screen into $RD_TMP/NAME.png (RD_SHOT), copied to PELTRA_SHOT_DIR when set.
rd_shot() { RD_SHOT=$RD_TMP/$1.png && import -window root "$RD_SHOT" && { [[ -z ${PELTRA_SHOT_DIR:-} ]] || cp "$RD_SHOT" "$PELTRA_SHOT_DIR/"; }; }
