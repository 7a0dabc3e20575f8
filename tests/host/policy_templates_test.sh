#!/usr/bin/env bash
# The Group Policy templates as the Group Policy editor reads them: well-formed files, every policy
# with its key, its value names and a value to write, in a category and with a supported-on
# definition of the template's own; every string and presentation that the template names
# defined in each language file, and every text box of a presentation bound to an element. Every
# key below Software\Policies, which Group Policy empties again; a path only as a computer policy.
#
#   policy_templates_test.sh <policy folder> <language>...
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <policy folder> <language>..." >&2; exit 2; }
folder=$1
shift
admx=$folder/LumoraReady.admx

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The values an XPath expression selects in a file, one a line; the default namespace is left out
# by naming elements with local-name().
pick() { xmllint --xpath "$2" "$1" 2>/dev/null | sed 's/^ *[a-zA-Z]*="\(.*\)"$/\1/' || true; }
el() { printf "*[local-name()='%s']" "$1"; }
# The names behind $(string.X) or $(presentation.X) references of a kind in the template.
references() { grep -o "\$($1\.[A-Za-z0-9_]*)" "$admx" | sed "s/^\$($1\.\(.*\))$/\1/" | sort -u; }

for file in "$admx" "${@/#/$folder/}"; do
    [ "$file" = "$admx" ] || file=$file/LumoraReady.adml
    xmllint --noout "$file" || fail "$file is not well-formed"
done

policies=$(pick "$admx" "//$(el policy)/@name")
[ -n "$policies" ] || fail "no policies in $admx"
categories=$(pick "$admx" "//$(el category)/@name")
supported=$(pick "$admx" "//$(el supportedOn)/$(el definitions)/$(el definition)/@name")
for name in $policies; do
    policy="//$(el policy)[@name='$name']"
    [[ $(pick "$admx" "string($policy/@key)") == 'Software\Policies\'?* ]] || fail "$name writes outside Software\Policies"
    class=$(pick "$admx" "string($policy/@class)")
    case $class in Machine|User|Both) ;; *) fail "$name has no class" ;; esac
    grep -qx "$(pick "$admx" "string($policy/$(el parentCategory)/@ref)")" <<<"$categories" || fail "$name is in no category of the template"
    grep -qx "$(pick "$admx" "string($policy/$(el supportedOn)/@ref)")" <<<"$supported" || fail "$name names no supported-on definition of the template"
    # A policy writes either its own value (on and off) or those of its elements, each named.
    elements=$(pick "$admx" "$policy/$(el elements)/*/@id")
    if [ -z "$elements" ]; then
        [ -n "$(pick "$admx" "string($policy/@valueName)")" ] || fail "$name writes no value"
        [ -n "$(pick "$admx" "string($policy/$(el enabledValue)/*/@value)")" ] || fail "$name has no value for enabled"
    else
        [ -n "$(pick "$admx" "string($policy/@presentation)")" ] || fail "$name has elements but no presentation"
        [ "$class" = Machine ] || fail "$name names a file to load or start: a computer policy only"
        for id in $elements; do
            [ -n "$(pick "$admx" "string($policy/$(el elements)/*[@id='$id']/@valueName)")" ] || fail "$name: $id has no value name"
        done
    fi
done

element_ids=$(pick "$admx" "//$(el elements)/*/@id")
for language in "$@"; do
    adml=$folder/$language/LumoraReady.adml
    strings=$(pick "$adml" "//$(el stringTable)/$(el string)/@id")
    presentations=$(pick "$adml" "//$(el presentationTable)/$(el presentation)/@id")
    [ -z "$(sort <<<"$strings" | uniq -d)" ] || fail "$adml defines a string twice: $(sort <<<"$strings" | uniq -d)"
    for id in $(references string); do grep -qx "$id" <<<"$strings" || fail "$adml has no string $id"; done
    for id in $(references presentation); do grep -qx "$id" <<<"$presentations" || fail "$adml has no presentation $id"; done
    for id in $(pick "$adml" "//$(el presentation)/*/@refId"); do
        grep -qx "$id" <<<"$element_ids" || fail "$adml binds $id, which is no element of the template"
    done
done

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "passed: $(wc -w <<<"$policies") policies in $*"
