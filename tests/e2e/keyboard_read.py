#!/usr/bin/python3
"""Keys only, from start to finish: Ctrl+O opens a file, Tab reaches the Start field, Enter goes
to the typed offset, Tab reaches the page, the arrow keys move to a byte, F2 edits it and
Shift+F3 finds a text. After each step the focus is read through AT-SPI where a person expects
it, and after the moves the position line and the page's caret; the file is compared with cmp
at the end: exactly the one byte changed."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

data = bytes(i & 0xFF for i in range(1050))
path = os.path.join(WORK, "keys.bin")
with open(path, "wb") as f:
    f.write(data)
original = os.path.join(WORK, "original.bin")
with open(original, "wb") as f:
    f.write(data)


# Started without a file, vek asks for one; Esc leaves an empty document, Ctrl+O opens the file.
proc, app, _ = start_vek(page_name=None)
wait_for("the view's file question", lambda: find(app, role="dialog"))
key("Escape")
wait_for("the question to close", lambda: find(app, role="dialog") is None)
main = focus_main_window()
key("ctrl+o")
dialog = wait_for("the Open dialog", lambda: find(app, role="dialog", name="Open"))
pump(0.5)
x("type", "--delay", "20", path)
key("Return")
page = wait_for("the file's page", lambda: find(app, role="text", name=PAGE,
                                                   pred=lambda n: text_of(n).startswith("      0  0001")))
print("PASS Ctrl+O opened the file from the keyboard")
# A window manager gives the focus back to the main window when a dialog closes; here, without
# one, xdotool does what it would.
focus_main_window()

start = tab_to(app, "the Start field", lambda n: n.getRoleName() == "text" and n.name == "Start")
key("ctrl+a")
x("type", "--delay", "40", "400")
key("Return")
wait_for("the page at 400", lambda: text_of(page).startswith("    400  9091"))
print("PASS Tab to Start, 400, Enter: the page at 400")

tab_to(app, "the page", lambda n: n.name == PAGE)


def position_line():
    """The position line of the file's window (the empty first window has one too), read afresh."""
    label = find(page.parent, role="label", pred=lambda n: n.description == "Offset and value of the selected byte")
    check(label is not None, "no position line")
    return label.name


key(*["Right"] * 13)
wait_for("the position line of byte 413", lambda: position_line() == "Byte 413 = 157")
lines = page_lines(data[400:600], 400, False)
caret = byte_text_offset(lines, 13)
wait_for("the caret on byte 413", lambda: page.queryText().caretOffset == caret)
key("Down")
wait_for("the position line of byte 433", lambda: position_line() == "Byte 433 = 177")
check(page.queryText().caretOffset == byte_text_offset(lines, 33), "the caret did not follow Down")
key("Up")
wait_for("the position line of byte 413 again", lambda: position_line() == "Byte 413 = 157")
print("PASS Tab to the page, arrows: '%s', caret at %d" % (position_line(), caret))

key("F2")
editor = wait_for("the Edit Byte dialog", lambda: find(app, role="dialog", name="VEK - Edit Byte"))
check(focused(app).getRoleName() == "text", "the Edit Byte dialog opened with the focus on %s" % focused(app))
x("type", "--delay", "40", "130")
key("Return")
wait_for("the Edit Byte dialog to close", lambda: find(app, role="dialog", name="VEK - Edit Byte") is None)
wait_for("the new byte on the page", lambda: text_of(page).startswith("    400  9091 9293 9495 9697 9899 9A9B 9C82"))
focus_main_window()  # as a window manager does when a dialog closes
wait_for("the focus back on the page after the edit", lambda: focused(app).name == PAGE)
print("PASS F2, 130, Enter: the byte changed, the focus back on the page")

key("shift+F3")
wait_for("the Find dialog", lambda: find(app, role="dialog", pred=lambda n: n.name.strip() == "Find"))
x("type", "--delay", "40", "ABC")
key("Return")
wait_for("the page at the match", lambda: text_of(page).startswith("     65  4142 43"))
check(text_of(start) == "65", "the Start field reads '%s' after Find" % text_of(start))
print("PASS Shift+F3, ABC, Enter: the page at the match, 65")
stop_vek(proc)

changed = subprocess.run(["cmp", "-l", original, path], capture_output=True, text=True).stdout.split()
check(changed == ["414", "235", "202"], "cmp -l gives %s, not the one byte 413: 157 -> 130" % changed)
print("PASS cmp -l: 414 235 202, nothing else changed")
print("PASS keyboard")
