#!/usr/bin/env bash
# Makes the Debian root in which the 32-bit suite runs natively (a chroot, no emulation) where the
# kernel runs 32-bit code but the host's own packages cannot give 32-bit Wine. Once per machine,
# cached by recipe like the emulated lane's image; does nothing when it is there. Needs root.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/debian-root.sh
source "$here/../debian-root.sh"
# shellcheck source=scripts/root32/lib.sh
source "$here/lib.sh"

root_dir=$(root32_dir)
[ -f "$root_dir/ready" ] && exit 0
packages=(${TALON_ROOT32_PACKAGES:-wine wine32:i386 wine64 xvfb xauth xfonts-base cmake})

talon_root_host_packages debootstrap util-linux
mkdir -p "$talon_cache"
exec 9>"$talon_cache/root32.lock"
flock 9
[ -f "$root_dir/ready" ] && exit 0

started=$(date +%s)
work="$root_dir.partial"
rm -rf "$work"
mkdir -p "$work"
echo "root32: making the Debian root in $root_dir (about five minutes, once)"
talon_make_debian_root "$work/root" "$work/debootstrap.log"
root32_in "$work/root" dpkg --add-architecture i386
talon_apt_update root32_in "$work/root"
talon_apt_install --prefix "root32_in $work/root" "${packages[@]}"
root32_in "$work/root" apt-get clean
rm -rf "$root_dir"
mv "$work" "$root_dir"
touch "$root_dir/ready"
# Roots of older recipes are of no further use.
find "$talon_cache" -maxdepth 1 -name 'root32-*' ! -path "$root_dir" -exec rm -rf {} +
echo "root32: ready in $(($(date +%s) - started)) s: $(du -sh "$root_dir" | cut -f1)"
