#!/usr/bin/env bash
# Builds the Windows Installer package from lumora_ready.wxs with wixl, then adds with msibuild the
# five things that wixl (a subset of WiX 3) cannot express:
# - the condition that leaves the "Silent" setting out of an installation without SILENT=1 (wixl
#   knows no feature or component conditions), as a row of the Condition table. The feature is
#   there by default and the condition takes it out, never the other way round: a feature whose
#   level is 0 at the removal is not removed, and a removal by REMOVE=ALL evaluates no condition
#   under Wine (it counts as a preselection there), so a condition that put the feature in would
#   leave "Silent" behind;
# - the removal of the installed package at the start of a major upgrade, right after
#   InstallValidate, instead of after InstallFinalize, where wixl puts it: the old package then ends
#   its running instance and removes its file before the new one installs, so the new file is
#   installed even when its file version is not higher (Windows keeps an installed file of the
#   same version; Wine replaces it, so the tests under Wine do not tell the two places apart);
# - the custom action that ends the running instance before the file goes, on removal as on the
#   removal of an upgrade: a program of the package's own Binary table, end_instance.exe, with the
#   installed program's path (wixl takes no BinaryKey). The installed program itself is never run:
#   whoever can write its folder decides what it is. It runs deferred and impersonated: as the
#   installing user, in that user's session, for a package run by hand; as SYSTEM in session 0 under
#   deployment tools, where it asks nothing and only waits. Before a first installation there is no
#   program to end;
# - the refusal of an INSTALLDIR outside the Program Files folders, once the folders are resolved
#   (CostFinalize): every user's login runs the program, so it must lie where only administrators
#   can change it. INSTALLDIR stays out of SecureCustomProperties, so that Windows Installer drops
#   it when a user who is not an administrator passes it to a machine-wide installation;
# - the event log source's "EventMessageFile" as a REG_EXPAND_SZ, the type the event log expects.
#
#   build_msi.sh <wixl> <msibuild> <x86|x64> <version> <program> <icon> <end_instance.exe> <output.msi>
#
# wixl finds its sources relative to the working folder only, so it runs in a folder of copies.
set -euo pipefail
[ $# -eq 8 ] || { echo "usage: $0 <wixl> <msibuild> <x86|x64> <version> <program> <icon> <end_instance.exe> <output.msi>" >&2; exit 2; }
wixl=$1 msibuild=$2 arch=$3 version=$4 program=$5 icon=$6 end_instance=$7 output=$8
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${output}.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/LumoraReady.exe"
cp "$icon" "$work/LumoraReady.ico"
(cd "$work" && "$wixl" -a "$arch" -D Arch="$arch" -D Version="$version" -D Program=LumoraReady.exe \
    -D Icon=LumoraReady.ico -o package.msi "$here/lumora_ready.wxs")

"$msibuild" "$work/package.msi" -q 'CREATE TABLE `Condition` (`Feature_` CHAR(38) NOT NULL, `Level` SHORT NOT NULL, `Condition` CHAR(255) PRIMARY KEY `Feature_`, `Level`)'
"$msibuild" "$work/package.msi" -q "INSERT INTO \`Condition\` (\`Feature_\`, \`Level\`, \`Condition\`) VALUES ('SilentSetting', 0, 'NOT (SILENT = 1) AND NOT REMOVE')"
"$msibuild" "$work/package.msi" -q "UPDATE \`InstallExecuteSequence\` SET \`Sequence\` = 1401 WHERE \`Action\` = 'RemoveExistingProducts'"
# "#%" makes a REG_EXPAND_SZ; wixl knows no expandable type, and escapes a "#" that it is given.
"$msibuild" "$work/package.msi" -q "UPDATE \`Registry\` SET \`Value\` = '#%[#LumoraReady.exe]' WHERE \`Name\` = 'EventMessageFile'"
# Type 1090: a program from the Binary table (2), deferred (1024), its exit code ignored (64).
mkdir "$work/Binary"
cp "$end_instance" "$work/Binary/EndInstance.ibd"
printf 'Name\tData\ns72\tv0\nBinary\tName\nEndInstance\tEndInstance.ibd\n' >"$work/Binary.idt"
(cd "$work" && "$msibuild" package.msi -i Binary.idt)
"$msibuild" "$work/package.msi" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('EndRunningInstance', 1090, 'EndInstance', '\"[#LumoraReady.exe]\"')"
"$msibuild" "$work/package.msi" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('EndRunningInstance', 3499)"
# Type 19: an error that ends the installation with its formatted text. A prefix of an empty
# ProgramFiles64Folder (32-bit Windows) would admit any folder, and "\..\" would leave the prefix.
refusal='Lumora Ready is installed for every user only under the Program Files folders, which only administrators can change; [INSTALLDIR] is not one of them.'
condition='NOT Installed AND ((NOT (ProgramFilesFolder AND INSTALLDIR ~<< ProgramFilesFolder) AND NOT (ProgramFiles64Folder AND INSTALLDIR ~<< ProgramFiles64Folder)) OR INSTALLDIR >< "\..\")'
"$msibuild" "$work/package.msi" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Target\`) VALUES ('RefuseFolderOutsideProgramFiles', 19, '$refusal')"
"$msibuild" "$work/package.msi" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('RefuseFolderOutsideProgramFiles', '$condition', 1001)"
mv "$work/package.msi" "$output"
