#!/usr/bin/env bash
# The command-line options as a panel or a script meets them: standard output, standard error and
# exit status, with no display, on a set day (faketime), and the settings file untouched.
#
#   bash tests/commandline/options.sh PATH-TO-PELTRA VERSION
set -uo pipefail

program=$1
version=$2
config=$(mktemp -d "${TMPDIR:-/tmp}/peltra-options.XXXXXX")
trap 'rm -rf "$config"' EXIT
failures=0

# run STORED-DATE ARGUMENTS...: runs the program on 2026-12-06 with TheDate set to STORED-DATE (none:
# no settings file); sets out, err and status.
run() {
    local stored=$1
    shift
    rm -rf "$config/PELTRA"
    if [[ $stored != none ]]; then
        mkdir -p "$config/PELTRA"
        printf '[Config]\nTheDate=%s\nOptSize=2\n' "$stored" >"$config/PELTRA/PELTRA.ini"
        cp "$config/PELTRA/PELTRA.ini" "$config/before.ini"
    fi
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$config" faketime '2026-12-06 10:00:00' \
        "$program" "$@" 2>"$config/err")
    status=$?
    err=$(cat "$config/err")
    if [[ $stored != none ]] && ! cmp -s "$config/before.ini" "$config/PELTRA/PELTRA.ini"; then
        echo "FAIL: peltra $* changed the settings file"
        failures=$((failures + 1))
    fi
}

# Rows: stored date | arguments | exit status | standard output (exact) | standard error (a part of it)
rows=(
    "none|--version|0|peltra $version|"
    "2027/03/03|--days-left|0|87|"
    "2026/12/7|--days-left|0|1|"
    "2026-12-06|--days-left|0|0|"
    "2026/12/05|--days-left|0|-1|"
    "2027/3/3|--event-date|0|2027/03/03|"
    "none|--days-left|1||no event date is stored"
    "not a date|--event-date|1||\"not a date\" is not a date"
    "2027/03/03|--colour|2||Unknown option 'colour'"
    "2027/03/03|tomorrow|2||unexpected argument \"tomorrow\""
    "2027/03/03|--autostart maybe|2||--autostart takes on or off"
    "2027/03/03|--days-left --event-date|2||one at a time"
)
for row in "${rows[@]}"; do
    IFS='|' read -r stored arguments want_status want_out want_err <<<"$row"
    # shellcheck disable=SC2086 # the arguments are words
    run "$stored" $arguments
    if [[ $status != "$want_status" || $out != "$want_out" || $err != *"$want_err"* ]] \
        || [[ -z $want_err && -n $err ]] || [[ -n $want_err && $err != peltra:* ]]; then
        echo "FAIL: TheDate=$stored peltra $arguments: status $status, out \"$out\", err \"$err\";" \
            "expected $want_status, \"$want_out\", \"$want_err\""
        failures=$((failures + 1))
    fi
done
# The help names every option.
run none --help
[[ $status == 0 && -z $err ]] || { echo "FAIL: --help: status $status, err \"$err\""; failures=$((failures + 1)); }
for option in --days-left --event-date --autostart --help --version; do
    [[ $out == *"$option"* ]] || { echo "FAIL: --help does not name $option"; failures=$((failures + 1)); }
done

# The autostart entry: written, then removed, each time with a line that says so.
entry=$config/autostart/peltra.desktop
run 2027/03/03 --autostart on
[[ $status == 0 && -f $entry && $out == *"$entry"* ]] \
    || { echo "FAIL: --autostart on: status $status, out \"$out\", err \"$err\""; failures=$((failures + 1)); }
run 2027/03/03 --autostart off
[[ $status == 0 && ! -e $entry && $out == *"$entry"* ]] \
    || { echo "FAIL: --autostart off: status $status, out \"$out\", err \"$err\""; failures=$((failures + 1)); }

[[ $failures == 0 ]] && echo "all options behave"
exit $((failures > 0))
