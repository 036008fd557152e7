#!/usr/bin/env bash
# What set-up and the choice of lane do on machines in different states, played by stand-in
# apt-get, apt-cache, dpkg, dpkg-query and wine commands and a stand-in 32-bit loader. Set-up runs
# from a copy of the scripts, so that the clone's own third_party/ and caches are not touched.
set -uo pipefail
project=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0

# The stand-ins read the machine's state from files in $STATE and log every call to $STATE/calls.
make_stand_ins() {
  local bin=$scratch/bin
  mkdir -p "$bin"
  cat >"$bin/apt-get" <<'STAND_IN'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STATE/calls"
case "$1" in
  update)
    if [ -f "$STATE/index-fails" ]; then
      echo "E: Failed to fetch http://mirror.invalid/debian-security/dists/s/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100
    fi
    # An update indexes the source entries present at that moment.
    [ -f "$TALON_APT_SOURCES/talon-deb-src.sources" ] && touch "$STATE/source-index"
    touch "$STATE/updated" ;;
  install)
    for p in "$@"; do
      case "$p" in -*|install) continue ;; esac
      if grep -qxF "$p" "$STATE/uninstallable" 2>/dev/null; then
        echo " $p : Depends: libwine:i386 (= 8.0) but it is not going to be installed"
        echo "E: Unable to correct problems, you have held broken packages."
        exit 100
      fi
    done
    for p in "$@"; do case "$p" in -*|install) ;; *) echo "$p" >>"$STATE/installed" ;; esac; done ;;
  source)
    [ -f "$STATE/source-index" ] || { echo "E: You must put some 'deb-src' URIs in your sources.list"; exit 100; }
    mkdir -p libpng1.6-1.6.39 && echo '/* png */' >libpng1.6-1.6.39/png.h
    echo "Version: 1.6.39-2" >libpng1.6_1.6.39-2.dsc ;;
esac
exit 0
STAND_IN
  cat >"$bin/apt-cache" <<'STAND_IN'
#!/usr/bin/env bash
echo "apt-cache $*" >>"$STATE/calls"
echo "Version: 1.6.39-2"
STAND_IN
  cat >"$bin/dpkg-query" <<'STAND_IN'
#!/usr/bin/env bash
grep -qxF "${!#}" "$STATE/installed" 2>/dev/null && printf 'install ok installed' && exit 0
exit 1
STAND_IN
  cat >"$bin/dpkg" <<'STAND_IN'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STATE/calls"
[ "$1" = --print-foreign-architectures ] && [ -f "$STATE/i386" ] && echo i386
[ "$1" = --add-architecture ] && touch "$STATE/i386"
exit 0
STAND_IN
  cat >"$bin/wine" <<'STAND_IN'
#!/usr/bin/env bash
[ -f "$STATE/wine32-starts" ]
STAND_IN
  cat >"$bin/ld32" <<'STAND_IN'
