#!/usr/bin/env bash
# Builds the Windows Installer package from lumora_ready.wxs with wixl, then adds with msibuild the
# two custom actions that wixl (a subset of WiX 3) cannot express:
# - the custom action that ends the running instance before the file goes, on removal as on the
#   removal of an upgrade: a program of the package's own Binary table, end_instance.exe, with the
#   installed program's path (wixl takes no BinaryKey for a program). The installed program itself
#   is never run: whoever can write its folder decides what it is. It runs deferred and
#   impersonated: as the installing user, in that user's session, for a package run by hand; as
#   SYSTEM in session 0 under deployment tools, where it asks nothing and only waits. Before a first
#   installation there is no program to end;
# - the refusal of an INSTALLDIR outside the Program Files folders, once the folders are resolved
#   (CostFinalize): every user's login runs the program, so it must lie where only administrators
#   can change it. INSTALLDIR stays out of SecureCustomProperties, so that Windows Installer drops
#   it when a user who is not an administrator passes it to a machine-wide installation.
#
# The same inputs make the same bytes: the product code follows the version and the platform, the
# package code the inputs, and the package's dates and its files' dates are SOURCE_DATE_EPOCH (the
# tools of scripts/installer-tools stop their clock there; default: now).
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
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date +%s)}
"$here/stage_files.sh" "$work" "$program" "$icon" "$end_instance"

# A GUID in Windows Installer's form from the SHA-256 of what it reads.
guid() { sha256sum | sed 's/^\(.\{8\}\)\(.\{4\}\)\(.\{4\}\)\(.\{4\}\)\(.\{12\}\).*/{\1-\2-\3-\4-\5}/' | tr a-f A-F; }
product_code=$(printf 'Lumora Ready %s %s' "$arch" "$version" | guid)
package_code=$(cat "$work"/* "$here/lumora_ready.wxs" "$0" - <<<"$arch $version $SOURCE_DATE_EPOCH" | guid)
[ "$arch" = x86 ] && platform=Intel || platform=x64

(cd "$work" && "$wixl" -a "$arch" -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
    -D Program="$(basename "$program")" -D Icon="$(basename "$icon")" -D EndInstance="$(basename "$end_instance")" -o package.msi \
    "$here/lumora_ready.wxs")
"$msibuild" "$work/package.msi" -s "Lumora Ready" "Vexa Corporation" "$platform;1033" "$package_code"

# Type 1090: a program from the Binary table (2), deferred (1024), its exit code ignored (64).
"$msibuild" "$work/package.msi" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('EndRunningInstance', 1090, 'EndInstance', '\"[#LumoraReady.exe]\"')"
"$msibuild" "$work/package.msi" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('EndRunningInstance', 3499)"
# Type 19: an error that ends the installation with its formatted text. A prefix of an empty
# ProgramFiles64Folder (32-bit Windows) would admit any folder, and "\..\" would leave the prefix.
refusal='Lumora Ready is installed for every user only under the Program Files folders, which only administrators can change; [INSTALLDIR] is not one of them.'
condition='NOT Installed AND ((NOT (ProgramFilesFolder AND INSTALLDIR ~<< ProgramFilesFolder) AND NOT (ProgramFiles64Folder AND INSTALLDIR ~<< ProgramFiles64Folder)) OR INSTALLDIR >< "\..\")'
"$msibuild" "$work/package.msi" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Target\`) VALUES ('RefuseFolderOutsideProgramFiles', 19, '$refusal')"
"$msibuild" "$work/package.msi" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('RefuseFolderOutsideProgramFiles', '$condition', 1001)"
mv "$work/package.msi" "$output"
