# Shared helpers for scripts/run and scripts/test. Source this file; do not run it.
# shellcheck shell=bash

# Debian packages needed to build PELTRA and run it (scripts/run): the compiler and build tools, Qt
# with its help generator (qt6-documentation-tools) and translation tools (qt6-l10n-tools), fontconfig
# and xcb (which the program asks about its frame), and the fonts and Qt translations that the
# program uses at run time.
PELTRA_RUN_PACKAGES=(
    cmake ninja-build g++
    qt6-base-dev qt6-multimedia-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
    qt6-translations-l10n qt6-l10n-tools
    libgl-dev libfontconfig-dev libxcb1-dev pkgconf fonts-ipafont fonts-liberation2
)
# Debian packages needed only to test it (scripts/test): the virtual display and what drives it, the
# accessibility bus for the screen-reader tests, the package checks, the fuzzers and the linters.
PELTRA_TEST_PACKAGES=(
    xvfb openbox xdotool x11-utils imagemagick faketime trayer
    dbus at-spi2-core python3-pyatspi
    desktop-file-utils appstream dpkg-dev file lintian
    clang libfuzzer-14-dev clang-format clang-tidy
)
# Everything: what scripts/test installs.
PELTRA_PACKAGES=("${PELTRA_RUN_PACKAGES[@]}" "${PELTRA_TEST_PACKAGES[@]}")

# The repository root (the folder above scripts/).
peltra_root() {
    cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd
}

peltra_log() {
    printf '%s: %s\n' "${PELTRA_SCRIPT:-peltra}" "$*"
}

peltra_die() {
    printf '%s: error: %s\n' "${PELTRA_SCRIPT:-peltra}" "$*" >&2
    exit 1
}

# peltra_missing_packages [PACKAGE...]
# Prints the packages named (all of PELTRA_PACKAGES when none is) that are not installed.
peltra_missing_packages() {
    local pkg status
    (($# > 0)) || set -- "${PELTRA_PACKAGES[@]}"
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        if [[ $status != "install ok installed" ]]; then
            printf '%s\n' "$pkg"
        fi
    done
}

# peltra_ensure_packages [PACKAGE...]
# Installs those of the packages named (all of PELTRA_PACKAGES when none is) that are missing, with
# apt-get; does nothing when all are present.
peltra_ensure_packages() {
    command -v dpkg-query >/dev/null 2>&1 \
        || peltra_die "dpkg-query not found: these scripts need Debian 12 (or a derivative)"
    local missing
    mapfile -t missing < <(peltra_missing_packages "$@")
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    local sudo=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null 2>&1 \
            || peltra_die "missing packages (${missing[*]}) and no sudo to install them; install them as root"
        sudo=(sudo)
    fi
    peltra_log "installing missing Debian packages: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q </dev/null
    # Recommended packages are wanted too (xauth for xvfb-run, for one).
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q "${missing[@]}" </dev/null
}

# peltra_build NAME [CMAKE-OPTION...]
# Configures build/NAME with Ninja and builds it, two jobs at a time by default
# (PELTRA_JOBS overrides). Run from the repository root.
peltra_build() {
    local name=$1
    shift
    # Explicit returns: callers may run this where set -e does not apply.
    cmake -S . -B "build/$name" -G Ninja "$@" || return 1
    cmake --build "build/$name" -j "${PELTRA_JOBS:-2}" || return 1
}
