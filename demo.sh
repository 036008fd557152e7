#!/usr/bin/env bash
# Builds the plug-in and runs it in the project's own host on a built-in stereo test signal, then
# takes a picture of its editor panel, under Wine and natively on Linux.
set -euo pipefail
TALON_ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$TALON_ROOT"
source scripts/common.sh

# Wine keeps one desktop per prefix for a few seconds after its last program, on the display it
# first saw: every program of the demo runs on one display, a virtual one when there is none.
# Set-up's few lines show, so that a first run on a new machine says what it installs.
if [ -z "${TALON_SETUP_DONE:-}" ]; then
  ./scripts/setup.sh
  export TALON_SETUP_DONE=1
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 2560x1600x24" "$0" "$@"
fi

talon_build win32 >/dev/null
talon_check_dll build/win32/bin/Talon5800.dll i686-w64-mingw32

preset=$(talon_runnable_preset)
if [ "$preset" != win32 ]; then
  talon_banner "32-bit Wine is not on this machine (its kernel refuses 32-bit code, or its packages" \
               "cannot give it): the demo runs the 64-bit build of the plug-in"
  talon_build "$preset" >/dev/null
fi
talon_prepare_wine "$preset"
mkdir -p out
bin="build/$preset/bin"
scripts/wine-run.sh "$preset" "$bin/talonhost.exe" \
  --set StEx=75 --output out/demo-output.wav "$@"
echo "demo: wrote out/demo-output.wav"

# The editor panel at the demo's setting; Wine's own messages go to a log.
if ! scripts/wine-run.sh "$preset" "$bin/talonhost.exe" \
     --set StEx=75 --screenshot out/panel.png >/dev/null 2>out/panel.log; then
  cat out/panel.log >&2
  exit 1
fi
echo "demo: wrote out/panel.png (the editor panel at StEx 75)"

# The same panel as a host set to 200 % shows it.
if ! scripts/wine-run.sh "$preset" "$bin/talonhost.exe" \
     --set StEx=75 --scale 2 --screenshot out/panel@2x.png >/dev/null 2>out/panel@2x.log; then
  cat out/panel@2x.log >&2
  exit 1
fi
echo "demo: wrote out/panel@2x.png (the editor panel at 200 %)"

# And at 300 %, the largest size, where the 3x artwork shows.
if ! scripts/wine-run.sh "$preset" "$bin/talonhost.exe" \
     --set StEx=75 --scale 3 --screenshot out/panel@3x.png >/dev/null 2>out/panel@3x.log; then
  cat out/panel@3x.log >&2
  exit 1
fi
echo "demo: wrote out/panel@3x.png (the editor panel at 300 %)"

# The control gallery: every control of the toolkit in one window, drawn once into a picture.
if ! scripts/wine-run.sh "$preset" "$bin/gallery.exe" \
     --screenshot out/gallery.png >/dev/null 2>out/gallery.log; then
  cat out/gallery.log >&2
  exit 1
fi
echo "demo: wrote out/gallery.png (the control gallery)"

# Wine's desktop would outlive a virtual display and complain about its end.
WINEPREFIX="$TALON_ROOT/build/wineprefix-$preset" wineserver -k 2>/dev/null || true

# The same panel from the native build: the Linux VST plug-in in the Linux talonhost, on a virtual
# display of its own, so that no other window can cover it while it is photographed.
talon_build linux >/dev/null
if ! talon_xvfb build/linux/bin/talonhost --set StEx=75 --screenshot out/panel-linux.png \
     >/dev/null 2>out/panel-linux.log; then
  cat out/panel-linux.log >&2
  exit 1
fi
echo "demo: wrote out/panel-linux.png (the editor panel of the Linux build at StEx 75)"
