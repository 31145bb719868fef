#!/usr/bin/env bash
# The countdown window at every size after a change from the standard size,
# in one program start: the size is chosen in "各種設定" (Ctrl+K, page
# "初期設定", the size's accelerator, Enter). At each size a screenshot shows
# the count's box clear of both messages at their default places, and the
# window wholly on the 1024x768 screen.
#
#   bash tests/realdisplay/count_clear_of_messages.sh PATH-TO-PELTRA
#
# PELTRA_SHOT_DIR=FOLDER also copies the screenshots there.

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")

# Colours told apart in the screenshot: a blue window, a green count box,
# a red upper and a magenta lower message (colours are &H00BBGGRR&). The
# settings window opens on its last page, "初期設定". The window starts
# centred without centring on, so that a larger size grows from that place.
readonly BOX=lime UPPER=red LOWER=magenta
mkdir -p "$(dirname "$ini")"
cat >"$ini" <<INI
[Config]
TheDate=$(date -d '+30 days' +%Y/%m/%d)
OptLATab=1
OptColor%280%29=&H000000FF&
OptColor%281%29=&H00FF00FF&
OptColor%282%29=&H00000000&
OptColor%283%29=&H0000FF00&
OptColor%284%29=&H00FF0000&

[Position]
OptSize=2
OptCent=0
M_Left=2880
M_Top=2115
INI

# bbox COLOUR: the bounding box of that colour's pixels in the screenshot, as
# "left top right bottom" (screen pixels), or nothing when it is not there.
bbox() {
    local geometry
    geometry=$(convert "$RD_SHOT" -alpha off -fuzz 25% -fill black +opaque "$1" -fill white -opaque "$1" \
        -format '%@' info: 2>/dev/null) || return 0
    if [[ $geometry =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] && ((BASH_REMATCH[1] > 1)); then
        echo "${BASH_REMATCH[3]} ${BASH_REMATCH[4]}" \
            "$((BASH_REMATCH[3] + BASH_REMATCH[1] - 1)) $((BASH_REMATCH[4] + BASH_REMATCH[2] - 1))"
    fi
}

# check_size NAME WIDTH HEIGHT: the outer size expected at 96 dpi.
check_size() {
    local name=$1 box upper lower
    sleep 1
    rd_geometry "$main_win"
    if ! rd_near "$RD_OW" "$2" 2 || ! rd_near "$RD_OH" "$3" 2; then
        rd_fail "$name: window is ${RD_OW}x${RD_OH}, expected $2x$3"
    fi
    if ((RD_OX >= 0 && RD_OY >= 0 && RD_OX + RD_OW <= 1024 && RD_OY + RD_OH <= 768)); then
        rd_pass "$name: window ${RD_OW}x${RD_OH} at ${RD_OX},${RD_OY} lies on the screen"
    else
        rd_fail "$name: window ${RD_OW}x${RD_OH} at ${RD_OX},${RD_OY} is not wholly on the 1024x768 screen"
    fi
    rd_screenshot "$name" || rd_fail "$name: no screenshot"
    [[ -n ${PELTRA_SHOT_DIR:-} ]] && cp "$RD_SHOT" "$PELTRA_SHOT_DIR/$name.png"
    read -r -a box <<<"$(bbox "$BOX")"
    read -r -a upper <<<"$(bbox "$UPPER")"
    read -r -a lower <<<"$(bbox "$LOWER")"
    ((${#box[@]} == 4 && ${#upper[@]} == 4 && ${#lower[@]} == 4)) \
        || rd_fail "$name: count box (${box[*]}), upper (${upper[*]}) or lower message (${lower[*]}) not found"
    # The upper message ends above the count's box and the lower one starts below it.
    if ((upper[3] < box[1] && lower[1] > box[3])); then
        rd_pass "$name: upper message to row ${upper[3]}, count box rows ${box[1]}-${box[3]}, lower from row ${lower[1]}"
    else
        rd_fail "$name: count box rows ${box[1]}-${box[3]} overlap the upper (to ${upper[3]}) or lower message (from ${lower[1]})"
    fi
}

rd_start_program "$RD_PROGRAM"
rd_wait_window "ペルトラ for Windows" 20
main_win=$RD_WIN
check_size standard 640 487

for size in o:largest:1024:768 b:large:800:600 m:medium:480:365 s:small:313:243; do
    IFS=: read -r key name width height <<<"$size"
    rd_activate "$main_win"
    rd_key ctrl+k
    rd_wait_window "各種設定" 10
    settings_win=$RD_WIN
    rd_activate "$settings_win"
    rd_key "alt+$key"
    sleep 0.3
    rd_key Return
    rd_wait_window_gone "$settings_win" 10
    check_size "$name" "$width" "$height"
done

rd_end_through_question "$main_win"
rd_done
