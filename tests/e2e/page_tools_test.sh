#!/usr/bin/env bash
# The page's own commands with keys and the pointer only: the context menu, a range copied as hex
# to the clipboard, the wheel, a file dropped from another window (page_tools_read.py).
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" page_tools_read.py
