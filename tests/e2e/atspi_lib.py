"""What the AT-SPI end-to-end scripts share: building the page text a file must show, finding
objects on the accessibility bus, waiting for them, and driving the program with xdotool."""

import atexit
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

VEK, WORK = sys.argv[1], sys.argv[2]
TREE_OUT = os.environ.get("VEK_A11Y_TREE", "/tmp/a11y-tree.txt")
WAIT = 10.0
PAGE = "Page bytes"  # the name of the page text


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


# --- what the page must show, built from the file's bytes --------------------------------------

def ansi_char(byte):
    if byte < 0x20 or byte == 0x7F:
        return "."
    if byte == 0xAD:
        return "-"  # the soft hyphen shows as a hyphen
    if 0x80 <= byte <= 0x9F:
        try:
            return bytes([byte]).decode("cp1252")
        except UnicodeDecodeError:
            return chr(byte)  # the codes Windows-1252 leaves undefined keep their own value
    return chr(byte)


def page_lines(data, start, hex_radix):
    lines = []
    for first in range(0, max(len(data), 1), 20):
        chunk = data[first:first + 20]
        offset = ("%7X" if hex_radix else "%7d") % (start + first)
        hexes = "".join("%02X" % b + (" " if i % 2 else "") for i, b in enumerate(chunk))
        lines.append(offset + ("  " + hexes.ljust(50) + " " + "".join(ansi_char(b) for b in chunk) if chunk else ""))
    return lines


def byte_text_offset(lines, index):
    """Text offset of the first hex digit of page byte `index`."""
    line = index // 20
    before = sum(len(l) + 1 for l in lines[:line])
    in_line = index % 20
    return before + 7 + 2 + in_line // 2 * 5 + in_line % 2 * 2


# --- AT-SPI helpers ------------------------------------------------------------------------------

events = []


def on_event(event):
    events.append((event.type, event.source.name if event.source else "", event.detail1, event.any_data))


pyatspi.Registry.registerEventListener(on_event, "object:text-changed:insert", "object:text-caret-moved")


def pump(seconds=0.05):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.01)


def wait_for(what, probe, timeout=WAIT):
    end = time.time() + timeout
    while time.time() < end:
        pump()
        try:
            value = probe()
        except Exception:  # objects come and go while windows open and close
            value = None
        if value:
            return value
    fail("timed out waiting for " + what)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(root, role=None, name=None, pred=None):
    for node in walk(root):
        if role is not None and node.getRoleName() != role:
            continue
        if name is not None and node.name != name:
            continue
        if pred is not None and not pred(node):
            continue
        return node
    return None


def text_of(node):
    text = node.queryText()
    return text.getText(0, -1)


def press(node):
    action = node.queryAction()
    check(action.nActions > 0, "'%s' has no action" % node.name)
    action.doAction(0)


def x(*args):
    subprocess.run(["xdotool", *args], check=True, stdout=subprocess.DEVNULL)


def x_out(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout.rstrip("\n")


def key(*keys):
    x("key", "--delay", "60", *keys)


def tab_to(app, what, is_it):
    """Tab until the focus is on `what`; a person sees the focus move control by control."""
    for _ in range(20):
        node = focused(app)
        if node is not None and is_it(node):
            return node
        key("Tab")
        pump(0.2)
    fail("Tab never reached " + what)


def start_vek(*args, page_name=PAGE, stderr=subprocess.DEVNULL):
    """Starts vek on the arguments; waits for it on the bus and, when page_name is given, for a page."""
    env = dict(os.environ, HOME=os.path.join(WORK, "home"), XDG_CONFIG_HOME=os.path.join(WORK, "config"),
               XDG_STATE_HOME=os.path.join(WORK, "state"),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([VEK, *args], cwd=WORK, env=env, stdout=subprocess.DEVNULL, stderr=stderr)
    atexit.register(proc.kill)

    def app_of_proc():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == proc.pid and app.childCount > 0:
                return app
        return None

    app = wait_for("vek on the accessibility bus", app_of_proc)
    page = wait_for("the page text", lambda: find(app, role="text", name=page_name)) if page_name else None
    return proc, app, page


def stop_vek(proc):
    proc.kill()
    proc.wait()


def focus_main_window():
    win = x_out("search", "--onlyvisible", "--name", "^vek - ").splitlines()[0]
    x("windowfocus", "--sync", win)
    return win


def shown_window_title(pattern):
    """The title of the visible window whose title matches, as the X server has it."""
    windows = x_out("search", "--onlyvisible", "--name", pattern).splitlines()
    check(len(windows) == 1, "%d windows titled like %s" % (len(windows), pattern))
    return x_out("getwindowname", windows[0])


def focused(app):
    """The object that has the keyboard focus, as a screen reader finds it: the innermost focused one
    (a document window counts as focused while a control inside it has the focus)."""
    found = [n for n in walk(app) if n.getState().contains(pyatspi.STATE_FOCUSED)]
    return found[-1] if found else None


def describe(node, depth=0):
    shown = lambda text: text.replace("\r", "\\r").replace("\n", "\\n")
    line = "  " * depth + "[%s] \"%s\"" % (node.getRoleName(), shown(node.name))
    if node.description:
        line += " (description: \"%s\")" % node.description
    lines = [line]
    if node.getRoleName() == "text":
        for text_line in text_of(node).split("\n"):
            lines.append("  " * (depth + 1) + "| " + text_line)
    for child in node:
        if child is not None:
            lines.extend(describe(child, depth + 1))
    return lines


