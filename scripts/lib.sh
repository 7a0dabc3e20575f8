# Shared helpers of the build scripts: where things are, and installing what is missing.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

say() { printf '%s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Debian packages by purpose.
PACKAGES_BUILD=(cmake ninja-build g++ googletest libgtest-dev nsis wixl msitools libxml2-utils
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

# Configures and builds one preset; the second run only rebuilds what changed.
build_preset() {
    local preset=$1; shift
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" "$@"
}
