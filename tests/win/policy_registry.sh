#!/usr/bin/env bash
# What every policy of the Group Policy template writes when it is enabled, as a REGEDIT4 file:
# the value of an on/off policy as its enabled value says (decimal: REG_DWORD), and each text
# element's value (REG_SZ) with the data "C:\Policies\<policy name>". Each policy's values follow a
# comment line "; <policy name>". Keys are written as the template names them.
#
#   policy_registry.sh <template.admx> <output.reg>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <template.admx> <output.reg>" >&2; exit 2; }
admx=$1 output=$2

pick() { xmllint --xpath "$1" "$admx" 2>/dev/null | sed 's/^ *[a-zA-Z]*="\(.*\)"$/\1/' || true; }
el() { printf "*[local-name()='%s']" "$1"; }
escaped() { sed 's/\\/\\\\/g; s/"/\\"/g' <<<"$1"; }
mkdir -p "$(dirname "$output")"

{
    echo REGEDIT4
    for name in $(pick "//$(el policy)/@name"); do
        policy="//$(el policy)[@name='$name']"
        [ "$(pick "string($policy/@class)")" = Machine ] && hive=HKEY_LOCAL_MACHINE || hive=HKEY_CURRENT_USER
        key=$(pick "string($policy/@key)")
        printf '\n; %s\n' "$name"
        value_name=$(pick "string($policy/@valueName)")
        if [ -n "$value_name" ]; then
            [ -n "$(pick "$policy/$(el enabledValue)/$(el decimal)")" ] || { echo "$name: only decimal enabled values are known here" >&2; exit 1; }
            printf '[%s\\%s]\n"%s"=dword:%08x\n' "$hive" "$key" "$(escaped "$value_name")" "$(pick "string($policy/$(el enabledValue)/$(el decimal)/@value)")"
        fi
        for id in $(pick "$policy/$(el elements)/*/@id"); do
            element="$policy/$(el elements)/*[@id='$id']"
            [ "$(pick "local-name($element)")" = text ] || { echo "$name: only text elements are known here" >&2; exit 1; }
            element_key=$(pick "string($element/@key)")
            printf '[%s\\%s]\n"%s"="%s"\n' "$hive" "${element_key:-$key}" \
                "$(escaped "$(pick "string($element/@valueName)")")" "$(escaped "C:\\Policies\\$name")"
        done
    done
} >"$output"
