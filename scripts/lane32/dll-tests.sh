#!/usr/bin/env bash
# Inside the lane's guest: the tests that load the built 32-bit DLL as a host does, on BUILD_DIR:
#   dll-tests.sh BUILD_DIR TESTS_REGEX SERIAL_REGEX PER_TEST_TIMEOUT
# The tests that drive a window with real input (SERIAL_REGEX) run alone: input goes to the
# foreground window of the Wine desktop they share, and at emulated speed other Wine processes
# starting meanwhile take it often enough to lose clicks and keys.
set -uo pipefail
build_dir=$1 tests=$2 serial=$3 per_test=$4

status=0
# Wide enough for the panel at 300 % inside its host's window.
screen="-screen 0 2560x1600x24"
xvfb-run -a -s "$screen" ctest --test-dir "$build_dir" -R "$tests" -E "$serial" --output-on-failure -j2 \
  --timeout "$per_test" || status=1
xvfb-run -a -s "$screen" ctest --test-dir "$build_dir" -R "$serial" --output-on-failure \
  --timeout "$per_test" || status=1
exit "$status"
