#!/usr/bin/env bash
# Makes the Debian package from a built tree and checks it as a software centre and a user would
# meet it: the files it installs, its dependencies, the desktop entry and AppStream data as
# their validators see them, the manual page as groff reads it, and the packaged program's
# --version. Usage: package_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli groff; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack did not make the package"; }
debs=("$work"/korbi_*.deb)
[ -f "${debs[0]}" ] || fail "no korbi_*.deb in $work"
deb=${debs[0]}

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/files"
expected=(
    /usr/bin/korbi
    /usr/share/applications/korbi.desktop
    /usr/share/metainfo/org.korbi.client.metainfo.xml
    /usr/share/man/man1/korbi.1.gz
    /usr/share/icons/hicolor/scalable/apps/korbi.svg
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/korbi.png")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" "$work/files" || fail "$file is not in the package"
done
# Only the program and its desktop data: no test program, tool or static library.
unexpected=$(grep -v -e '/$' -e '^/usr/share/' -e '^/usr/bin/korbi$' "$work/files" || true)
[ -z "$unexpected" ] || fail "unexpected files in the package: $unexpected"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6network6 libqt6multimedia6 qt6-qpa-plugins; do
    [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
desktop-file-validate "$share/applications/korbi.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.korbi.client.metainfo.xml" ||
    fail "appstreamcli validate"
file --brief "$share/icons/hicolor/48x48/apps/korbi.png" | grep -q '48 x 48' ||
    fail "the 48x48 icon is not 48 by 48 pixels"
warnings=$(gzip -dc "$share/man/man1/korbi.1.gz" | groff -man -ww -Tutf8 -z 2>&1)
[ -z "$warnings" ] || fail "groff warns about korbi.1: $warnings"

# No display and an unknown platform: --version must answer before Qt looks for either.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none XDG_DATA_HOME="$work/data" \
    "$work/root/usr/bin/korbi" --version)
[ "$version" = "KorBi iRC Client $(dpkg-deb -f "$deb" Version)" ] ||
    fail "korbi --version says \"$version\""
echo "package ok: $(basename "$deb"), $(grep -cv '/$' "$work/files") files"
