#!/bin/sh
# The lane's runner inside the guest, as its first process, from the run's folder (/mnt): mounts
# the shared folders at their host paths, runs job.sh with stdout and stderr on the virtio ports,
# writes the exit status into the run's folder and powers off. Where anything fails before the
# job ends, no status is written and the host reports a crash.
PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
HOME=/root
LANG=C.UTF-8
# The guest's own 32-bit prefix, made when the image was built; its writes are thrown away.
TALON_WINEPREFIX=/root/wineprefix-win32
export PATH HOME LANG TALON_WINEPREFIX
run=/mnt

power_off() {
  kill -TERM -1 2>/dev/null
  sleep 1
  kill -KILL -1 2>/dev/null
  sync
  # Shares first, then the root, so that a kept image is clean.
  awk '$3 == "9p" { print $2 }' /proc/mounts | sort -r | while read -r point; do
    umount "$point" 2>/dev/null
  done
  mount -o remount,ro / 2>/dev/null
  echo o >/proc/sysrq-trigger
  sleep 60
}

port() {
  for entry in /sys/class/virtio-ports/*; do
    [ "$(cat "$entry/name")" = "$1" ] && echo "/dev/${entry##*/}" && return 0
  done
  return 1
}

mount -t tmpfs -o mode=1777 tmpfs /tmp
mkdir -p /dev/pts /dev/shm
mountpoint -q /dev/pts || mount -t devpts devpts /dev/pts
mountpoint -q /dev/shm || mount -t tmpfs -o mode=1777 shm /dev/shm
hostname lane32
ip link set lo up 2>/dev/null

if ! out=$(port stdout) || ! err=$(port stderr); then
  echo "lane32 guest: no output ports"
  power_off
fi
# Large programs crash at start-up inside the emulated Wine without cache=loose.
while read -r tag path; do
  mkdir -p "$path"
  mount -t 9p -o trans=virtio,version=9p2000.L,cache=loose,msize=524288 "$tag" "$path" ||
    { echo "lane32 guest: cannot mount $path" >"$err"; power_off; }
done <"$run/shares"

cd "$(cat "$run/cwd")" || { echo "lane32 guest: no folder $(cat "$run/cwd")" >"$err"; power_off; }
/bin/bash "$run/job.sh" >"$out" 2>"$err" </dev/null
echo $? >"$run/status.new"
mv "$run/status.new" "$run/status"
power_off
