#!/usr/bin/env bash
# What a screen reader finds: with a session bus and the accessibility bus (at-spi2-core), the
# tree of the countdown window, the settings window (Ctrl+K) and the event-date window (Ctrl+V)
# is walked with pyatspi (accessible_tree.py); every button, switch, option, scroll bar, text
# box, label and calendar has a name, and the count and the status panels are read with what
# they show. In the about window (Alt+H, A) each shadowed title is read once, and the mail address
# and the home page are links.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x
walker=$(dirname "${BASH_SOURCE[0]}")/accessible_tree.py
# Debian's pyatspi belongs to the system's python, whatever python comes first on PATH.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || rd_fail "python3-pyatspi is not installed"

dbus-daemon --session --nofork --address="unix:path=$RD_TMP/bus" >"$RD_TMP/dbus.log" 2>&1 &
RD_STOP_PIDS+=($!)
export DBUS_SESSION_BUS_ADDRESS=unix:path=$RD_TMP/bus
rd_until 5 eval "dbus-send --session --dest=org.freedesktop.DBus --print-reply / org.freedesktop.DBus.GetId >/dev/null 2>&1" ||
    rd_fail "the session bus did not start"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$RD_TMP/at-spi.log" 2>&1 &
launcher=$!
rd_until 10 eval "dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | grep -q unix" ||
    rd_fail "the accessibility bus did not start"
# The accessibility bus is the launcher's child (and the registry the bus's): it goes before the launcher.
mapfile -t children < <(pgrep -P "$launcher" || true)
RD_STOP_PIDS+=("${children[@]}" "$launcher")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

# walk TITLE TEXT...: the window's tree, printed into the log; fails on a control without a name.
walk() {
    local status=0 log=$RD_TMP/tree-${1// /_}.log
    rd_until 10 eval "timeout 20 /usr/bin/python3 '$walker' '$RD_APP_PID' '$1' >'$log' 2>&1; [[ \$? -ne 2 ]]" ||
        rd_fail "no \"$1\" in the accessible tree: $(tail -n 3 "$log")"
    timeout 20 /usr/bin/python3 "$walker" "$RD_APP_PID" "$@" >"$log" 2>&1 || status=$?
    ((status == 0)) || rd_fail "\"$1\": $(grep -E '^!!|^no name' "$log" | head -n 20)"
    rd_pass "\"$1\": $(tail -n 1 "$log")"
}

rd_settings OptReturn=600 '[Position]' OptSize=2 OptCent=1
rd_start_program "$PROGRAM"
rd_wait_window "ペルトラ for Windows"
win=$RD_WIN
# The event date is 30 days ahead: the count is read after the upper message.
walk "ペルトラ for Windows" "あと・・・ 30 日" "イベント日：" "今日 " "時刻 "

rd_activate "$win" && rd_key ctrl+k
rd_wait_window "各種設定"
walk "各種設定" "復帰間隔" "文字色(上段)" "背景色" "上段のメッセージ" "背景ファイルの選択" "カウント：フォント・スタイル"
rd_activate "$RD_WIN" && rd_key Escape
rd_until 5 eval "[[ -z \$(rd_find_window 各種設定) ]]" || rd_fail "the settings window stays after Escape"

rd_activate "$win" && rd_key ctrl+v
rd_wait_window "イベント日の設定"
walk "イベント日の設定" "イベント日" "了解"
rd_activate "$RD_WIN" && rd_key Escape
rd_until 5 eval "[[ -z \$(rd_find_window イベント日の設定) ]]" || rd_fail "the event-date window stays after Escape"

rd_activate "$win" && rd_key alt+h && sleep 0.3 && rd_key a
rd_wait_window "ﾊﾞｰｼﾞｮﾝ情報"
walk "ﾊﾞｰｼﾞｮﾝ情報" once:ペルトラ once:☆ once:開発班 link:peltra@example.org link:https://peltra.example.org/
rd_activate "$RD_WIN" && rd_key Escape
rd_until 5 eval "[[ -z \$(rd_find_window ﾊﾞｰｼﾞｮﾝ情報) ]]" || rd_fail "the about window stays after Escape"

rd_close "$win"
rd_done
