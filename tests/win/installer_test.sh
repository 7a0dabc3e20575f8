#!/usr/bin/env bash
# The installer under Wine, one scenario a run, each in a Wine session and prefix of its own (see
# installer_session.sh). Before the install, the suite is there as the program finds it: the
# capture driver library's stand-in and its registry value, the capture application in the suite's
# folder and settings of its own.
#
#   installer_test.sh <scenario> <state-dir> <setup.exe> <shipped LumoraReady.exe> <bin-dir> <makensis> <nsis-target>
#
# Scenarios: silent-install, start-at-login, upgrade-while-running, upgrade-that-gives-up,
# every-user-outside-program-files, every-user-asks-for-elevation, elevated-run-takes-no-folder,
# every-user-folder-others-can-change, elevated-per-user-takes-no-folder-from-hkcu, removal,
# removal-keeps-settings.
# bin-dir holds install_probe.exe, the installer's helpers and the stand-ins; makensis builds an older
# installer to upgrade, for the nsis-target of the one under test (x86-unicode or amd64-unicode).
set -euo pipefail
[ $# -eq 7 ] || { echo "usage: $0 <scenario> <state-dir> <setup.exe> <program> <bin-dir> <makensis> <nsis-target>" >&2; exit 2; }
scenario=$1 state=$2 setup=$3 shipped=$4 bin=$5 makensis=$6 nsis_target=$7
[ "$nsis_target" = x86-unicode ] && bits=32 || bits=64
. "$(dirname "$0")/installer_session.sh"
version_record=$here/../../src/res/program_version.h
uninstaller="$folder\\LumoraReadyUninstall.exe"
entry_key="$uninstall_key\\LumoraReady"

# Runs an installer with its arguments as one line, as they stand (/D= takes the rest of the line
# unquoted): <expected exit code> <setup.exe> <arguments> [run-limited: with the limited token of an
# administrator under UAC, logging each process started]
install() {
    cp "$2" "$drive_c/setup-under-test.exe"
    expect_status "$1" "$bin/install_probe.exe" "${4:-run-line}" "C:\\setup-under-test.exe $3"
}
# A per-user installation lies in the user's own program folder.
per_user_folder() {
    folder="$(run cmd /c echo %LOCALAPPDATA% | tr -d '\r')\\Programs\\Vexa\\Lumora"
    unix_folder=$drive_c$(tr '\\' / <<<"${folder#C:}") program="$folder\\LumoraReady.exe" uninstaller="$folder\\LumoraReadyUninstall.exe"
}

# A stand-in for the signed-in user's shell, which the installer starts the program under; its
# pid is in $shell_pid.
start_shell() {
    run "$bin/install_probe.exe" shell >"$state/shell" 2>&1 &
    wait_for 15 grep -q '^shell [1-9]' "$state/shell" || fail "no shell: $(cat "$state/shell")"
    shell_pid=$(tr -d '\r' <"$state/shell" | sed -n 's/^shell //p')
}
# Under Wine every process, the installer's included, has the same elevated token, so the token
# cannot tell the installer's start from the shell's. The parent can: the instance is the shell's
# child, not the installer's.
expect_started_by_shell() { check "the parent of pid $instance, $parent, is the shell, $shell_pid" [ "$parent" = "$shell_pid" ]; }

# A per-user installation asks for no elevation and needs none: it writes nothing of the machine's.
silent_install() {
    per_user_folder
    check "the installer asks for no elevation" grep -aq 'requestedExecutionLevel level="asInvoker"' "$setup"
    start_shell
    install 0 "$setup" "/S /NOSOUND" run-limited
    expect_same_file "$shipped" "$unix_folder/LumoraReady.exe"
    expect_file "$unix_folder/LumoraReadyUninstall.exe"
    local version=$(sed -n 's/^#define PROGRAM_VERSION_TEXT "\(.*\)"$/\1/p' "$version_record")
    expect_value "HKCU\\$entry_key" DisplayName "Lumora Ready" DisplayVersion "$version" Publisher "Vexa Corporation" \
        DisplayIcon "\"$program\",0" UninstallString "\"$uninstaller\""
    local size=$(value "HKCU\\$entry_key" EstimatedSize)
    check "estimated size '$size' KB" [ $((${size:-0})) -gt 0 ]
    expect_run_values "" "\"$program\""
    expect_no_key "HKLM\\$entry_key"
    expect_no_key "$event_source_key"
    expect_value "HKLM\\$ready_key" Silent
    expect_value "HKCU\\$ready_key" Silent 0x1
    expect_one_instance
    expect_started_by_shell

    # What the shell runs at login replaces the instance that the installer started.
    run_at_login HKCU
}

start_at_login() {
    install 0 "$setup" "/S /ALLUSERS"
    expect_run_values "\"$program\"" ""
    expect_value "HKLM\\$entry_key" DisplayName "Lumora Ready"
    expect_no_key "HKCU\\$entry_key"
    expect_event_source
    # A session without a user's shell, as a deployment tool's: nothing starts until the login.
    # (The desktop of the WoW64 Wine is a shell of its own.)
    [ "$LUMORA_WINE_WOW64" = 1 ] || check "no instance without a shell" no_instance

    log_in_again
    expect_one_instance
    run_logged "$uninstaller" /S
    check "the removal took the event log's source" wait_for 30 no_event_source
}

# Builds an installer of an older build, the same program with bytes of its own after the image,
# as $old/LumoraReadySetup.exe, and installs it with the given switches under a shell: one
# instance of it runs, its pid in $before.
install_older_build() {
    old=$state/old
    mkdir -p "$old"
    cp "$shipped" "$old/LumoraReady.exe"
    printf 'an older build' >>"$old/LumoraReady.exe"
    "$makensis" -V1 -WX -DTARGET="$nsis_target" -DPROGRAM="$old/LumoraReady.exe" -DEND_INSTANCE="$bin/end_instance.exe" -DOUTFILE="$old/LumoraReadySetup.exe" \
        -DADMIN_ONLY_CHECK="$bin/admin_only_check.exe" "$here/../../installer/lumora_ready.nsi"
    start_shell
    install 0 "$old/LumoraReadySetup.exe" "$1"
    expect_one_instance
    before=$instance
    expect_same_file "$old/LumoraReady.exe" "$unix_folder/LumoraReady.exe"
}

# An installation for every user in a folder of its own, upgraded without a switch: the same
# kind, in place, and running again.
upgrade_while_running() {
    folder="C:\\$program_files\\Vexa\\Lumora Ready Elsewhere"
    unix_folder="$drive_c/$program_files/Vexa/Lumora Ready Elsewhere"
    program="$folder\\LumoraReady.exe"
    install_older_build "/S /ALLUSERS /D=$folder"
    plant_recorder

    install 0 "$setup" /S
    expect_nothing_started_from_folder
    expect_event_source
    expect_same_file "$shipped" "$unix_folder/LumoraReady.exe"
    expect_no_file "$drive_c/$program_files/Vexa/Lumora/LumoraReady.exe"
    expect_run_values "\"$program\"" ""
    expect_value "HKLM\\$entry_key" InstallLocation "$folder"
    expect_no_key "HKCU\\$entry_key"
    expect_one_instance
    check "the instance after the upgrade, pid '$instance', is not the older one, pid $before" \
        [ -n "$instance" -a "$instance" != "$before" ]
    expect_started_by_shell
}

# The older program file cannot be replaced (another process holds it): the upgrade gives up with
# its exit code, and the older program runs again.
upgrade_that_gives_up() {
    per_user_folder
    install_older_build /S
    run "$bin/install_probe.exe" hold "$program" >"$state/hold" 2>&1 &
    wait_for 15 grep -q '^held' "$state/hold" || fail "the program file is not held: $(cat "$state/hold")"
    install 3 "$setup" /S
    expect_same_file "$old/LumoraReady.exe" "$unix_folder/LumoraReady.exe"
    expect_one_instance
    check "the older program runs again, pid '$instance' (it was pid $before)" [ -n "$instance" -a "$instance" != "$before" ]
}

# For every user, the program lies where only administrators can change it.
every_user_outside_program_files() {
    install 2 "$setup" "/S /ALLUSERS /D=C:\\Lumora Ready"
    expect_no_file "$drive_c/Lumora Ready/LumoraReady.exe"
    expect_value "HKLM\\$run_key" "Lumora Ready"
    expect_no_key "HKLM\\$entry_key"
    # The same folder for the installing user alone is that user's to choose.
    install 0 "$setup" "/S /D=C:\\Lumora Ready"
    expect_file "$drive_c/Lumora Ready/LumoraReady.exe"
}

# With a limited token, a machine-wide installation starts itself again to be elevated. Wine's
# "runas" keeps the limited token: the second process refuses, and the first passes its code on.
every_user_asks_for_elevation() {
    cp "$setup" "$drive_c/setup-under-test.exe"
    local status=0
    run_logged "$bin/install_probe.exe" run-limited 'C:\setup-under-test.exe /S /ALLUSERS' || status=$?
    # The WoW64 Wine starts a 32-bit program with an elevated token whichever token it is given.
    if grep -q '^the limited token did not take' "$state/programs.log"; then
        echo "skipped: $(grep '^the limited token did not take' "$state/programs.log")"
        exit 77
    fi
    check "the installer ended with $status, expected 4" [ "$status" -eq 4 ]
    check "it started itself again" [ "$(grep -c '^started .*setup-under-test' "$state/programs.log")" -eq 2 ]
    expect_no_key "HKLM\\$entry_key"
}

# The run that a limited one started elevated takes its folder from HKLM, not from its switches.
elevated_run_takes_no_folder() {
    folder="C:\\$program_files\\Vexa\\Lumora Ready Elsewhere"
    install 0 "$setup" "/S /ALLUSERS /D=$folder"
    install 0 "$setup" "/ELEVATED /S /ALLUSERS /D=C:\\$program_files\\Vexa\\Chosen"
    expect_run_values "\"$folder\\LumoraReady.exe\"" ""
}

# A suite's folder under Program Files that everyone may write (Wine's DACL follows the Unix mode).
every_user_folder_others_can_change() {
    chmod o+w "$unix_folder"
    install 5 "$setup" "/S /ALLUSERS"
    expect_run_values "" ""
    expect_no_key "$event_source_key"
}

# Wine's token is elevated, as an administrator's own elevated prompt: the per-user installation
# goes to the user's program folder, not where the user's HKCU points.
elevated_per_user_takes_no_folder_from_hkcu() {
    per_user_folder
    run reg add "HKCU\\$entry_key" /v InstallLocation /d 'C:\Windows' /f "$view" >/dev/null
    install 0 "$setup" /S
    expect_value "HKCU\\$entry_key" InstallLocation "$folder"
}

footmark_written() { [ -n "$(value "HKCU\\$ready_key" Footmark)" ]; }
removed() {
    [ ! -e "$unix_folder/LumoraReadyUninstall.exe" ] && ! key_exists "HKCU\\$entry_key" && ! footmark_written
}

# Removal with "Silent" written, after the program has left its footmark.
install_and_remove() {
    per_user_folder
    start_shell
    install 0 "$setup" "/S /NOSOUND"
    expect_one_instance
    check "the program wrote its footmark" wait_for 15 footmark_written
    plant_recorder
    run_logged "$uninstaller" /S
    # The uninstaller goes on in a copy of itself: the state it leaves is waited for.
    check "the removal finished within 30 s" wait_for 30 removed
    check "nothing runs" no_instance
    expect_nothing_started_from_folder
    expect_no_file "$unix_folder/LumoraReady.exe"
    expect_no_file "$unix_folder/LumoraReadyUninstall.exe"
    expect_value "HKCU\\$run_key" "Lumora Ready"
    expect_no_key "HKCU\\$entry_key"
    expect_value "HKCU\\$ready_key" Footmark "" Silent
    expect_suite_untouched
}

# A Run value of the same name that starts another program is not this installation's.
removal() {
    local other='"C:\Other\LumoraReady.exe"'
    run reg add "HKLM\\$run_key" /v "Lumora Ready" /d "$other" /f "$view" >/dev/null
    install_and_remove
    expect_value "HKLM\\$run_key" "Lumora Ready" "$other"
    expect_no_key "HKCU\\$ready_key"
}

# A setting of the program that the installer did not write stays, and its key with it.
removal_keeps_settings() {
    run reg add "HKCU\\$ready_key" /v Path /d 'C:\Capture\Other.exe' /f "$view" >/dev/null
    install_and_remove
    expect_value "HKCU\\$ready_key" Path 'C:\Capture\Other.exe'
}

run_scenario "$scenario"
