#!/usr/bin/env bash
# Start-up time: from launching a program on a file to its window showing the first page of the
# file, under a private Xvfb. vek and GHex side by side, on a 1 KiB file, a 1 GiB file and an 8 GiB
# sparse file; the best of RUNS (5) launches each.
#
#   VEK=build/vek bench/startup.sh [--install]
#
# GHex is measured when it is installed; --install installs it (apt) first. The first page counts
# as painted once the window's page area holds text: a poller reads that area of the window
# straight from the X server (XGetImage) every millisecond, so nothing is added to the programs.
set -euo pipefail
cd "$(dirname "$0")/.."
VEK=${VEK:-build/vek}
RUNS=${RUNS:-5}
TIMEOUT=${TIMEOUT:-60}

if [[ "${1:-}" == "--install" ]] && ! command -v ghex >/dev/null; then
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq ghex
fi
[[ -x "$VEK" ]] || { echo "no vek at $VEK (set VEK=path/to/vek)" >&2; exit 2; }

WORK=$(mktemp -d)
XPID=""
BUSPID=""
cleanup() {
  [[ -n "$XPID" ]] && kill "$XPID" 2>/dev/null || true
  [[ -n "$BUSPID" ]] && kill "$BUSPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# A display of our own, at the first free number.
for n in $(seq 150 199); do
  [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XPID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 && break
  kill "$XPID" 2>/dev/null || true
  XPID=""
done
[[ -n "$XPID" ]] || { echo "no X server could be started" >&2; exit 2; }
# One session bus for every launch, so that no program pays for starting one.
if command -v dbus-launch >/dev/null; then
  eval "$(dbus-launch --sh-syntax)"
  BUSPID=$DBUS_SESSION_BUS_PID
fi
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" GSETTINGS_BACKEND=memory
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

# The files: real bytes in the first two (the 1 GiB one is in the page cache after writing it),
# holes in the third but for its first block.
head -c 1024 /dev/urandom >"$WORK/small-1KiB.bin"
head -c 1G /dev/urandom >"$WORK/large-1GiB.bin"
head -c 4096 /dev/urandom >"$WORK/sparse-8GiB.bin"
truncate -s 8G "$WORK/sparse-8GiB.bin"

cat >"$WORK/firstpaint.py" <<'PY'
# Launches a program and prints the milliseconds until the area (x, y, w, h) of its window, found
# by its name, shows text: at least `ink` dark pixels on a light ground. "timeout" when that never
# happens, "exited" when the program ends first.
import ctypes as C, re, subprocess, sys, time
regex, x, y, w, h, ink, timeout = sys.argv[1], *map(int, sys.argv[2:7]), float(sys.argv[7])
command = sys.argv[8:]
X = C.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = C.c_void_p
X.XOpenDisplay.argtypes = [C.c_char_p]
X.XDefaultRootWindow.restype = C.c_ulong
X.XDefaultRootWindow.argtypes = [C.c_void_p]
X.XQueryTree.argtypes = [C.c_void_p, C.c_ulong, C.POINTER(C.c_ulong), C.POINTER(C.c_ulong),
                         C.POINTER(C.POINTER(C.c_ulong)), C.POINTER(C.c_uint)]
X.XFetchName.argtypes = [C.c_void_p, C.c_ulong, C.POINTER(C.c_char_p)]
X.XFree.argtypes = [C.c_void_p]
X.XGetImage.restype = C.c_void_p
X.XGetImage.argtypes = [C.c_void_p, C.c_ulong, C.c_int, C.c_int, C.c_uint, C.c_uint, C.c_ulong, C.c_int]
X.XDestroyImage.argtypes = [C.c_void_p]
X.XSync.argtypes = [C.c_void_p, C.c_int]

class XWindowAttributes(C.Structure):
    _fields_ = [("x", C.c_int), ("y", C.c_int), ("width", C.c_int), ("height", C.c_int),
                ("border_width", C.c_int), ("depth", C.c_int), ("visual", C.c_void_p),
                ("root", C.c_ulong), ("class_", C.c_int), ("bit_gravity", C.c_int),
                ("win_gravity", C.c_int), ("backing_store", C.c_int), ("backing_planes", C.c_ulong),
                ("backing_pixel", C.c_ulong), ("save_under", C.c_int), ("colormap", C.c_ulong),
                ("map_installed", C.c_int), ("map_state", C.c_int), ("all_event_masks", C.c_long),
                ("your_event_mask", C.c_long), ("do_not_propagate_mask", C.c_long),
                ("override_redirect", C.c_int), ("screen", C.c_void_p)]
X.XGetWindowAttributes.argtypes = [C.c_void_p, C.c_ulong, C.POINTER(XWindowAttributes)]

class XImage(C.Structure):
    _fields_ = [("width", C.c_int), ("height", C.c_int), ("xoffset", C.c_int), ("format", C.c_int),
                ("data", C.c_void_p), ("byte_order", C.c_int), ("bitmap_unit", C.c_int),
                ("bitmap_bit_order", C.c_int), ("bitmap_pad", C.c_int), ("depth", C.c_int),
                ("bytes_per_line", C.c_int), ("bits_per_pixel", C.c_int)]

# A window that goes away between two calls must not end the poller.
HANDLER = C.CFUNCTYPE(C.c_int, C.c_void_p, C.c_void_p)(lambda d, e: 0)
X.XSetErrorHandler(HANDLER)
display = X.XOpenDisplay(None)
root = X.XDefaultRootWindow(display)
pattern = re.compile(regex)
DARK = bytes(range(96))
LIGHT = bytes(range(160))  # deleting these leaves the light ones

def find_window():
    r, p, n = C.c_ulong(), C.c_ulong(), C.c_uint()
    children = C.POINTER(C.c_ulong)()
    if not X.XQueryTree(display, root, C.byref(r), C.byref(p), C.byref(children), C.byref(n)):
        return None
    found = None
    for i in range(n.value):
        name = C.c_char_p()
        if X.XFetchName(display, children[i], C.byref(name)) and name.value:
            title = name.value.decode("utf-8", "replace")
            X.XFree(name)
            attributes = XWindowAttributes()
            X.XGetWindowAttributes(display, children[i], C.byref(attributes))
            if pattern.search(title) and attributes.map_state == 2:
                found = (children[i], attributes.width, attributes.height)
    if children:
        X.XFree(children)
    return found

def dark_pixels(window, width, height):
    gw, gh = min(w, width - x), min(h, height - y)
    if gw <= 0 or gh <= 0:
        return 0
    address = X.XGetImage(display, window, x, y, gw, gh, 0xFFFFFFFF, 2)
    X.XSync(display, 0)
    if not address:
        return 0
    image = XImage.from_address(address)
    data = C.string_at(image.data, image.bytes_per_line * image.height)
    X.XDestroyImage(address)
    # Black text on a light page: pixels dark in the blue and the red channel (bytes 0 and 2 of a
    # 32-bit pixel), on an area mostly light. A window not painted yet reads back black, which is
    # dark everywhere and so no page.
    blue, red = data[0::4], data[2::4]
    dark = min(len(blue) - len(blue.translate(None, DARK)), len(red) - len(red.translate(None, DARK)))
    light = min(len(blue.translate(None, LIGHT)), len(red.translate(None, LIGHT)))
    return dark if 2 * light >= len(blue) else 0

start = time.perf_counter()
program = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
result = "timeout"
try:
    window = None
    while time.perf_counter() - start < timeout:
        if program.poll() is not None:
            result = "exited"
            break
        window = window or find_window()
        if window and dark_pixels(*window) >= ink:
            result = "%.0f" % ((time.perf_counter() - start) * 1000)
            break
        time.sleep(0.001)
finally:
    program.terminate()
    try:
        program.wait(5)
    except subprocess.TimeoutExpired:
        program.kill()
        program.wait()
print(result)
PY

# measure NAME REGION... -- COMMAND: the best of RUNS launches, after one to warm the caches.
best_of() {
  local best="" t
  python3 "$WORK/firstpaint.py" "$@" >/dev/null || true
  for _ in $(seq "$RUNS"); do
    t=$(python3 "$WORK/firstpaint.py" "$@" || echo error)
    [[ "$t" =~ ^[0-9]+$ ]] || { best="$t"; break; }
    [[ -z "$best" || "$t" -lt "$best" ]] && best=$t
  done
  echo "$best"
}

# The page area in each window (x y width height, then the dark pixels that mean text): vek's hex
# column, GHex's hex pane below its header bar. GTK 4 draws with OpenGL by default, whose output
# Xvfb cannot hand back; its cairo renderer is the one a machine without a GPU draws with anyway.
VEK_AREA=(85 128 330 140 30)
GHEX_AREA=(120 60 400 150 30)
have_ghex=0
command -v ghex >/dev/null && have_ghex=1

printf '%-18s %10s %10s\n' file "vek ms" "GHex ms"
for file in small-1KiB.bin large-1GiB.bin sparse-8GiB.bin; do
  v=$(best_of "$file" "${VEK_AREA[@]}" "$TIMEOUT" "$VEK" "$WORK/$file")
  g="-"
  [[ $have_ghex -eq 1 ]] && g=$(best_of "$file" "${GHEX_AREA[@]}" "$TIMEOUT" env GSK_RENDERER=cairo ghex "$WORK/$file")
  printf '%-18s %10s %10s\n' "$file" "$v" "$g"
done
[[ $have_ghex -eq 1 ]] || echo "GHex is not installed: run with --install to compare with it."
