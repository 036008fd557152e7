# Shared by demo.sh and test.sh: set-up, the product build, and the choice of the build that runs.
# shellcheck shell=bash

# A virtual display for programs with windows, wide enough for the panel at 300 % (2256 pixels)
# inside its host's window; the platform keeps a window within the screen's size.
talon_xvfb() {
  xvfb-run -a -s "-screen 0 2560x1600x24" "$@"
}

# Hosts load the 32-bit plug-in; this machine may not be able to run 32-bit code at all (some
# kernels have 32-bit emulation switched off), and then the same sources run as a 64-bit build.
talon_kernel_runs_32bit() {
  local loader=${TALON_LD32:-/lib/ld-linux.so.2}
  [ -x "$loader" ] && "$loader" --version >/dev/null 2>&1
}

# 32-bit Wine from the host's own packages, and it starts (Debian's wine picks it when present).
talon_host_wine32_works() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' &&
    WINEDEBUG=-all wine --version >/dev/null 2>&1
}

# Where the 32-bit suite runs: "native32" on the host, "root32" in a Debian root of the main
# suite (a chroot, full speed) where the host's packages cannot give 32-bit Wine, "lane32" in the
# emulated machine where the kernel refuses 32-bit code.
# TALON_FORCE_ROOT32=1 and TALON_FORCE_LANE32=1 take those lanes where a better one would do.
talon_choose_lane() {
  if ! talon_kernel_runs_32bit || [ "${TALON_FORCE_LANE32:-}" = 1 ]; then
    echo lane32
  elif [ "${TALON_FORCE_ROOT32:-}" = 1 ] || ! talon_host_wine32_works; then
    echo root32
  else
    echo native32
  fi
}

# The build whose programs run on the host's own Wine.
talon_runnable_preset() {
  if [ "$(talon_choose_lane)" = native32 ]; then echo win32; else echo win64; fi
}

# Said loudly, so that a log shows at a glance that the 32-bit suite did not run on the host.
talon_banner() {
  local line
  line=$(printf '!%.0s' $(seq 1 96))
  echo "$line"
  printf '!!! %s\n' "$@"
  echo "$line"
}

talon_build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

# A Linux plug-in as hosts load it: exactly the entries it names (in sorted order) and no C++
# runtime of the system's, which could clash with the host's.
talon_check_so() {
  local so=$1 expected=$2 exports
  exports=$(nm -D --defined-only "$so" | awk '{print $3}' | LC_ALL=C sort | tr '\n' ' ')
  if [ "$exports" != "$expected " ]; then
    echo "check: $so exports '$exports', expected '$expected'" >&2
    return 1
  fi
  if objdump -p "$so" | grep -q 'NEEDED.*libstdc++'; then
    echo "check: $so needs the system's libstdc++" >&2
    return 1
  fi
}

# The DLL as plug-in users get it: exactly its entry under two names, imports of Windows system
# DLLs only, no debug sections (they sit in the .debug file beside it, which it names), a version
# resource, and no link time stamp, so that two builds of one commit are the same bytes.
talon_check_dll() {
  local dll=$1 triple=$2
  local objdump=$triple-objdump headers exports imports
  headers=$("$objdump" -p "$dll")
  exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
            sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | LC_ALL=C sort | tr '\n' ' ')
  if [ "$exports" != "VSTPluginMain main " ]; then
    echo "check: $dll exports '$exports', expected 'VSTPluginMain main'" >&2
    return 1
  fi
  imports=$(echo "$headers" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  local dll_name
  for dll_name in $imports; do
    case "$dll_name" in
      kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|ole32.dll|shell32.dll|advapi32.dll|\
      comdlg32.dll|uuid.dll|oleaut32.dll|oleacc.dll|msimg32.dll|ws2_32.dll|comctl32.dll) ;;
      *) echo "check: $dll imports $dll_name, which is not a Windows system DLL" >&2; return 1 ;;
    esac
  done
  local sections
  sections=$("$objdump" -h "$dll")
  if grep -q ' \.debug_' <<<"$sections"; then
    echo "check: $dll still carries debug sections" >&2
    return 1
  fi
  if [ ! -s "$dll.debug" ] || ! grep -q ' \.gnu_debuglink' <<<"$sections"; then
    echo "check: $dll has no debug file $(basename "$dll").debug beside it that it names" >&2
    return 1
  fi
  if ! grep -Eq '^Time/Date[[:space:]]+(Thu Jan  1 00:00:00 1970|0+)$' <<<"$headers"; then
    echo "check: $dll carries a link time stamp: $(echo "$headers" | grep '^Time/Date')" >&2
    return 1
  fi
  local text
  text=$(strings -e l "$dll")
  for field in "ProductName" "Talon 5800" "CompanyName" "Mirevox" "FileVersion" "1.0.0.0"; do
    if ! grep -qxF "$field" <<<"$text"; then
      echo "check: $dll's version resource lacks \"$field\"" >&2
      return 1
    fi
  done
  echo "check: $(basename "$dll") exports VSTPluginMain and main; imports $(echo $imports);" \
       "stripped ($(($(stat -c %s "$dll") / 1024)) KiB, debug file beside it); version 1.0.0.0; no time stamp"
}

# The first Wine start creates the prefix; doing it once up front keeps parallel tests apart.
# Wine then keeps its server, and the desktop it made on the display it saw (none here), for a
# few seconds: the tests' windows would land on that desktop and fail, so it is waited out.
talon_prepare_wine() {
  local arch=$1
  "$TALON_ROOT/scripts/wine-run.sh" "$arch" cmd /c exit >/dev/null 2>&1 || true
  WINEPREFIX="${TALON_WINEPREFIX:-$TALON_ROOT/build/wineprefix-$arch}" wineserver -w 2>/dev/null || true
}

# The tests that load the built 32-bit DLL as a host does; where 32-bit code cannot run natively
# they run in the emulated lane (scripts/lane32/). Those that drive a window with real input run
# there one at a time.
talon_lane32_tests='^(plugin_dll_tests|panel_dll_tests|artwork_tests|tools_host_e2e_.*)$'
talon_lane32_serial='^(panel_dll_tests|tools_host_e2e_editor_until_closed)$'
# Emulated code may run 100 to 300 times slower than native: limits per test, and for the boot.
talon_lane32_test_timeout=900
talon_lane32_timeout=2400

# talon_lane32 BUILD_DIR: the lane's own tests, then those tests on the 32-bit build in one boot.
talon_lane32() {
  local build_dir=$1
  if [ "${TALON_NO_LANE32:-}" = 1 ]; then
    echo "test: !!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"
    echo "test: !!! TALON_NO_LANE32=1: SKIPPED the emulated lane: the 32-bit DLL was NOT run !!!"
    echo "test: !!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"
    return 0
  fi
  local started
  started=$(date +%s)
  echo "test: [emulated lane] the machine image, then the lane's own tests"
  "$TALON_ROOT/scripts/lane32/image.sh"
  echo "test: [emulated lane] image ready after $(($(date +%s) - started)) s"
  "$TALON_ROOT/scripts/lane32/selftest.sh"
  echo "test: [emulated lane] the tests that load the 32-bit DLL, on $build_dir, in one boot" \
       "(the 64-bit build ran the whole suite above)"
  (cd "$TALON_ROOT" &&
   scripts/lane32/run.sh --timeout "$talon_lane32_timeout" scripts/lane32/dll-tests.sh \
     "$build_dir" "$talon_lane32_tests" "$talon_lane32_serial" "$talon_lane32_test_timeout")
  echo "test: [emulated lane] passed; it added $(($(date +%s) - started)) s"
}
