#!/usr/bin/python3
"""The data inspector and Go to under a real X server, keys only, read as a screen reader reads
them: the inspector's rows are pairs of a name and a value, its uint32 LE row for 01 02 03 04 reads
67305985 and follows the selected byte; it stands beside the main window and Esc closes it. Go to
refuses "abc" with a message and changes nothing; end-1 selects the last byte, and the keys go on
moving from there."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

data = bytearray(i & 0xFF for i in range(1050))
data[0:4] = bytes([1, 2, 3, 4])
with open(os.path.join(WORK, "tools.bin"), "wb") as f:
    f.write(data)
proc, app, page = start_vek("tools.bin")
main = focus_main_window()
tab_to(app, "the page", lambda n: n.name == PAGE)


def position_line():
    label = find(page.parent, role="label", pred=lambda n: n.description == "Offset and value of the selected byte")
    check(label is not None, "no position line")
    return label.name


# --- the data inspector ---------------------------------------------------------------------------

key("ctrl+shift+i")
window = wait_for("the inspector", lambda: find(app, role="dialog", name="Data Inspector"))
inspector = wait_for("the inspector's rows", lambda: find(window, role="tree", name="Data Inspector"))
rows = inspector.queryTable()


def row_value(name):
    """The value beside the name, in the same row, as a screen reader pairs them."""
    for row in range(rows.nRows):
        if rows.getAccessibleAt(row, 0).name == name:
            return rows.getAccessibleAt(row, 1).name
    fail("no row named " + name)


check(rows.nColumns == 2, "the inspector has %d columns" % rows.nColumns)
check(rows.nRows == 25, "the inspector has %d rows" % rows.nRows)
wait_for("uint32 LE of 01 02 03 04", lambda: row_value("uint32 LE") == "67305985")
check(row_value("Hex") == "01", "Hex reads '%s'" % row_value("Hex"))
check(row_value("uint32 BE") == "16909060", "uint32 BE reads '%s'" % row_value("uint32 BE"))
check(page.getState().contains(pyatspi.STATE_FOCUSED), "the inspector took the focus from the page")
print("PASS Ctrl+Shift+I: uint32 LE reads 67305985 through AT-SPI, the focus stays on the page")

key("Right")
wait_for("the inspector at byte 1", lambda: row_value("uint32 LE") == "67371778")  # 02 03 04 04
wait_for("the position line of byte 1", lambda: position_line() == "Byte 1 = 2")
print("PASS Right, still on the page: the inspector follows the selected byte (uint32 LE 67371778)")

windows = x_out("search", "--onlyvisible", "--name", "^Data Inspector$").splitlines()
check(len(windows) == 1, "%d inspector windows" % len(windows))


def geometry(window):
    out = x_out("getwindowgeometry", "--shell", window)
    return {k: int(v) for k, v in (line.split("=") for line in out.splitlines() if line.split("=")[0] in "XYWIDTHEIGHT")}


tool, frame = geometry(windows[0]), geometry(main)
check(tool["X"] >= frame["X"] + frame["WIDTH"], "the inspector at x %d overlaps the main window (%s)" % (tool["X"], frame))
check(shown_window_title("^vek - ") == "vek - tools.bin", "the main window's title changed")
print("PASS the inspector stands beside the main window, whose title is unchanged")

x("windowfocus", "--sync", windows[0])
pump(0.3)
key("Escape")
wait_for("the inspector to close", lambda: subprocess.run(
    ["xdotool", "search", "--onlyvisible", "--name", "^Data Inspector$"], capture_output=True).returncode != 0)
print("PASS Esc closes the inspector")

# --- Go to ----------------------------------------------------------------------------------------

focus_main_window()
wait_for("the focus back on the page", lambda: page.getState().contains(pyatspi.STATE_FOCUSED))
key("ctrl+g")
goto = wait_for("the Go To dialog", lambda: find(app, role="dialog", name="Go To"))
x("type", "--delay", "40", "abc")
key("Return")
box = wait_for("the message about abc", lambda: find(app, role="alert") or find(app, role="dialog", name="vek"))
said = " ".join(n.name for n in walk(box) if n.getRoleName() == "label")
check('"abc" is not an offset' in said, "the message says '%s'" % said)
key("Return")
wait_for("the message to close", lambda: (find(app, role="alert") or find(app, role="dialog", name="vek")) is None)
check(find(app, role="dialog", name="Go To") is not None, "the Go To dialog closed after a bad offset")
check(position_line() == "Byte 1 = 2", "a bad offset moved the selection: '%s'" % position_line())
print("PASS Ctrl+G, abc: '%s'; the dialog stays, nothing moved" % said.split("\n")[0])

key("ctrl+a")
x("type", "--delay", "40", "end-1")
key("Return")
wait_for("the Go To dialog to close", lambda: find(app, role="dialog", name="Go To") is None)
wait_for("the position line of the last byte", lambda: position_line() == "Byte 1049 = 25")
focus_main_window()  # as a window manager does when a dialog closes
key("Left")
wait_for("the position line of the byte before", lambda: position_line() == "Byte 1048 = 24")
print("PASS Ctrl+G, end-1: the last byte selected ('Byte 1049 = 25'), and Left goes on from it")
stop_vek(proc)
print("PASS tools")
