#!/usr/bin/env bash
# A display scaled by 2, once by QT_SCALE_FACTOR and once by an X server that reports 192 dpi
# (Xft.dpi): the main window is twice its size in device pixels, a click at a byte's scaled place
# selects that byte (the position line, read through AT-SPI, names it), and the Edit Byte dialog a
# double-click opens is twice its size too. With VEK_SHOTS=DIR, a screenshot of each scaling, the
# dialog open, lands in DIR.
VEK=${1:?usage: $0 path/to/vek}
source "$(dirname "$0")/deps.sh"
require xdotool xwininfo xrdb
require_atspi
skip_if_missing hidpi
# The position line is read on a session bus of the test's own.
if [[ -z "${VEK_HIDPI_BUS:-}" ]]; then
  VEK_HIDPI_BUS=1 dbus-run-session -- bash "$0" "$VEK" 2> >(without_bus_notes)
  exit $?
fi

source "$(dirname "$0")/lib.sh"
# Room for a window of 1350 x 700; without -noreset the server would forget the resources that
# xrdb loads as soon as xrdb disconnects.
start_x 1600x1000x24 -noreset
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
readonly SCALE=2

# The text of vek's position line as AT-SPI gives it ("" until there is one).
position_line() {
  /usr/bin/python3 - "$VPID" <<'EOF' 2>/dev/null || true
import sys
import pyatspi

def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)

for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.get_process_id() == int(sys.argv[1]):
        for node in walk(app):
            if node.getRoleName() == "label" and node.description == "Offset and value of the selected byte":
                print(node.name)
                sys.exit(0)
EOF
}

wait_position_line() {
  local text=""
  for _ in $(seq 50); do
    text=$(position_line)
    [[ "$text" == "$1" ]] && return 0
    sleep 0.2
  done
  fail "position line reads '$text', expected '$1'"
}

# Clicks at the middle of hex cell `index` of the page, its logical place scaled to device pixels.
click_byte() {
  local repeat=$1 index=$2 x y
  read -r x y < <(hex_cell 0 0 "$index")
  xdotool mousemove "$((ox + x * SCALE))" "$((oy + y * SCALE))" click --repeat "$repeat" --delay 80 1
}

check_scaled() {
  local how=$1
  QT_USE_NATIVE_WINDOWS=1 start_vek "$WORK/data.bin"
  win=$(wait_window '^vek - ') || fail "$how: no main window"
  size=$(window_size "$win")
  [[ "$size" == "$((675 * SCALE))x$((350 * SCALE))" ]] || fail "$how: the main window is $size"
  read -r ox oy < <(view_origin "$((592 * SCALE))x$((269 * SCALE))") || fail "$how: no view of twice its size"
  # Where it is at scale 1 (4, 44), doubled: the document window lies at the client area's corner.
  [[ "$ox $oy" == "$((4 * SCALE)) $((44 * SCALE))" ]] || fail "$how: the view is at $ox,$oy"
  xdotool windowfocus --sync "$win" 2>/dev/null || true

  click_byte 1 45
  wait_position_line "Byte 45 = 45"
  click_byte 1 199
  wait_position_line "Byte 199 = 199"
  click_byte 2 13
  dialog=$(wait_window '^VEK - Edit Byte$') || fail "$how: no Edit Byte dialog after a double-click"
  # 193 x 87 dialog units: 289 x 141 pixels.
  size=$(window_size "$dialog")
  [[ "$size" == "$((289 * SCALE))x$((141 * SCALE))" ]] || fail "$how: the Edit Byte dialog is $size"
  wait_position_line "Byte 13 = 13"
  if [[ -n "${VEK_SHOTS:-}" ]]; then
    import -window root -crop "$((675 * SCALE))x$((350 * SCALE))+0+0" "$VEK_SHOTS/hidpi-${how//[^A-Za-z0-9]/_}.png"
  fi
  xdotool key Escape
  kill "$VPID"
  wait "$VPID" 2>/dev/null || true
  echo "PASS $how: main window $((675 * SCALE))x$((350 * SCALE)), clicks on bytes 45, 199 and 13, Edit Byte dialog $size"
}

/usr/bin/python3 -c 'import sys; sys.stdout.buffer.write(bytes(range(256)))' >"$WORK/data.bin"

QT_SCALE_FACTOR=$SCALE check_scaled "QT_SCALE_FACTOR=$SCALE"
echo "Xft.dpi: $((96 * SCALE))" | xrdb -nocpp -merge
check_scaled "Xft.dpi $((96 * SCALE))"
