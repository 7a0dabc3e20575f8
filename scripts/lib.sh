# Shared helpers of the build scripts: where things are, and installing what is missing.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

say() { printf '%s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }
# Runs a command, then says how long it took.
timed() {
    local label=$1 started=$SECONDS status=0
    shift
    "$@" || status=$?
    say "== $label took $((SECONDS - started)) s"
    return "$status"
}

# Debian packages by purpose.
# The installers' own tools come from scripts/installer-tools.
PACKAGES_BUILD=(cmake ninja-build g++ googletest libgtest-dev libxml2-utils osslsigncode p7zip-full gdb
                g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools)
PACKAGES_WINE=(wine64 wine xvfb xauth)

# Installs the packages that are not installed yet; a machine that has them all is not touched.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Configures and builds one preset; the second run only rebuilds what changed. The installer
# tools, where scripts/installer-tools has installed them, are named to the build explicitly by
# this checkout's own commands for them, so that a build tree that found others before takes them.
build_preset() {
    local preset=$1; shift
    local tools=() bin
    if bin=$("$ROOT/scripts/installer-tools" bin 2>/dev/null); then
        tools=(-DLUMORA_MAKENSIS="$bin/makensis" -DLUMORA_WIXL="$bin/wixl" -DLUMORA_MSIBUILD="$bin/msibuild")
    fi
    cmake --preset "$preset" "${tools[@]}" >/dev/null
    cmake --build --preset "$preset" "$@"
}

# Whether this machine's 64-bit processes may run 32-bit code, as the WoW64 Wine (and so the 32-bit
# build's Windows tests, demo and benchmarks) needs: where they may not, prints why and fails. The
# probe takes a few milliseconds; it is compiled once into build/. LUMORA_WOW64_PRETEND_UNABLE=1
# has a capable machine answer as one that cannot, for the harness's own test.
wow64_probe() {
    if [ "${LUMORA_WOW64_PRETEND_UNABLE:-0}" = 1 ]; then
        echo "LUMORA_WOW64_PRETEND_UNABLE=1 takes this machine for one whose 64-bit processes cannot run 32-bit code"
        return 1
    fi
    local source=$ROOT/scripts/wow64-probe.c probe=$ROOT/build/wow64-probe
    if [ ! -x "$probe" ] || [ "$source" -nt "$probe" ]; then
        mkdir -p "$ROOT/build"
        ensure_packages gcc libc6-dev >&2
        cc -static -no-pie -O2 -o "$probe.$$" "$source" >&2 ||
            { echo "the probe $source could not be compiled with cc"; return 1; }
        mv "$probe.$$" "$probe"
    fi
    "$probe"
}
