#!/usr/bin/env bash
# vek on Qt's Wayland platform, under a headless weston of the test's own, read through AT-SPI on
# a session bus of its own (wayland_read.py does the reading and the comparing).
set -euo pipefail
VEK=${1:?usage: $0 path/to/vek}
here=$(cd "$(dirname "$0")" && pwd)
PY=/usr/bin/python3

source "$here/deps.sh"
require weston
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null || missing+=(qt6-wayland)
require_atspi
skip_if_missing wayland

work=$(mktemp -d)
runtime=$(mktemp -d) # mode 0700, as the protocol's runtime directory must be
chmod 700 "$runtime"
wpid=""
cleanup() {
  if [[ -n "$wpid" ]]; then
    kill "$wpid" 2>/dev/null || true
    wait "$wpid" 2>/dev/null || true
  fi
  rm -rf "$work" "$runtime"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$runtime
export WAYLAND_DISPLAY=vek-test-$$
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
wpid=$!
for _ in $(seq 100); do
  [[ -S "$runtime/$WAYLAND_DISPLAY" ]] && break
  kill -0 "$wpid" 2>/dev/null || { echo "FAIL: weston did not start" >&2; cat "$work/weston.log" >&2; exit 1; }
  sleep 0.1
done
[[ -S "$runtime/$WAYLAND_DISPLAY" ]] || { echo "FAIL: weston made no socket" >&2; exit 1; }

# No X server: DISPLAY goes, so that nothing falls back to X11. The client's protocol log
# (WAYLAND_DEBUG) tells which window is each dialog's parent.
# Headless weston has no seat, and Qt 6.4's Wayland text input then dereferences the missing
# seat as soon as a focused line edit draws its cursor (the Find dialog's pattern): the compose
# input context, the one vek has on X11, stands in for it. A desktop session always has a seat.
export QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_IM_MODULE=compose
unset DISPLAY
timeout 100 dbus-run-session -- "$PY" "$here/wayland_read.py" "$VEK" "$work" 2> >(without_bus_notes)
