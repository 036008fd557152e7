#!/usr/bin/env bash
# The lane's own behaviour, in two short boots and one cut off by its limit (under a minute): a
# command's output, error output, written files and exit status come back, and 32-bit code runs
# in the guest; a guest that crashes or hangs ends the run with a clear error within its limit.
set -euo pipefail
# shellcheck source=scripts/lane32/lib.sh
source "$(dirname "$0")/lib.sh"

run="$lane32_dir/run.sh"
passed=0
failed=0
mkdir -p "$lane32_root/build"
scratch=$(mktemp -d "$lane32_root/build/lane32-selftest.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

"$lane32_dir/image.sh"

expect() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "lane32 self-test: FAILED: $what" >&2
    sed 's/^/  | /' "$scratch/out" "$scratch/err" >&2
  fi
}

# run_timed SECONDS COMMAND...: runs the lane, keeping its output, status and duration.
run_timed() {
  local started
  started=$(date +%s)
  status=0
  (cd "$scratch" && "$run" --timeout "$@") >"$scratch/out" 2>"$scratch/err" || status=$?
  took=$(($(date +%s) - started))
}

# The command runs in the current folder, writes to the shared folder and runs a 32-bit program.
run_timed 600 bash -c 'pwd; echo "to stderr" >&2; echo written >file;
  /lib/ld-linux.so.2 --version | head -n 1; exit 7'
expect "the exit status comes back" test "$status" -eq 7
expect "stdout comes back, from the current folder" grep -qx "$scratch" "$scratch/out"
expect "stderr comes back apart" grep -qx "to stderr" "$scratch/err"
expect "a 32-bit program runs" grep -q '^ld.so (.*GLIBC' "$scratch/out"
expect "files written in the guest reach the host" grep -qx written "$scratch/file"

run_timed 600 sh -c 'echo before the crash; sync; echo c >/proc/sysrq-trigger; sleep 600'
expect "a crash ends the run with status 125" test "$status" -eq 125
expect "a crash is reported" grep -q "error: the guest stopped without an exit status" \
  "$scratch/err"
expect "output before a crash comes back" grep -qx "before the crash" "$scratch/out"
expect "a crash ends the run at once" test "$took" -lt 300

hang_limit=20
run_timed "$hang_limit" sleep 3600
expect "a hang ends the run with status 124" test "$status" -eq 124
expect "a hang is reported" grep -q "error: the guest did not finish within $hang_limit s" \
  "$scratch/err"
expect "a hang ends within its limit" test "$took" -lt $((hang_limit + 15))

echo "lane32 self-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
