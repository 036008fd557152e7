#!/usr/bin/env bash
# Installs what the build needs and puts the libpng source in place; makes no package call when
# everything is there. "setup.sh --artwork" also installs what redraws the panel's artwork.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/apt.sh
source "$root/scripts/apt.sh"
# shellcheck source=scripts/common.sh
source "$root/scripts/common.sh"
png_dir="$root/third_party/libpng"
png_cache="$talon_cache/libpng1.6"

# The LV2 headers build the native plug-in; lilv-utils, sordi and Ardour are the hosts that
# check it; libpng-dev serves the native build of the toolkit's drawing layer, libcairo2-dev and
# libx11-dev its X11 platform; jalv, jackd2 (its dummy driver and example clients) and xdotool
# show and drive the LV2 UI in a real host, libxtst-dev and libxres-dev let the UI's tests press
# the mouse and count the X server's resources. No Liberation fonts: Wine would draw the panel's
# Arial with them, and the Windows pictures and text tests are made with Wine's own choice.
packages=(cmake g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          wine wine64 xvfb xauth googletest dpkg-dev lv2-dev lilv-utils sordi ardour libpng-dev
          libcairo2-dev libx11-dev jalv jackd2 xdotool libxtst-dev libxres-dev)
# Optional, only for redrawing the artwork with resources/make_artwork.py; the build uses the
# committed images.
if [ "${1:-}" = "--artwork" ]; then
  packages+=(python3-cairo fonts-dejavu-core)
fi
# 32-bit Wine is wanted only where the kernel runs 32-bit code; where it cannot be had, the
# 32-bit suite runs in a Debian root of its own instead (scripts/root32/).
# A failed attempt is remembered for a few hours, so that later runs make no package call for it.
wanted=()
wine32_refused="$talon_cache/wine32-refused"
if talon_kernel_runs_32bit &&
   [ -z "$(find "$wine32_refused" -mmin -360 2>/dev/null)" ]; then
  wanted=(wine32:i386)
fi

# The newest cached libpng source, by version.
cached_png() {
  [ -d "$png_cache" ] || return 0
  find "$png_cache" -mindepth 2 -maxdepth 2 -name png.h -printf '%h\n' | sort -V | tail -n 1
}

# Source packages need a deb-src entry; derive it from the machine's own binary entry. Prints
# "new" when it wrote the entry: no index of it exists until the next update.
apt_sources=${TALON_APT_SOURCES:-/etc/apt/sources.list.d}
enable_sources() {
  local own=$apt_sources/debian.sources
  local src=$apt_sources/talon-deb-src.sources
  [ -f "$src" ] && return 0
  [ -f "$own" ] || { echo "setup: no $own to derive a source entry from" >&2; return 1; }
  sed -e 's/^Types:.*/Types: deb-src/' "$own" | talon_as_root tee "$src" >/dev/null
  echo new
}

# Fetches the libpng1.6 source into the cache, under its version. The newest listed version is
# sometimes missing from the mirror; older ones are tried after it.
fetch_png() {
  local work version unpacked
  work=$(mktemp -d)
  for version in "" $(apt-cache showsrc libpng1.6 2>/dev/null | sed -n 's/^Version: //p' | sort -rV); do
    rm -rf "${work:?}"/*
    if (cd "$work" && apt-get source -qq "libpng1.6${version:+=$version}" >/dev/null 2>&1); then
      unpacked=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libpng1.6-*' | head -n 1)
      if [ -n "$unpacked" ] && [ -f "$unpacked/png.h" ]; then
        version=$(sed -n 's/^Version: //p' "$work"/*.dsc | head -n 1)
        mkdir -p "$png_cache"
        rm -rf "${png_cache:?}/$version"
        mv "$unpacked" "$png_cache/$version"
        rm -rf "$work"
        return 0
      fi
    fi
  done
  rm -rf "$work"
  return 1
}

mapfile -t need < <(talon_missing_packages "${packages[@]}")
mapfile -t need_wanted < <(talon_missing_packages "${wanted[@]}")
png_source=$(cached_png)

if [ ${#need[@]} -eq 0 ] && [ ${#need_wanted[@]} -eq 0 ] && [ -n "$png_source" ]; then
  echo "setup: all packages installed, libpng source cached ($(basename "$png_source")): no package call"
else
  # The source entry goes in before any update, so that one update brings its index too.
  sources_new=no
  if [ -z "$png_source" ]; then
    sources_state=$(enable_sources) || exit 1
    [ "$sources_state" = new ] && sources_new=yes
  fi
  updated=no
  if [ ${#need[@]} -gt 0 ] || [ ${#need_wanted[@]} -gt 0 ]; then
    echo "setup: installing ${need[*]} ${need_wanted[*]} (a few minutes on a new machine)"
    if [ ${#need_wanted[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
      talon_as_root dpkg --add-architecture i386
    fi
    talon_apt_update talon_as_root
    updated=yes
    talon_apt_install --prefix talon_as_root "${need[@]}" || exit 1
    if [ ${#need_wanted[@]} -gt 0 ] && ! talon_apt_install --prefix talon_as_root "${need_wanted[@]}"; then
      echo "setup: 32-bit Wine cannot be had from this machine's packages; the 32-bit suite will run in a Debian root"
      mkdir -p "$talon_cache" && touch "$wine32_refused"
    fi
  fi
  if [ -z "$png_source" ]; then
    echo "setup: fetching the libpng source package"
    # A new entry has no index before an update; otherwise the lists are usually there already,
    # and the index is refreshed only when a fetch fails.
    if [ "$sources_new" = yes ] && [ "$updated" = no ]; then
      talon_apt_update talon_as_root
      updated=yes
    fi
    if ! fetch_png; then
      if [ "$updated" = no ]; then talon_apt_update talon_as_root; fi
      fetch_png || { echo "setup: error: cannot fetch the libpng1.6 source package" >&2; exit 1; }
    fi
    png_source=$(cached_png)
    echo "setup: fetched the libpng source $(basename "$png_source") into $png_cache"
  fi
fi

# Each clone takes its own copy, so that a build never writes into the shared cache.
if [ "$(cat "$png_dir/.talon-source" 2>/dev/null)" != "$png_source" ]; then
  rm -rf "$png_dir"
  mkdir -p "$(dirname "$png_dir")"
  cp -r "$png_source" "$png_dir"
  echo "$png_source" >"$png_dir/.talon-source"
fi
