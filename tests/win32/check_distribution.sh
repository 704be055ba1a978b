#!/usr/bin/env bash
# What is shipped for Windows: the zip holds both programs and the read-me;
# each program is self-contained (only DLLs that Windows ships) and carries
# its version block; the installer installs silently, with a Start-menu
# entry and an entry among the installed programs, and uninstalls silently,
# itself included when its own file is let go late.
# Runs the programs under Wine (WINEPREFIX set by the caller).
# Usage: check_distribution.sh ZIP INSTALLER file_version.exe hold_file.exe VERSION
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/quiet_wine.sh"
zip=$1
installer=$2
file_version=$3
hold_file=$4
version=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../support/processes.sh"

listing=$(cd "$work" && cmake -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$listing" = "LEGGIMI.txt TubaroGAS.exe tubarogas-calc.exe " ] || fail "zip holds: $listing"
(cd "$work" && cmake -E tar xf "$zip")
grep -q $'\r$' "$work/LEGGIMI.txt" || fail "the read-me has no Windows line ends"

allowed=" KERNEL32.dll USER32.dll GDI32.dll COMCTL32.dll ole32.dll OLEAUT32.dll ADVAPI32.dll SHELL32.dll msvcrt.dll "
for program in TubaroGAS tubarogas-calc; do
  exe="$work/$program.exe"
  for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}'); do
    [[ $allowed == *" $dll "* ]] || fail "$program.exe needs $dll, which Windows does not ship"
  done
  block=$(wine "$file_version" "$(winepath -w "$exe")" | tr -d '\r')
  for line in "numeric ${version%%.*}.$((10#${version#*.})).0.0" "translation 0410 1200" "CompanyName USER" \
              "ProductName TubaroGAS" "InternalName $program" "OriginalFilename $program.exe" \
              "FileVersion $version" "ProductVersion $version"; do
    grep -qx "$line" <<<"$block" || fail "$program.exe version block lacks '$line': $block"
  done
done
[ "$(wine "$work/tubarogas-calc.exe" --version | tr -d '\r')" = "tubarogas-calc (Tubaro GAS) $version" ] ||
  fail "tubarogas-calc.exe from the zip"

# The installer, silently, and the uninstaller, silently.
programs="$WINEPREFIX/drive_c/Program Files/TubaroGAS"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tubaro GAS.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TubaroGAS'
# What the installer and the uninstaller say goes to a file, shown when they
# fail: a helper Wine starts for them must not hold CTest's output open.
wine "$installer" /S </dev/null >"$work/installer.log" 2>&1 || fail "the installer: $(cat "$work/installer.log")"
for file in TubaroGAS.exe tubarogas-calc.exe LEGGIMI.txt Disinstalla.exe; do
  [ -f "$programs/$file" ] || fail "not installed: $file"
done
[ -f "$menu" ] || fail "no Start-menu entry"
wine reg query "$key" /v DisplayVersion 2>/dev/null | grep -q "$version" || fail "not among the installed programs"
[ "$(wine "C:\\Program Files\\TubaroGAS\\tubarogas-calc.exe" perdita --diametro 37 --potenza 116 --lunghezza 30 |
     tr -d '\r')" = 100 ] || fail "the installed tubarogas-calc.exe"

# The uninstaller starts a copy of itself and returns at once; the copy
# deletes the uninstaller's own file last, which Disinstalla.exe may still
# hold: held here until the copy has removed everything else, it goes all
# the same once let go. What the copy removes is waited for, all of it.
# (Its number and its input kept: bash forgets a coprocess's once it ends.)
coproc HOLD { wine "$hold_file" "C:\\Program Files\\TubaroGAS\\Disinstalla.exe"; }
holder=$HOLD_PID
exec {let_go}>&"${HOLD[1]}"
read -r held <&"${HOLD[0]}"
held=${held%$'\r'}
[ "$held" = held ] || fail "the uninstaller could not be held: $held"
wine "C:\\Program Files\\TubaroGAS\\Disinstalla.exe" /S </dev/null >"$work/uninstaller.log" 2>&1 ||
  fail "the uninstaller: $(cat "$work/uninstaller.log")"
all_but_itself() { [ ! -e "$programs/TubaroGAS.exe" ] && [ ! -e "$menu" ] && ! wine reg query "$key" >/dev/null 2>&1; }
wait_until 60 all_but_itself || fail "the uninstaller left more than its own file: $(ls "$programs")"
echo >&"$let_go"
exec {let_go}>&-
wait "$holder"
uninstalled() { [ ! -e "$programs" ] && [ ! -e "$menu" ] && ! wine reg query "$key" >/dev/null 2>&1; }
if ! wait_until 60 uninstalled; then
  [ ! -e "$programs" ] || fail "still installed: $(ls "$programs")"
  [ ! -e "$menu" ] || fail "the Start-menu entry stays"
  fail "still among the installed programs"
fi
echo "Windows distribution: ok"
