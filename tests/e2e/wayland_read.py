#!/usr/bin/python3
"""vek on Wayland, read through AT-SPI: the first page, the second after Next Page, and the Find
dialog, which must be a dialog of the program with the main window as its parent. Runs under
a headless weston and a session bus of its own (see wayland_test.sh).

Keys cannot be sent: weston's headless backend has no seat at all (no keyboard, no pointer), and
it offers no virtual-keyboard protocol, so Page Down and Shift+F3 are replaced by the buttons that
do the same, pressed through their accessible actions."""

import re

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

PROTOCOL_LOG = os.path.join(WORK, "vek-wayland.log")


def toplevels():
    """The program's toplevels from its protocol log: {id: {"title", "parent" (an id or None), "size"}}
    (the size is the window geometry, decorations included, as the compositor takes it)."""
    shown, of_surface = {}, {}
    with open(PROTOCOL_LOG, errors="replace") as log:
        for line in log:
            request = re.search(r"-> xdg_(toplevel|surface)@(\d+)\.(\w+)\((.*)\)$", line.rstrip())
            if not request:
                continue
            kind, object_id, name, args = request.groups()
            if kind == "surface":
                if name == "get_toplevel":
                    of_surface[object_id] = re.search(r"xdg_toplevel@(\d+)", args).group(1)
                    shown[of_surface[object_id]] = {"title": "", "parent": None, "size": None}
                elif name == "set_window_geometry" and object_id in of_surface:
                    shown[of_surface[object_id]]["size"] = tuple(int(v) for v in args.split(", ")[2:])
            elif name == "set_title":
                shown[object_id]["title"] = args.strip('"')
            elif name == "set_parent":
                parent = re.fullmatch(r"xdg_toplevel@(\d+)", args)
                shown[object_id]["parent"] = parent.group(1) if parent else None
            elif name == "destroy":
                shown.pop(object_id, None)
    return shown


def toplevel_titled(title):
    found = [(t, v) for t, v in toplevels().items() if v["title"].strip() == title]
    return found[0] if len(found) == 1 else None


data = bytes(i & 0xFF for i in range(1050))
with open(os.path.join(WORK, "counting.bin"), "wb") as f:
    f.write(data)
with open(PROTOCOL_LOG, "w") as log:
    proc, app, page = start_vek("counting.bin", stderr=log)

expected = page_lines(data[0:200], 0, False)
check(text_of(page) == "\n".join(expected),
      "first page:\n%s\nexpected:\n%s" % (text_of(page), "\n".join(expected)))
main = find(app, role="frame", pred=lambda n: n.name.startswith("vek - "))
check(main is not None, "no main window titled 'vek - ...'")
document = find(main, role="frame", pred=lambda n: n.name == "counting.bin")
check(document is not None and find(document, role="text", name=PAGE) is not None,
      "the page lies in no document window named counting.bin")
main_id, main_toplevel = toplevel_titled(main.name)
check(main_toplevel["size"] == (675, 350), "the main window is %s, with its decorations" % (main_toplevel["size"],))
print("PASS first page, in the document window of a 675x350 main window")

press(find(app, role="push button", name="Next Page"))
expected = page_lines(data[200:400], 200, False)
wait_for("the second page", lambda: text_of(page) == "\n".join(expected))
check(text_of(find(app, role="text", name="Start")) == "200", "the Start field does not read 200")
print("PASS second page after Next Page")

press(find(app, role="push button", name="Find"))
dialog = wait_for("the Find dialog", lambda: find(app, role="dialog", pred=lambda n: n.name.strip() == "Find"))
check(dialog.parent is not None and dialog.parent.get_process_id() == proc.pid,
      "the Find dialog belongs to no application of vek's")
_, find_toplevel = wait_for("the Find dialog's toplevel", lambda: toplevel_titled("Find"))
check(find_toplevel["parent"] == main_id,
      "the Find dialog's parent is toplevel %s, the main window is %s" % (find_toplevel["parent"], main_id))
print("PASS Find dialog: a dialog of vek whose parent (xdg_toplevel.set_parent) is the main window")

press(find(dialog, role="push button", name="Cancel"))
wait_for("the Find dialog to close", lambda: find(app, role="dialog") is None)
stop_vek(proc)
print("PASS wayland")
