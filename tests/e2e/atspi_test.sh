#!/usr/bin/env bash
# Reads the built program through AT-SPI alone, as a screen reader would, under a private X
# server and a session bus of its own (atspi_read.py, or the script named second, does the
# reading and the comparing).
set -euo pipefail
VEK=${1:?usage: $0 path/to/vek [script.py]}
SCRIPT=${2:-atspi_read.py}
here=$(cd "$(dirname "$0")" && pwd)
# The system interpreter: pyatspi comes from the distribution's python3-pyatspi.
PY=/usr/bin/python3

source "$here/deps.sh"
require xvfb-run xdotool
require_atspi
skip_if_missing atspi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
timeout 100 dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$PY" "$here/$SCRIPT" "$VEK" "$work" 2> >(without_bus_notes)
