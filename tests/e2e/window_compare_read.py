#!/usr/bin/python3
"""Two files compared side by side under a real X server, keys only, read as a screen reader reads
them: Ctrl+O opens the second file, Ctrl+Shift+D on its page lists the other window, Enter pairs the
two; Alt+Down (Next difference) from the first byte selects the first differing offset in both
views, the position lines say so and their descriptions tell whether the byte differs and the other
file's value; the screenshot shows the differing bytes on a wash of their own and the others
plain; Ctrl+Shift+E stops it."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

first = bytearray(i & 0xFF for i in range(1050))
second = bytearray(first)
for offset, value in ((57, 0x41), (58, 0x42), (75, 0x00), (640, 0x01)):
    second[offset] = value
for name, data in (("a.bin", first), ("b.bin", second)):
    with open(os.path.join(WORK, name), "wb") as f:
        f.write(data)

proc, app, page = start_vek("a.bin")
main = focus_main_window()
key("ctrl+o")
wait_for("the Open dialog", lambda: find(app, role="dialog", name="Open"))
pump(0.3)
x("type", "--delay", "30", os.path.join(WORK, "b.bin"))
key("Return")
wait_for("the second window", lambda: shown_window_title("^vek - ") == "vek - b.bin")
focus_main_window()
key("alt+w", "t")  # Tile: both windows in view


def pages():
    return [n for n in walk(app) if n.getRoleName() == "text" and n.name == PAGE]


def file_of(page):
    """The file a page shows, as the line above it names it."""
    label = find(page.parent, role="label", pred=lambda n: n.name.startswith("File : "))
    return label.name[len("File : "):] if label is not None else ""


def page_of(name):
    for p in pages():
        if file_of(p) == name:
            return p
    return None


def position_label(page):
    return find(page.parent, role="label", pred=lambda n: n.name.startswith("Byte "))


wait_for("two pages", lambda: len(pages()) == 2)
page_a, page_b = page_of("a.bin"), page_of("b.bin")
check(page_a is not None and page_b is not None, "pages of %s" % [file_of(p) for p in pages()])
tab_to(app, "the page of b.bin", lambda n: n.name == PAGE and file_of(n) == "b.bin")

# The list of the other windows opens at the selected byte; the first item is a.bin's window.
key("ctrl+shift+d")
item = wait_for("the list of the other windows", lambda: find(app, role="menu item", pred=lambda n: "a.bin" in n.name))
check(item.name == "1 a.bin", "the list offers '%s'" % item.name)
key("Down", "Return")
print("PASS Ctrl+Shift+D lists '%s'; Enter pairs the windows" % item.name)

# A screen reader hears a description change as it happens: the event, not only the property.
told = []


def on_description(event):
    try:
        if event.source.getRoleName() == "label":
            told.append(event.source.description)
    except Exception:  # the object may be gone by now
        pass


pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")
key("alt+Down")
wait_for("b.bin's position line at 57", lambda: position_label(page_b) is not None and position_label(page_b).name == "Byte 57 = 65")
wait_for("a.bin's position line at 57", lambda: position_label(page_a) is not None and position_label(page_a).name == "Byte 57 = 57")
label_a, label_b = position_label(page_a), position_label(page_b)
check(label_b.description == "Differs from a.bin: 57", "b.bin's description is '%s'" % label_b.description)
check(label_a.description == "Differs from b.bin: 65", "a.bin's description is '%s'" % label_a.description)
wait_for("the description's change told", lambda: "Differs from a.bin: 57" in told)
print("PASS Alt+Down from byte 0: both position lines read 'Byte 57', described '%s' and '%s' (told as events)"
      % (label_a.description, label_b.description))

# The screenshot: both pages start at 40, the line of byte 57. The cells of the differing bytes 58
# and 75 are washed in both views, the bytes beside them are not (the tiled windows overlap: only
# the first lines of the upper one are in view). The foot of a cell, below its digits, is its
# background.
pump(0.5)
shots = os.environ.get("VEK_SHOTS") or WORK
shot = os.path.join(shots, "window-compare.png")
subprocess.run(["import", "-window", "root", shot], check=True)


def screen():
    """The screen's pixels as 8-bit RGB, and its width."""
    raw = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    magic, size, maximum, data = raw.split(b"\n", 3)
    check(magic == b"P6" and maximum == b"255", "import gave no 8-bit picture")
    return data, int(size.split()[0])


pixels, width = screen()


def pixel(px, py):
    at = 3 * (py * width + px)
    return tuple(pixels[at:at + 3])


START = 40


def background_under(page, offset):
    """A pixel of the hex cell of the byte at `offset`, below its digits: the cell's background."""
    lines = text_of(page).split("\n")
    cx, cy, cw, ch = page.queryText().getCharacterExtents(byte_text_offset(lines, offset - START), pyatspi.DESKTOP_COORDS)
    return pixel(cx + 3, cy + ch - 2)


check(text_of(page_a).startswith("     40  2829") and text_of(page_b).startswith("     40  2829"),
      "the pages do not both start at 40")
for name, view_page in (("a.bin", page_a), ("b.bin", page_b)):
    plain = background_under(view_page, 50)
    for offset in (58, 75):
        check(background_under(view_page, offset) != plain,
              "%s: byte %d looks as a byte that does not differ (%s)" % (name, offset, plain))
    for offset in (56, 59, 74, 76):
        check(background_under(view_page, offset) == plain, "%s: byte %d is marked" % (name, offset))
print("PASS the screenshot (%s): both pages at 40, bytes 58 and 75 washed in both views, 56, 59, 74, 76 plain" % shot)

key("ctrl+shift+e")
wait_for("the description back", lambda: position_label(page_b).description == "Offset and value of the selected byte")
pump(0.5)
pixels, width = screen()
check(background_under(page_a, 58) == background_under(page_a, 50), "a.bin's byte 58 is still marked after Stop")
print("PASS Ctrl+Shift+E stops comparing: the marks and the notes are gone")
stop_vek(proc)
print("PASS window compare")
