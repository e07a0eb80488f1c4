#!/usr/bin/env bash
# Times `vek --find` against `grep -obUaF`, the tool whose output it copies, on the same cached
# files in one run: best of 5 each, the two taking turns. Both must print the same offsets.
#
#   bench/cli_find_vs_grep.sh [VEK [DIR]]
#
# VEK is the built program (default: build/vek). DIR holds the test files (default: a new
# temporary directory, removed afterwards); a DIR that already holds them is reused.
#
# Two cases:
#   sparse: 1 GiB of random bytes with the marker VEKmark7 4 KiB before the end (one match);
#   dense:  256 MiB of base64 text, searched for the letter Q (about 4 million matches), which
#           measures the cost of each match and of printing it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

vek="${1:-build/vek}"
[[ -x "$vek" ]] || { echo "missing $vek: build it first (cmake --build build --target vek)" >&2; exit 2; }
need_tools grep

use_dir "${2:-}"
export LC_ALL=C

sparse="$dir/vek-cli-1g.bin"
marker="VEKmark7"
sparse_size=$((1 << 30))
marker_at=$((sparse_size - 4096))
if [[ ! -f "$sparse" || $(stat -c %s "$sparse") -ne $sparse_size ]]; then
  echo "writing $sparse ..."
  head -c "$sparse_size" /dev/urandom >"$sparse"
fi
printf '%s' "$marker" | dd of="$sparse" bs=1 seek="$marker_at" conv=notrunc status=none

dense="$dir/vek-cli-256m.txt"
dense_size=$((256 << 20))
if [[ ! -f "$dense" || $(stat -c %s "$dense") -ne $dense_size ]]; then
  echo "writing $dense ..."
  # head closing the pipe early ends base64 with SIGPIPE; the size check below is what counts.
  head -c $((dense_size * 3 / 4 + 1024)) /dev/urandom | base64 | head -c "$dense_size" >"$dense" || true
  [[ $(stat -c %s "$dense") -eq $dense_size ]] || { echo "could not write $dense" >&2; exit 2; }
fi

# Same offsets from both, or the timing means nothing. grep -o reports non-overlapping matches;
# neither pattern can overlap itself, so the lists must be equal.
check() {
  local file=$1 pattern=$2
  cmp -s <("$vek" --find "$pattern" "$file") <(grep -obUaF -- "$pattern" "$file" | cut -d: -f1) ||
    { echo "vek and grep disagree on '$pattern' in $file" >&2; exit 1; }
}
check "$sparse" "$marker"
[[ "$("$vek" --find "$marker" "$sparse")" == "$marker_at" ]] || { echo "marker not at $marker_at" >&2; exit 1; }
check "$dense" Q

# Output goes to a file: GNU grep stops at the first match when its output is /dev/null.
out="$dir/offsets.txt"
best_of_5() { # $1 name prefix, $2 file, $3 pattern; sets best[$1.vek], best[$1.grep]
  local name=$1 file=$2 pattern=$3 round tool start end t
  cat "$file" >/dev/null
  cat "$file" >/dev/null
  for round in 1 2 3 4 5; do
    for tool in vek grep; do
      start=$EPOCHREALTIME
      if [[ $tool == vek ]]; then
        "$vek" --find "$pattern" "$file" >"$out"
      else
        grep -obUaF -- "$pattern" "$file" >"$out"
      fi
      end=$EPOCHREALTIME
      t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
      if [[ -z "${best[$name.$tool]:-}" ]] || awk -v t="$t" -v b="${best[$name.$tool]}" 'BEGIN { exit !(t < b) }'; then
        best[$name.$tool]=$t
      fi
    done
  done
}

declare -A best
best_of_5 sparse "$sparse" "$marker"
best_of_5 dense "$dense" Q
matches=$("$vek" --find Q "$dense" | wc -l)
rm -f "$out"

echo "cached files, best of 5 (seconds):"
report() { # $1 case, $2 bytes, $3 label
  awk -v c="$3" -v v="${best[$1.vek]}" -v g="${best[$1.grep]}" -v n="$2" 'BEGIN {
    printf "  %-34s vek %.3f s (%5.2f GB/s)   grep %.3f s (%5.2f GB/s)   vek/grep %.2f\n",
           c, v, n / v / 1e9, g, n / g / 1e9, v / g }'
}
report sparse "$sparse_size" "1 GiB random, 1 match"
report dense "$dense_size" "256 MiB base64, $matches matches"
