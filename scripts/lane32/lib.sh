# Shared by the lane's scripts: where the image lives, the host packages, and one boot of the
# emulated machine.
# shellcheck shell=bash

lane32_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck disable=SC2034  # used by the scripts that source this one
lane32_root=$(cd "$lane32_dir/../.." && pwd)

# Outside the clone, so that every clone and CI run on the same machine reuses one image.
# shellcheck source=scripts/debian-root.sh
source "$lane32_dir/../debian-root.sh"
lane32_cache=$talon_cache

# The image is named after the script that makes it: a changed recipe makes a new image.
lane32_image_dir() {
  local recipe
  recipe=$(cat "$lane32_dir/image.sh" "$lane32_dir/../debian-root.sh" | sha256sum | cut -c1-12)
  echo "$lane32_cache/lane32-$recipe"
}

lane32_host_packages() {
  talon_root_host_packages qemu-system-x86 debootstrap e2fsprogs
}

# TCG by default: KVM, where a machine offers it nested, may hang the boot (it does on these
# machines). TALON_LANE32_ACCEL=kvm tries it. Plain "max" trips a TCG fault on the return to
# 32-bit user mode unless SMAP is off.
lane32_accel_args() {
  case "${TALON_LANE32_ACCEL:-tcg}" in
    kvm) echo "-accel kvm" ;;
    *) echo "-accel tcg,thread=multi" ;;
  esac
}

# lane32_prepare_run JOB_DIR CWD: the run's folder as the guest reads it, with the files its output
# arrives in already there for the host to follow.
lane32_prepare_run() {
  local job=$1 cwd=$2 file
  cp "$lane32_dir/guest.sh" "$job/guest.sh"
  echo "$cwd" >"$job/cwd"
  for file in stdout stderr console.log qemu.log shares; do : >"$job/$file"; done
}

# lane32_boot IMAGE_DIR JOB_DIR LIMIT_SECONDS DISK_MODE SHARE...
# Boots once with the run's folder JOB_DIR as the guest's "lane32job" share and each SHARE at its
# own path. The guest's stdout and stderr arrive in JOB_DIR/stdout and JOB_DIR/stderr, its console
# in JOB_DIR/console.log, qemu's own messages in JOB_DIR/qemu.log. DISK_MODE "snapshot" throws
# the guest's disk writes away; "persist" keeps them. Returns qemu's status, 124 when the limit
# ran out.
lane32_boot() {
  local image=$1 job=$2 limit=$3 mode=$4
  shift 4
  local args=() index=0 share snapshot=on
  [ "$mode" = persist ] && snapshot=off
  for share in "$@"; do
    args+=(-fsdev "local,id=share$index,path=$share,security_model=none"
           -device "virtio-9p-pci,fsdev=share$index,mount_tag=share$index")
    printf 'share%d %s\n' "$index" "$share" >>"$job/shares"
    index=$((index + 1))
  done
  # shellcheck disable=SC2046
  timeout --kill-after=10 "$limit" qemu-system-x86_64 -nodefaults -no-user-config -display none \
    -no-reboot $(lane32_accel_args) -cpu max,-smap -smp 2 -m 3072 \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 ia32_emulation=on panic=1 init=/sbin/lane32-init quiet" \
    -drive "file=$image/root.img,format=raw,if=virtio,cache=unsafe,snapshot=$snapshot" \
    -serial "file:$job/console.log" \
    -device virtio-serial-pci \
    -chardev "file,id=out,path=$job/stdout" -device virtserialport,chardev=out,name=stdout \
    -chardev "file,id=err,path=$job/stderr" -device virtserialport,chardev=err,name=stderr \
    -fsdev "local,id=job,path=$job,security_model=none" \
    -device virtio-9p-pci,fsdev=job,mount_tag=lane32job \
    "${args[@]}" </dev/null >"$job/qemu.log" 2>&1
}
