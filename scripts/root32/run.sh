#!/usr/bin/env bash
# Runs one command in the Debian root, in the current folder, with the project folder shared at
# its own path, and ends with its exit status: scripts/root32/run.sh COMMAND [ARGS...]
# Makes the root on first use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/apt.sh
source "$here/../apt.sh"
# shellcheck source=scripts/root32/lib.sh
source "$here/lib.sh"
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }

"$here/root.sh"
project=$(cd "$here/../.." && pwd)
case "$PWD/" in
  "$project"/*) ;;
  *) echo "root32: run from inside $project" >&2; exit 2 ;;
esac
ROOT32_SHARE=$project root32_in "$(root32_dir)/root" /bin/sh -c 'cd "$0" && exec "$@"' "$PWD" "$@"
