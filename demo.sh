#!/usr/bin/env bash
# Builds the plug-in and runs it in the project's own host on a built-in stereo test signal, then
# takes a picture of its editor panel.
set -euo pipefail
TALON_ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$TALON_ROOT"
source scripts/common.sh

./scripts/setup.sh >/dev/null
talon_build win32 >/dev/null
talon_check_dll build/win32/bin/Talon5800.dll i686-w64-mingw32-objdump

preset=$(talon_runnable_preset)
if [ "$preset" != win32 ]; then
  echo "demo: this machine cannot run 32-bit code; the demo runs the 64-bit build of the plug-in"
  talon_build "$preset" >/dev/null
fi
talon_prepare_wine "$preset"
mkdir -p out
bin="build/$preset/bin"
scripts/wine-run.sh "$preset" "$bin/talonhost.exe" \
  --set StEx=75 --output out/demo-output.wav "$@"
echo "demo: wrote out/demo-output.wav"

# The editor panel at the demo's setting. It needs a display; without one it is drawn on a
# virtual X server, whose end Wine's desktop process reports late: its messages go to a log.
display=()
if [ -z "${DISPLAY:-}" ]; then display=(xvfb-run -a); fi
if ! "${display[@]}" scripts/wine-run.sh "$preset" "$bin/talonhost.exe" \
     --set StEx=75 --screenshot out/panel.png >/dev/null 2>out/panel.log; then
  cat out/panel.log >&2
  exit 1
fi
echo "demo: wrote out/panel.png (the editor panel at StEx 75)"

# The control gallery: every control of the toolkit in one window, drawn once into a picture.
if ! "${display[@]}" scripts/wine-run.sh "$preset" "$bin/gallery.exe" \
     --screenshot out/gallery.png >/dev/null 2>out/gallery.log; then
  cat out/gallery.log >&2
  exit 1
fi
echo "demo: wrote out/gallery.png (the control gallery)"
