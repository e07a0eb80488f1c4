#!/usr/bin/env bash
# Two document windows: Ctrl+O opens the second, Cascade and Tile arrange them, Ctrl+F6 switches,
# Ctrl+F4 closes one; About and Help open from the menus. With VEK_SHOTS=DIR, screenshots of each
# menu, of About and of Help land in DIR.
source "$(dirname "$0")/lib.sh"
start_x

shot() { [[ -n "${VEK_SHOTS:-}" ]] && import -window root -crop 675x350+0+0 "$VEK_SHOTS/$1.png" || true; }
title() { xdotool getwindowname "$win"; }
# Without a window manager nothing gives the focus back when a dialog closes.
focus_main() { xdotool windowfocus --sync "$win" 2>/dev/null || true; sleep 0.1; }
wait_title() {
  for _ in $(seq 50); do [[ "$(title)" == "$1" ]] && return 0; sleep 0.1; done
  fail "title is '$(title)', expected '$1'"
}

head -c 300 /dev/urandom >"$WORK/a.bin"
head -c 500 /dev/urandom >"$WORK/b.bin"
cd "$WORK"
start_vek a.bin
win=$(wait_window '^vek - ') || fail "no main window"
xdotool windowfocus --sync "$win" 2>/dev/null || true
wait_title "vek - a.bin"

xdotool key ctrl+o
wait_window '^Open$' >/dev/null || fail "Ctrl+O shows no Open dialog"
sleep 0.3
xdotool type --delay 20 "$WORK/b.bin"
xdotool key Return
wait_title "vek - b.bin"
echo "PASS Ctrl+O opens a second window"
focus_main

xdotool key alt+f
sleep 0.4; shot menu-file
xdotool key Escape; sleep 0.2
xdotool key alt+w
sleep 0.4; shot menu-window
xdotool key c # Cascade
sleep 0.3; shot cascade
xdotool key alt+w; sleep 0.3; xdotool key t # Tile
sleep 0.3; shot tile
echo "PASS Cascade and Tile"

xdotool key ctrl+F6
wait_title "vek - a.bin"
echo "PASS Ctrl+F6 switches windows"

xdotool key alt+h; sleep 0.4; shot menu-help
xdotool key a # About
about=$(wait_window '^About VEK$') || fail "no About box"
sleep 0.3; shot about
centre_x=$(xdotool getwindowgeometry "$about" | awk -F'[ ,x]+' '/Position/ {x=$3} /Geometry/ {w=$3} END {print x + w / 2}')
(( ${centre_x%.*} > 322 && ${centre_x%.*} < 353 )) || fail "About is not centred over the main window (centre x $centre_x)"
xdotool key Return
sleep 0.3
xdotool search --onlyvisible --name '^About VEK$' >/dev/null 2>&1 && fail "About did not close"
focus_main
xdotool key alt+h; sleep 0.3; xdotool key Down Return # "Help..." has no mnemonic
wait_window '^VEK Help$' >/dev/null || fail "no Help box"
sleep 0.3; shot help
xdotool key Escape
sleep 0.3
xdotool search --onlyvisible --name '^VEK Help$' >/dev/null 2>&1 && fail "Help did not close with Esc"
echo "PASS About and Help"
focus_main

xdotool key ctrl+F4
wait_title "vek - b.bin"
xdotool key ctrl+F4
wait_title "vek"
xdotool key alt+f; sleep 0.4; shot menu-file-nodoc; xdotool key Escape
echo "PASS Ctrl+F4 closes the active window"
