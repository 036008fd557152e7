#!/usr/bin/env bash
# Builds the plug-in and runs it in the project's own host on a built-in stereo test signal.
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
