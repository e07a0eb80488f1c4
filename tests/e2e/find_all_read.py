#!/usr/bin/python3
"""Find All and Find Previous under a real X server, keys only, read as a screen reader reads them:
Ctrl+Shift+F on the page asks for the pattern with the Find dialog and lists every occurrence in a
window of its own, a table whose rows name their offsets; the status line gives the count. Down,
Down, Enter shows the third occurrence's page with it selected; Ctrl+Shift+F3 on the page then goes
back to the one before."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

# Occurrences every 997 bytes from 5 on, one of them cut by the seam of the search's first two
# blocks; letters around them that never spell the pattern.
size = 3 * 1024 * 1024 + 100
data = bytearray(b"abcdefgh"[i % 8] for i in range(size))
offsets = list(range(5, size - 6, 997))
seam = 1024 * 1024 - 3
offsets = sorted(set(offsets + [seam]))
offsets = [at for i, at in enumerate(offsets) if i == 0 or at - offsets[i - 1] >= 6]
for at in offsets:
    data[at:at + 6] = b"needle"
with open(os.path.join(WORK, "hay.bin"), "wb") as f:
    f.write(data)

proc, app, page = start_vek("hay.bin")
focus_main_window()
tab_to(app, "the page", lambda n: n.name == PAGE)


def position_line():
    label = find(page.parent, role="label", pred=lambda n: n.description == "Offset and value of the selected byte")
    check(label is not None, "no position line")
    return label.name


def start_field():
    field = find(app, role="text", name="Start")
    check(field is not None, "no Start field")
    return text_of(field)


key("ctrl+shift+f")
wait_for("the Find dialog", lambda: find(app, role="dialog", pred=lambda n: n.name.strip() == "Find"))
x("type", "--delay", "40", "needle")
key("Return")
window = wait_for("the Find All window", lambda: find(app, role="dialog", name="Find All"))
count = "%d occurrences" % len(offsets)


def label(name):
    """A label of the window itself: its direct children, never the thousands of cells of its list."""
    return next((c for c in window if c is not None and c.getRoleName() == "label" and c.name == name), None)


wait_for("the count '%s'" % count, lambda: label(count))
table = wait_for("the list", lambda: find(window, role="table", name="Occurrences")).queryTable()
check(table.nRows == len(offsets), "the list has %d rows, not %d" % (table.nRows, len(offsets)))
check(table.nColumns == 3, "the list has %d columns" % table.nColumns)
first = [table.getAccessibleAt(row, 0).name for row in range(3)]
check(first == [str(at) for at in offsets[:3]], "the first offsets read %s, not %s" % (first, offsets[:3]))
seam_row = offsets.index(seam)
check(table.getAccessibleAt(seam_row, 0).name == str(seam), "the occurrence across the seam is missing")
around = " ".join("%02X" % b for b in data[offsets[0] - 4:offsets[0] + 12])  # four before, twelve from it
check(table.getAccessibleAt(0, 1).name == around,
      "the bytes around the first read '%s', not '%s'" % (table.getAccessibleAt(0, 1).name, around))
check(start_field() == "0", "Find All moved the page to %s" % start_field())
print("PASS Ctrl+Shift+F, needle: '%s', the first offsets %s through AT-SPI" % (count, ", ".join(first)))

# The keyboard in the list (a window manager gives it the focus as it shows; Xvfb has none).
tool = x_out("search", "--onlyvisible", "--name", "^Find All$").splitlines()[0]
x("windowfocus", "--sync", tool)
pump(0.3)
key("Down", "Down", "Return")
third = offsets[2]
line = "%d-%d (6 bytes)" % (third, third + 5)
wait_for("the position line '%s'" % line, lambda: position_line() == line)
wait_for("the page of the third occurrence", lambda: start_field() == str(third - third % 20))
print("PASS Down, Down, Enter in the list: page %s, '%s' selected" % (start_field(), line))

# Back in the main window the page has the keyboard again, as it had before.
focus_main_window()
wait_for("the focus back on the page", lambda: page.getState().contains(pyatspi.STATE_FOCUSED))
key("ctrl+shift+F3")
wait_for("the page start at the occurrence before", lambda: start_field() == str(offsets[1]))
print("PASS Ctrl+Shift+F3 on the page: the page starts at %d, the occurrence before" % offsets[1])
stop_vek(proc)
print("PASS find all")
