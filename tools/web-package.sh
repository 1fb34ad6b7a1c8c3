#!/bin/sh
# Zips the web build's folder ($1) into $2 so that the same files give the same
# bytes: entries sorted, no folders or extra attributes, every file dated
# SOURCE_DATE_EPOCH in UTC with the same mode, whatever the umask and the clock.
set -eu
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$1"/* "$stage"
chmod 644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
rm -f "$2"
output=$(realpath "$2")
cd "$stage" && ls | LC_ALL=C sort | TZ=UTC zip -q -X -D "$output" -@
