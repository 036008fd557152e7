#!/bin/sh
# Runs session.lua in Ardour's Lua session tool with a home of its own, so that no user's
# configuration, plug-in cache or session is read or written. The Linux VST is indexed first by
# Ardour's own scanner, as its editor does on start-up; the LV2 is found through LV2_PATH.
# Usage: ardour_session.sh ARDOUR_LUA VST_SCANNER LV2_FOLDER VST_OBJECT
set -eu
lua_tool=$1 scanner=$2
# Absolute paths: lilv takes a relative LV2_PATH entry for a URI and Ardour falls over.
lv2_folder=$(cd "$3" && pwd)
vst_object=$(cd "$(dirname "$4")" && pwd)/$(basename "$4")
here=$(cd "$(dirname "$0")" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
       XDG_DATA_HOME="$home/data"
# Ardour looks for scripts in its versioned configuration folder: ardour7-lua uses ardour7.
scripts="$XDG_CONFIG_HOME/$(basename "$lua_tool" -lua)/scripts"
mkdir -p "$scripts"
cp "$here"/dsp/*.lua "$scripts/"

LD_LIBRARY_PATH="$(dirname "$scanner")" "$scanner" -q -f "$vst_object"
# The VST's unique ID, as Ardour's index gives it.
vst_id=$(sed -n 's/.*<VST2Info id="\([0-9]*\)".*/\1/p' "$XDG_CACHE_HOME"/*/vst/*.v2i 2>/dev/null ||
         true)
[ -n "$vst_id" ] || { echo "Ardour's scanner did not index $vst_object"; exit 1; }

# Both the tool's status and the script's last line: a crash on the way out must not pass.
status=0
LV2_PATH="$lv2_folder" LXVST_PATH="$(dirname "$vst_object")" VST_PATH="" \
  timeout 60 "$lua_tool" "$here/session.lua" "$home/session" urn:mirevox:talon5800 "$vst_id" \
  >"$home/log" 2>&1 || status=$?
cat "$home/log"
[ "$status" -eq 0 ] && grep -q "^both plug-ins processed as the formula says$" "$home/log"
