#!/usr/bin/python3
"""Find over a file that another program cuts short while the search looks at it in place: a 64 GiB
sparse file (seconds of holes to scan) is truncated to 1 MiB a second into the search. vek says "Read Error" in its own message box (captioned vek), read through AT-SPI, and keeps
running: Enter closes the box and the page still reads."""

import time

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

path = os.path.join(WORK, "big.bin")
with open(path, "wb") as f:
    f.truncate(64 << 30)

proc, app, page = start_vek(path)
focus_main_window()
x("key", "--delay", "60", "shift+F3")
wait_for("the Find dialog", lambda: find(app, role="dialog", pred=lambda n: n.name.strip() == "Find"))
x("type", "--delay", "40", "VEK-not-there")
started = time.time()
x("key", "Return")
# A second into a search of many seconds (the bus answers slowly while vek searches, so the script
# does not wait for the progress through it): had the search ended first, the box would say that
# nothing was found.
time.sleep(1.0)
os.truncate(path, 1 << 20)
print("PASS cut to 1 MiB %.1f s into the search" % (time.time() - started))

box = wait_for("the message box", lambda: find(app, pred=lambda n: n.getRoleName() in ("alert", "dialog")
                                                and find(n, name="Read Error") is not None), timeout=60)
check(box.name == "vek", "the message box is captioned '%s'" % box.name)
check(proc.poll() is None, "vek ended (status %s)" % proc.poll())
check(x_out("search", "--onlyvisible", "--name", "^vek$") != "", "no window captioned vek on the screen")
print("PASS \"Read Error\" in a message box captioned vek")

x("key", "Return")
wait_for("the message box to close", lambda: find(app, name="Read Error") is None)
check(proc.poll() is None, "vek ended after the message (status %s)" % proc.poll())
wait_for("the page still there", lambda: find(app, role="text", name=PAGE) is not None)
check(x_out("search", "--onlyvisible", "--name", "^vek - ") != "", "the main window is gone")
print("PASS vek keeps running: the box closed, the page and the main window still there")
stop_vek(proc)
