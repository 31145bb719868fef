#!/usr/bin/env bash
# The window's clock on a faked wall clock (libfaketime; the boot clock and the timers' clock stay
# real): the new minute and the new day show within 100 ms of the boundary; a clock set back one
# hour 4 s after the click on the count does not bring the window back before its 20 s; a clock set
# three days ahead moves the count within a second. libfaketime tells the kernel nothing, so no
# timerfd is cancelled: the program notices at its next wake-up, which the test causes with a
# property change on the window (on a real clock set the kernel's notice is that wake-up).
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
libfaketime=$(dpkg -L libfaketime 2>/dev/null | grep '/libfaketime\.so\.1$' | head -n 1 || true)
[[ -n $libfaketime ]] || { echo "$0: libfaketime is missing (apt-get install faketime)" >&2 && exit 1; }
# A sanitizer build ends at once unless its runtime comes first among the preloaded libraries.
preload=$(ldd "$PROGRAM" | awk '/libasan\.so/ { printf "%s:", $3 }')$libfaketime
rd_setup
rd_start_x
export TZ=Asia/Tokyo
rd_settings OptReturn=20 OptBM=2 '[Position]' OptSize=2 OptCent=0 M_Left=2880 M_Top=2115
sed -i "s|^TheDate=.*|TheDate=2026/12/16|" "$INI"

# The faked clock is the real one plus the offset in this file, which libfaketime reads at each look.
clock_file=$RD_TMP/faketime
real_now() { date +%s.%N; }
# set_clock 'YYYY-MM-DD hh:mm:ss': from now on the program's wall clock shows that (in Tokyo).
set_clock() {
    offset=$(($(date -d "$1" +%s) - $(date +%s)))
    printf '%+d\n' "$offset" >"$clock_file"
}
# real_at 'YYYY-MM-DD hh:mm:ss': the real time (s since the epoch) at which the faked clock shows that.
real_at() { echo $(($(date -d "$1" +%s) - offset)); }
# sleep_until SECONDS [DELTA]: until that real time plus DELTA (fractions allowed).
sleep_until() { sleep "$(awk -v t="$1" -v d="${2:-0}" -v n="$(real_now)" 'BEGIN { w = t + d - n; print (w > 0 ? w : 0) }')"; }
# poke: an event for the program, so that it wakes; nothing of the window changes.
poke() { xprop -id "$win" -f _PELTRA_TEST 8s -set _PELTRA_TEST "$RANDOM"; }
# sig NAME: a signature of the count ("count") or the status bar's date and time ("clock") as shown now.
sig() {
    rd_geometry "$win"
    local crop
    if [[ $1 == count ]]; then crop="${RD_W}x110+$RD_X+$((RD_Y + 170))"; else crop="$((RD_W / 2))x18+$((RD_X + RD_W / 2))+$((RD_Y + RD_H - 20))"; fi
    import -window root -crop "$crop" +repage -format '%#' info:
}

set_clock '2026-12-06 23:58:40'
rd_start_program env LD_PRELOAD="$preload" FAKETIME_TIMESTAMP_FILE="$clock_file" FAKETIME_NO_CACHE=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 "$PROGRAM"
rd_wait_window "ペルトラ for Windows"
win=$RD_WIN
sleep 2

# The minute: the time text changes within 100 ms of 23:59:00, the count does not.
minute=$(real_at '2026-12-06 23:59:00')
sleep_until "$minute" -0.4
count_before=$(sig count) clock_before=$(sig clock)
sleep_until "$minute" 0.1
clock_after=$(sig clock)
[[ $clock_after != "$clock_before" ]] || rd_fail "the time text had not changed 100 ms after the minute"
[[ $(sig count) == "$count_before" ]] || rd_fail "the count changed at a minute"
rd_pass "the new minute showed within 100 ms"

# Midnight: the count and the date change within 100 ms of 00:00:00, and nothing before it.
midnight=$(real_at '2026-12-07 00:00:00')
sleep_until "$midnight" -0.5
[[ $(sig clock) == "$clock_after" ]] || rd_fail "the time text changed within the minute"
count_before=$(sig count) clock_before=$(sig clock)
sleep_until "$midnight" 0.1
[[ $(sig count) != "$count_before" && $(sig clock) != "$clock_before" ]] || rd_fail "the count or the date had not changed 100 ms after midnight"
count_day1=$(sig count)
rd_pass "the new day showed within 100 ms of midnight"

# A clock set back one hour 4 s after the click: the window stays away for its 20 s.
rd_activate "$win" && rd_click "$win" 320 225
rd_until 5 rd_hidden "$win" || rd_fail "a click on the count did not minimise the window"
clicked=$(real_now)
sleep_until "$clicked" 4
set_clock '2026-12-06 23:00:04'
poke
sleep_until "$clicked" 17
rd_hidden "$win" || rd_fail "the window came back early, after a clock set back"
rd_until 8 rd_restored "$win" || rd_fail "the window did not come back after its 20 s"
back=$(awk -v c="$clicked" -v n="$(real_now)" 'BEGIN { printf "%.1f", n - c }')
rd_pass "a clock set back one hour during the return: back after $back s, not before 20 s"
sleep 1
count_back=$(sig count)
[[ $count_back != "$count_day1" ]] || rd_fail "the count did not follow the clock set back to the day before"
rd_pass "the count followed the clock back to the day before"

# Three days ahead: the count follows within a second.
set_clock '2026-12-09 23:00:30'
poke
jumped=$(real_now)
rd_until 1 eval '[[ $(sig count) != "$count_back" ]]' || rd_fail "the count did not follow a clock set three days ahead"
rd_pass "a clock set three days ahead: the count followed after $(awk -v j="$jumped" -v n="$(real_now)" 'BEGIN { printf "%.2f", n - j }') s"
rd_close "$win"
rd_done
