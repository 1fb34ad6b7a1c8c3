#!/bin/sh
# Installs the Debian packages the build, the tests and the package checks need,
# and only those that are missing, so running it again costs one dpkg query.
set -eu

# libsdl1.2-compat is the second SDL 1.2 runtime the window tests run on.
PACKAGES="build-essential cmake pkg-config libsdl1.2-dev libsdl-image1.2-dev libsdl1.2-compat \
libgl-dev libglu1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev \
libfreetype-dev fonts-dejavu-core xvfb xauth xdotool x11-utils imagemagick \
clang clang-format libclang-rt-14-dev libpng-dev dpkg-dev file desktop-file-utils \
appstream lintian devscripts"

missing=""
for package in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
