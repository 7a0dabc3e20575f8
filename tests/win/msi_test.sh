#!/usr/bin/env bash
# The Windows Installer package under Wine, one scenario a run, each in a Wine session and prefix
# of its own (see installer_session.sh), with the suite in place before the install.
#
#   msi_test.sh <scenario> <state-dir> <package.msi> <shipped LumoraReady.exe> <bin-dir> <msi-arch> <version> <wixl> <msibuild>
#
# Scenarios: silent-install, upgrade-while-running, refused-downgrade, refused-folder, removal.
# bin-dir holds install_probe.exe, end_instance.exe and the stand-ins; msi-arch (x86 or x64) and version are the
# package's. An older package to upgrade from is built with installer/build_msi.sh, by the wixl and
# msibuild named.
set -euo pipefail
[ $# -eq 9 ] || { echo "usage: $0 <scenario> <state-dir> <package.msi> <program> <bin-dir> <msi-arch> <version> <wixl> <msibuild>" >&2; exit 2; }
scenario=$1 state=$2 package=$3 shipped=$4 bin=$5 arch=$6 version=$7 wixl=$8 msibuild=$9
msiinfo=$(dirname "$msibuild")/msiinfo
[ "$arch" = x86 ] && bits=32 || bits=64
. "$(dirname "$0")/installer_session.sh"

# The package's entry in Add/Remove Programs is named by its product code.
product_code() { "$msiinfo" export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
entry_key="HKLM\\$uninstall_key\\$(product_code "$package")"

# Installs a package from the prefix's drive: <expected exit code> <package> <properties>. A failed
# installation ends with 1603.
install() {
    cp "$2" "$drive_c/$(basename "$2")"
    expect_status "$1" msiexec /i "C:\\$(basename "$2")" /qn "${@:3}"
}

# An older package: an older version of the product, the same program with bytes of its own
# after the image; as $old_package, and its program as $old_program.
make_older_package() {
    mkdir -p "$state/old"
    old_program=$state/old/LumoraReady.exe old_package=$state/old/LumoraReady-older.msi
    cp "$shipped" "$old_program"
    printf 'an older build' >>"$old_program"
    "$here/../../installer/build_msi.sh" "$wixl" "$msibuild" "$arch" 0.9.0 "$old_program" \
        "$here/../../src/res/icons/lumora_ready.ico" "$bin/end_instance.exe" "$old_package"
}

# The package starts nothing: the program starts at the next login, from the machine's Run value.
silent_install() {
    install 0 "$package" SILENT=1
    expect_same_file "$shipped" "$unix_folder/LumoraReady.exe"
    expect_run_values "\"$program\"" ""
    expect_value "$entry_key" DisplayName "Lumora Ready" DisplayVersion "$version" Publisher "Vexa Corporation"
    expect_value "HKLM\\$ready_key" Silent 0x1
    expect_event_source
    check "no instance after the install" no_instance

    # What the shell runs at login starts the installed program, once.
    run_at_login HKLM
}

upgrade_while_running() {
    make_older_package
    install 0 "$old_package"
    run_at_login HKLM
    expect_same_file "$old_program" "$unix_folder/LumoraReady.exe"
    plant_recorder

    install 0 "$package"
    # The older package's removal ended its instance before its file went.
    check "the older instance has ended" wait_for 15 no_instance
    expect_nothing_started_from_folder
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

# A folder that users may write is refused; a user who is not an administrator cannot even name one.
refused_folder() {
    install 1603 "$package" 'INSTALLDIR=C:\LumoraReady'
    expect_no_file "$drive_c/LumoraReady/LumoraReady.exe"
    local secure=$("$msiinfo" export "$package" Property | sed -n 's/^SecureCustomProperties\t//p')
    check "INSTALLDIR is not among the secure properties, $secure" [ "${secure/INSTALLDIR/}" = "$secure" ]
}

# Removal of a running installation with "Silent" written, beside a setting that the package did
# not write: only what the package installed goes.
removal() {
    run reg add "HKLM\\$ready_key" /v Path /d 'C:\Capture\Other.exe' /f "$view" >/dev/null
    install 0 "$package" SILENT=1
    run_at_login HKLM
    plant_recorder
    expect_status 0 msiexec /x "$(product_code "$package")" /qn
    check "nothing runs" wait_for 15 no_instance
    expect_nothing_started_from_folder
    check "no event log source" no_event_source
    expect_no_file "$unix_folder/LumoraReady.exe"
    expect_value "HKLM\\$run_key" "Lumora Ready"
    expect_no_key "$entry_key"
    expect_value "HKLM\\$ready_key" Silent "" Path 'C:\Capture\Other.exe'
    expect_suite_untouched
}

run_scenario "$scenario"
