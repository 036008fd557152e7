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
if [ "$preset" != win32 ]; then
  echo "test: this machine cannot run 32-bit code; running the tests on the 64-bit build"
  talon_build "$preset"
fi
talon_prepare_wine "$preset"
xvfb-run -a ctest --preset "$preset"
