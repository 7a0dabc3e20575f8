# The shared part of the installers' scenarios under Wine, sourced by installer_test.sh (the
# executable installer) and msi_test.sh (the Windows Installer package): a Wine session and prefix
# of the scenario's own (copied from LUMORA_WINE_TEMPLATE when that names a ready prefix), removed
# afterwards; the checks of files, registry values and running instances; and the suite as the
# program finds it before the install. The caller sets before sourcing:
#   state   the scenario's state folder
#   bin     the folder of install_probe.exe and the stand-ins
#   bits    32 or 64: which build's installer is under test. The 32-bit one runs in the WoW64
#           session, where it installs into the 32-bit program folder and writes the machine's
#           32-bit registry view, as it does on 64-bit Windows; the checks look there too.
# and ends with run_scenario, which runs the scenario's function.
here=$(cd "$(dirname "$0")" && pwd)
session=$here/../../scripts/wine-session

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
# <what is expected> <command>: the command's success says whether it holds.
check() { if "${@:2}"; then ok "$1"; else fail "$1"; fi; }
# <expected exit code> <command>: the command runs with its output logged. Wine hands the exit code
# to the host as a Unix status, its low byte.
expect_status() {
    local status=0
    run_logged "${@:2}" || status=$?
    check "${*:2} ended with $status, expected $1" [ "$status" -eq $(($1 % 256)) ]
}

view=/reg:$bits
export LUMORA_WINE_WOW64=0
program_files='Program Files'
[ "$bits" = 64 ] || { LUMORA_WINE_WOW64=1; program_files='Program Files (x86)'; }
# Where the WoW64 Wine cannot run, the scenario is skipped before its state folder is touched.
. "$here/../../scripts/lib.sh"
if [ "$LUMORA_WINE_WOW64" = 1 ] && ! unable=$(wow64_probe); then
    echo "skipped: $unable"
    exit 77
fi

rm -rf "$state"
mkdir -p "$state"
trap '"$session" "$state" stop || true; rm -rf "$state"' EXIT
"$session" "$state" start

# Programs that stay resident inherit the streams of whoever started them: their output goes to a
# file, so that nobody waits for them.
run() { "$session" "$state" run "$@" </dev/null; }
run_logged() { "$session" "$state" run "$@" </dev/null >>"$state/programs.log" 2>&1; }

drive_c=$state/prefix/drive_c
folder="C:\\$program_files\\Vexa\\Lumora"
unix_folder="$drive_c/$program_files/Vexa/Lumora"
suite_folder=$unix_folder
program="$folder\\LumoraReady.exe"
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall'
ready_key='Software\Vexa Corporation\Lumora\Ready'
config_key='Software\Vexa Corporation\Lumora\Config'
shared_key='HKLM\Software\Vexa Corporation\Shared Info\Shared DLLs'
capture_key='HKCU\Software\Vexa Corporation\Ostrivo'
event_source_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Lumora Ready'

