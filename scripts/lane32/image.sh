#!/usr/bin/env bash
# Builds the lane's machine image once and caches it: a Debian root with 32-bit Wine, Xvfb and
# ctest, Debian's own kernel, and a 32-bit Wine prefix made by a first boot. Does nothing when the
# image for this recipe is there. Needs root (debootstrap) and about 4 GB while it builds.
set -euo pipefail
# shellcheck source=scripts/lane32/lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=scripts/debian-root.sh
source "$(dirname "$0")/../debian-root.sh"

image=$(lane32_image_dir)
[ -f "$image/ready" ] && exit 0

# Installed natively in the root, so i386 maintainer scripts that run 32-bit helpers may fail
# where the host cannot run 32-bit code; the first boot finishes them inside the guest.
base_packages=(linux-image-amd64 kmod iproute2 cmake)
guest_packages=(wine wine32:i386 wine64 xvfb xauth xfonts-base)
guest_prefix=/root/wineprefix-win32
root_headroom_mb=1536
first_boot_limit=3600

lane32_host_packages
mkdir -p "$lane32_cache"
exec 9>"$lane32_cache/lane32.lock"
flock 9
[ -f "$image/ready" ] && exit 0

started=$(date +%s)
work="$image.partial"
root="$work/root"

unmount_root() {
  local point
  for point in proc sys; do
    mountpoint -q "$root/$point" 2>/dev/null && umount "$root/$point"
  done
  return 0
}
trap unmount_root EXIT

in_root() {
  chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

make_root() {
  echo "lane32: building the machine image in $image (5 to 10 minutes, once)"
  unmount_root
  rm -rf "$work"
  mkdir -p "$work"
  talon_make_debian_root "$root" "$work/debootstrap.log"
  # The initramfs carries and loads the lane's drivers.
  mkdir -p "$root/etc/initramfs-tools/conf.d"
  echo RESUME=none >"$root/etc/initramfs-tools/conf.d/resume"
  printf '%s\n' virtio_pci virtio_blk virtio_console ext4 9pnet_virtio 9p \
    >>"$root/etc/initramfs-tools/modules"
  mount -t proc proc "$root/proc"
  mount -t sysfs sys "$root/sys"
  in_root dpkg --add-architecture i386
  talon_apt_update in_root
  in_root apt-get install -y -qq --no-install-recommends "${base_packages[@]}" >"$work/base.log" 2>&1 ||
    { tail -n 20 "$work/base.log" >&2; exit 1; }
  in_root apt-get install -y -qq --no-install-recommends --download-only "${guest_packages[@]}" \
    >/dev/null
  if in_root apt-get install -y -qq --no-install-recommends "${guest_packages[@]}" \
       >"$work/install.log" 2>&1 && [ -z "$(in_root dpkg --audit)" ]; then
    in_root apt-get clean
  else
    echo "lane32: some packages are left for the first boot"
  fi
  unmount_root
  echo "${guest_packages[*]}" >"$root/etc/lane32-packages"
  install -m 755 /dev/stdin "$root/sbin/lane32-init" <<'EOF'
#!/bin/sh
# The lane's first process: mounts the run's folder and hands over to the runner in it.
mount -t 9p -o trans=virtio,version=9p2000.L lane32job /mnt || exit 1
exec /bin/sh /mnt/guest.sh
EOF
}

copy_out_kernel() {
  local kernels=("$root"/boot/vmlinuz-*) initrds=("$root"/boot/initrd.img-*)
  cp "${kernels[0]}" "$work/vmlinuz"
  cp "${initrds[0]}" "$work/initrd.img"
}

make_disk() {
  local size_mb
  size_mb=$(( $(du -sm "$root" | cut -f1) + root_headroom_mb ))
  mkfs.ext4 -q -F -L lane32 -d "$root" "$work/root.img" "${size_mb}M" >/dev/null
  rm -rf "$root"
}

# Inside the guest, where 32-bit code runs: finish the packages, then make the Wine prefix.
first_boot() {
  local job="$work/first-boot"
  mkdir -p "$job"
  lane32_prepare_run "$job" /
  cat >"$job/job.sh" <<EOF
set -e
export DEBIAN_FRONTEND=noninteractive
dpkg --configure -a
apt-get install -y -qq --no-install-recommends --no-download \$(cat /etc/lane32-packages)
apt-get clean
test -z "\$(dpkg --audit)"
export WINEPREFIX=$guest_prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a wineboot -i
wineserver -w
test -f $guest_prefix/system.reg
EOF
  echo "lane32: first boot: finishing the packages and making the 32-bit Wine prefix"
  local status=0
  lane32_boot "$work" "$job" "$first_boot_limit" persist || status=$?
  if [ "$(cat "$job/status" 2>/dev/null)" != 0 ]; then
    echo "lane32: the first boot failed (qemu status $status); its output:" >&2
    tail -n 40 "$job/stdout" "$job/stderr" "$job/console.log" "$job/qemu.log" >&2
    exit 1
  fi
  e2fsck -fy "$work/root.img" >/dev/null 2>&1 || [ $? -le 1 ]
  rm -rf "$job"
}

make_root
copy_out_kernel
make_disk
first_boot
rm -rf "$image"
mv "$work" "$image"
touch "$image/ready"
# Images of older recipes are of no further use.
find "$lane32_cache" -maxdepth 1 -name 'lane32-*' ! -path "$image" -exec rm -rf {} +
echo "lane32: image ready in $(( $(date +%s) - started )) s: $(du -sh "$image" | cut -f1)"
