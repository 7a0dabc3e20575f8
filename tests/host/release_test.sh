#!/usr/bin/env bash
# A release as a vendor ships it: made twice, from two copies of the checkout in two folders, one
# after the other, with the version changed in the version record alone and signed with a
# throwaway certificate (named relative to the folder the second release starts in). The two must
# be the same bytes, each made by its own copy's tools; the version must be in every artifact and
# name; the program, both installers' helper, the uninstaller, the installer and the package must
# carry a SHA-256 Authenticode signature by that certificate, timed at the release's date, and the
# sums a CMS signature by it. Where the 32-bit build runs (the WoW64 Wine), the uninstaller is
# checked as the installer writes it.
#
#   release_test.sh <checkout>
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 <checkout>" >&2; exit 2; }
checkout=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Lumora Ready release test" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

# release <copy> <folder to start it in> <prefix of the signing files' names>: with an override of the
# tools' script that it must not heed.
release() {
    mkdir "$work/$1"
    (cd "$checkout" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$work/$1")
    sed -i 's/^#define PROGRAM_VERSION_NUMBERS .*/#define PROGRAM_VERSION_NUMBERS 3, 4, 5, 0/;
            s/^#define PROGRAM_VERSION_TEXT .*/#define PROGRAM_VERSION_TEXT "3.4.05"/' "$work/$1/src/res/program_version.h"
    (cd "$2" && SOURCE_DATE_EPOCH=1767225600 LUMORA_SIGN_CERT="${3}cert.pem" LUMORA_SIGN_KEY="${3}key.pem" \
        LUMORA_INSTALLER_TOOLS_SCRIPT=/bin/false "$work/$1/scripts/release") >"$work/$1.log" 2>&1 ||
        { cat "$work/$1.log"; fail "release $1 failed"; exit 1; }
}
release first "$work/first" "$work/" && release second "$work" ""
makensis=$(sed -n 's/^LUMORA_MAKENSIS:[A-Z]*=//p' "$work/second/build/release/CMakeCache.txt")
grep -q "^exec $work/second/scripts/installer-tools run makensis" "$makensis" || fail "the second release's makensis is another's"
dist=$work/first/dist/3.4.05
diff -r "$dist" "$work/second/dist/3.4.05" || fail "two releases of the same tree differ"
grep -q '^signed by: CN=Lumora Ready release test$' "$work/first.log" || fail "the release does not say who signed it"

# Every file, summed; the version in every artifact.
listed=$(awk '{ printf "%s ", $2 }' "$dist/SHA256SUMS")
[ "$listed" = "LumoraReady-3.4.05.msi LumoraReady.exe LumoraReady.exe.debug LumoraReadySetup-3.4.05.exe TOOLS \
docs/command-line.md docs/installing.md docs/settings.md docs/troubleshooting.md policy/LumoraReady.admx \
policy/en-US/LumoraReady.adml policy/ja-JP/LumoraReady.adml " ] || fail "SHA256SUMS lists $listed"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
sums_signed() { openssl cms -verify -binary -inform DER -in "$dist/SHA256SUMS.p7s" -content "$1" -CAfile "$work/cert.pem" -purpose any -out /dev/null 2>/dev/null; }
sums_signed "$dist/SHA256SUMS" || fail "the signature of SHA256SUMS does not verify"
! sums_signed <(sed '1s/^\(.\)/\1\1/' "$dist/SHA256SUMS") || fail "the signature of SHA256SUMS verifies changed sums"
for exe in LumoraReadySetup-3.4.05.exe LumoraReady.exe; do
    record=$(i686-w64-mingw32-windres -i "$dist/$exe" -O rc 2>/dev/null | tr -d '\0')
    grep -q 'FILEVERSION 3, 4, 5, 0' <<<"$record" || fail "$exe: no FILEVERSION 3, 4, 5, 0"
    grep -q 'VALUE "ProductVersion", "3.4.05"' <<<"$record" || fail "$exe: no ProductVersion 3.4.05"
done
# The program's record, the last of the loop: its about text and its manifest.
[ "$(grep -c '"Lumora Ready - 3.4.05\\nCopyright (C) 2026 Vexa Corporation. All rights reserved."' <<<"$record")" -eq 2 ] ||
    fail "the about text does not say 3.4.05 in both languages"
grep -q 'name=""Vexa.Lumora.Ready"" version=""3.4.5.0""' <<<"$record" || fail "the manifest is not of version 3.4.5.0"
msiinfo=$("$checkout/scripts/installer-tools" bin)/msiinfo
(cd "$work" && "$msiinfo" export "$dist/LumoraReady-3.4.05.msi" Property) | tr -d '\r' | grep -q $'^ProductVersion\t3.4.5$' ||
    fail "the package's ProductVersion is not 3.4.5"
[ "$(cat "$dist"/policy/{,*/}LumoraReady.adm? | grep -o '[ d]Revision="3.4"\| revision="3.4"' | wc -l)" -eq 4 ] ||
    fail "the templates are not all of revision 3.4"
[ "$(cat "$dist"/policy/*/LumoraReady.adml | grep -c '>Lumora Ready 3\.4[^0-9.]')" -eq 2 ] ||
    fail "the templates do not both name Lumora Ready 3.4"

# The program has no symbols of its own; a debugger finds its functions through the debug link.
i686-w64-mingw32-objdump -t "$dist/LumoraReady.exe" | grep -q '^no symbols$' || fail "the program keeps its symbols"
(cd "$dist" && gdb -batch -ex 'info functions CReadyApp::InitInstance' LumoraReady.exe 2>&1) |
    grep -q 'src/app/ready_app.cpp' || fail "gdb does not find the program's functions through its debug link"

# The signatures, also of what the installers carry.
mkdir "$work/setup" "$work/package"
(cd "$work/setup" && 7z x -y "$dist/LumoraReadySetup-3.4.05.exe" >/dev/null)
(cd "$work/package" && "$msiinfo" extract "$dist/LumoraReady-3.4.05.msi" Binary.EndInstance >end_instance.exe)
signed() {
    local report
    report=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1) || { fail "$1 is not signed: $report"; return; }
    grep -q 'Signature verification: ok' <<<"$report" || fail "$1: the signature does not verify"
    grep -q 'Subject: .*CN *= *Lumora Ready release test' <<<"$report" || fail "$1: not signed by the test certificate"
    grep -q 'Message digest algorithm *: SHA256' <<<"$report" || fail "$1: not signed with SHA-256"
    grep -q 'Signing time: Jan  1 00:00:00 2026 GMT' <<<"$report" || fail "$1: not signed at the release's date"
}
for file in "$dist/LumoraReady.exe" "$dist/LumoraReadySetup-3.4.05.exe" "$dist/LumoraReady-3.4.05.msi" \
            "$work/setup/\$PLUGINSDIR/end_instance.exe" "$work/setup/LumoraReadyUninstall.exe" \
            "$work/package/end_instance.exe" "$work/setup/\$PLUGINSDIR/admin_only_check.exe"; do
    signed "$file"
done

# The uninstaller as the installer writes it, where the installer can run.
session=$work/session
status=0
[ ! -f "$checkout/build/win32/wine/prefix/.lumora-ready" ] || export LUMORA_WINE_TEMPLATE=$checkout/build/win32/wine/prefix
LUMORA_WINE_WOW64=1 "$checkout/scripts/wine-session" "$session" run "$dist/LumoraReadySetup-3.4.05.exe" \
    '/S' '/D=C:\Lumora' >"$work/install.log" 2>&1 || status=$?
if [ "$status" -eq 77 ]; then
    echo "NOT CHECKED here: the uninstaller as the installer writes it ($(cat "$work/install.log"))"
else
    [ "$status" -eq 0 ] || fail "the installer ended with $status: $(cat "$work/install.log")"
    signed "$session/prefix/drive_c/Lumora/LumoraReadyUninstall.exe"
fi
LUMORA_WINE_WOW64=1 "$checkout/scripts/wine-session" "$session" stop

[ "$failures" -eq 0 ] || exit 1
echo "passed: release"
