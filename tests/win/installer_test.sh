#!/usr/bin/env bash
# The installer under Wine, one scenario a run, each in a Wine session and prefix of its own (see
# installer_session.sh). Before the install, the suite is there as the program finds it: the
# capture driver library's stand-in and its registry value, the capture application in the suite's
# folder and settings of its own.
#
#   installer_test.sh <scenario> <state-dir> <setup.exe> <shipped LumoraReady.exe> <bin-dir> <makensis> <nsis-target>
#
# Scenarios: silent-install, start-at-login, upgrade-while-running, upgrade-that-gives-up,
# every-user-outside-program-files, removal, removal-keeps-settings.
# bin-dir holds install_probe.exe and the stand-ins; makensis builds an older installer to upgrade,
# for the nsis-target of the one under test (x86-unicode or amd64-unicode).
set -euo pipefail
[ $# -eq 7 ] || { echo "usage: $0 <scenario> <state-dir> <setup.exe> <program> <bin-dir> <makensis> <nsis-target>" >&2; exit 2; }
scenario=$1 state=$2 setup=$3 shipped=$4 bin=$5 makensis=$6 nsis_target=$7
bits=64
[ "$nsis_target" = x86-unicode ] && bits=32
. "$(dirname "$0")/installer_session.sh"
version_record=$here/../../src/res/program.rc
uninstaller="$folder\\LumoraReadyUninstall.exe"
entry_key="$uninstall_key\\LumoraReady"

# Runs an installer with its arguments as one line, as they stand (/D= takes the rest of the line
# unquoted): <expected exit code> <setup.exe> <arguments>.
install() {
    local status=0
    cp "$2" "$drive_c/setup-under-test.exe"
    run_logged "$bin/install_probe.exe" run-line "C:\\setup-under-test.exe $3" || status=$?
    if [ "$status" -eq "$1" ]; then ok "$(basename "$2") $3 ended with $status"; else fail "$(basename "$2") $3 ended with $status, expected $1"; fi
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
expect_started_by_shell() {
    [ "$parent" = "$shell_pid" ] && ok "pid $instance is a child of the shell, pid $shell_pid" \
        || fail "pid $instance is a child of $parent, not of the shell $shell_pid"
}

silent_install() {
    start_shell
    install 0 "$setup" "/S /NOSOUND"
    if cmp -s "$shipped" "$unix_folder/LumoraReady.exe"; then ok "the program file is the shipped one"; else fail "the program file differs from $shipped"; fi
    expect_file "$unix_folder/LumoraReadyUninstall.exe"
    local version
    version=$(sed -n 's/.*VALUE "ProductVersion", "\(.*\)"/\1/p' "$version_record" | head -n 1)
    expect_value "HKCU\\$entry_key" DisplayName "Lumora Ready"
    expect_value "HKCU\\$entry_key" DisplayVersion "$version"
    expect_value "HKCU\\$entry_key" Publisher "Vexa Corporation"
    expect_value "HKCU\\$entry_key" DisplayIcon "\"$program\",0"
    expect_value "HKCU\\$entry_key" UninstallString "\"$uninstaller\""
    local size
    size=$(value "HKCU\\$entry_key" EstimatedSize)
    if [ -n "$size" ] && [ $((size)) -gt 0 ]; then ok "estimated size $((size)) KB"; else fail "estimated size '$size'"; fi
    expect_value "HKCU\\$run_key" "Lumora Ready" "\"$program\""
    expect_value "HKLM\\$run_key" "Lumora Ready"
    expect_no_key "HKLM\\$entry_key"
    expect_value "HKCU\\$ready_key" Silent 0x1
    expect_one_instance
    expect_started_by_shell

    # What the shell runs at login replaces the instance that the installer started.
    run_at_login HKCU
    expect_one_instance
    [ "$instance" = "$started" ] && ok "it is the one the Run value started" \
        || { fail "pid $instance runs, the Run value started $started"; unix_processes; }
}

start_at_login() {
    install 0 "$setup" "/S /ALLUSERS"
    expect_value "HKLM\\$run_key" "Lumora Ready" "\"$program\""
    expect_value "HKCU\\$run_key" "Lumora Ready"
    expect_value "HKLM\\$entry_key" DisplayName "Lumora Ready"
    expect_no_key "HKCU\\$entry_key"
    # A session without a user's shell, as a deployment tool's: nothing starts until the login.
    # (The desktop of the WoW64 Wine is a shell of its own.)
    if [ "$LUMORA_WINE_WOW64" = 0 ]; then
        [ -z "$(instances)" ] && ok "no instance without a shell" || fail "started without a shell: $(instances)"
    fi

    log_in_again
    expect_one_instance
}

# Builds an installer of an older build, the same program with bytes of its own after the image,
# as $old/LumoraReadySetup.exe.
make_older_installer() {
    old=$state/old
    mkdir -p "$old"
    cp "$shipped" "$old/LumoraReady.exe"
    printf 'an older build' >>"$old/LumoraReady.exe"
    "$makensis" -V1 -WX -DTARGET="$nsis_target" -DPROGRAM="$old/LumoraReady.exe" -DOUTFILE="$old/LumoraReadySetup.exe" \
        "$here/../../installer/lumora_ready.nsi"
}

# An installation for every user in a folder of its own, upgraded without a switch: the same
# kind, in place, and running again.
upgrade_while_running() {
    make_older_installer
    start_shell
    folder="C:\\$program_files\\Vexa\\Lumora Ready Elsewhere"
    unix_folder="$drive_c/$program_files/Vexa/Lumora Ready Elsewhere"
    program="$folder\\LumoraReady.exe"
    install 0 "$old/LumoraReadySetup.exe" "/S /ALLUSERS /D=$folder"
    expect_one_instance
    local before=$instance
    cmp -s "$old/LumoraReady.exe" "$unix_folder/LumoraReady.exe" && ok "the older build is installed" \
        || fail "the older build was not installed"

    install 0 "$setup" /S
    if cmp -s "$shipped" "$unix_folder/LumoraReady.exe"; then ok "the new file replaced the older one"; else fail "the older file is still installed"; fi
    expect_no_file "$drive_c/$program_files/Vexa/Lumora/LumoraReady.exe"
    expect_value "HKLM\\$run_key" "Lumora Ready" "\"$program\""
    expect_value "HKCU\\$run_key" "Lumora Ready"
    expect_value "HKLM\\$entry_key" InstallLocation "$folder"
    expect_no_key "HKCU\\$entry_key"
    expect_one_instance
    if [ -z "$instance" ]; then fail "no instance after the upgrade (the older one was pid $before)"
    elif [ "$instance" != "$before" ]; then ok "the instance is a new process"
    else fail "the older instance, pid $before, still runs"; fi
    expect_started_by_shell
}

# The older program file cannot be replaced (another process holds it): the upgrade gives up with
# its exit code, and the older program runs again.
upgrade_that_gives_up() {
    make_older_installer
    start_shell
    install 0 "$old/LumoraReadySetup.exe" /S
    expect_one_instance
    local before=$instance
    run "$bin/install_probe.exe" hold "$program" >"$state/hold" 2>&1 &
    wait_for 15 grep -q '^held' "$state/hold" || fail "the program file is not held: $(cat "$state/hold")"
    install 3 "$setup" /S
    cmp -s "$old/LumoraReady.exe" "$unix_folder/LumoraReady.exe" && ok "the older build is still installed" \
        || fail "the older build was replaced"
    expect_one_instance
    [ -n "$instance" ] && [ "$instance" != "$before" ] && ok "the older program runs again, pid $instance" \
        || fail "the older program was not started again (it was pid $before)"
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

footmark_written() { [ -n "$(value "HKCU\\$ready_key" Footmark)" ]; }
removed() {
    [ ! -e "$unix_folder/LumoraReadyUninstall.exe" ] && ! key_exists "HKCU\\$entry_key" && ! footmark_written
}

# Removal with "Silent" written, after the program has left its footmark.
install_and_remove() {
    start_shell
    install 0 "$setup" "/S /NOSOUND"
    expect_one_instance
    wait_for 15 footmark_written && ok "the program wrote its footmark" || fail "no footmark after the start"
    run_logged "$uninstaller" /S
    # The uninstaller goes on in a copy of itself: the state it leaves is waited for.
    wait_for 30 removed || fail "the removal did not finish within 30 s"
    local list
    list=$(instances)
    [ -z "$list" ] && ok "nothing runs" || fail "still running: $list"
    expect_no_file "$unix_folder/LumoraReady.exe"
    expect_no_file "$unix_folder/LumoraReadyUninstall.exe"
    expect_value "HKCU\\$run_key" "Lumora Ready"
    expect_no_key "HKCU\\$entry_key"
    expect_value "HKCU\\$ready_key" Footmark
    expect_value "HKCU\\$ready_key" Silent
}

plant_suite
case $scenario in
    silent-install) silent_install ;;
    start-at-login) start_at_login ;;
    upgrade-while-running) upgrade_while_running ;;
    upgrade-that-gives-up) upgrade_that_gives_up ;;
    every-user-outside-program-files) every_user_outside_program_files ;;
    removal)
        # A Run value of the same name that starts another program is not this installation's.
        other='"C:\Other\LumoraReady.exe"'
        run reg add "HKLM\\$run_key" /v "Lumora Ready" /d "$other" /f "$view" >/dev/null
        install_and_remove
        expect_value "HKLM\\$run_key" "Lumora Ready" "$other"
        expect_no_key "HKCU\\$ready_key"
        expect_suite_untouched
        ;;
    removal-keeps-settings)
        # A setting of the program that the installer did not write stays, and its key with it.
        run reg add "HKCU\\$ready_key" /v Path /d 'C:\Capture\Other.exe' /f "$view" >/dev/null
        install_and_remove
        expect_value "HKCU\\$ready_key" Path 'C:\Capture\Other.exe'
        expect_suite_untouched
        ;;
    *) echo "unknown scenario: $scenario" >&2; exit 2 ;;
esac

report "$scenario"
