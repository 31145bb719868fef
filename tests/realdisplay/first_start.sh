#!/usr/bin/env bash
# First start, empty settings folder: the event-date window comes first; SIGTERM or Escape there
# ends with status 0 storing nothing; "了解" stores tomorrow and opens the countdown window centred
# at 640x487 outside; closing it saves the window and label positions.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x

for ending in SIGTERM Escape; do
    rd_start_program "$PROGRAM"
    rd_wait_window "イベント日の設定"
    rd_geometry "$RD_WIN" # 5010 x 5550 twips
    rd_near "$RD_W" 334 "$RD_H" 370 2 || rd_fail "date window client area ${RD_W}x$RD_H"
    if [[ $ending == SIGTERM ]]; then kill -TERM "$RD_APP_PID"; else rd_activate "$RD_WIN" && rd_key Escape; fi
    rd_wait_exit
    ! rd_ini Config TheDate && ! rd_ini Position M_Left || rd_fail "$ending at the date window stored settings"
    rd_pass "the date window comes first; $ending there ends with status 0 and stores nothing"
done

rd_start_program "$PROGRAM"
rd_wait_window "イベント日の設定"
rd_activate "$RD_WIN" && rd_click "$RD_WIN" 73 350 # "了解"
rd_wait_window "設定確認" 10
rd_activate "$RD_WIN" && rd_key Return
rd_wait_window "ペルトラ for Windows"
main_win=$RD_WIN
sleep 1 # the size is applied again once the frame is known
rd_outer_size "$main_win" 640 487
rd_near "$RD_OX" 192 "$RD_OY" 140 2 || rd_fail "window at $RD_OX,$RD_OY, not centred"
[[ $(rd_ini Config TheDate) == "$(date -d tomorrow +%Y/%m/%d)" && $(rd_ini Position OptSize) == 2 ]] \
    && ! rd_ini Position M_Left >/dev/null || rd_fail "not tomorrow and size 2 stored, or a position before closing"
rd_pass "\"了解\" stored tomorrow; the countdown window opened centred at 640x487"

rd_close "$main_win"
left=$(rd_ini Position M_Left) top=$(rd_ini Position M_Top)
rd_ini Position "Label_Left(0)" >/dev/null || rd_fail "no label position saved"
rd_near "${left%.*}" $((192 * 15)) "${top%.*}" $((140 * 15)) 30 || rd_fail "saved position $left,$top twips is not where the window was"
rd_pass "closing saved the window at $left,$top twips and the label positions"
rd_done
