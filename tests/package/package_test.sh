#!/usr/bin/env bash
# The installer under Wine: a per-user install puts the program, its help, the Start-menu shortcut,
# the installed-programs entry and the Explorer verbs in place, and the program starts; a newer
# version replaces the older one; uninstalling removes all of it and keeps the user's settings.
# Runs from CTest inside scripts/test (Wine prefix, display and server ready).
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
source "$ROOT/scripts/lib/package.sh"

work="$BUILD/package-test"
stage="$work/stage"
stage_package "$stage"
make_msi "$stage" 1.0.0 "$work/old.msi" 2>/dev/null
make_msi "$stage" 1.0.1 "$work/new.msi" 2>/dev/null

failures=0
check() {  # check DESCRIPTION COMMAND...
    local what="$1"
    shift
    if "$@" >/dev/null 2>&1; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
absent() { ! "$@"; }
reg_has() { wine reg query "$1" ${2:+/v "$2"} 2>/dev/null | grep -q .; }
# Installed-programs entries named Findlark, with their versions.
entries() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
            tr -d '\r' | grep -A3 'DisplayName.*REG_SZ.*Findlark$' | grep -o 'DisplayVersion.*' || true; }
msi() { wine msiexec "$@" /qn 2>/dev/null; }

user_dir="$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')"
program_dir="$(winepath -u "$user_dir\\Programs\\Findlark")"
menu_dir="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs")"
settings='HKCU\Software\Norvale\Findlark\Preferences'
wine reg add "$settings" /v PackageTestMark /d kept /f >/dev/null 2>&1

msi /i "$(winepath -w "$work/old.msi")"
check "program installed" test -f "$program_dir/findlark.exe"
check "help installed" test -f "$program_dir/Help.chm"
check "Start-menu shortcut" test -f "$menu_dir/Findlark.lnk"
check "folder verb" reg_has 'HKCU\Software\Classes\Directory\shell\Findlark\command'
check "folder background verb" reg_has 'HKCU\Software\Classes\Directory\Background\shell\Findlark\command'
check "drive verb" reg_has 'HKCU\Software\Classes\Drive\shell\Findlark\command'
check ".flk opens in Findlark" reg_has 'HKCU\Software\Classes\Findlark.SearchOptions\shell\open\command'
check "installed-programs entry" test "$(entries)" != ""

wine "$program_dir/findlark.exe" >/dev/null 2>&1 &
started=$!
sleep 4
check "installed program starts and runs" kill -0 "$started"
wine taskkill /f /im findlark.exe >/dev/null 2>&1 || true
kill "$started" 2>/dev/null || true
wait "$started" 2>/dev/null || true

msi /i "$(winepath -w "$work/new.msi")"
check "a newer version leaves one entry" test "$(entries | wc -l)" = 1
check "the entry is the newer version" sh -c "echo '$(entries)' | grep -q 1.0.1"

msi /x "$(winepath -w "$work/new.msi")"
check "program removed" absent test -e "$program_dir/findlark.exe"
check "shortcut removed" absent test -e "$menu_dir/Findlark.lnk"
check "verbs removed" absent reg_has 'HKCU\Software\Classes\Directory\shell\Findlark'
check ".flk association removed" absent reg_has 'HKCU\Software\Classes\.flk'
check "installed-programs entry removed" test "$(entries)" = ""
check "the user's settings kept" reg_has "$settings" PackageTestMark
wine reg delete "$settings" /v PackageTestMark /f >/dev/null 2>&1 || true

[ "$failures" -eq 0 ]
