#!/bin/sh
# Remakes packaging/screenshot.png, the README's picture: builds the screenshot
# tool (so the picture shows the game as it is now) and plays its scripted game
# on a 640x480 Xvfb screen of 24 bits, from the repository root.
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" >/dev/null
cmake --build "$BUILD_DIR" --target screenshot >/dev/null
xvfb-run -a -s "-screen 0 640x480x24" "$BUILD_DIR/tools/screenshot/screenshot" \
    packaging/screenshot.png
