# Package calls shared by set-up and the Debian roots: a mirror that is briefly inconsistent (one
# index failing its size check while it syncs) is normal, so an update is retried and judged
# rather than obeyed, and only a package that cannot be installed stops the run.
# shellcheck shell=bash

# Per-user cache outside every clone: the libpng source, the Debian root, the emulated lane's image.
talon_cache=${TALON_CACHE:-${TALON_LANE32_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/talon5800}}
talon_apt_tries=${TALON_APT_TRIES:-3}
talon_apt_pause=${TALON_APT_PAUSE:-10}

talon_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# talon_apt_update [PREFIX...]: apt-get update, run through PREFIX (a chroot, say) when given.
# Retried; indexes that still fail are named in one line each and what downloaded is used.
talon_apt_update() {
  local log try failed=""
  log=$(mktemp)
  for try in $(seq 1 "$talon_apt_tries"); do
    if "$@" apt-get update -qq >"$log" 2>&1; then
      rm -f "$log"
      return 0
    fi
    failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\) *\(.*\)/\1 (\2)/p' "$log")
    [ "$try" -lt "$talon_apt_tries" ] && sleep "$talon_apt_pause"
  done
  if [ -z "$failed" ]; then
    failed="apt-get update: $(grep '^E:' "$log" | head -n 1)"
  fi
  echo "$failed" | while IFS= read -r line; do
    echo "setup: package index still failing after $talon_apt_tries tries, going on without it: $line"
  done
  rm -f "$log"
  return 0
}

# talon_apt_install [--prefix "PREFIX..."] PACKAGE...: installs them, or prints one line naming
# the first that cannot be installed and why, and returns 1.
talon_apt_install() {
  local prefix=()
  if [ "${1:-}" = --prefix ]; then
    read -r -a prefix <<<"$2"
    shift 2
  fi
  [ $# -gt 0 ] || return 0
  local log package reason
  log=$(mktemp)
  if DEBIAN_FRONTEND=noninteractive "${prefix[@]}" apt-get install -y -qq --no-install-recommends \
       "$@" >"$log" 2>&1; then
    rm -f "$log"
    return 0
  fi
  # Which one: apt names the culprit in its own words; try each alone to be sure.
  for package in "$@"; do
    if ! DEBIAN_FRONTEND=noninteractive "${prefix[@]}" apt-get install -y -qq \
         --no-install-recommends "$package" >"$log" 2>&1; then
      reason=$(grep -E '^(E:| [^ ].*: Depends:)' "$log" | head -n 2 | sed 's/^E: //' |
               tr '\n' ' ' | sed 's/  */ /g; s/ $//')
      echo "setup: error: cannot install $package: ${reason:-apt-get install failed}" >&2
      rm -f "$log"
      return 1
    fi
  done
  rm -f "$log"
  return 0
}

# Prints those of the given packages that are not installed.
talon_missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
