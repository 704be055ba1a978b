#!/usr/bin/env bash
# Builds the .deb from a build tree, checks its control fields and contents,
# and runs the programs extracted from it.
# Usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/tubarogas_*.deb)
[ "$(basename "$deb")" = "tubarogas_1.00_amd64.deb" ] || fail "package file $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tubarogas ] || fail "Package"
[ "$(field Version)" = 1.00 ] || fail "Version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture"
for library in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libstdc++6; do
  field Depends | grep -q "$library" || fail "Depends lacks $library: $(field Depends)"
done

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/TubaroGAS ./usr/bin/tubarogas-calc ./usr/share/applications/tubarogas.desktop \
            ./usr/share/icons/hicolor/32x32/apps/tubarogas.png ./usr/share/icons/hicolor/16x16/apps/tubarogas.png \
            ./usr/share/icons/hicolor/scalable/apps/tubarogas.svg; do
  grep -q " $path\$" <<<"$contents" || fail "missing $path"
done

dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/bin/tubarogas-calc" --version | grep -q "1.00" || fail "tubarogas-calc --version"
[ "$("$work/root/usr/bin/tubarogas-calc" perdita --diametro 37 --potenza 116 --lunghezza 30)" = 100 ] ||
  fail "tubarogas-calc from the package"
"$here/../e2e/window_e2e.sh" "$work/root/usr/bin/TubaroGAS" >/dev/null || fail "the packaged window"
echo "package: ok ($(basename "$deb"))"
