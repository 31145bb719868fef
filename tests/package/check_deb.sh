#!/usr/bin/env bash
# The Debian package's control data and contents:
#   - package peltra at the version of CMakeLists.txt;
#   - Depends names the Qt 6 libraries (from dpkg-shlibdeps), Qt Multimedia,
#     fonts-ipafont and qt6-translations-l10n, and apt can satisfy them;
#   - Depends names the package that ships Qt's X11 platform plugin here;
#   - the programs, the data folder share/peltra, the desktop entry, the
#     icons in the hicolor theme, the AppStream metadata, the manual pages,
#     the copyright file and the changelog are there;
#   - lintian, Debian's own checker, reports no error and no warning;
#   - nothing asks for root, a service or a network at install or run time:
#     no maintainer scripts, no set-user-id or set-group-id files, nothing in
#     /etc or systemd folders, nothing outside /usr.
#
#   bash tests/package/check_deb.sh PATH-TO-DEB
set -euo pipefail

NAME=check_deb
CHECKS=0
log() { printf '%s: %s\n' "$NAME" "$*"; }
pass() {
    CHECKS=$((CHECKS + 1))
    log "ok $CHECKS: $*"
}
fail() {
    log "FAIL: $*"
    exit 1
}

if [[ $# -ne 1 || ! -f $1 ]]; then
    echo "usage: $0 PATH-TO-DEB" >&2
    exit 1
fi
deb=$(realpath "$1")
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
with_help=no
[[ -f $source_dir/helpviewer/CMakeLists.txt ]] && with_help=yes

field() {
    dpkg-deb -f "$deb" "$1"
}

# --- Control data. ---
version=$(sed -n 's/^project(peltra VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[[ -n $version ]] || fail "no version in $source_dir/CMakeLists.txt"
[[ $(field Package) == peltra ]] || fail "package name is \"$(field Package)\", expected peltra"
[[ $(field Version) == "$version" ]] || fail "version is \"$(field Version)\", expected $version"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] \
    || fail "architecture is \"$(field Architecture)\", expected $(dpkg --print-architecture)"
pass "package peltra $version for $(field Architecture)"

depends=$(field Depends)
log "Depends: $depends"
# The package names alone, one a line.
names=$(tr ',|' '\n' <<<"$depends" | sed 's/(.*//; s/^ *//; s/ *$//' | sed '/^$/d')
wanted=(libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 fonts-ipafont qt6-translations-l10n)
[[ $with_help == yes ]] && wanted+=(libqt6help6 libqt6sql6-sqlite)
for package in "${wanted[@]}"; do
    grep -qx "$package" <<<"$names" || fail "Depends does not name $package: $depends"
done
pass "Depends names ${wanted[*]}"

# Without the X11 platform plugin no window opens; the Qt libraries only recommend the package
# that ships it in some Debian releases.
plugin_package=$(dpkg-query --search '*/qt6/plugins/platforms/libqxcb.so' | sed 's/[:,].*//; q')
grep -qx "$plugin_package" <<<"$names" || fail "Depends does not name $plugin_package, which ships the X11 plugin"
pass "Depends names $plugin_package, the X11 platform plugin's package"

# apt can satisfy every dependency from Debian's packages (simulated: nothing is installed).
if ! output=$(apt-get install --simulate "$deb" 2>&1); then
    printf '%s\n' "$output" | sed 's/^/    /'
    fail "apt-get cannot install the package"
fi
grep -q '^Inst peltra ' <<<"$output" || fail "apt-get would not install peltra: $output"
pass "apt-get install ./$(basename "$deb") resolves every dependency (simulated)"

# --- Contents. ---
listing=$(dpkg-deb -c "$deb")
files=$(awk '{ print $NF }' <<<"$listing" | sed 's#^\./#/#')
expected=(
    /usr/bin/peltra
    /usr/libexec/peltra/peltra-sound.so
    /usr/share/peltra/MEDIA/DING.WAV
    /usr/share/applications/peltra.desktop
    /usr/share/metainfo/org.example.peltra.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/peltra.svg
    /usr/share/man/man1/peltra.1.gz
    /usr/share/doc/peltra/copyright
    /usr/share/doc/peltra/changelog.gz
)
for size in 16 32 48 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x$size/apps/peltra.png")
done
[[ $with_help == yes ]] && expected+=(/usr/bin/peltra-help /usr/share/peltra/PELTRA.HLP /usr/share/man/man1/peltra-help.1.gz)
for file in "${expected[@]}"; do
    grep -qx "$file" <<<"$files" || fail "$file is not in the package"
done
pass "the package holds ${#expected[@]} expected files"

# Each icon file is a PNG of its size.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/peltra-check-deb.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
for size in 16 32 48 128 256; do
    info=$(file -b "$tmp/usr/share/icons/hicolor/${size}x$size/apps/peltra.png")
    [[ $info == "PNG image data, $size x $size,"* ]] || fail "the ${size}x$size icon is: $info"
done
pass "the hicolor icons are PNG pictures of 16, 32, 48, 128 and 256 pixels"

# --- Nothing that asks for root, a service or a network. ---
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's#^\./##' | grep -Ex 'preinst|postinst|prerm|postrm|config|triggers' || true)
[[ -z $scripts ]] || fail "the package has maintainer scripts: $scripts"
special=$(awk '$1 ~ /^[^d].*[sS]/ { print $NF }' <<<"$listing")
[[ -z $special ]] || fail "set-user-id or set-group-id files: $special"
outside=$(grep -v '^/usr/' <<<"$files" | grep -vx '/' || true)
[[ -z $outside ]] || fail "files outside /usr: $outside"
services=$(grep -E '/systemd/|/dbus-1/|/autostart/|/polkit-1/' <<<"$files" || true)
[[ -z $services ]] || fail "service, autostart or privilege files: $services"
pass "no maintainer scripts, no set-user-id files, no services, nothing outside /usr"

# --- Debian's own checker. ---
if ! output=$(lintian --fail-on error,warning "$deb" 2>&1); then
    printf '%s\n' "$output" | sed 's/^/    /'
    fail "lintian reports errors or warnings"
fi
pass "lintian: no error and no warning"

log "$CHECKS checks passed"
