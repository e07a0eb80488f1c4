#!/usr/bin/env bash
# Find All and Find Previous with keys only, read back through AT-SPI (find_all_read.py): the list
# of a file made here counts its occurrences and names their offsets; a row chosen with the keyboard
# shows its page with the occurrence selected.
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" find_all_read.py
