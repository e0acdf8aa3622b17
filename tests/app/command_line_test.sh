#!/usr/bin/env bash
# "korbi --help" and "korbi --version" print and exit without a display, without Qt's platform
# plugin and without making the program folder. Usage: command_line_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

run() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none XDG_DATA_HOME="$work/data" \
        HOME="$work/home" "$program" "$@"
}

help=$(run -platform xcb --help) || fail "--help exited with $?"
[[ $help == "Usage: korbi [options]"* ]] || fail "--help printed: $help"
[[ $help == *"--version"* ]] || fail "--help does not name --version"
[ "$(run -h)" = "$help" ] || fail "-h differs from --help"

version=$(run --version) || fail "--version exited with $?"
[[ $version =~ ^KorBi\ iRC\ Client\ [0-9]+\.[0-9]+ ]] || fail "--version printed: $version"
[ "$(run -v)" = "$version" ] || fail "-v differs from --version"

[ ! -e "$work/data" ] && [ ! -e "$work/home" ] || fail "a folder was made"

echo "command line ok"
