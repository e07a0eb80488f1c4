#!/usr/bin/env bash
# Our own windows over the page, keys only, read back through AT-SPI (tools_read.py): the data
# inspector (Ctrl+Shift+I) beside the main window, following the selected byte, closed by Esc; and
# Go to (Ctrl+G), refusing a bad offset and selecting the last byte for end-1.
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" tools_read.py