# The data of a registry value as reg prints it; nothing when the value or its key is missing.
value() {
    { run reg query "$1" /v "$2" "$view" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^    $2    REG_[A-Z_]*    //p"
}
key_exists() { run reg query "$1" "$view" >/dev/null 2>&1; }
# <key>, then <value name> <data> pairs; empty data, or none after the last name, stands for no value.
expect_value() {
    local key=$1 found
    while shift && [ $# -gt 0 ]; do
        found=$(value "$key" "$1")
        if [ "$found" = "${2-}" ]; then ok "$key $1 = '${2-}'"; else fail "$key $1 is '$found', expected '${2-}'"; fi
        shift
    done
}
# The Run value "Lumora Ready": <the machine's data> <the user's data>.
expect_run_values() { expect_value "HKLM\\$run_key" "Lumora Ready" "$1"; expect_value "HKCU\\$run_key" "Lumora Ready" "$2"; }
expect_no_key() { if key_exists "$1"; then fail "$1 is there"; else ok "no $1"; fi; }
expect_file() { check "$1 is there" [ -e "$1" ]; }
expect_no_file() { check "no $1" [ ! -e "$1" ]; }
# The event log's source names the installed program file, a REG_EXPAND_SZ, and all three types.
expect_event_source() {
    expect_value "$event_source_key" EventMessageFile "$program" TypesSupported 0x7
    check "EventMessageFile is a REG_EXPAND_SZ" grep -q REG_EXPAND_SZ <<<"$(run reg query "$event_source_key" /v EventMessageFile)"
}
no_event_source() { ! key_exists "$event_source_key"; }
# The installed program file replaced by a stand-in that records each of its starts, while the
# running instance keeps its own file: ending that instance must start nothing from the folder.
plant_recorder() {
    export OSTRIVO_STANDIN_RECORD='C:\started-from-folder'
    cp "$bin/Ostrivo.exe" "$unix_folder/recorder" && mv "$unix_folder/recorder" "$unix_folder/LumoraReady.exe"
}
expect_nothing_started_from_folder() { expect_no_file "$drive_c/started-from-folder"; }
# <expected file> <installed file>
expect_same_file() { check "$2 is $1" cmp -s "$1" "$2"; }

# The running instances, one line each: "<pid> <parent pid> <program file>".
instances() { run "$bin/install_probe.exe" instances | tr -d '\r'; }
no_instance() { [ -z "$(instances)" ]; }
# Waits at most the given seconds for a condition (a command), looking every 100 ms; the bound is
# the clock's, however long the condition takes to look.
wait_for() {
    local until=$((SECONDS + $1))
    until "${@:2}"; do
        [ "$SECONDS" -lt "$until" ] || return 1
        sleep 0.1
    done
}
# Exactly one instance runs, of the installed program file; its pid is in $instance, its
# parent's in $parent.
one_installed_instance() {
    local list
    list=$(instances)
    [ "$(grep -c . <<<"$list")" -eq 1 ] && [ "${list#* * }" = "$program" ] || return 1
    read -r instance parent _ <<<"$list"
}
expect_one_instance() {
    wait_for 15 one_installed_instance && ok "one instance runs, pid $instance, of $program" \
        || { fail "not exactly one instance of $program runs:"$'\n'"$(instances)"; instance=; }
}
# Who started which process, as the host sees Wine's processes: for a failure's report.
unix_processes() {
    echo "the session's processes (pid, parent, start):"
    ps -eo pid=,ppid=,lstart=,args= | grep -iE 'lumora|setup|msiexec|wineboot|explorer|install_probe' | grep -v grep || true
}
# Starts the command of the Run value "Lumora Ready" under a root (HKCU or HKLM) as the shell does
# at login: then one instance runs, the one it started.
run_at_login() {
    run "$bin/install_probe.exe" run-at-login "$1" >"$state/started" 2>&1 || true
    started=$(tr -d '\r' <"$state/started" | sed -n 's/^started //p')
    [ -n "$started" ] || fail "the Run value's command did not start: $(cat "$state/started")"
    expect_one_instance
    [ "$instance" = "$started" ] && ok "it is the one the Run value started" \
        || { fail "pid $instance runs, the Run value started $started"; unix_processes; }
}
# A new session of the prefix, as a login: the server ends every process, and wineboot runs the
# Run values.
log_in_again() { "$session" "$state" stop && "$session" "$state" start; }

plant_suite() {
    mkdir -p "$drive_c/Program Files/Vexa/Shared" "$suite_folder"
    cp "$bin/VexaCap.dll" "$drive_c/Program Files/Vexa/Shared/"
    cp "$bin/Ostrivo.exe" "$suite_folder/"
    run reg add "$shared_key" /v VexaCap.dll /d 'C:\Program Files\Vexa\Shared\VexaCap.dll' /f "$view" >/dev/null
    run reg add "$capture_key" /v LastFolder /d 'C:\Pictures' /f "$view" >/dev/null
    run reg add "HKCU\\$config_key" /v NoCUIL /t REG_DWORD /d 0 /f "$view" >/dev/null
}

expect_suite_untouched() {
    expect_file "$suite_folder/Ostrivo.exe"
    expect_value "$shared_key" VexaCap.dll 'C:\Program Files\Vexa\Shared\VexaCap.dll'
    expect_value "$capture_key" LastFolder 'C:\Pictures'
    expect_value "HKCU\\$config_key" NoCUIL 0x0
}

# Runs a scenario, the function of its name with "_" for "-", over the planted suite, and gives the
# verdict; when it failed, with what the installers and programs wrote and the instances running.
run_scenario() {
    declare -F "${1//-/_}" >/dev/null || { echo "unknown scenario: $1" >&2; exit 2; }
    plant_suite
    "${1//-/_}"
    [ "$failures" -eq 0 ] || { echo "$failures failed in $1; what the installers and programs wrote:"
                               cat "$state/programs.log" 2>/dev/null; echo "running:"; instances; exit 1; }
    echo "passed: $1"
}
