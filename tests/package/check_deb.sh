#!/usr/bin/env bash
# Builds the .deb from a build tree, checks its control fields and contents,
# holds it to Debian's own checks (lintian, desktop-file-validate, appstreamcli;
# each where installed, and scripts/setup.sh installs them), and runs the
# programs extracted from it.
# Usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/tubarogas_*.deb)
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "tubarogas_${version}_amd64.deb" ] || fail "package file $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tubarogas ] || fail "Package"
[ "$(field Architecture)" = amd64 ] || fail "Architecture"
for library in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libstdc++6; do
  field Depends | grep -q "$library" || fail "Depends lacks $library: $(field Depends)"
done
field Description | awk 'length > 80 { exit 1 }' || fail "a description line is wider than 80 columns"

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/TubaroGAS ./usr/bin/tubarogas-calc ./usr/share/applications/tubarogas.desktop \
            ./usr/share/icons/hicolor/32x32/apps/tubarogas.png ./usr/share/icons/hicolor/16x16/apps/tubarogas.png \
            ./usr/share/icons/hicolor/scalable/apps/tubarogas.svg \
            ./usr/share/doc/tubarogas/copyright ./usr/share/doc/tubarogas/changelog.gz \
            ./usr/share/man/man1/tubarogas-calc.1.gz ./usr/share/man/man1/TubaroGAS.1.gz \
            ./usr/share/metainfo/example.tubaro.tubarogas.metainfo.xml; do
  grep -q " $path\$" <<<"$contents" || fail "missing $path"
done

dpkg-deb -x "$deb" "$work/root"
root=$work/root
# One version everywhere: the package, the programs, the changelog, the
# metadata's latest release and the manual pages.
"$root/usr/bin/tubarogas-calc" --version | grep -qx "tubarogas-calc (Tubaro GAS) $version" || fail "tubarogas-calc --version"
env -u DISPLAY "$root/usr/bin/TubaroGAS" --version | grep -qx "TubaroGAS (Tubaro GAS) $version" || fail "TubaroGAS --version"
zcat "$root/usr/share/doc/tubarogas/changelog.gz" | head -n 1 | grep -q "^tubarogas ($version) " || fail "changelog version"
grep -q "<release version=\"$version\"" "$root"/usr/share/metainfo/*.xml || fail "metainfo release"
for page in tubarogas-calc TubaroGAS; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "Tubaro GAS $version" || fail "$page(1) version"
  warnings=$(man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null) || fail "$page(1) does not render"
  [ -z "$warnings" ] || fail "$page(1): $warnings"
done
for program in "$root"/usr/bin/*; do
  ! readelf -d "$program" | grep -q 'R\(UN\)\{0,1\}PATH' || fail "$program carries a run path"
done
grep -qx "StartupWMClass=TubaroCalcolatore" "$root/usr/share/applications/tubarogas.desktop" ||
  fail "StartupWMClass is not the window's class"

if command -v lintian >/dev/null; then
  findings=$(lintian "$deb" 2>/dev/null | grep -E '^(E|W):' || true)
  [ -z "$findings" ] || fail "lintian: $findings"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/tubarogas.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
fi

[ "$("$root/usr/bin/tubarogas-calc" perdita --diametro 37 --potenza 116 --lunghezza 30)" = 100 ] ||
  fail "tubarogas-calc from the package"
"$here/../e2e/window_e2e.sh" "$root/usr/bin/TubaroGAS" >/dev/null || fail "the packaged window"
echo "package: ok ($(basename "$deb"))"
