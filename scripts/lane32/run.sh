#!/usr/bin/env bash
# Runs one command in the lane's emulated 64-bit Linux machine, where 32-bit Wine works, and
# ends with its exit status:
#   scripts/lane32/run.sh [--timeout SECONDS] COMMAND [ARGS...]
# Builds the image on first use. The project folder (and so build/) is shared at its own path;
# the command runs in the current folder when that is inside it, else in /. Its stdout and stderr
# come back as it writes them. A guest that crashes ends the run with status 125, one that has not
# finished within the limit (TALON_LANE32_TIMEOUT, default 3600 s) with 124; both say so on
# stderr with the end of the guest's console.
set -euo pipefail
# shellcheck source=scripts/lane32/lib.sh
source "$(dirname "$0")/lib.sh"

limit=${TALON_LANE32_TIMEOUT:-3600}
if [ "${1:-}" = --timeout ]; then
  limit=${2:?--timeout needs a number of seconds}
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--timeout SECONDS] COMMAND [ARGS...]" >&2; exit 2; }

"$lane32_dir/image.sh"
image=$(lane32_image_dir)

run=$(mktemp -d "${TMPDIR:-/tmp}/lane32-run.XXXXXX")
streams=()
cleanup() {
  local pid
  for pid in "${streams[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$run"
}
trap cleanup EXIT
case "$PWD/" in
  "$lane32_root"/*) lane32_prepare_run "$run" "$PWD" ;;
  *) lane32_prepare_run "$run" / ;;
esac
{
  printf 'exec'
  printf ' %q' "$@"
  printf '\n'
} >"$run/job.sh"

lane32_boot "$image" "$run" "$limit" snapshot "$lane32_root" &
boot=$!
tail -n +1 -f --pid="$boot" "$run/stdout" &
streams+=($!)
tail -n +1 -f --pid="$boot" "$run/stderr" >&2 &
streams+=($!)
qemu_status=0
wait "$boot" || qemu_status=$?
wait "${streams[@]}" 2>/dev/null || true
streams=()

console_end() {
  echo "lane32: the guest's console ended with:" >&2
  tail -n 25 "$run/console.log" | sed 's/^/lane32:   /' >&2
  sed 's/^/lane32:   qemu: /' "$run/qemu.log" >&2
}
if [ -f "$run/status" ]; then
  exit "$(cat "$run/status")"
elif [ "$qemu_status" -eq 124 ] || [ "$qemu_status" -eq 137 ]; then
  echo "lane32: error: the guest did not finish within $limit s (hung); stopped it" >&2
  console_end
  exit 124
else
  echo "lane32: error: the guest stopped without an exit status (crashed; qemu status" \
       "$qemu_status)" >&2
  console_end
  exit 125
fi
