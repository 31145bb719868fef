#!/usr/bin/env bash
# The Debian package: peltra at the project's version; Depends names the Qt 6 libraries, the X11
# platform plugin's package, the fonts and translations, and apt can satisfy it; the programs,
# data, desktop entry, icons, AppStream data, man pages and copyright (with the licence terms) are in it; nothing asks for
# root, a service or anything outside /usr; lintian reports no error and no warning.
#   bash tests/package/check_deb.sh PATH-TO-DEB
set -euo pipefail
deb=$(realpath "$1")
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fail() { echo "check_deb: FAIL: $*" && exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

version=$(sed -n 's/^project(peltra VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[[ "$(field Package) $(field Version) $(field Architecture)" == "peltra $version $(dpkg --print-architecture)" ]] \
    || fail "package $(field Package) $(field Version) $(field Architecture)"
names=$(field Depends | tr ',|' '\n' | sed 's/(.*//; s/^ *//; s/ *$//')
xcb_package=$(dpkg-query --search '*/qt6/plugins/platforms/libqxcb.so' | sed 's/[:,].*//; q')
for package in libqt6{core6,gui6,widgets6,multimedia6,help6,sql6-sqlite} fonts-ipafont qt6-translations-l10n "$xcb_package"; do
    grep -qx "$package" <<<"$names" || fail "Depends does not name $package: $(field Depends)"
done
apt-get install --simulate "$deb" 2>&1 | grep -q '^Inst peltra ' || fail "apt-get cannot install the package"

files=$(dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's#^\./#/#')
for file in /usr/bin/peltra{,-help} /usr/libexec/peltra/peltra-sound.so /usr/share/peltra/{MEDIA/DING.WAV,PELTRA.HLP} \
    /usr/share/{applications/peltra.desktop,metainfo/org.example.peltra.metainfo.xml,icons/hicolor/scalable/apps/peltra.svg} \
    /usr/share/man/man1/peltra{,-help}.1.gz /usr/share/doc/peltra/{copyright,changelog.gz}; do
    grep -qx "$file" <<<"$files" || fail "$file is not in the package"
done
tmp=$(mktemp -d "${TMPDIR:-/tmp}/peltra-check-deb.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
for size in 16 32 48 128 256; do
    [[ $(file -b "$tmp/usr/share/icons/hicolor/${size}x$size/apps/peltra.png") == "PNG image data, $size x $size,"* ]] || fail "no ${size}x$size icon"
done
# The licence terms themselves, with nothing left for a configure step or an author to fill in.
copyright=$tmp/usr/share/doc/peltra/copyright
grep -qx 'License: Expat' "$copyright" || fail "the copyright file names no Expat licence"
grep -q 'Permission is hereby granted, free of charge' "$copyright" || fail "the copyright file lacks the licence terms"
grep -Eq '@[A-Z_]+@|LicenseRef|placeholder|TODO' "$copyright" && fail "the copyright file has a placeholder"
for page in peltra peltra-help; do
    [[ -z $(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$tmp/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null) ]] \
        || fail "the man page $page.1 does not format cleanly"
done

dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq '(pre|post)(inst|rm)|config|triggers' && fail "maintainer scripts"
dpkg-deb -c "$deb" | awk '$1 ~ /^[^d].*[sS]/' | grep -q . && fail "set-user-id or set-group-id files"
grep -Ev '^/usr/|^/$' <<<"$files" | grep -q . && fail "files outside /usr"
grep -Eq '/systemd/|/dbus-1/|/autostart/|/polkit-1/' <<<"$files" && fail "service, autostart or privilege files"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
echo "check_deb: $deb passed"
