#!/usr/bin/env bash
# Checks the shipping program from its file, which needs no Windows to run: a 32-bit (i386) Windows
# GUI program that imports only system DLLs, so that it runs on a Windows without any runtime
# installed and opens no console, and that imports no function Windows 7 lacks, so that it starts
# there (those it uses where they exist are looked up when it runs).
#   check_imports.sh <objdump> <LumoraReady.exe>
set -euo pipefail
objdump=$1 program=$2
headers=$("$objdump" -p "$program")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -q 'file format pei-i386$' <<<"$headers" || fail "$(basename "$program") is no 32-bit (i386) program"
grep -q '^Subsystem[[:space:]]*00000002' <<<"$headers" || fail "$(basename "$program") is no Windows GUI program"
system=' advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll winmm.dll '
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]')
[ "$(wc -w <<<"$imports")" -ge 2 ] || fail "too few imports: $imports"
for dll in $imports; do
    case $system in *" $dll "*) echo "ok: $dll" ;; *) fail "$dll is no system DLL of the list" ;; esac
done
newer='GetDpiForWindow|GetDpiForSystem|GetSystemMetricsForDpi|SystemParametersInfoForDpi|AdjustWindowRectExForDpi'
newer+='|SetThreadDpiAwarenessContext|SetProcessDpiAwarenessContext|EnableNonClientDpiScaling|SetDefaultDllDirectories'
found=$( (grep -oEw "$newer" <<<"$headers" || true) | sort -u | tr "\n" " ")
[ -z "$found" ] || fail "imports what Windows 7 lacks: $found"

[ "$failures" -eq 0 ] || exit 1
echo "imports only system DLLs"
