# Shared by the end-to-end scripts: a private X server, the program started on a file, windows
# found with xdotool.
set -euo pipefail

VEK=${1:?usage: $0 path/to/vek}
WORK=$(mktemp -d)
XPID=""
VPID=""

cleanup() {
  [[ -n "$VPID" ]] && kill "$VPID" 2>/dev/null || true
  # Wait for the server to be gone: a dying server unlinks its socket, and would take the socket
  # of the next test's server with it if that one got the same display number.
  if [[ -n "$XPID" ]]; then
    kill "$XPID" 2>/dev/null || true
    wait "$XPID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [[ -s "$WORK/vek.log" ]]; then
    echo "--- vek's output (DISPLAY=${DISPLAY:-}):" >&2
    tail -n 20 "$WORK/vek.log" >&2
  fi
  exit 1
}

# A display of our own, so that tests never meet each other's windows: the server picks a free
# display number itself and writes it to the descriptor once it accepts connections.
# start_x [SCREEN [XVFB_OPTION...]]: SCREEN is WIDTHxHEIGHTxDEPTH, 1024x768x24 unless given.
start_x() {
  local screen=${1:-1024x768x24}
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "${@:2}" 3>"$WORK/display" >/dev/null 2>&1 &
  XPID=$!
  for _ in $(seq 100); do
    [[ -s "$WORK/display" ]] && break
    kill -0 "$XPID" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.1
  done
  [[ -s "$WORK/display" ]] || fail "Xvfb gave no display number"
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  xdpyinfo >/dev/null 2>&1 || fail "no X server on $DISPLAY"
}

# Starts vek in the background. On a machine whose cores are all busy, Xvfb now and then refuses
# a connection ("could not connect to display"); vek then says so and ends at once. That is the
# test machine, not the program: such a start is tried again, twice at most.
start_vek() {
  local attempt
  for attempt in 1 2 3; do
    HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_STATE_HOME="$WORK/state" "$VEK" "$@" >"$WORK/vek.log" 2>&1 &
    VPID=$!
    for _ in $(seq 20); do
      kill -0 "$VPID" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$VPID" 2>/dev/null || ! grep -q "no display available" "$WORK/vek.log"; then return 0; fi
    wait "$VPID" 2>/dev/null || true
    echo "note: vek could not connect to $DISPLAY (attempt $attempt); starting it again" >&2
  done
}

# Waits for a window whose name matches the regular expression; prints its id.
wait_window() {
  local id
  for _ in $(seq 300); do # up to 30 s: a loaded machine or a sanitizer build starts slowly
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits until the window has the keyboard focus: a dialog is mapped a moment before it is given
# the focus, and keys typed in between go to the window behind it.
wait_focus() {
  for _ in $(seq 50); do
    [[ $(xdotool getwindowfocus -f 2>/dev/null) == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

window_size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'; }

# The view's top left corner on the screen. Run vek with QT_USE_NATIVE_WINDOWS=1: every widget is
# then an X window of its own, and the view is the one of the form's size (in device pixels: give
# the size when the display is scaled).
view_origin() {
  local line size=${1:-592x269}
  for _ in $(seq 50); do
    line=$(xwininfo -root -tree | grep -E " ${size}\+" | head -n 1 || true)
    [[ -n "$line" ]] && { echo "$line" | awk '{print $NF}' | tr '+' ' ' | awk '{print $1, $2}'; return 0; }
    sleep 0.1
  done
  return 1
}

# The screen point of byte `index` of the page in the hex column: the hex frame's text origin is
# 72, 84 in the view (dialog units 45, 47 plus 5, 8 pixels); cells are 7 px, lines 15 px.
hex_cell() {
  local ox=$1 oy=$2 index=$3
  local line=$((index / 20)) in=$((index % 20))
  local cell=$((in / 2 * 5 + in % 2 * 2))
  echo "$((ox + 72 + cell * 7 + 7)) $((oy + 84 + line * 15 + 7))"
}
