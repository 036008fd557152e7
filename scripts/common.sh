# Shared by demo.sh and test.sh: set-up, the product build, and the choice of the build that runs.
# shellcheck shell=bash

# Hosts load the 32-bit plug-in; this machine may not be able to run 32-bit code at all (some
# kernels have 32-bit emulation switched off), and then the same sources run as a 64-bit build.
talon_runnable_preset() {
  if [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

talon_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

# The plug-in must export exactly its entry under two names and import only Windows system DLLs.
talon_check_dll() {
  local dll=$1 objdump=$2
  local exports imports
  exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
            sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | LC_ALL=C sort | tr '\n' ' ')
  if [ "$exports" != "VSTPluginMain main " ]; then
    echo "check: $dll exports '$exports', expected 'VSTPluginMain main'" >&2
    return 1
  fi
  imports=$("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  local dll_name
  for dll_name in $imports; do
    case "$dll_name" in
      kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|ole32.dll|shell32.dll|advapi32.dll|\
      comdlg32.dll|uuid.dll|oleaut32.dll|msimg32.dll|ws2_32.dll|comctl32.dll) ;;
      *) echo "check: $dll imports $dll_name, which is not a Windows system DLL" >&2; return 1 ;;
    esac
  done
  echo "check: $(basename "$dll") exports VSTPluginMain and main; imports $(echo $imports)"
}

# The first Wine start creates the prefix; doing it once up front keeps parallel tests apart.
# Wine then keeps its server, and the desktop it made on the display it saw (none here), for a
# few seconds: the tests' windows would land on that desktop and fail, so it is waited out.
talon_prepare_wine() {
  local arch=$1
  "$TALON_ROOT/scripts/wine-run.sh" "$arch" cmd /c exit >/dev/null 2>&1 || true
  WINEPREFIX="${TALON_WINEPREFIX:-$TALON_ROOT/build/wineprefix-$arch}" wineserver -w 2>/dev/null || true
}
