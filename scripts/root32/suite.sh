#!/usr/bin/env bash
# Inside the Debian root: the whole suite on the 32-bit build, as on a host with 32-bit Wine.
set -euo pipefail
TALON_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$TALON_ROOT"
# shellcheck source=scripts/common.sh
source scripts/common.sh
talon_prepare_wine win32
talon_xvfb ctest --preset win32
