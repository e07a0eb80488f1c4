#!/usr/bin/python3
"""Another program appends to the file shown and changes a byte of the page: vek reads the page
again by itself, at once, and the page text, the size and the Start field say so."""

from atspi_lib import *  # noqa: F401,F403 (the shared helpers and VEK, WORK)

data = bytes(i & 0xFF for i in range(150))
path = os.path.join(WORK, "live.bin")
with open(path, "wb") as f:
    f.write(data)

proc, app, page = start_vek(path)
size = find(app, role="label", pred=lambda n: n.name.endswith("Bytes"))
check(size is not None and size.name.startswith("150"), "the size reads %s" % (size.name if size else None))

with open(path, "r+b") as f:
    f.seek(7)
    f.write(b"X")
    f.seek(0, os.SEEK_END)
    f.write(b"APPENDED BY ANOTHER PROGRAM")
new = bytearray(data)
new[7] = ord("X")
new += b"APPENDED BY ANOTHER PROGRAM"

wanted = page_lines(bytes(new[:200]), 0, False)
wait_for("the page with the new bytes", lambda: text_of(page) == "\n".join(wanted))
wait_for("the new size", lambda: size.name.startswith("177"))
print("PASS without a key: the page shows the changed byte and the appended ones, the size reads 177")
shots = os.environ.get("VEK_SHOTS")
if shots:
    pump(0.5)
    subprocess.run(["import", "-window", "root", "-crop", "675x350+0+0", os.path.join(shots, "live-page.png")], check=True)
stop_vek(proc)
print("PASS live page")
