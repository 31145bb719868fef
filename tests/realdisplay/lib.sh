# Helpers for the real-display tests: each test starts the built program on its
# own Xvfb server with openbox as window manager, drives it with xdotool and
# checks windows (xwininfo, xprop) and the settings file.
#
# Source this file from a test script, then:
#   rd_setup                 temp folder, private HOME and config folder, cleanup on exit
#   rd_start_x               Xvfb (1024x768x24, 96 dpi, from :91 up) and openbox; sets DISPLAY
#   rd_start_program CMD...  starts the program, its output in $RD_TMP/program.log
#   rd_wait_window TITLE [S] waits for a visible window of that exact title; id in RD_WIN
#   rd_activate WIN          makes WIN the active window (keyboard input goes there)
#   rd_click WIN X Y         left click at X,Y pixels from WIN's client-area origin
#   rd_key KEY...            types keys into the active window (xdotool key names)
#   rd_geometry WIN          client and frame geometry into RD_X, RD_Y, RD_W, RD_H, ...
#   rd_wait_exit [S]         waits for the program to end; exit status in RD_STATUS
#   rd_ini_value F SEC KEY   prints a value of a QSettings INI file (fails when missing)
#   rd_screenshot NAME       whole screen into $RD_TMP/NAME.png; path in RD_SHOT
#   rd_pass TEXT / rd_fail TEXT   count a check / stop the test with a report
#                            (RD_SHOW_FILES: more files that the report prints)
#   rd_done                  prints "<test>: N checks passed" and exits 0
#   rd_program_path ARGS     the built program named on the test's command line, into RD_PROGRAM
#   rd_end_through_question WIN   the close command, OK in "終了確認", the program ends with status 0
# shellcheck shell=bash
# shellcheck disable=SC2034 # the RD_ variables are read by the test scripts

set -Eeuo pipefail

RD_NAME=$(basename "$0" .sh)
RD_TMP=
RD_XVFB_PID=
RD_WM_PID=
RD_APP_PID=
RD_APP_LOG=
RD_CHECKS=0
RD_FAILING=0
RD_WIN=
RD_SHOT=
RD_STATUS=
RD_SHOW_FILES=()
RD_PROGRAM=

rd_log() {
    printf '%s: %s\n' "$RD_NAME" "$*"
}

