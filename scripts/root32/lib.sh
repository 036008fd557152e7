# Shared by the root's scripts: where it lives and how a command runs in it.
# shellcheck shell=bash
root32_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Named after the scripts that make it: a changed recipe makes a new root.
root32_dir() {
  local recipe
  recipe=$(cat "$root32_here/root.sh" "$root32_here/../debian-root.sh" | sha256sum | cut -c1-12)
  echo "$talon_cache/root32-$recipe"
}

# root32_in ROOT COMMAND...: runs COMMAND in ROOT with /proc, /sys, /dev and a fresh /tmp, in a
# mount namespace of its own, so that nothing stays mounted when it ends however it ends.
# ROOT32_SHARE, when set, is a host folder bound at its own path; the command starts there.
root32_in() {
  local root=$1
  shift
  unshare --mount --propagation private -- /bin/sh -c '
    root=$1; share=$2; shift 2
    mount -t proc proc "$root/proc" &&
    mount --rbind /sys "$root/sys" &&
    mount --rbind /dev "$root/dev" &&
    mount -t tmpfs tmpfs "$root/tmp" || exit 125
    cwd=/
    if [ -n "$share" ]; then
      mkdir -p "$root$share" && mount --bind "$share" "$root$share" || exit 125
      cwd=$share
    fi
    exec chroot "$root" /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 TERM=dumb \
      DEBIAN_FRONTEND=noninteractive PATH=/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}" \
      /bin/sh -c "cd \"\$0\" && exec \"\$@\"" "$cwd" "$@"
  ' root32-in "$root" "${ROOT32_SHARE:-}" "$@"
}
