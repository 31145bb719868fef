#!/usr/bin/env bash
# At QT_SCALE_FACTOR=2 the countdown window measures twice its outer size at scale 1 and shows the
# same picture at twice the pixels: each band of 40 rows and the status bar, halved, look alike
# and hold their ink in the same box (nothing moved or cut off). At 1.5 the outer size comes within a
# pixel of 1.5 times its size at scale 1, the frame counted in device pixels.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x

# run_at SCALE: the window at size 3 (480x365 outside, 960x730 at 2x) with the standard size's
# default label places scaled to it; its size in OW OH CW CH, its picture in client-SCALE.png.
run_at() {
    rd_settings '[Position]' OptSize=3 OptCent=1 Label_Left%280%29=120 Label_Top%280%29=510 \
        Label_Left%281%29=120 Label_Top%281%29=3555 Label_Top%282%29=1598
    rd_start_program env QT_SCALE_FACTOR="$1" "$PROGRAM"
    rd_wait_window "ペルトラ for Windows"
    sleep 1.5 # the size is applied again once the frame is known
    rd_geometry "$RD_WIN"
    OW=$RD_OW OH=$RD_OH CW=$RD_W CH=$RD_H
    import -window "$RD_WIN" "$RD_TMP/client-$1.png"
    rd_stop "$RD_APP_PID" && RD_APP_PID=''
    rd_until 10 rd_gone "$RD_WIN" || rd_fail "the window stays"
}
run_at 1
OW1=$OW OH1=$OH CW1=$CW CH1=$CH
rd_near "$OW1" 480 "$OH1" 365 2 || rd_fail "at scale 1 the window measures ${OW1}x$OH1, not 480x365"
run_at 2
# The frame is in device pixels at either scale; the client area in whole logical pixels.
rd_near "$OW" $((2 * OW1)) "$OH" $((2 * OH1)) 3 || rd_fail "at scale 2 the window is ${OW}x$OH, not twice ${OW1}x$OH1"
rd_pass "at scale 2 the window measures ${OW}x$OH outside, twice ${OW1}x$OH1"

convert "$RD_TMP/client-2.png" -filter Box -resize 50% "$RD_TMP/halved.png"
# same_band NAME GEOMETRY-AT-1 GEOMETRY-HALVED: alike (RMSE, anti-aliasing apart) with the ink in
# the same box to 2 pixels.
same_band() {
    local one=$RD_TMP/$1-1.png two=$RD_TMP/$1-2.png rmse a b i
    convert "$RD_TMP/client-1.png" -crop "$2" +repage "$one"
    convert "$RD_TMP/halved.png" -crop "$3" +repage "$two"
    rmse=$({ compare -metric RMSE "$one" "$two" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p')
    awk -v r="${rmse:-1}" 'BEGIN { exit !(r <= 0.15) }' || rd_fail "$1 at scale 2 differs (RMSE $rmse)"
    read -ra a <<<"$(convert "$one" -fuzz 25% -trim -format '%w %h %X %Y' info: 2>/dev/null | tr -d +)"
    read -ra b <<<"$(convert "$two" -fuzz 25% -trim -format '%w %h %X %Y' info: 2>/dev/null | tr -d +)"
    rd_near "${a[0]}" "${b[0]:-9999}" "${a[1]}" "${b[1]:-9999}" 2 && rd_near "${a[2]}" "${b[2]:-9999}" "${a[3]}" "${b[3]:-9999}" 2 \
        || rd_fail "$1 moved or cut off: ${a[*]} against ${b[*]}"
}
top_h=$((CH1 - 24)) # the status bar, 20 rows, lies along the bottom, whose height differs by the frame
for ((y = 0; y < top_h; y += 40)); do
    h=$((top_h - y < 40 ? top_h - y : 40))
    same_band "rows-$y" "${CW1}x$h+0+$y" "${CW1}x$h+0+$y"
done
same_band status-bar "${CW1}x20+0+$((CH1 - 20))" "${CW1}x20+0+$((CH / 2 - 20))"
rd_pass "at scale 2 the window shows the same picture at twice the pixels"

# The client area is whole logical pixels of 1.5 device pixels each, and Qt asks for steps of 2:
# fitted around the frame in device pixels, 720x548 comes within a pixel.
run_at 1.5
rd_near "$OW" 720 "$OH" 548 1 || rd_fail "at scale 1.5 the window measures ${OW}x$OH, not 720x548"
rd_pass "at scale 1.5 the window measures ${OW}x$OH outside, for 720x548"
rd_done
