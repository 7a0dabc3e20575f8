#!/usr/bin/env bash
# Checks the calling conventions of the i686 library stand-ins from their files, since 32-bit code
# cannot run here: the exports carry no @N decoration, each WINAPI entry of the firmware service
# returns removing its own arguments (ret $N), and the capture driver's cdecl "VC_Open" returns
# with a plain ret, leaving them to the caller. The UI component library's entries, which regsvr32
# and COM look up by name, and its objects' members are WINAPI too.
#   check_calling_conventions.sh <objdump> <VexaCap.dll> <vxbios.dll> <VexaCuil.dll>
set -euo pipefail
objdump=$1 driver=$2 firmware=$3 components=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# "[   0] Name", or in newer binutils "[   0] +base[   1]  0000 Name": the name comes last.
exports() {
    "$objdump" -p "$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' |
        awk '{ print $NF }'
}

# The first return instruction of a function, found by its symbol. awk reads to the end, so that
# objdump is never cut off mid-write.
first_ret() {
    "$objdump" -d "$1" | awk -v label="<$2>:" '
        done { next }
        index($0, label) { inside = 1; next }
        inside && /^[0-9a-f]+ </ { done = 1; next }
        inside && /\tret/ { sub(/.*\tret */, "ret "); print; done = 1 }'
}

expect_ret() {
    local file=$1 symbol=$2 expected=$3 found
    found=$(first_ret "$file" "$symbol" | sed 's/ *$//')
    if [ "$found" = "$expected" ]; then
        echo "ok: $symbol returns with '$found'"
    else
        fail "$symbol returns with '${found:-nothing found}', expected '$expected'"
    fi
}

for file in "$driver" "$firmware" "$components"; do
    decorated=$(exports "$file" | grep '@' || true)
    [ -z "$decorated" ] || fail "$(basename "$file") exports decorated names: $decorated"
done
[ "$(exports "$driver" | grep -c '^VC_')" -eq 40 ] || fail "VexaCap.dll does not export the 40 VC_ names"
for name in Begin_VXBIOS_Call VXBIOS_BiosMessageReq VXBIOS_CancelMessageReq; do
    exports "$firmware" | grep -qx "$name" || fail "vxbios.dll does not export $name"
done

for name in DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer; do
    exports "$components" | grep -qx "$name" || fail "VexaCuil.dll does not export $name"
done

expect_ret "$firmware" _Begin_VXBIOS_Call@0 "ret"
expect_ret "$firmware" _VXBIOS_BiosMessageReq@12 'ret $0xc'
expect_ret "$firmware" _VXBIOS_CancelMessageReq@8 'ret $0x8'
expect_ret "$driver" _VC_Open "ret"
expect_ret "$components" _DllGetClassObject@12 'ret $0xc'
invoke=$("$objdump" -d "$components" | sed -n 's/^[0-9a-f]* <\(.*DispatchObject6Invoke.*@36\)>:$/\1/p' | head -n 1)
expect_ret "$components" "${invoke:-IDispatch::Invoke}" 'ret $0x24'

[ "$failures" -eq 0 ] || exit 1
echo "calling conventions as the contracts say"
