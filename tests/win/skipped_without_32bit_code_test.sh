#!/usr/bin/env bash
# The 32-bit build's tests as a machine whose 64-bit processes cannot run 32-bit code runs them
# (the probe's answer forced, whatever this machine is): ctest ends with 0, every Windows test is
# reported as skipped with the reason, none as passed, none missing; the static checks still pass.
#   skipped_without_32bit_code_test.sh <win32 build tree> <this test's name>
set -euo pipefail
tree=$1 self=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A run of its own, so that its log is not the log of the run that started this test.
echo "subdirs(\"$tree\")" >"$work/CTestTestfile.cmake"
status=0
LUMORA_WOW64_PRETEND_UNABLE=1 ctest --test-dir "$work" --exclude-regex "^$self\$" >"$work/out" 2>&1 || status=$?

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ "$status" -eq 0 ] || fail "ctest ended with $status"

# " 3/24 Test  #3: win32.framework_tests ....***Skipped   0.05 sec", "...   Passed    0.86 sec"
outcome() { sed -n "s/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) \.* *\**\([A-Za-z]*\).*/\1 \2/p" "$work/out"; }
static='win32.StandIns.CallingConventionsAsTheContractsSay win32.ShippingBuild.ImportsOnlySystemLibraries'
for name in $static; do
    outcome | grep -qx "$name Passed" || fail "$name did not pass"
done
while read -r name result; do
    case " $static " in *" $name "*) continue ;; esac
    [ "$result" = Skipped ] || fail "$name: $result, expected Skipped"
done < <(outcome)

expected='win32.framework_tests win32.window_tests win32.settings_tests win32.device_tests
          win32.ui_component_tests win32.bench_support_tests win32.fault_input_tests win32.program_tests
          win32.load_tests win32.LongProgramPath.FootmarkIsNotWrittenWhenThePathDoesNotFitItsBuffer
          win32.JapaneseUi.JapaneseTableWhenTheProcessRunsInJapanese win32.Installer.silent-install
          win32.Installer.removal win32.MsiPackage.silent-install win32.MsiPackage.removal'
for name in $expected; do
    outcome | grep -qx "$name Skipped" || fail "$name is not reported as skipped"
done
grep -q 'skipped: LUMORA_WOW64_PRETEND_UNABLE=1 takes this machine for one whose 64-bit processes cannot run 32-bit code' \
    "$work/Testing/Temporary/LastTest.log" || fail "the skipped tests do not say why"

if [ "$failures" -ne 0 ]; then
    cat "$work/out"
    exit 1
fi
echo "passed: $(outcome | grep -c ' Skipped$') Windows tests skipped, the static checks passed"
