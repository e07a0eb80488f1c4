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


# A right-click opens the page's menu; a popup is no child of the window, so a screen reader hears
# its items as they take the focus.
focused_items = []


def on_focus(event):
    try:
        if event.detail1 == 1 and event.source.getRoleName() == "menu item":
            focused_items.append((event.source.name, event.source.parent))
    except Exception:  # the object may be gone by now
        pass


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
x("mousemove", *map(str, cell_center(5)))
x("click", "3")
pump(0.5)
x("key", "Down")
item, menu = wait_for("the menu's first item to take the focus", lambda: focused_items[-1] if focused_items else None)
check(item == "Copy as Hex", "the first item is '%s'" % item)
items = [c.name for c in menu if c is not None]
check("Copy as Text" in items and "Copy Offset" in items, "the menu holds %s" % items)
print("PASS a right-click opens the menu: %s" % ", ".join(items))
x("key", "Escape")
pump(0.3)

# Click byte 1, Tab to the page (a click leaves the keyboard where it was), Shift+Right three times,
# Copy as hex: the four bytes' pairs on the clipboard.
x("mousemove", *map(str, cell_center(1)))
x("click", "1")
wait_for("byte 1 selected", lambda: position_line() == "Byte 1 = 1")
for _ in range(20):
    if focused(app) is not None and focused(app).name == PAGE:
        break
    x("key", "Tab")
    pump(0.2)
check(focused(app).name == PAGE, "Tab never reached the page")
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
