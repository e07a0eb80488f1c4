#!/usr/bin/env bash
# Peak memory does not grow with the file: vek's peak resident size on a 1 KiB file and on an
# 8 GiB sparse file (no disk space used), and the last page of the large file at once (Ctrl+End).
# Usage: VEK=build/vek bench/memory.sh
set -euo pipefail
VEK=${VEK:-build/vek}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
head -c 1024 /dev/urandom >"$dir/small.bin"
truncate -s 8G "$dir/large.bin"
printf 'LASTPAGE' | dd of="$dir/large.bin" bs=1 seek=$((8 * 1024 * 1024 * 1024 - 8)) conv=notrunc status=none

peak() { # file -> peak resident KiB after the first page shows
  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$dir/config" "$VEK" "$1" &
  local pid=$!
  sleep 1.5
  local kib
  kib=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$kib"
}
small=$(peak "$dir/small.bin")
large=$(peak "$dir/large.bin")
echo "peak resident: 1 KiB file ${small} KiB, 8 GiB sparse file ${large} KiB, difference $((large - small)) KiB"
