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

missing=()
for tool in xvfb-run dbus-run-session xdotool; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ]] || missing+=(at-spi2-core)
"$PY" -c 'import pyatspi' >/dev/null 2>&1 || missing+=(python3-pyatspi)
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "SKIP atspi: not installed: ${missing[*]} (scripts/install-deps --test installs them)"
  exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# dbus-daemon complains that it may not raise its file limit; that is harmless here.
timeout 100 dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  "$PY" "$here/$SCRIPT" "$VEK" "$work" 2> >(grep -v -e 'fd limit' -e 'Activating service' \
  -e 'Successfully activated' -e 'SpiRegistry daemon' >&2)
