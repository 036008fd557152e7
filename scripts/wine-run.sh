#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and the demo: wine-run.sh win32|win64 PROGRAM ARGS...
# The Wine prefix lives in the build folder so that a build never touches the user's own.
set -euo pipefail
arch=$1
shift
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${TALON_WINEPREFIX:-$here/build/wineprefix-$arch}
# A crashing test must end, not wait in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
case "$arch" in
  win32) export WINEARCH=win32 loader=wine ;;
  win64) export WINEARCH=win64 loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-run: unknown architecture $arch" >&2; exit 2 ;;
esac
exec "$loader" "$@"
