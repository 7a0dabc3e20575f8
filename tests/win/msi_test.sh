#!/usr/bin/env bash
# The Windows Installer package under Wine, one scenario a run, each in a Wine session and prefix
# of its own (see installer_session.sh), with the suite in place before the install.
#
#   msi_test.sh <scenario> <state-dir> <package.msi> <shipped LumoraReady.exe> <bin-dir> <msi-arch> <version>
#
# Scenarios: silent-install, upgrade-while-running, refused-downgrade, removal.
# bin-dir holds install_probe.exe, end_instance.exe and the stand-ins; msi-arch (x86 or x64) and version are the
# package's. An older package to upgrade from is built with installer/build_msi.sh, which finds
# wixl and msibuild on the PATH.
set -euo pipefail
[ $# -eq 7 ] || { echo "usage: $0 <scenario> <state-dir> <package.msi> <program> <bin-dir> <msi-arch> <version>" >&2; exit 2; }
scenario=$1 state=$2 package=$3 shipped=$4 bin=$5 arch=$6 version=$7
bits=64
[ "$arch" = x86 ] && bits=32
. "$(dirname "$0")/installer_session.sh"

# The package's entry in Add/Remove Programs is named by its product code.
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
entry_key="HKLM\\$uninstall_key\\$(product_code "$package")"

# msiexec with its arguments: <expected exit code> <arguments>. Wine hands the exit code to the
# host as a Unix status, its low byte: 1603, a failed installation, arrives as 67.
msi() {
    local status=0
    run_logged msiexec "${@:2}" || status=$?
    if [ "$status" -eq $(($1 % 256)) ]; then ok "msiexec ${*:2} ended with $status"; else fail "msiexec ${*:2} ended with $status, expected $1"; fi
}
# Installs a package from the prefix's drive: <expected exit code> <package> <properties>.
install() {
    cp "$2" "$drive_c/$(basename "$2")"
    msi "$1" /i "C:\\$(basename "$2")" /qn "${@:3}"
}

# An older package: an older version of the product, the same program with bytes of its own
# after the image; as $old_package, and its program as $old_program.
make_older_package() {
    mkdir -p "$state/old"
    old_program=$state/old/LumoraReady.exe
    old_package=$state/old/LumoraReady-older.msi
    cp "$shipped" "$old_program"
    printf 'an older build' >>"$old_program"
    "$here/../../installer/build_msi.sh" wixl msibuild "$arch" 0.9.0 "$old_program" \
        "$here/../../src/res/icons/lumora_ready.ico" "$bin/end_instance.exe" "$old_package"
}

# The package starts nothing: the program starts at the next login, from the machine's Run value.
silent_install() {
    install 0 "$package" SILENT=1
    expect_same_file "$shipped" "$unix_folder/LumoraReady.exe"
    expect_value "HKLM\\$run_key" "Lumora Ready" "\"$program\""
    expect_value "HKCU\\$run_key" "Lumora Ready"
    expect_value "$entry_key" DisplayName "Lumora Ready"
    expect_value "$entry_key" DisplayVersion "$version"
    expect_value "$entry_key" Publisher "Vexa Corporation"
    expect_value "HKLM\\$ready_key" Silent 0x1
    no_instance && ok "no instance after the install" || fail "started by the install: $(instances)"

    # What the shell runs at login starts the installed program, once.
    run_at_login HKLM
    expect_one_instance
    [ "$instance" = "$started" ] && ok "it is the one the Run value started" \
        || { fail "pid $instance runs, the Run value started $started"; unix_processes; }
}

upgrade_while_running() {
    make_older_package
    install 0 "$old_package"
    run_at_login HKLM
    expect_one_instance
    expect_same_file "$old_program" "$unix_folder/LumoraReady.exe"

    install 0 "$package"
    # The older package's removal ended its instance with /KILL before its file went.
    wait_for 15 no_instance && ok "the older instance has ended" || fail "still running: $(instances)"
    expect_same_file "$shipped" "$unix_folder/LumoraReady.exe"
    expect_no_key "HKLM\\$uninstall_key\\$(product_code "$old_package")"
    expect_value "$entry_key" DisplayVersion "$version"
    expect_value "HKLM\\$run_key" "Lumora Ready" "\"$program\""
    log_in_again
    expect_one_instance
}

refused_downgrade() {
    make_older_package
    install 0 "$package"
    install 1603 "$old_package"
    expect_same_file "$shipped" "$unix_folder/LumoraReady.exe"
    expect_value "$entry_key" DisplayVersion "$version"
    expect_no_key "HKLM\\$uninstall_key\\$(product_code "$old_package")"
}

# Removal of a running installation with "Silent" written, beside a setting that the package did
# not write: only what the package installed goes.
removal() {
    run reg add "HKLM\\$ready_key" /v Path /d 'C:\Capture\Other.exe' /f "$view" >/dev/null
    install 0 "$package" SILENT=1
    run_at_login HKLM
    expect_one_instance
    msi 0 /x "$(product_code "$package")" /qn
    wait_for 15 no_instance && ok "nothing runs" || fail "still running: $(instances)"
    expect_no_file "$unix_folder/LumoraReady.exe"
    expect_value "HKLM\\$run_key" "Lumora Ready"
    expect_no_key "$entry_key"
    expect_value "HKLM\\$ready_key" Silent
    expect_value "HKLM\\$ready_key" Path 'C:\Capture\Other.exe'
    expect_suite_untouched
}

plant_suite
case $scenario in
    silent-install) silent_install ;;
    upgrade-while-running) upgrade_while_running ;;
    refused-downgrade) refused_downgrade ;;
    removal) removal ;;
    *) echo "unknown scenario: $scenario" >&2; exit 2 ;;
esac
report "$scenario"
