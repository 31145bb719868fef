#!/usr/bin/env bash
# One start of the countdown window with a system tray (trayer): a click on the count minimises it
# and puts a drawn icon in the tray, whose click brings the window back; after a second click it
# comes back by itself where it was. Each size chosen in "各種設定" gives its outer size, on the
# screen, with the count clear of both messages. F1 opens the help viewer and a second F1 reuses
# it; the about window opens at its size; closing leaves the viewer open and keeps the size.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x
# Colours told apart in screenshots (&H00BBGGRR&): red upper and magenta lower message, lime count
# box. Settings open on "初期設定"; not centred, so larger sizes grow from the place.
rd_settings OptLATab=1 OptReturn=12 'OptColor%280%29=&H000000FF&' 'OptColor%281%29=&H00FF00FF&' \
    'OptColor%282%29=&H00000000&' 'OptColor%283%29=&H0000FF00&' 'OptColor%284%29=&H00FF0000&' \
    '[Position]' OptSize=2 OptCent=0 M_Left=2880 M_Top=2115
trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true --transparent false \
    --tint 0x404040 >"$RD_TMP/trayer.log" 2>&1 &
tray_pid=$!
RD_STOP_PIDS+=("$tray_pid")
tray_panel() { xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ && !n++ { print $1 }'; }
rd_until 5 eval '[[ -n $(tray_panel) ]]' || rd_fail "trayer's panel did not appear"
tray_icon() { xwininfo -tree -id "$(tray_panel)" 2>/dev/null | awk '/\("peltra" "PELTRA"\)/ && !n++ { print $1 }'; }
icon_shown() { icon=$(tray_icon) && [[ -n $icon ]] && rd_shown "$icon"; }

rd_start_program "$PROGRAM"
rd_wait_window "ペルトラ for Windows"
win=$RD_WIN
sleep 1
rd_geometry "$win"
place="$RD_OX $RD_OY"
[[ -z $(tray_icon) ]] || rd_fail "a tray icon while the window is open"
rd_minimise_by_click "$win"
minimised=$SECONDS
rd_until 5 icon_shown || rd_fail "no tray icon while minimised"
rd_geometry "$icon"
rd_shot tray
colours=$(convert "$RD_SHOT" -crop "${RD_W}x$RD_H+$RD_X+$RD_Y" +repage -format %k info:)
((colours > 20)) || rd_fail "the tray icon shows only $colours colours"
rd_click "$icon" $((RD_W / 2)) $((RD_H / 2))
# Before the return delay of 12 s, only the icon's click can bring the window back.
{ rd_until 3 rd_restored "$win" && ((SECONDS - minimised < 12)); } || rd_fail "the tray icon's click did not bring the window back"
rd_until 5 eval '[[ -z $(tray_icon) ]]' || rd_fail "the tray icon stays with the window back"
rd_pass "the click on the count minimised the window; the drawn tray icon ($colours colours) brought it back and went"
rd_minimise_by_click "$win"
rd_until 30 rd_restored "$win" || rd_fail "the window did not come back by itself"
sleep 1
rd_geometry "$win"
[[ "$RD_OX $RD_OY" == "$place" ]] || rd_fail "the window came back at $RD_OX $RD_OY, not at $place"
rd_pass "the window came back by itself, where it was"
rd_stop "$tray_pid"

# bbox COLOUR: "left top right bottom" of that colour's pixels in the screenshot.
bbox() {
    convert "$RD_SHOT" -alpha off -fuzz 25% -fill black +opaque "$1" -fill white -opaque "$1" -format '%@' info: |
        awk -F'[x+]' '$1 > 1 { print $3, $4, $3 + $1 - 1, $4 + $2 - 1 }'
}
for size in -:standard:640:487 o:largest:1024:768 b:large:800:600 m:medium:480:365 s:small:313:243; do
    IFS=: read -r key name width height <<<"$size"
    if [[ $key != - ]]; then
        rd_activate "$win" && rd_key ctrl+k
        rd_wait_window "各種設定" 10
        rd_activate "$RD_WIN" && rd_key "alt+$key" && sleep 0.3 && rd_key Return
        rd_until 10 rd_gone "$RD_WIN" || rd_fail "the settings window stays"
    fi
    sleep 1
    rd_outer_size "$win" "$width" "$height"
    ((RD_OX >= 0 && RD_OY >= 0 && RD_OX + RD_OW <= 1024 && RD_OY + RD_OH <= 768)) \
        || rd_fail "$name: the window at $RD_OX,$RD_OY is not wholly on the screen"
    rd_shot "$name"
    read -ra box <<<"$(bbox lime)" && read -ra upper <<<"$(bbox red)" && read -ra lower <<<"$(bbox magenta)"
    ((${#box[@]} == 4 && ${#upper[@]} == 4 && ${#lower[@]} == 4 && upper[3] < box[1] && lower[1] > box[3])) \
        || rd_fail "$name: count box (${box[*]}) not clear of the upper (${upper[*]}) and lower message (${lower[*]})"
    rd_pass "$name: ${RD_OW}x$RD_OH on the screen, the count clear of both messages"
done

rd_activate "$win" && rd_key F1
rd_wait_window "ペルトラ ヘルプ" 30
viewer=$(xprop -id "$RD_WIN" _NET_WM_PID | sed -n 's/.* = //p')
RD_STOP_PIDS+=("$viewer")
[[ $(ps -o comm= -p "$viewer") == peltra-help ]] || rd_fail "the help window is not peltra-help's"
rd_activate "$win" && rd_key F1
sleep 2
{ [[ $(rd_find_window "ペルトラ ヘルプ" | wc -l) == 1 ]] && kill -0 "$viewer"; } || rd_fail "the second F1 did not reuse the viewer"
rd_activate "$win" && rd_key alt+h && sleep 0.5 && rd_key a
rd_wait_window "ﾊﾞｰｼﾞｮﾝ情報" 10
sleep 0.5
rd_geometry "$RD_WIN" # 6135 x 3975 twips
rd_near "$RD_W" 409 "$RD_H" 265 2 || rd_fail "about window client area ${RD_W}x$RD_H"
rd_activate "$RD_WIN" && rd_key Return
rd_until 10 rd_gone "$RD_WIN" || rd_fail "OK did not close the about window"
rd_pass "F1 opened the help viewer, a second F1 reused it; the about window opened at its size and OK closed it"

rd_close "$win"
[[ $(rd_ini Position OptSize) == 4 ]] || rd_fail "closing did not keep OptSize=4"
{ kill -0 "$viewer" && [[ -n $(rd_find_window "ペルトラ ヘルプ") ]]; } || rd_fail "the help viewer ended with the program"
rd_pass "closing ended with status 0, kept the size and left the help viewer open"
rd_done