rd_need_tools() {
    local tool missing=()
    for tool in Xvfb openbox xdotool xwininfo xprop import; do
        command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
    done
    if ((${#missing[@]})); then
        rd_log "FAIL: missing tools: ${missing[*]} (scripts/test installs them: xvfb openbox xdotool x11-utils imagemagick)"
        exit 1
    fi
}

# Makes the temp folder and a private environment: nothing the test does can
# touch the real user's settings, and nothing of the user's desktop leaks in.
rd_setup() {
    rd_need_tools
    RD_TMP=$(mktemp -d "${TMPDIR:-/tmp}/peltra-$RD_NAME.XXXXXX")
    trap rd_cleanup EXIT
    trap 'rd_fail "command failed (status $?) at ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND"' ERR
    trap 'rd_fail "interrupted"' INT TERM
    mkdir -p "$RD_TMP/home" "$RD_TMP/config" "$RD_TMP/cache" "$RD_TMP/data" "$RD_TMP/runtime"
    chmod 700 "$RD_TMP/runtime"
    export HOME=$RD_TMP/home
    export XDG_CONFIG_HOME=$RD_TMP/config
    export XDG_CACHE_HOME=$RD_TMP/cache
    export XDG_DATA_HOME=$RD_TMP/data
    export XDG_RUNTIME_DIR=$RD_TMP/runtime
    export LC_ALL=C.UTF-8
    # Not the user's desktop session, bus or Qt settings: plain xcb on our server.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$RD_TMP/no-session-bus"
    unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR \
        QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
        QT_FONT_DPI WAYLAND_DISPLAY SESSION_MANAGER XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
        DESKTOP_SESSION XAUTHORITY DISPLAY
    rd_log "temp folder: $RD_TMP"
}

# Starts Xvfb on the first free display number from :91 upward, and openbox
# on it. Xvfb reports through -displayfd when it accepts connections.
rd_start_x() {
    local numfile=$RD_TMP/display-number num="" n i
    for ((n = 91; n < 160; n++)); do
        # Taken: a lock file or socket of a server, running or left over.
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        : >"$numfile"
        Xvfb ":$n" -displayfd 9 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
            9>"$numfile" >"$RD_TMP/xvfb.log" 2>&1 &
        RD_XVFB_PID=$!
        for ((i = 0; i < 100; i++)); do
            num=$(tr -dc '0-9' <"$numfile")
            [[ -n $num ]] && break
            kill -0 "$RD_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        [[ -n $num ]] && break
        # Lost a race for this number, or Xvfb hung: try the next one.
        rd_stop "$RD_XVFB_PID"
        wait "$RD_XVFB_PID" 2>/dev/null || true
        RD_XVFB_PID=
    done
    [[ -n $num ]] || rd_fail "could not start Xvfb on any display from :91 to :159: $(cat "$RD_TMP/xvfb.log")"
    export DISPLAY=:$num
    rd_log "Xvfb on $DISPLAY (pid $RD_XVFB_PID)"

    openbox --sm-disable >"$RD_TMP/openbox.log" 2>&1 &
    RD_WM_PID=$!
    for ((i = 0; i < 100; i++)); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            rd_log "openbox running (pid $RD_WM_PID)"
            return 0
        fi
        kill -0 "$RD_WM_PID" 2>/dev/null || rd_fail "openbox did not start: $(cat "$RD_TMP/openbox.log")"
        sleep 0.1
    done
    rd_fail "openbox did not take over the display within 10 s"
}

# rd_start_program CMD [ARG...]: starts the program in the background.
rd_start_program() {
    RD_APP_LOG=$RD_TMP/program.log
    "$@" >"$RD_APP_LOG" 2>&1 &
    RD_APP_PID=$!
    rd_log "started $* (pid $RD_APP_PID)"
}

rd_program_running() {
    [[ -n $RD_APP_PID ]] && kill -0 "$RD_APP_PID" 2>/dev/null
}

# Exit status of the program once it has ended (reaps it).
rd_reap_program() {
    RD_STATUS=0
    wait "$RD_APP_PID" || RD_STATUS=$?
    RD_APP_PID=
}

rd_regex_quote() {
    # shellcheck disable=SC2016 # a sed expression, not a shell one
    printf '%s' "$1" | sed 's/[][\.*^$(){}?+|/]/\\&/g'
}

# rd_find_window TITLE: ids of the visible windows of exactly that title, one a line.
rd_find_window() {
    xdotool search --onlyvisible --name "^$(rd_regex_quote "$1")\$" 2>/dev/null || true
}

# rd_wait_window TITLE [SECONDS]: waits for a visible window of that exact
# title and puts its id in RD_WIN. Fails when the program ends first.
rd_wait_window() {
    local title=$1 timeout=${2:-20} ids end
    end=$((SECONDS + timeout))
    while :; do
        ids=$(rd_find_window "$title")
        if [[ -n $ids ]]; then
            if (($(wc -l <<<"$ids") > 1)); then
                rd_log "note: $(wc -l <<<"$ids") windows titled \"$title\"; using the first"
            fi
            RD_WIN=$(head -n1 <<<"$ids")
            rd_log "window \"$title\" appeared: id $RD_WIN"
            return 0
        fi
        if [[ -n $RD_APP_PID ]] && ! rd_program_running; then
            rd_reap_program
            rd_fail "the program ended (exit status $RD_STATUS) while waiting for the window \"$title\""
        fi
        ((SECONDS < end)) || rd_fail "no window titled \"$title\" within $timeout s"
        sleep 0.2
    done
}

# rd_wait_window_gone WIN [SECONDS]: waits until WIN is destroyed or unmapped.
rd_wait_window_gone() {
    local win=$1 timeout=${2:-10} end
    end=$((SECONDS + timeout))
    while xwininfo -id "$win" 2>/dev/null | grep -q 'Map State: IsViewable'; do
        ((SECONDS < end)) || rd_fail "window $win is still shown after $timeout s"
        sleep 0.2
    done
}

# rd_activate WIN: asks the window manager to activate WIN and waits until it is
# the active window, so that typed keys go there.
rd_activate() {
    local win=$1 i active=""
    for ((i = 0; i < 25; i++)); do
        xdotool windowactivate "$win" 2>/dev/null || true
        sleep 0.2
        active=$(xdotool getactivewindow 2>/dev/null || true)
        [[ $active == "$win" ]] && return 0
    done
    rd_fail "could not activate window $win (active window: ${active:-none})"
}

# rd_click WIN X Y: moves the pointer to X,Y pixels from the top-left corner of
# WIN's client area and clicks the left button there.
rd_click() {
    local win=$1 x=$2 y=$3
    xdotool mousemove --window "$win" "$x" "$y"
    sleep 0.2
    xdotool click 1
}

# rd_key KEY...: keys (xdotool names: Return, alt+F4, ...) to the active window.
rd_key() {
    xdotool key --clearmodifiers "$@"
}

# rd_geometry WIN: sets
#   RD_X RD_Y RD_W RD_H      client area: screen position and size in pixels
#   RD_FL RD_FR RD_FT RD_FB  window-manager frame widths (left, right, top, bottom)
#   RD_OX RD_OY RD_OW RD_OH  outer window (frame included): position and size
#   RD_MAPPED                "yes" when the window is viewable
rd_geometry() {
    local win=$1 info extents
    info=$(xwininfo -id "$win" 2>/dev/null) || rd_fail "window $win no longer exists"
    RD_X=$(sed -n 's/^ *Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    RD_Y=$(sed -n 's/^ *Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
    RD_W=$(sed -n 's/^ *Width: *\([0-9]*\).*/\1/p' <<<"$info")
    RD_H=$(sed -n 's/^ *Height: *\([0-9]*\).*/\1/p' <<<"$info")
    if grep -q 'Map State: IsViewable' <<<"$info"; then RD_MAPPED=yes; else RD_MAPPED=no; fi
    extents=$(xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ' ')
    if [[ $extents =~ ^([0-9]+),([0-9]+),([0-9]+),([0-9]+)$ ]]; then
        RD_FL=${BASH_REMATCH[1]} RD_FR=${BASH_REMATCH[2]} RD_FT=${BASH_REMATCH[3]} RD_FB=${BASH_REMATCH[4]}
    else
        RD_FL=0 RD_FR=0 RD_FT=0 RD_FB=0
    fi
    RD_OX=$((RD_X - RD_FL)) RD_OY=$((RD_Y - RD_FT))
    RD_OW=$((RD_W + RD_FL + RD_FR)) RD_OH=$((RD_H + RD_FT + RD_FB))
}

# rd_near VALUE EXPECTED TOLERANCE: true when |VALUE - EXPECTED| <= TOLERANCE.
rd_near() {
    local d=$(($1 - $2))
    ((d < 0)) && d=$((-d))
    ((d <= $3))
}

# rd_ini_value FILE SECTION KEY: prints the value of KEY in [SECTION] of a
# QSettings INI file and succeeds, or fails when the key is not there.
# QSettings writes "(" and ")" in keys as %28 and %29; both forms are found.
rd_ini_value() {
    local file=$1 section=$2 key=$3 escaped
    escaped=${key//(/%28}
    escaped=${escaped//)/%29}
    [[ -f $file ]] || return 1
    awk -v sec="$section" -v k1="$key" -v k2="$escaped" '
        { sub(/\r$/, "") }
        /^\[.*\]$/ { cur = substr($0, 2, length($0) - 2); next }
        cur == sec {
            i = index($0, "=")
            if (i == 0) next
            k = substr($0, 1, i - 1); sub(/ +$/, "", k)
            if (k != k1 && k != k2) next
            v = substr($0, i + 1); sub(/^ +/, "", v)
            if (v ~ /^".*"$/) v = substr(v, 2, length(v) - 2)
            print v; found = 1; exit
        }
        END { exit !found }' "$file"
}

# rd_wait_exit [SECONDS]: waits for the program to end; its exit status goes
# into RD_STATUS.
rd_wait_exit() {
    local timeout=${1:-10} end
    end=$((SECONDS + timeout))
    while rd_program_running; do
        ((SECONDS < end)) || rd_fail "the program is still running $timeout s later"
        sleep 0.2
    done
    rd_reap_program
}

# rd_screenshot NAME: the whole screen into $RD_TMP/NAME.png (path in RD_SHOT).
rd_screenshot() {
    RD_SHOT=$RD_TMP/$1.png
    if [[ -n ${DISPLAY:-} ]] && import -window root "$RD_SHOT" 2>"$RD_TMP/import.log"; then
        rd_log "screenshot: $RD_SHOT"
        return 0
    fi
    rd_log "no screenshot: $(cat "$RD_TMP/import.log" 2>/dev/null)"
    RD_SHOT=
    return 1
}

# rd_program_path "$@": checks the test's one argument, the built program, and puts its full
# path in RD_PROGRAM.
rd_program_path() {
    if [[ $# -ne 1 || ! -x $1 ]]; then
        echo "usage: $0 PATH-TO-PELTRA (the built program)" >&2
        exit 1
    fi
    RD_PROGRAM=$(realpath "$1")
}

# rd_end_through_question WIN: the window's close command asks "終了確認"; OK ends the program,
# which must exit with status 0.
rd_end_through_question() {
    rd_activate "$1"
    rd_key alt+F4
    rd_wait_window "終了確認" 10
    rd_activate "$RD_WIN"
    rd_key Return
    rd_wait_exit 10
    [[ $RD_STATUS == 0 ]] || rd_fail "the program ended with status $RD_STATUS, expected 0"
}

rd_pass() {
    RD_CHECKS=$((RD_CHECKS + 1))
    rd_log "ok $RD_CHECKS: $*"
}

# rd_fail TEXT: reports the failure with a screenshot and the program's output,
# then ends the test (the EXIT trap stops the program, openbox and Xvfb).
rd_fail() {
    trap - ERR
    if ((RD_FAILING)); then
        exit 1
    fi
    RD_FAILING=1
    rd_log "FAIL: $*"
    if [[ -n $RD_TMP ]]; then
        rd_screenshot failure || true
        if [[ -n $RD_APP_LOG && -s $RD_APP_LOG ]]; then
            rd_log "program output ($RD_APP_LOG):"
            sed 's/^/    /' "$RD_APP_LOG"
        elif [[ -n $RD_APP_LOG ]]; then
            rd_log "program output: (none)"
        fi
        local file
        for file in "${RD_SHOW_FILES[@]}"; do
            if [[ -f $file ]]; then
                rd_log "$file:"
                sed 's/^/    /' "$file"
            else
                rd_log "$file: (does not exist)"
            fi
        done
        rd_log "files kept in $RD_TMP"
    fi
    exit 1
}

rd_done() {
    trap - ERR
    rd_log "$RD_CHECKS checks passed"
    exit 0
}

# rd_stop PID NAME: TERM, then KILL after two seconds.
rd_stop() {
    local pid=$1 i
    [[ -n $pid ]] || return 0
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 20; i++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

rd_cleanup() {
    local status=$?
    trap - ERR INT TERM
    rd_stop "$RD_APP_PID"
    rd_stop "$RD_WM_PID"
    rd_stop "$RD_XVFB_PID"
    wait 2>/dev/null || true
    # A passing run leaves nothing behind; a failing one keeps its screenshots and logs
    # (PELTRA_KEEP_TMP=1 keeps them always).
    if ((status == 0 && !RD_FAILING)) && [[ -n $RD_TMP && -z ${PELTRA_KEEP_TMP:-} ]]; then
        rm -rf "$RD_TMP"
    fi
    return "$status"
}
