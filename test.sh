#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the native Linux build first, then under Wine.
set -euo pipefail
TALON_ROOT=$(cd "$(dirname "$0")" && pwd)
cd "$TALON_ROOT"
source scripts/common.sh

# The set-up's own decisions first: they are what a fresh machine meets.
echo "test: [set-up] decisions under stand-in package and Wine commands"
tests/scripts/setup_decisions.sh

./scripts/setup.sh

# The native Linux build is the fast suite: the effect, the host layer and the Linux plug-ins in
# their real hosts, without Wine.
echo "test: [native] the Linux build's suite"
talon_build linux
talon_check_so build/linux/bin/talon5800.so "VSTPluginMain main"
talon_check_so build/linux/lv2/talon5800.lv2/talon5800.so "lv2_descriptor"
talon_check_so build/linux/lv2/talon5800.lv2/talon5800_ui.so "lv2ui_descriptor"
# The comparison with the Windows DLL's render waits until that is built, below.
ctest --preset linux -LE windows_dll

# lv2apply's renders through the bundle against talonhost.exe's through the DLL of the build that
# this machine's Wine runs (win32 or win64), sample for sample.
compare_dll_render() {
  echo "test: [native] lv2apply's renders against the $1 DLL's under Wine"
  TALON_WINDOWS_BUILD=$1 ctest --preset linux -L windows_dll --no-tests=error
  # Wine's server outlives these runs, which had no display, for a few seconds: windows opened
  # meanwhile would land on its desktop.
  WINEPREFIX="${TALON_WINEPREFIX:-$TALON_ROOT/build/wineprefix-$1}" wineserver -w 2>/dev/null || true
}

# The product is always built and checked as the 32-bit plug-in hosts load.
talon_build win32
talon_check_dll build/win32/bin/Talon5800.dll i686-w64-mingw32

lane=$(talon_choose_lane)
case "$lane" in
  native32)
    talon_prepare_wine win32
    echo "test: [native Wine] the whole suite on build/win32"
    talon_xvfb ctest --preset win32
    compare_dll_render win32
    ;;
  root32)
    talon_banner "32-bit Wine is not to be had from this machine's packages (or does not start):" \
                 "the whole 32-bit suite runs in a Debian root of the main suite (chroot, native" \
                 "speed), scripts/root32/"
    scripts/root32/run.sh scripts/root32/suite.sh
    echo "test: [Debian root] the whole suite on build/win32 passed"
    talon_banner "lv2apply's renders were NOT compared with the DLL's: this machine's Wine runs" \
                 "no 32-bit code and this lane builds no 64-bit DLL (the Linux VST object's were)"
    ;;
  lane32)
    if talon_kernel_runs_32bit; then
      echo "test: TALON_FORCE_LANE32=1: running as where 32-bit code cannot run"
    fi
    talon_banner "this machine's kernel cannot run 32-bit code: the whole suite runs on the 64-bit" \
                 "build, then the tests that load the 32-bit DLL run in the emulated lane"
    talon_build win64
    talon_check_dll build/win64/bin/Talon5800.dll x86_64-w64-mingw32
    talon_prepare_wine win64
    echo "test: [native Wine] the whole suite on build/win64"
    talon_xvfb ctest --preset win64
    talon_banner "lv2apply's renders are compared with the 64-bit DLL's: the 32-bit DLL's" \
                 "render cannot run beside lv2apply on this machine"
    compare_dll_render win64
    talon_lane32 build/win32
    ;;
esac
