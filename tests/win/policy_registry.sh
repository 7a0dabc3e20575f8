#!/usr/bin/env bash
# What every computer policy (Machine) or every user policy (User) of the Group Policy template
# writes when it is enabled, as a REGEDIT4 file: the value of an on/off policy as its enabled value
# says (decimal: REG_DWORD), and each text element's value (REG_SZ) with the data
# "C:\Policies\<policy name>". Each policy's values follow a comment line "; <policy name>". Keys are
# written as the template names them, below HKEY_LOCAL_MACHINE for computer policies and below
# HKEY_CURRENT_USER for user policies; a policy of class Both is each.
#
#   policy_registry.sh <template.admx> <Machine|User> <output.reg>
set -euo pipefail
[ $# -eq 3 ] && [[ $2 == Machine || $2 == User ]] || { echo "usage: $0 <template.admx> <Machine|User> <output.reg>" >&2; exit 2; }
admx=$1 class=$2 output=$3
[ "$class" = Machine ] && hive=HKEY_LOCAL_MACHINE || hive=HKEY_CURRENT_USER

pick() { xmllint --xpath "$1" "$admx" 2>/dev/null | sed 's/^ *[a-zA-Z]*="\(.*\)"$/\1/' || true; }
el() { printf "*[local-name()='%s']" "$1"; }
escaped() { sed 's/\\/\\\\/g; s/"/\\"/g' <<<"$1"; }
mkdir -p "$(dirname "$output")"

{
    echo REGEDIT4
    for name in $(pick "//$(el policy)/@name"); do
        policy="//$(el policy)[@name='$name']"
        case $(pick "string($policy/@class)") in "$class"|Both) ;; *) continue ;; esac
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
