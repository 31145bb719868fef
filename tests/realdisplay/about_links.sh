#!/usr/bin/env bash
# The about window's links by keyboard, through an opener of our own on PATH: Tab reaches the
# mail link and Enter runs the opener with the address; when the opener exits 3 (no handler) the
# not-installed message comes up once the opener has answered. With an opener that succeeds, Tab
# on to the home page link and Space open it and no message comes.
# shellcheck source=tests/realdisplay/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
rd_program "$@"
rd_setup
rd_start_x
mkdir -p "$RD_TMP/bin"
# The opener: writes its arguments, waits a moment, exits with the status in opener-status.
cat >"$RD_TMP/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >>'$RD_TMP/opened'
sleep 1
exit "\$(cat '$RD_TMP/opener-status')"
SCRIPT
chmod +x "$RD_TMP/bin/xdg-open"
echo 3 >"$RD_TMP/opener-status"

rd_settings '[Position]' OptSize=3 OptCent=1
rd_start_program env PATH="$RD_TMP/bin:$PATH" "$PROGRAM"
rd_wait_window "ペルトラ for Windows"
win=$RD_WIN
rd_activate "$win" && rd_key alt+h && sleep 0.3 && rd_key a
rd_wait_window "ﾊﾞｰｼﾞｮﾝ情報"
about=$RD_WIN
rd_activate "$about" && rd_key Tab && sleep 0.3 && rd_key Return
rd_until 5 eval "grep -q '^mailto:' '$RD_TMP/opened' 2>/dev/null" || rd_fail "Enter on the mail link ran no opener"
[[ -z $(rd_find_window "OE ｲﾝｽﾄｰﾙ 確認") ]] || rd_fail "the message came before the opener answered"
rd_wait_window "OE ｲﾝｽﾄｰﾙ 確認" 10
rd_activate "$RD_WIN" && rd_key Return
rd_until 5 eval "[[ -z \$(rd_find_window 'OE ｲﾝｽﾄｰﾙ 確認') ]]" || rd_fail "the message stays"
rd_pass "Tab and Enter ran the opener with $(head -n 1 "$RD_TMP/opened"); its status 3 brought the not-installed message"

echo 0 >"$RD_TMP/opener-status"
# The focus came back to the mail link with the window: one Tab on is the home page.
rd_activate "$about" && rd_key Tab && sleep 0.3 && rd_key space
rd_until 5 eval "grep -q '^http' '$RD_TMP/opened'" || rd_fail "Space on the home page link ran no opener"
sleep 2.5
[[ -z $(rd_find_window "IE ｲﾝｽﾄｰﾙ 確認") ]] || rd_fail "a not-installed message although the opener succeeded"
rd_pass "Space on the home page link opened $(tail -n 1 "$RD_TMP/opened") with no message"

rd_activate "$about" && rd_key Escape
rd_until 5 eval "[[ -z \$(rd_find_window ﾊﾞｰｼﾞｮﾝ情報) ]]" || rd_fail "the about window stays after Escape"
rd_close "$win"
rd_done
