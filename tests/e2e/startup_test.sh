#!/usr/bin/env bash
# The built program in a real X server: the main window is 675 x 350 and its title names the file.
source "$(dirname "$0")/lib.sh"
start_x

head -c 1050 /dev/urandom >"$WORK/page test.bin"
cd "$WORK"
start_vek "page test.bin"
win=$(wait_window '^vek - ') || fail "no main window titled 'vek - ...'"
title=$(xdotool getwindowname "$win")
[[ "$title" == "vek - page test.bin" ]] || fail "title is '$title'"
sleep 0.3
size=$(window_size "$win")
[[ "$size" == "675x350" ]] || fail "main window is $size, not 675x350"
echo "PASS startup: '$title' $size"

# Without a display the program says so in one line and fails.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$VEK" "$WORK/page test.bin" 2>&1) && fail "ran without a display"
[[ $(printf '%s\n' "$out" | wc -l) -eq 1 && "$out" == *"no display"* ]] || fail "no-display message: $out"
echo "PASS no display: $out"

# A missing file: the message box shows, the main window never does, the status is not zero.
kill "$VPID"; wait "$VPID" 2>/dev/null || true; VPID=""
start_vek "$WORK/missing.bin"
box=$(wait_window '^vek$') || fail "no message box for a missing file"
xdotool search --onlyvisible --name '^vek - ' >/dev/null 2>&1 && fail "main window shown for a missing file"
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
for _ in $(seq 50); do kill -0 "$VPID" 2>/dev/null || break; sleep 0.1; done
wait "$VPID" && fail "exit status 0 for a missing file"
VPID=""
echo "PASS missing file"