#!/usr/bin/env bash
[ -f "$STATE/kernel-runs-32bit" ]
STAND_IN
  chmod +x "$bin"/*
}

required="cmake g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 xvfb xauth googletest dpkg-dev lv2-dev lilv-utils sordi ardour libpng-dev libcairo2-dev libx11-dev jalv jackd2 xdotool libxtst-dev libxres-dev"

# new_machine NAME: a fresh state and a fresh clone of the scripts.
new_machine() {
  export STATE=$scratch/$1
  mkdir -p "$STATE/clone"
  cp -r "$project/scripts" "$STATE/clone/"
  : >"$STATE/calls"
  export TALON_CACHE=$STATE/cache TALON_LD32=$scratch/bin/ld32 TALON_APT_PAUSE=0
  # The machine's own entry, and by default a source entry with its index already there.
  export TALON_APT_SOURCES=$STATE/sources
  mkdir -p "$TALON_APT_SOURCES"
  printf 'Types: deb\nURIs: http://mirror.invalid/debian\n' >"$TALON_APT_SOURCES/debian.sources"
  printf 'Types: deb-src\nURIs: http://mirror.invalid/debian\n' >"$TALON_APT_SOURCES/talon-deb-src.sources"
  touch "$STATE/source-index"
}
no_source_entry() { rm -f "$TALON_APT_SOURCES/talon-deb-src.sources" "$STATE/source-index"; }
installed() { printf '%s\n' "$@" >>"$STATE/installed"; }
cache_png() { mkdir -p "$TALON_CACHE/libpng1.6/1.6.39-2" && echo x >"$TALON_CACHE/libpng1.6/1.6.39-2/png.h"; }
run_setup() {
  status=0
  PATH="$scratch/bin:$PATH" "$STATE/clone/scripts/setup.sh" >"$STATE/out" 2>&1 || status=$?
}
lane() {
  PATH="$scratch/bin:$PATH" bash -c 'TALON_ROOT=$1; source "$1/scripts/common.sh"; talon_choose_lane' \
    _ "$STATE/clone"
}
expect() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "setup decisions: FAILED: $what" >&2
    sed 's/^/  | /' "$STATE/out" "$STATE/calls" >&2
  fi
}
no_package_call() { ! grep -q '^apt-get\|^apt-cache\|^dpkg --add' "$STATE/calls"; }

make_stand_ins

new_machine all-present
installed $required wine32:i386
cache_png
touch "$STATE/kernel-runs-32bit" "$STATE/wine32-starts"
run_setup
expect "all present: set-up succeeds" test "$status" -eq 0
expect "all present: no package call at all" no_package_call
expect "all present: says so" grep -q "no package call" "$STATE/out"
expect "all present: the clone gets the cached libpng" test -f "$STATE/clone/third_party/libpng/png.h"
expect "all present: the suite runs on the host's 32-bit Wine" test "$(lane)" = native32

new_machine one-index-failing
installed cmake
cache_png
touch "$STATE/index-fails"
run_setup
expect "failing index: set-up still succeeds" test "$status" -eq 0
expect "failing index: the update is tried 3 times" test "$(grep -c '^apt-get update' "$STATE/calls")" -eq 3
expect "failing index: one line names it" \
  test "$(grep -c 'index still failing.*binary-i386/Packages.xz' "$STATE/out")" -eq 1
expect "failing index: what is missing is installed" grep -qx xvfb "$STATE/installed"

new_machine wine32-uninstallable
installed $required
cache_png
touch "$STATE/kernel-runs-32bit" "$STATE/index-fails"
echo wine32:i386 >"$STATE/uninstallable"
run_setup
expect "no wine32: set-up succeeds" test "$status" -eq 0
expect "no wine32: says where the suite will run" grep -q "run in a Debian root" "$STATE/out"
expect "no wine32: the suite falls back to the Debian root" test "$(lane)" = root32
: >"$STATE/calls"
run_setup
expect "no wine32: the next run makes no package call" no_package_call

new_machine wine32-broken
installed $required wine32:i386
cache_png
touch "$STATE/kernel-runs-32bit"
expect "wine32 that does not start: the Debian root" test "$(lane)" = root32

new_machine required-unavailable
installed cmake
cache_png
echo xvfb >"$STATE/uninstallable"
run_setup
expect "required package refused: set-up fails" test "$status" -ne 0
expect "required package refused: one line names it and why" \
  test "$(grep -c '^setup: error: cannot install xvfb: .*held broken packages' "$STATE/out")" -eq 1

new_machine kernel-refuses-32bit
installed $required
cache_png
run_setup
expect "no 32-bit kernel: wine32 is not wanted, no package call" no_package_call
expect "no 32-bit kernel: the emulated lane" test "$(lane)" = lane32

new_machine libpng-not-cached
installed $required
run_setup
expect "libpng fetched: set-up succeeds" test "$status" -eq 0
expect "libpng fetched: no index update when the fetch works" \
  test "$(grep -c '^apt-get update' "$STATE/calls")" -eq 0
expect "libpng fetched: cached by version" test -f "$TALON_CACHE/libpng1.6/1.6.39-2/png.h"
new_machine libpng-needs-update
installed $required
rm "$STATE/source-index"
run_setup
expect "stale source lists: updated once, then fetched" \
  test "$status-$(grep -c '^apt-get update' "$STATE/calls")" = 0-1

# A new machine: packages missing and no source entry. The entry must be in place before the one
# update, or the fetch finds no source index.
new_machine fresh
installed cmake
no_source_entry
run_setup
expect "fresh machine: set-up succeeds" test "$status" -eq 0
expect "fresh machine: one update, with the source entry" \
  test "$(grep -c '^apt-get update' "$STATE/calls")" -eq 1
expect "fresh machine: the source entry is derived from the machine's own" \
  grep -q '^Types: deb-src' "$TALON_APT_SOURCES/talon-deb-src.sources"
expect "fresh machine: libpng cached" test -f "$TALON_CACHE/libpng1.6/1.6.39-2/png.h"
expect "fresh machine: says it installs" grep -q '^setup: installing .*xvfb' "$STATE/out"

echo "setup decisions: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
