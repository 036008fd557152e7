# Makes a minimal Debian root for the 32-bit lanes (the chroot of scripts/root32/ and the emulated
# machine of scripts/lane32/). It takes only the main suite and its updates from the machine's
# own mirror: one consistent set of versions, which a security index caught mid-sync cannot break.
# shellcheck shell=bash
# shellcheck source=scripts/apt.sh
source "$(dirname "${BASH_SOURCE[0]}")/apt.sh"

# talon_make_debian_root ROOT LOG: debootstraps ROOT; the root's apt reads the main suite and its
# updates only, and nothing in it starts services.
talon_make_debian_root() {
  local root=$1 log=$2
  local own=/etc/apt/sources.list.d/debian.sources mirror suite
  [ -f "$own" ] || { echo "setup: error: no $own to take the mirror from" >&2; return 1; }
  mirror=$(sed -n 's/^URIs:[[:space:]]*//p' "$own" | head -n 1 | cut -d' ' -f1)
  suite=$(sed -n 's/^Suites:[[:space:]]*//p' "$own" | head -n 1 | cut -d' ' -f1)
  if ! debootstrap --variant=minbase --arch=amd64 "$suite" "$root" "$mirror" >"$log" 2>&1; then
    echo "setup: error: debootstrap of $suite from the machine's mirror failed:" >&2
    tail -n 20 "$log" >&2
    return 1
  fi
  rm -f "$root/etc/apt/sources.list"
  cat >"$root/etc/apt/sources.list.d/debian.sources" <<SOURCES
Types: deb
URIs: $mirror
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
}

# The host's tools for making a root.
talon_root_host_packages() {
  local missing
  mapfile -t missing < <(talon_missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "setup: installing ${missing[*]}"
  talon_apt_update talon_as_root
  talon_apt_install --prefix talon_as_root "${missing[@]}"
}
