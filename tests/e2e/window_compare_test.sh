#!/usr/bin/env bash
# Two document windows compared side by side, keys only, read back through AT-SPI
# (window_compare_read.py): paired from the page's "Compare with" list, Next difference from the
# start lands both views on the first differing offset, and a screenshot shows the differing bytes
# marked. With VEK_SHOTS=DIR the screenshot stays in DIR.
exec bash "$(dirname "$0")/atspi_test.sh" "${1:?usage: $0 path/to/vek}" window_compare_read.py
