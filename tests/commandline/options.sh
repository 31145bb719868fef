#!/usr/bin/env bash
# The command-line options as a panel or a script meets them: output, error and exit status, with
# no display, on 2026-12-06 (faketime), and the settings file left byte for byte as it was.
#   bash tests/commandline/options.sh PATH-TO-PELTRA VERSION
set -uo pipefail
program=$1 version=$2
config=$(mktemp -d "${TMPDIR:-/tmp}/peltra-options.XXXXXX")
trap 'rm -rf "$config"' EXIT
failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

# run STORED-DATE ARGUMENTS...: with TheDate=STORED-DATE (none: no settings file); sets out, err, status.
run() {
    local stored=$1 ini=$config/PELTRA/PELTRA.ini
    shift
    rm -rf "$config/PELTRA"
    [[ $stored == none ]] || { mkdir -p "$config/PELTRA" && printf '[Config]\nTheDate=%s\nOptSize=2\n' "$stored" >"$ini"; }
    cp "$ini" "$config/before.ini" 2>/dev/null
    # faketime preloads its library ahead of a sanitizer build's runtime, which the runtime allows only when told.
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$config" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" faketime '2026-12-06 10:00:00' \
        "$program" "$@" 2>"$config/err")
    status=$? err=$(<"$config/err")
    [[ $stored == none ]] || cmp -s "$config/before.ini" "$ini" || fail "peltra $* changed the settings file"
}

# stored date | arguments | exit status | standard output (a pattern) | a part of standard error
while IFS='|' read -r stored arguments want_status want_out want_err; do
    # shellcheck disable=SC2086 # the arguments are words
    run "$stored" $arguments
    # shellcheck disable=SC2053 # the output is matched as a pattern
    if [[ $status != "$want_status" || $out != $want_out || $err != *"$want_err"* ]] \
        || [[ -z $want_err && -n $err ]] || [[ -n $want_err && $err != peltra:* ]]; then
        fail "TheDate=$stored peltra $arguments: $status, \"$out\", \"$err\"; expected $want_status, \"$want_out\", \"$want_err\""
    fi
    # The autostart entry is there after "on" and gone after "off".
    [[ $arguments != "--autostart on" || -f $config/autostart/peltra.desktop ]] || fail "--autostart on wrote no entry"
    [[ $arguments != "--autostart off" || ! -e $config/autostart/peltra.desktop ]] || fail "--autostart off left the entry"
done <<ROWS
none|--version|0|peltra $version|
none|--help|0|*--days-left*--event-date*--autostart*--help*--version*|
2027/03/03|--days-left|0|87|
2026/12/7|--days-left|0|1|
2026-12-06|--days-left|0|0|
2026/12/05|--days-left|0|-1|
2027/3/3|--event-date|0|2027/03/03|
none|--days-left|1||no event date is stored
not a date|--event-date|1||"not a date" is not a date
2027/03/03|--colour|2||Unknown option 'colour'
2027/03/03|tomorrow|2||unexpected argument "tomorrow"
2027/03/03|--autostart maybe|2||--autostart takes on or off
2027/03/03|--days-left --event-date|2||one at a time
2027/03/03|--autostart on|0|*$config/autostart/peltra.desktop*|
2027/03/03|--autostart off|0|*$config/autostart/peltra.desktop*|
ROWS
((failures == 0)) && echo "all options behave"
exit $((failures > 0))
