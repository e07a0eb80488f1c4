#!/usr/bin/env bash
# Find in the window over a file cut short during the search: "Read Error", and vek keeps running
# (cut_short_read.py, through AT-SPI).
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" cut_short_read.py
