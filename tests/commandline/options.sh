#!/usr/bin/env bash
# The command-line options as a panel or a script meets them: output, error and exit status, with
# no display, on 2026-12-06 (faketime), and the settings file left byte for byte as it was. The
# messages follow the locale's variables (LC_ALL, LC_MESSAGES, LANG), which need not name a locale
# generated on the machine; the numbers for panels never change with them. A start without a display
# says so in the same language.
#   bash tests/commandline/options.sh PATH-TO-PELTRA VERSION
set -uo pipefail
program=$1 version=$2
config=$(mktemp -d "${TMPDIR:-/tmp}/peltra-options.XXXXXX")
trap 'rm -rf "$config"' EXIT
failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

# run LOCALE STORED-DATE ARGUMENTS...: under the locale's variables LOCALE (VARIABLE=VALUE words, or
# none), with TheDate=STORED-DATE (none: no settings file); sets out, err, status.
run() {
    local stored=$2 ini=$config/PELTRA/PELTRA.ini locale=()
    # shellcheck disable=SC2206 # the variables are words
    [[ $1 == none ]] || locale=($1)
    shift 2
    rm -rf "$config/PELTRA"
    [[ $stored == none ]] || { mkdir -p "$config/PELTRA" && printf '[Config]\nTheDate=%s\nOptSize=2\n' "$stored" >"$ini"; }
    cp "$ini" "$config/before.ini" 2>/dev/null
    # faketime preloads its library ahead of a sanitizer build's runtime, which the runtime allows only when told.
    out=$(timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE "${locale[@]}" \
        XDG_CONFIG_HOME="$config" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" faketime '2026-12-06 10:00:00' \
        "$program" "$@" 2>"$config/err")
    status=$? err=$(<"$config/err")
    [[ $stored == none ]] || cmp -s "$config/before.ini" "$ini" || fail "peltra $* changed the settings file"
}

# locale | stored date | arguments | exit status | standard output (a pattern) | a part of standard error
while IFS='|' read -r locale stored arguments want_status want_out want_err; do
    # shellcheck disable=SC2086 # the arguments are words
    run "$locale" "$stored" $arguments
    # shellcheck disable=SC2053 # the output is matched as a pattern
    if [[ $status != "$want_status" || $out != $want_out || $err != *"$want_err"* ]] \
        || [[ -z $want_err && -n $err ]] || [[ -n $want_err && $err != peltra:* ]]; then
        fail "$locale TheDate=$stored peltra $arguments: $status, \"$out\", \"$err\"; expected $want_status, \"$want_out\", \"$want_err\""
    fi
    # The autostart entry is there after "on" and gone after "off".
    [[ $arguments != "--autostart on" || -f $config/autostart/peltra.desktop ]] || fail "--autostart on wrote no entry"
    [[ $arguments != "--autostart off" || ! -e $config/autostart/peltra.desktop ]] || fail "--autostart off left the entry"
done <<ROWS
none|none|--version|0|peltra $version|
none|none|--help|0|Usage: peltra*--days-left*--event-date*--autostart*--help*--version*|
LANG=C|none|--help|0|Usage: peltra*--days-left*--event-date*--autostart*--help*--version*|
LANG=ja_JP.UTF-8|none|--help|0|使い方: peltra*--days-left*残り日数*--event-date*--autostart*ログイン時*--help*--version*|
LANG=C|2027/03/03|--days-left|0|87|
LANG=ja_JP.UTF-8|2027/03/03|--days-left|0|87|
LANG=C|2026/12/7|--days-left|0|1|
LANG=ja_JP.UTF-8|2026-12-06|--days-left|0|0|
LANG=ja_JP.UTF-8|2026/12/05|--days-left|0|-1|
LANG=C|2027/3/3|--event-date|0|2027/03/03|
LANG=ja_JP.UTF-8|2027/3/3|--event-date|0|2027/03/03|
LANG=C|none|--days-left|1||no event date is stored
LANG=ja_JP.UTF-8|none|--days-left|1||イベント日が保存されていません
LANG=C|not a date|--event-date|1||"not a date" is not a date
LANG=ja_JP.UTF-8|not a date|--event-date|1||「not a date」は日付ではありません
LANG=C|2027/03/03|--bogus|2||Unknown option 'bogus' (see peltra --help)
LANG=ja_JP.UTF-8|2027/03/03|--bogus|2||「bogus」というオプションはありません (peltra --help をご覧ください)
LANG=C|2027/03/03|--autostart|2||Missing value after '--autostart'
LANG=ja_JP.UTF-8|2027/03/03|--autostart|2||「--autostart」の後に値が必要です
LANG=C|2027/03/03|--version=2|2||Unexpected value after '--version'
LANG=ja_JP.UTF-8|2027/03/03|--version=2|2||「--version」には値を付けられません
LANG=C|2027/03/03|tomorrow|2||unexpected argument "tomorrow"
LANG=ja_JP.UTF-8|2027/03/03|tomorrow|2||余分な引数「tomorrow」があります
LANG=C|2027/03/03|--autostart maybe|2||--autostart takes on or off
LANG=ja_JP.UTF-8|2027/03/03|--autostart maybe|2||--autostart には「maybe」ではなく on か off を指定してください
LANG=C|2027/03/03|--days-left --event-date|2||one at a time
LANG=ja_JP.UTF-8|2027/03/03|--days-left --event-date|2||一度に一つずつ指定してください
LANG=C|2027/03/03|--autostart on|0|peltra starts at login: $config/autostart/peltra.desktop written|
LANG=C|2027/03/03|--autostart off|0|peltra no longer starts at login: $config/autostart/peltra.desktop removed|
LANG=ja_JP.UTF-8|2027/03/03|--autostart on|0|ログイン時に peltra を起動します: $config/autostart/peltra.desktop を書き込みました|
LANG=ja_JP.UTF-8|2027/03/03|--autostart off|0|ログイン時に peltra を起動しません: $config/autostart/peltra.desktop を削除しました|
LC_ALL=C LANG=ja_JP.UTF-8|none|--bogus|2||Unknown option 'bogus'
LC_MESSAGES=ja_JP.UTF-8 LANG=C|none|--bogus|2||「bogus」というオプションはありません
LC_ALL=ja_JP.utf8 LC_MESSAGES=C|none|--bogus|2||「bogus」というオプションはありません
LC_ALL= LANG=ja_JP.UTF-8|none|--bogus|2||「bogus」というオプションはありません
LANG=C.UTF-8|none|--bogus|2||Unknown option 'bogus'
LANG=en_US.UTF-8|none|--bogus|2||Unknown option 'bogus'
LANG=ja_JP.eucJP|none|--bogus|2||Unknown option 'bogus'
LANG=C|2027/03/03||1||no display found (DISPLAY is not set)
LANG=ja_JP.UTF-8|2027/03/03||1||ディスプレイが見つかりません (DISPLAY が設定されていません)
ROWS

# Something at the entry's path that the program did not make is left alone, and said so.
mkdir -p "$config/autostart/peltra.desktop"
while IFS='|' read -r locale arguments want_err; do
    # shellcheck disable=SC2086 # the arguments are words
    run "$locale" 2027/03/03 $arguments
    [[ $status == 1 && -z $out && $err == "peltra: $config/autostart/peltra.desktop $want_err" ]] \
        || fail "$locale peltra $arguments with a folder at the entry's path: $status, \"$out\", \"$err\""
    [[ -d $config/autostart/peltra.desktop ]] || fail "$locale peltra $arguments removed the folder at the entry's path"
done <<ROWS
LANG=C|--autostart on|is not a file that peltra made, so it is left as it is
LANG=C|--autostart off|is not a file that peltra made, so it is left as it is
LANG=ja_JP.UTF-8|--autostart on|は peltra が作ったファイルではないため、変更しません
LANG=ja_JP.UTF-8|--autostart off|は peltra が作ったファイルではないため、変更しません
ROWS
# Named countdowns: each reads its own file, --list orders them by days left, and a refused name ends
# the run before anything is read or written. The arguments are given as they are, blanks and all.
rm -rf "$config/PELTRA" "$config/autostart"
named() { # NAME DATE (none: no date)
    mkdir -p "$config/PELTRA/countdowns"
    if [[ $2 == none ]]; then printf '[Config]\nOptSize=2\n'; else printf '[Config]\nTheDate=%s\n' "$2"; fi \
        >"$config/PELTRA/countdowns/$1.ini"
}
peltra() { # ARGUMENTS...: sets out, err, status
    out=$(timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=C \
        XDG_CONFIG_HOME="$config" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
        faketime '2026-12-06 10:00:00' "$program" "$@" 2>"$config/err")
    status=$? err=$(<"$config/err")
}
peltra --list
[[ $status == 0 && -z $out && -z $err ]] || fail "--list without countdowns: $status, \"$out\", \"$err\""
mkdir -p "$config/PELTRA" && printf '[Config]\nTheDate=2027/03/03\n' >"$config/PELTRA/PELTRA.ini"
named 誕生日 2026/12/25
named '卒業 式' 2027/01/10
named 'b 同じ日' 2026/12/25
named 日付なし none
named が 2026/12/08
named $'\u304b\u3099' 2026/12/09 # the same name decomposed: not a countdown's file
named .隠し 2026/12/07
peltra --list
want=$'2\t2026/12/08\tが\n19\t2026/12/25\tb 同じ日\n19\t2026/12/25\t誕生日\n35\t2027/01/10\t卒業 式\n87\t2027/03/03\t'
[[ $status == 0 && $out == "$want" && -z $err ]] || fail "--list: $status, \"$out\", \"$err\""
while IFS='|' read -r name arguments want_status want_out want_err; do
    # shellcheck disable=SC2086 # the arguments are words
    peltra --profile "$name" $arguments
    [[ $status == "$want_status" && $out == "$want_out" && $err == *"$want_err"* && $(wc -l <<<"$err") == 1 ]] \
        || [[ -z $want_err && -z $err && $status == "$want_status" && $out == "$want_out" ]] \
        || fail "peltra --profile \"$name\" $arguments: $status, \"$out\", \"$err\""
done <<ROWS
誕生日|--days-left|0|19|
卒業 式|--event-date|0|2027/01/10|
$(printf '\u304b\u3099')|--days-left|0|2|
日付なし|--days-left|1||no event date is stored
新しい|--event-date|1||no event date is stored
|--days-left|2||must not be empty
.x|--autostart on|2||must not begin with "."
a/b|--days-left|2||must not hold "/" or "\\"
a\\b|--days-left|2||must not hold "/" or "\\"
$(printf 'a\tb')|--days-left|2||must not hold control characters
$(printf 'x%.0s' {1..65})|--days-left|2||at most 64 characters
$(printf '字%.0s' {1..64})|--days-left|1||no event date is stored
誕生日|--list|2||takes no --profile
ROWS
[[ ! -e $config/autostart && ! -e "$config/PELTRA/countdowns/新しい.ini" ]] || fail "a refused or new name wrote a file"
# Each countdown's autostart entry is its own and starts that countdown, blanks and percent signs quoted.
for name in 誕生日 'a b%c'; do
    key=$(printf '%s' "$name" | sha256sum | cut -c1-16)
    entry=$config/autostart/peltra-$key.desktop
    peltra -p "$name" --autostart on
    [[ $status == 0 && $out == "peltra starts at login: $entry written" ]] || fail "-p \"$name\" --autostart on: $status, \"$out\", \"$err\""
    grep -q "^Name=PELTRA ($name)\$" "$entry" || fail "the entry of \"$name\" does not name it"
done
grep -qx 'Exec=.* --profile 誕生日' "$config/autostart/peltra-$(printf '%s' 誕生日 | sha256sum | cut -c1-16).desktop" \
    || fail "the entry of 誕生日 does not start it"
grep -qx 'Exec=.* --profile "a b%%c"' "$config/autostart/peltra-$(printf '%s' 'a b%c' | sha256sum | cut -c1-16).desktop" \
    || fail "the entry of \"a b%c\" is not quoted"
[[ ! -e $config/autostart/peltra.desktop ]] || fail "a named countdown's autostart touched the default entry"
peltra -p 誕生日 --autostart off
[[ $status == 0 && ! -e "$config/autostart/peltra-$(printf '%s' 誕生日 | sha256sum | cut -c1-16).desktop" && -e $entry ]] \
    || fail "-p 誕生日 --autostart off removed the wrong entry"
((failures == 0)) && echo "all options behave"
exit $((failures > 0))
