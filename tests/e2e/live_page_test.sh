#!/usr/bin/env bash
# The page stays true to its file while another program changes it: no key pressed, the new bytes
# and size are read back through AT-SPI (live_page_read.py). With VEK_SHOTS=DIR the page with the
# changed bytes marked lands in DIR/live-page.png.
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" live_page_read.py
