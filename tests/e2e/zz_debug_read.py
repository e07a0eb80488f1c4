#!/usr/bin/python3
"""The page's context menu, a range and Copy, the wheel and a dropped file, driven by xdotool as a
person drives them, read back through AT-SPI and, for the clipboard, with xclip."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

data = bytes(i & 0xFF for i in range(1050))
path = os.path.join(WORK, "tools.bin")
with open(path, "wb") as f:
    f.write(data)
dropped = os.path.join(WORK, "dropped.bin")
with open(dropped, "wb") as f:
    f.write(b"dropped from another window")

proc, app, page = start_vek(path)
focus_main_window()
lines = page_lines(data[:200], 0, False)


def cell_center(index):
    """Where byte `index`'s hex digits are painted, on the screen."""
    cx, cy, cw, ch = page.queryText().getCharacterExtents(byte_text_offset(lines, index), pyatspi.DESKTOP_COORDS)
    return cx + cw, cy + ch // 2  # the middle of the two digits


def position_line():
    label = find(page.parent, role="label", pred=lambda n: n.description == "Offset and value of the selected byte")
    check(label is not None, "no position line")
    return label.name


# A right-click opens the page's menu with its commands and keys.
x("mousemove", *map(str, cell_center(5)))
x("click", "3")
menu_events = []
pyatspi.Registry.registerEventListener(lambda e: menu_events.append((e.type, e.source.getRoleName() if e.source else "", e.source.name if e.source else "")), "object:state-changed:focused", "window:activate", "object:state-changed:showing")
pump(1.0)
x("key", "Down")
pump(1.0)
for ev in menu_events: print("EV", ev)
for n in walk(app):
    if n.getRoleName() in ("menu", "popup menu", "menu item", "window"):
        print("NODE", n.getRoleName(), repr(n.name), n.childCount)
menu = wait_for("the page's context menu", lambda: find(app, pred=lambda n: n.getRoleName() in ("menu", "popup menu")
                                                       and find(n, name="Copy as Hex") is not None))
print("PASS a right-click opens the menu: %s" % ", ".join(c.name for c in menu if c is not None))
x("key", "Escape")
wait_for("the menu to close", lambda: not menu.getState().contains(pyatspi.STATE_SHOWING))

# Click byte 1, Shift+Right three times, Copy as hex: the four bytes' pairs on the clipboard.
x("mousemove", *map(str, cell_center(1)))
x("click", "1")
wait_for("byte 1 selected", lambda: position_line() == "Byte 1 = 1")
x("key", "--delay", "80", "shift+Right", "shift+Right", "shift+Right")
wait_for("the range of four bytes", lambda: position_line() == "1-4 (4 bytes)")
x("key", "ctrl+shift+c")


def clipboard():
    done = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True, timeout=5)
    return done.stdout


wait_for("the hex pairs on the clipboard", lambda: clipboard() == "01 02 03 04")
print("PASS Shift+Right x3, Ctrl+Shift+C: the clipboard holds '%s'" % clipboard())

# A wheel notch towards the person moves the page start by three lines.
start = find(app, role="text", name="Start")
x("click", "5")
wait_for("the page at 60", lambda: text_of(start) == "60" and text_of(page).startswith("     60  3C3D"))
print("PASS a wheel notch down: Start reads %s" % text_of(start))

# A file dragged from another window onto the page opens in a window of its own.
source = subprocess.Popen([os.environ["VEK_DRAG_SOURCE"], dropped], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
atexit.register(source.kill)
source_window = wait_for("the drag source", lambda: x_out("search", "--onlyvisible", "--name", "^drag source$") or None)
geometry = x_out("getwindowgeometry", source_window.splitlines()[0])
sx, sy = [int(v) for v in geometry.split("Position: ")[1].split(" ")[0].split(",")]
x("mousemove", str(sx + 60), str(sy + 40))
x("mousedown", "1")
tx, ty = cell_center(25)
for step in range(1, 11):
    x("mousemove", str(sx + 60 + (tx - sx - 60) * step // 10), str(sy + 40 + (ty - sy - 40) * step // 10))
    pump(0.05)
x("mouseup", "1")
wait_for("a window for the dropped file", lambda: find(app, role="text", name=PAGE,
                                                       pred=lambda n: "dropped from another" in text_of(n)))
print("PASS a dropped file opens in a window of its own")
stop_vek(proc)
print("PASS page tools")
