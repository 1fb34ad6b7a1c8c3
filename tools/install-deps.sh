#!/bin/sh
# Installs the Debian packages the build, the tests and the package checks need,
# and only those that are missing, so running it again costs one dpkg query.
# It works the same on Debian 12 and 13: every name below exists on both.
set -eu

# libsdl1.2-compat is the second SDL 1.2 runtime the window tests run on.
PACKAGES="build-essential cmake pkg-config libsdl1.2-dev libsdl-image1.2-dev libsdl1.2-compat \
libgl-dev libglu1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev \
libfreetype-dev fonts-dejavu-core xvfb xauth xdotool x11-utils imagemagick \
clang clang-format libclang-rt-dev libpng-dev dpkg-dev file desktop-file-utils \
appstream lintian devscripts"

# Installed where the release has them, and passed over where it has not:
# libsdl2-compat (SDL 2 over SDL 3) gives the window tests one more SDL stack
# from Debian 13 on. Whether apt can install it decides, not a release number.
WHERE_AVAILABLE="libsdl2-compat"

# `install-deps.sh web` installs instead what the browser build needs (Emscripten,
# and GoogleTest's sources for its tests), headless Chromium with the Python
# modules that drive it and read its screenshots, and zip for the release.
if [ "${1:-}" = web ]; then
    PACKAGES="cmake make emscripten googletest chromium python3-websocket python3-pil zip"
    WHERE_AVAILABLE=""
fi

# The names among the arguments that dpkg does not list as installed, in one
# query for all of them.
not_installed() {
    # One line per package, between newlines, so that a name matches whole.
    installed="
$(dpkg-query -W -f='${db:Status-Status} ${Package}\n' "$@" 2>/dev/null || true)
"
    for package in "$@"; do
        case "$installed" in
            *"
installed $package
"*) ;;
            *) echo "$package" ;;
        esac
    done
}

# The names among the arguments that apt could install from its current lists.
installable() {
    for package in "$@"; do
        if apt-get install --simulate --no-install-recommends "$package" >/dev/null 2>&1; then
            echo "$package"
        fi
    done
}

missing=$(not_installed $PACKAGES)
# shellcheck disable=SC2086
optional=$(not_installed $WHERE_AVAILABLE)

# With everything needed in place, an optional package not yet installed is
# looked for in the lists apt already has, so that a release without it does
# not pay for an `apt-get update` on every run.
if [ -z "$missing" ]; then
    # shellcheck disable=SC2086
    optional=$(installable $optional)
    [ -z "$optional" ] && exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
# A fresh system has no package lists at all, so an install always starts with
# fresh ones; only then does apt know what this release offers.
$SUDO apt-get update
# shellcheck disable=SC2086
optional=$(installable $optional)
echo "Installing missing packages:" $missing $optional
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing $optional
