#!/usr/bin/env bash
# The countdown window on a screen scaled 2x (QT_SCALE_FACTOR=2) keeps its
# layout in twips: its outer size in device pixels, frame included, is twice
# that at scale 1, and its picture is the same at twice the pixels: the
# client area at 2x, halved, matches the one at 1x (messages, count and status
# bar in the same places, no text cut off).
#
#   bash tests/realdisplay/scaled_twice.sh PATH-TO-PELTRA
#
# PELTRA_SHOT_DIR=FOLDER also copies the two window pictures there.

# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

rd_program_path "$@"
program=$RD_PROGRAM

# Size preset 3: 7200 x 5470 twips outside, 480 x 365 pixels at 96 dpi, so
# that the window at 2x (960 x 730) still fits on the 1024 x 768 screen.
readonly PRESET=3 OUTER_W=480 OUTER_H=365

rd_setup
rd_start_x
ini=$XDG_CONFIG_HOME/PELTRA/PELTRA.ini
RD_SHOW_FILES=("$ini")

# An event date ahead, so that the countdown window comes first; centred,
# with the labels where the standard size's defaults land at this size.
mkdir -p "$(dirname "$ini")"
cat >"$ini.start" <<INI
[Config]
TheDate=$(date -d '+100 days' +%Y/%m/%d)

[Position]
OptSize=$PRESET
OptCent=1
Label_Left%280%29=120
Label_Top%280%29=510
Label_Left%281%29=120
Label_Top%281%29=3555
Label_Top%282%29=1598
INI

# run_at SCALE: starts the program at that scale factor (empty: none) from the
# same settings, measures the countdown window and keeps the picture of its
# client area in $RD_TMP/client-SCALE.png; sets OW, OH, CW, CH (device pixels).
run_at() {
    local scale=$1
    cp "$ini.start" "$ini"
    if [[ -n $scale ]]; then
        rd_start_program env QT_SCALE_FACTOR="$scale" "$program"
    else
        rd_start_program "$program"
    fi
    rd_wait_window "ペルトラ for Windows" 20
    # The size is applied again once the frame is known; let that settle.
    sleep 1.5
    rd_geometry "$RD_WIN"
    [[ $RD_MAPPED == yes ]] || rd_fail "the countdown window is not viewable at scale ${scale:-1}"
    OW=$RD_OW OH=$RD_OH CW=$RD_W CH=$RD_H
    rd_log "scale ${scale:-1}: outer ${OW}x${OH} at ${RD_OX},${RD_OY}; client ${CW}x${CH};" \
        "frame left ${RD_FL} right ${RD_FR} top ${RD_FT} bottom ${RD_FB}"
    import -window "$RD_WIN" "$RD_TMP/client-${scale:-1}.png" 2>"$RD_TMP/import.log" \
        || rd_fail "no picture of the window: $(cat "$RD_TMP/import.log")"
    if [[ -n ${PELTRA_SHOT_DIR:-} ]]; then
        cp "$RD_TMP/client-${scale:-1}.png" "$PELTRA_SHOT_DIR/scaled-${scale:-1}.png"
    fi
    rd_stop "$RD_APP_PID"
    wait "$RD_APP_PID" 2>/dev/null || true
    RD_APP_PID=
    rd_wait_window_gone "$RD_WIN" 10
}

run_at ""
OW1=$OW OH1=$OH CW1=$CW CH1=$CH
if rd_near "$OW1" "$OUTER_W" 2 && rd_near "$OH1" "$OUTER_H" 2; then
    rd_pass "at scale 1 the countdown window measures ${OW1}x${OH1} outside"
else
    rd_fail "at scale 1 the countdown window measures ${OW1}x${OH1} outside, expected ${OUTER_W}x${OUTER_H}"
fi

run_at 2
OW2=$OW OH2=$OH CH2=$CH
# The frame is the window manager's, in device pixels at either scale; the
# program sizes its client area in whole logical pixels: a pixel or two off.
if rd_near "$OW2" $((2 * OW1)) 3 && rd_near "$OH2" $((2 * OH1)) 3; then
    rd_pass "at scale 2 the countdown window measures ${OW2}x${OH2} outside, twice ${OW1}x${OH1}"
else
    rd_fail "at scale 2 the countdown window measures ${OW2}x${OH2} outside, expected twice ${OW1}x${OH1}" \
        "($((2 * OW1))x$((2 * OH1)))"
fi

# The same picture: the 2x client area halved against the 1x one. The menu,
# the messages and the count sit at their twips from the top left corner;
# the status bar lies along the bottom of the client area, whose height
# differs by the frame (the window manager's, in device pixels). Each band of
# 40 rows from the top, and the status bar on its own, must look alike
# (RMSE: text drawn at 2x and halved differs only in its anti-aliasing) and
# hold its ink in the same box to within 2 pixels (clipped text shrinks it).
convert "$RD_TMP/client-2.png" -filter Box -resize 50% "$RD_TMP/halved.png"
readonly STATUS_H=20 MAX_RMSE=0.15

# ink_box IMAGE: width, height, x and y of what differs from the image's
# corner colour ("1 1 -1 -1" for a plain band).
ink_box() {
    convert "$1" -fuzz 25% -trim -format '%w %h %X %Y' info: 2>/dev/null | tr -d '+'
}

# compare_band NAME GEOMETRY-IN-1X GEOMETRY-IN-HALVED
compare_band() {
    local name=$1 one=$RD_TMP/band-$1-1.png two=$RD_TMP/band-$1-2.png rmse box1 box2 a b i
    convert "$RD_TMP/client-1.png" -crop "$2" +repage "$one"
    convert "$RD_TMP/halved.png" -crop "$3" +repage "$two"
    # compare exits 1 for pictures that differ at all; the number is what counts.
    rmse=$({ compare -metric RMSE "$one" "$two" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p')
    [[ -n $rmse ]] || rd_fail "could not compare the $name of the two pictures"
    awk -v r="$rmse" -v m="$MAX_RMSE" 'BEGIN { exit !(r <= m) }' \
        || rd_fail "the $name at scale 2 does not look like the one at scale 1 (RMSE $rmse > $MAX_RMSE;" \
            "pictures $one and $two)"
    box1=$(ink_box "$one") box2=$(ink_box "$two")
    read -ra a <<<"$box1"
    read -ra b <<<"$box2"
    ((${#a[@]} == 4 && ${#b[@]} == 4)) || rd_fail "no ink box of the $name: \"$box1\", \"$box2\""
    for i in 0 1 2 3; do
        rd_near "${a[i]}" "${b[i]}" 2 \
            || rd_fail "the $name holds its ink in ${box2// /,} at scale 2 (halved), ${box1// /,} at scale 1" \
                "(width, height, x, y): moved or cut off (pictures $one and $two)"
    done
    BANDS+=("$name $rmse")
}

BANDS=()
top_h=$((CH1 - STATUS_H - 4))
for ((y = 0; y < top_h; y += 40)); do
    h=$((top_h - y < 40 ? top_h - y : 40))
    compare_band "rows-$y-$((y + h))" "${CW1}x$h+0+$y" "${CW1}x$h+0+$y"
done
compare_band "status-bar" "${CW1}x$STATUS_H+0+$((CH1 - STATUS_H))" "${CW1}x$STATUS_H+0+$((CH2 / 2 - STATUS_H))"
rd_log "RMSE by band: ${BANDS[*]}"
rd_pass "at scale 2 the window shows the same picture at twice the pixels (${#BANDS[@]} bands alike)"

rd_done
