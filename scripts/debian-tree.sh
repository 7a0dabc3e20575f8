# The Debian 13 tree that the WoW64 Wine and the installer tools are installed and run in: a root of
# its own in the machine's cache, outside the checkout, so that every clone on the machine shares it.
# Its packages are the exact versions of scripts/tool-pins. Sourced, not run, after lib.sh.
#
# LUMORA_WOW64_CACHE names the cache folder (default /var/cache/lumora-ready/wine-wow64).

CACHE=${LUMORA_WOW64_CACHE:-/var/cache/lumora-ready/wine-wow64}
TREE=$CACHE/tree
WINE_DIR=/opt/wine-wow64        # inside the tree

# Runs a command in the tree, in a mount namespace of its own, so that nothing stays mounted when it
# ends. exec all the way down: the command keeps this process's id, which callers record.
run_in_tree() {
    exec unshare -m --propagation private -- "$BASH" -c '
        tree=$1 root=$2 wine_dir=$3; shift 3
        mount --rbind /dev "$tree/dev"
        mount -t proc proc "$tree/proc"
        mount --rbind /sys "$tree/sys"
        mount --bind /tmp "$tree/tmp"
        if [ -n "$root" ]; then
            mkdir -p "$tree$root"
            mount --bind "$root" "$tree$root"
        fi
        locale=()
        [ -z "${LUMORA_WOW64_LC_ALL:-}" ] || locale=(LC_ALL="$LUMORA_WOW64_LC_ALL")
        # chroot starts at the root of the tree: the command goes on in the folder it was given,
        # where the tree has it (in the checkout or the temporary folder), so relative paths hold.
        exec chroot "$tree" /usr/bin/env -u LUMORA_WOW64_LC_ALL "${locale[@]}" \
            PATH="$wine_dir/bin:/usr/sbin:/usr/bin:/sbin:/bin" \
            /bin/sh -c '\''cd "$0" 2>/dev/null || cd /; exec "$@"'\'' "$PWD" "$@"
    ' run-in-tree "$TREE" "${TREE_CHECKOUT-$ROOT}" "$WINE_DIR" "$@"
}

# The host's Debian mirror, as apt is set up here.
mirror() {
    local uri
    uri=$(awk '/^URIs:/ && $2 ~ /\/debian\/?$/ { print $2; exit }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $2 ~ /\/debian\/?$/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
    [ -n "$uri" ] || die "no Debian mirror found in apt's sources"
    echo "$uri"
}

make_tree() {
    [ -f "$TREE/.lumora-tree" ] && return
    ensure_packages mmdebstrap
    local m
    m=$(mirror)
    rm -rf "$TREE" "$TREE.new"
    mmdebstrap --variant=apt --include=ca-certificates,dpkg-dev trixie "$TREE.new" \
        "deb $m trixie main" "deb-src $m trixie main" >"$CACHE/tree.log" 2>&1 ||
        die "the Debian 13 tree could not be made (see $CACHE/tree.log)"
    mv "$TREE.new" "$TREE"
    touch "$TREE/.lumora-tree"
}

PINS=$ROOT/scripts/tool-pins

# The pins of one part ("wine" or "installer"), one "suite package version [sha256]" line each: also
# the key of that part's cache.
pins() { awk -v part="$1" '$1 == part { $1 = ""; sub(/^ /, ""); print }' "$PINS"; }
pinned_version() { awk -v package="$1" '$3 == package { print $4 }' "$PINS"; }

# Installs a part's pinned packages of Debian 13 in the tree, each at exactly its version, with
# what they depend on; apt checks them against the release's signature.
install_pinned() {
    local wanted
    wanted=$(pins "$1" | awk '$1 == "trixie" && $2 !~ /:/ { printf "%s=%s ", $2, $3 }')
    (TREE_CHECKOUT='' run_in_tree env DEBIAN_FRONTEND=noninteractive WANTED="$wanted" bash -c '
        apt-get update -qq && apt-get install -y -qq --no-install-recommends --allow-downgrades $WANTED >/dev/null') ||
        die "the tree's packages could not be installed at their pinned versions: $wanted"
}

# Holds the cache for one builder at a time on file descriptor 8: a second caller waits for the
# first and then finds its result.
lock_cache() {
    mkdir -p "$CACHE"
    exec 8>"$CACHE/lock"
    flock 8
}
