#!/bin/sh
# A bundle copied into ~/.lv2 is found by lilv's default search path, as a user installs it.
# Usage: lv2ls_home.sh LV2LS BUNDLE URI
set -u
home=$(mktemp -d)
mkdir -p "$home/.lv2"
cp -r "$2" "$home/.lv2/"
env -u LV2_PATH HOME="$home" "$1" | grep -qx "$3"
status=$?
rm -rf "$home"
exit $status
