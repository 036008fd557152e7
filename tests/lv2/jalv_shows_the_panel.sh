#!/usr/bin/env bash
# Debian's jalv shows the plug-in's own panel on the display it is given (run under xvfb-run):
# the panel's logo is in jalv's window, and a drag on the expansion knob reaches the plug-in's
# port, which its processing in JACK (a dummy driver, a server of the test's own) then shows.
# Usage: jalv_shows_the_panel.sh PROBE LV2_FOLDER REFERENCE.png
set -uo pipefail
probe=$1
export LV2_PATH=$2:/usr/lib/lv2
reference=$3
work=$(mktemp -d)
export JACK_DEFAULT_SERVER=talon_lv2ui_$$
export HOME=$work
pids=()
finish() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null
    wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$work"
}
trap finish EXIT
fail() {
  echo "FAIL: $*"
  for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done
  exit 1
}

jackd --no-realtime -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
pids+=($!)
timeout 10 jack_wait -w >/dev/null || fail "the JACK server did not start"
jalv.gtk3 urn:mirevox:talon5800 >"$work/jalv.log" 2>&1 &
pids+=($!)
timeout 20 xdotool search --sync --name "^Talon 5800$" >/dev/null || fail "jalv showed no window"

# The panel is painted by the plug-in's idle, which jalv drives: a few tries.
for _ in 1 2 3 4 5 6 7 8 9 10; do
  corner=$("$probe" find "Talon 5800" "$reference" 2>"$work/probe.log") && break
  corner=
  sleep 0.5
done
[ -n "$corner" ] || fail "the panel's logo is not in jalv's window: $(cat "$work/probe.log")"
read -r panel_x panel_y <<<"$corner"
echo "jalv shows the panel at $panel_x,$panel_y: $(cat "$work/probe.log")"

# Clicks into the left input only: the right output is then k times the left one.
jack_metro -n talon_click -b 600 -f 1000 -D 20 >"$work/metro.log" 2>&1 &
pids+=($!)
for _ in 1 2 3 4 5 6 7 8 9 10; do
  jack_connect talon_click:600_bpm "Talon 5800:in_left" 2>/dev/null && break
  sleep 0.3
done
heard() {
  rm -f "$work/$1.wav"
  jack_rec -f "$work/$1.wav" -d 1 -b 16 "Talon 5800:out_left" "Talon 5800:out_right" \
    >"$work/rec.log" 2>&1 || fail "jack_rec could not record"
  "$probe" expansion "$work/$1.wav"
}
before=$(heard before) || fail "no clicks came out before the drag"

# From above the knob's centre (panel 104,40) to the right: clockwise, up from 50 %.
xdotool mousemove $((panel_x + 104)) $((panel_y + 10)) sleep 0.3 mousedown 1 sleep 0.2
for _ in 1 2 3 4 5 6 7 8; do xdotool mousemove_relative -- 6 2 sleep 0.1; done
xdotool mouseup 1 sleep 0.5
after=$(heard after) || fail "no clicks came out after the drag"
echo "expansion heard in the plug-in's output: $before % before the drag, $after % after it"
[ "$before" -ge 49 ] && [ "$before" -le 51 ] || fail "expected 50 % before the drag"
[ "$after" -ge 60 ] && [ "$after" -le 100 ] || fail "expected 60 to 100 % after the drag"
echo "1 passed, 0 failed"
