#!/usr/bin/env bash
# Installs what the build needs and fetches the libpng source; does nothing when all is there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
png_dir="$root/third_party/libpng"

packages=(cmake g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          wine wine32:i386 wine64 xvfb xauth
          googletest dpkg-dev)
# Optional, only for redrawing the panel's artwork with resources/make_artwork.py; the build uses
# the committed images. "setup.sh --artwork" installs them too.
artwork_packages=(python3-cairo fonts-dejavu-core)
if [ "${1:-}" = "--artwork" ]; then
  packages+=("${artwork_packages[@]}")
fi

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Source packages need a deb-src entry; derive it from the machine's own binary entry.
enable_sources() {
  local own=/etc/apt/sources.list.d/debian.sources
  local src=/etc/apt/sources.list.d/talon-deb-src.sources
  [ -f "$src" ] && return 0
  [ -f "$own" ] || { echo "setup: no $own to derive a source entry from" >&2; return 1; }
  sed -e 's/^Types:.*/Types: deb-src/' "$own" | as_root tee "$src" >/dev/null
  return 0
}

need=$(missing_packages)
if [ -n "$need" ] || [ ! -f "$png_dir/png.h" ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  enable_sources
  as_root apt-get update -qq
  if [ -n "$need" ]; then
    # shellcheck disable=SC2086
    as_root apt-get install -y -qq --no-install-recommends $need >/dev/null
  fi
fi

if [ ! -f "$png_dir/png.h" ]; then
  work="$root/third_party/download"
  rm -rf "$work" && mkdir -p "$work"
  # The newest listed version is sometimes missing from the mirror; fall back to older ones.
  fetched=no
  for version in "" $(apt-cache showsrc libpng1.6 | sed -n 's/^Version: //p' | sort -rV); do
    rm -rf "${work:?}"/*
    if (cd "$work" && apt-get source -qq "libpng1.6${version:+=$version}" >/dev/null 2>&1); then
      fetched=yes
      break
    fi
  done
  if [ "$fetched" != yes ]; then
    echo "setup: could not fetch the libpng1.6 source package" >&2
    exit 1
  fi
  unpacked=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libpng1.6-*' | head -n 1)
  [ -n "$unpacked" ] || { echo "setup: libpng source did not unpack" >&2; exit 1; }
  rm -rf "$png_dir"
  mv "$unpacked" "$png_dir"
  rm -rf "$work"
fi
