# What the end-to-end scripts need beyond bash: each names its tools, and a script whose tools
# are not all installed ends with "SKIP" and status 0.

missing=()
require() {
  local tool
  for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); done
}

# AT-SPI on a session bus of the script's own, read with the distribution's pyatspi.
require_atspi() {
  require dbus-run-session
  [[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ]] || missing+=(at-spi2-core)
  /usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || missing+=(python3-pyatspi)
}

skip_if_missing() {
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "SKIP $1: not installed: ${missing[*]} (scripts/install-deps --test installs them)"
  exit 0
}

# Passes on what the bus says on stderr, less its routine notes: dbus-daemon complains that it may
# not raise its file limit, and announces each service it starts; all harmless here.
without_bus_notes() {
  grep -v -e 'fd limit' -e 'Activating service' -e 'Successfully activated' -e 'SpiRegistry daemon' >&2
}
