#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine.
set -euo pipefail
TALON_ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$TALON_ROOT"
source scripts/common.sh

./scripts/setup.sh

# The product is always built and checked as the 32-bit plug-in hosts load.
talon_build win32
talon_check_dll build/win32/bin/Talon5800.dll i686-w64-mingw32-objdump

preset=$(talon_runnable_preset)
# TALON_FORCE_LANE32=1 takes the emulated lane where 32-bit code would run natively.
if [ "${TALON_FORCE_LANE32:-}" = 1 ] && [ "$preset" = win32 ]; then
  echo "test: TALON_FORCE_LANE32=1: running as where 32-bit code cannot run"
  preset=win64
elif [ "$preset" != win32 ]; then
  echo "test: this machine cannot run 32-bit code"
fi
if [ "$preset" != win32 ]; then
  echo "test: running the whole suite on the 64-bit build, then the emulated lane"
  talon_build "$preset"
fi
talon_prepare_wine "$preset"
echo "test: [native Wine] the whole suite on build/$preset"
xvfb-run -a ctest --preset "$preset"
if [ "$preset" != win32 ]; then talon_lane32 build/win32; fi
