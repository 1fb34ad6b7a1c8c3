# Fresh minimal Debian roots for the stages that check another release than the
# machine's. Sourced by .ci scripts; needs root.
#
# A root is made with Debian's own mmdebstrap (minbase: the essential packages
# and apt) and kept as a tarball under ROOT_CACHE, outside any clone, named by a
# hash of everything that decides its content: the suite, the mirrors, the
# packages, the set-up script run in it and mmdebstrap's options and version.
# A changed package list or set-up script thus makes a new root; a root older
# than ROOT_MAX_AGE_DAYS is made again, so that it does not lag far behind the
# mirror. Each use unpacks a new copy, so every stage starts from an unmodified
# root.

ROOT_CACHE=${ROOT_CACHE:-/var/cache/orbicascade-ci/roots}
ROOT_MAX_AGE_DAYS=7
DEBIAN_MIRROR=http://deb.debian.org/debian
SECURITY_MIRROR=http://deb.debian.org/debian-security

# Installed on first use. Its report goes to standard error: the callers of
# cached_root read its standard output. arch-test lets mmdebstrap check that
# it can run a foreign processor's programs before it makes a root of them.
ensure_mmdebstrap() {
    command -v mmdebstrap >/dev/null && return
    {
        DEBIAN_FRONTEND=noninteractive timeout 600 apt-get update -q &&
            DEBIAN_FRONTEND=noninteractive timeout 600 apt-get install -y -q --no-install-recommends \
                mmdebstrap arch-test
    } >&2
}

# The suite, its updates and its security updates, as the machine's own
# sources name them.
# ROOT_SECURITY_UPDATES=no leaves the last out, for a root whose foreign
# processor's security updates the mirror lacks: apt cannot mix two versions
# of a library across processors.
apt_sources() { # SUITE
    echo "deb $DEBIAN_MIRROR $1 main"
    echo "deb $DEBIAN_MIRROR $1-updates main"
    [ "${ROOT_SECURITY_UPDATES:-yes}" = no ] || echo "deb $SECURITY_MIRROR $1-security main"
}

# cached_root SUITE SETUP PACKAGE...: prints the tarball of a minimal root of
# SUITE with the PACKAGEs, in which the shell script SETUP (or nothing, if it
# is "") has been run as root, making it first if needed. The root's apt lists
# and package cache are left empty, as on a fresh system. ROOT_ARCHITECTURES,
# if set, names the root's processors as mmdebstrap's --architectures does:
# the first is the root's own, the others are added for their libraries
# ("amd64,arm64" and a PACKAGE "libpng-dev:arm64", say).
cached_root() {
    local suite=$1 setup=$2
    shift 2
    local packages
    packages=$(IFS=,; echo "$*")
    local -a options=(--variant=minbase --include="$packages" --format=tar)
    if [ -n "${ROOT_ARCHITECTURES:-}" ]; then
        options+=(--architectures="$ROOT_ARCHITECTURES")
    fi
    if [ -n "$setup" ]; then
        # mmdebstrap empties /tmp afterwards. ($1 is the root, for the hook.)
        # shellcheck disable=SC2016
        options+=(--customize-hook="upload $setup /tmp/setup.sh"
            --customize-hook='chroot "$1" sh /tmp/setup.sh')
    fi
    local -a sources
    mapfile -t sources < <(apt_sources "$suite")
    # The key hashes mmdebstrap's version, so it must be there first.
    ensure_mmdebstrap
    local key
    key=$( {
        mmdebstrap --version
        printf '%s\n' "$suite" "${options[@]}" "${sources[@]}"
        [ -z "$setup" ] || cat "$setup"
    } | sha256sum | cut -c1-16)
    local tarball=$ROOT_CACHE/$suite-$key.tar

    if [ -z "$(find "$tarball" -mtime -"$ROOT_MAX_AGE_DAYS" 2>/dev/null)" ]; then
        mkdir -p "$ROOT_CACHE"
        # Roots too old to be used again go, and so do the remains of a
        # making that was cut short.
        find "$ROOT_CACHE" \( -name '*.tar' -mtime +"$ROOT_MAX_AGE_DAYS" -o -name '*.part' -mmin +120 \) -delete
        echo "Making a $suite root ($packages) for $tarball" >&2
        # A name of its own, in case another run makes the same root meanwhile.
        # (Its caller reads this function's output, whatever its status: a
        # failure must leave no tarball, and name none.)
        timeout 3600 mmdebstrap --quiet "${options[@]}" "$suite" "$tarball.$$.part" "${sources[@]}" >&2 ||
            { rm -f "$tarball.$$.part"; return 1; }
        mv "$tarball.$$.part" "$tarball"
    fi
    echo "$tarball"
}

# The roots in use live in one folder, which goes when the script ends.
start_roots() {
    ROOTS_DIR=$(mktemp -d /var/tmp/orbicascade-roots.XXXXXX)
    trap remove_roots EXIT
}

unpack_root() { # TARBALL ROOT
    mkdir "$2"
    tar --extract --numeric-owner --file "$1" --directory "$2"
}

# .ci/in-root mounts nothing that outlives it, but should a mount be left
# under a root all the same, the root stays rather than rm reaching through it
# into the host's /dev or /sys.
remove_roots() {
    if findmnt --list --noheadings --output TARGET | grep -q "^$ROOTS_DIR/"; then
        echo "Mounts are left under $ROOTS_DIR; not removing it." >&2
        return 1
    fi
    rm -rf --one-file-system "$ROOTS_DIR"
}
