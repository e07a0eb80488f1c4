#!/usr/bin/env bash
# A person who never touches the mouse: open, go to an offset, move to a byte, change it and find
# text with keys alone, read back through AT-SPI (keyboard_read.py).
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" keyboard_read.py
