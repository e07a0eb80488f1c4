#!/usr/bin/python3
"""Reads vek through AT-SPI alone, as a screen reader does, and compares what it reads with what
the program shows: the page text against the file's bytes, the Start field, the position line
after a click on a byte, the Find dialog and a message box. Runs inside a private X server and
session bus (see atspi_test.sh). Exits non-zero on the first mismatch."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

# --- a file of 1050 counting bytes ----------------------------------------------------------------

data = bytes(i & 0xFF for i in range(1050))
with open(os.path.join(WORK, "a11y.bin"), "wb") as f:
    f.write(data)
proc, app, page = start_vek("a11y.bin")

expected = page_lines(data[0:200], 0, False)
check(text_of(page) == "\n".join(expected),
      "page text on load:\n%s\nexpected:\n%s" % (text_of(page), "\n".join(expected)))
start = find(app, role="text", name="Start")
check(start is not None, "no text object named Start")
check(text_of(start) == "0", "Start field reads '%s'" % text_of(start))
print("PASS page text and Start field on load (%d lines)" % len(expected))

# The next page, pressed as a screen reader user does: the page tells its listeners of the change.
events.clear()
press(find(app, role="push button", name="Next Page"))
expected = page_lines(data[200:400], 200, False)
wait_for("the second page", lambda: text_of(page) == "\n".join(expected))
check(text_of(start) == "200", "Start field reads '%s' on the second page" % text_of(start))
inserted = wait_for("a text-changed event of the page",
                    lambda: [e for e in events if e[0].startswith("object:text-changed:insert") and e[1] == PAGE])
position, text = inserted[-1][2], inserted[-1][3]
check("\n".join(expected)[position:position + len(text)] == text,
      "the inserted text '%s' at %d is not the new page's" % (text, position))
print("PASS next page: page text, Start field and the text-changed event")

# A click on byte 45 of the page, at the screen cell the page text gives for its first hex digit.
offset = byte_text_offset(expected, 45)
check(text_of(page)[offset:offset + 2] == "%02X" % data[245], "byte 45 is not at text offset %d" % offset)
cx, cy, cw, ch = page.queryText().getCharacterExtents(offset, pyatspi.DESKTOP_COORDS)
check(cw > 0 and ch > 0, "no screen cell for text offset %d" % offset)
events.clear()
x("mousemove", str(cx + cw // 2), str(cy + ch // 2), "click", "1")
position_line = find(app, role="label", pred=lambda n: n.description == "Offset and value of the selected byte")
check(position_line is not None, "no position line")
wait_for("the position line", lambda: position_line.name == "Byte 245 = 245")
check(page.queryText().caretOffset == offset, "caret at %d, not %d" % (page.queryText().caretOffset, offset))
check(page.queryText().getSelection(0) == (offset, offset + 2),
      "selection %s, not the byte's two digits" % (page.queryText().getSelection(0),))
wait_for("a caret-moved event at the byte",
         lambda: [e for e in events if e[0] == "object:text-caret-moved" and e[1] == PAGE and e[2] == offset])
print("PASS click: position line '%s', caret and selection on the byte" % position_line.name)

document = page
while document is not None and document.getRoleName() != "frame":
    document = document.parent
check(document is not None, "the page lies in no document window")
check(document.name.endswith("a11y.bin"), "the document window is named '%s'" % document.name)
tree = "\n".join(describe(document))
print("Accessible tree of the document window:\n" + tree)
with open(TREE_OUT, "w") as f:
    f.write(tree + "\n")

# The radix toggle rewrites the offsets in the page text, the Start field and the position line.
radix = find(app, name="Dec", pred=lambda n: n.getRoleName() in ("check box", "toggle button", "push button"))
check(radix is not None, "no radix toggle named Dec")
press(radix)
expected = page_lines(data[200:400], 200, True)
wait_for("the page in hex", lambda: text_of(page) == "\n".join(expected))
check(radix.name == "Hex", "radix toggle named '%s' once down" % radix.name)
check(text_of(start) == "C8", "Start field reads '%s' in hex" % text_of(start))
check(position_line.name == "Byte F5 = F5", "position line reads '%s' in hex" % position_line.name)
print("PASS radix toggle: page text, Start field and position line in hex")

# The Find dialog, opened with its key.
main = focus_main_window()
x("key", "--window", main, "shift+F3")
dialog = wait_for("the Find dialog", lambda: find(app, role="dialog", pred=lambda n: n.name.strip() == "Find"))
shown_title = shown_window_title("^Find")
check(shown_title == dialog.name, "Find dialog titled '%s' on screen, '%s' through AT-SPI" % (shown_title, dialog.name))
names = {(n.getRoleName(), n.name) for n in walk(dialog) if n is not dialog}
for wanted in [("label", "Find Pattern:"), ("text", "Find Pattern"), ("radio button", "ASCII (strings)"),
               ("radio button", "Hex"), ("push button", "OK"), ("push button", "Cancel"),
               ("label", "For Hex mode, use two character bytes (00,01..FF)\nSpaces are ignored in Hex mode")]:
    check(wanted in names, "Find dialog lacks %s; it has %s" % (wanted, sorted(names)))
ascii_radio = find(dialog, role="radio button", name="ASCII (strings)")
check(ascii_radio.getState().contains(pyatspi.STATE_CHECKED), "ASCII (strings) is not checked")
pattern = find(dialog, role="text", name="Find Pattern")
x("type", "--delay", "20", "AB")
wait_for("the typed pattern", lambda: text_of(pattern) == "AB")
press(find(dialog, role="push button", name="Cancel"))
wait_for("the Find dialog to close", lambda: find(app, role="dialog") is None)
print("PASS Find dialog: title, texts, the checked radio button and the typed pattern")
stop_vek(proc)

# A message box: Find on an empty file.
open(os.path.join(WORK, "empty.bin"), "wb").close()
proc, app, page = start_vek("empty.bin")
expected = page_lines(b"", 0, False)
check(text_of(page) == "\n".join(expected), "page text of an empty file: '%s'" % text_of(page))
main = focus_main_window()
x("key", "--window", main, "shift+F3")
dialog = wait_for("the Find dialog", lambda: find(app, role="dialog", pred=lambda n: n.name.strip() == "Find"))
x("type", "--delay", "20", "A")
wait_for("the typed pattern", lambda: text_of(find(dialog, role="text", name="Find Pattern")) == "A")
x("key", "Return")
box = wait_for("the message box", lambda: find(app, pred=lambda n: n.getRoleName() in ("alert", "dialog")
                                               and find(n, role="label", name="Not that many bytes in the file")))
shown_title = shown_window_title("^vek$")
check(box.name == shown_title == "vek", "message box titled '%s' through AT-SPI, '%s' on screen" % (box.name, shown_title))
check(find(box, role="push button", name="OK") is not None, "the message box has no OK button")
print("PASS message box: [%s] '%s' says 'Not that many bytes in the file'" % (box.getRoleName(), box.name))
x("key", "Return")
wait_for("the message box to close", lambda: find(app, role="label", name="Not that many bytes in the file") is None)
stop_vek(proc)
print("PASS atspi")
